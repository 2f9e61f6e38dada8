#include "engine/GuiStepper.hpp"

#include "engine/GameFramework.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <CEGUI/GUIContext.h>
#include <CEGUI/InputEvent.h>
#include <CEGUI/Window.h>
#include <CEGUI/widgets/Editbox.h>
#include <CEGUI/widgets/Listbox.h>
#include <CEGUI/widgets/ListboxItem.h>
#include <CEGUI/widgets/PushButton.h>
#include <CEGUI/widgets/RadioButton.h>
#include <CEGUI/widgets/ToggleButton.h>

namespace {

// An axis past this value counts as pushed.
constexpr float StepThreshold = 0.7f;

unsigned primaryJoystick()
{
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    return sfml ? sfml->getPrimaryJoystick() : GameAxis::NoJoystick;
}

} // namespace

GuiStepper::Node::Direction GuiStepper::Node::getInverseDirection(Direction direction)
{
    switch (direction) {
    case Left: return Right;
    case Right: return Left;
    case Up: return Down;
    case Down: return Up;
    default: return None;
    }
}

GuiStepper::Node* GuiStepper::Node::connectTo(CEGUI::Window* target, Direction direction)
{
    return stepper->addConnection(this, target, direction);
}

GuiStepper::Node* GuiStepper::Node::getLink(Direction direction) const
{
    return direction >= Left && direction <= Down ? links[direction] : nullptr;
}

void GuiStepper::Node::fireEvent()
{
    if (!window || window->isDisabled())
        return;
    if (auto* button = dynamic_cast<CEGUI::PushButton*>(window)) {
        CEGUI::WindowEventArgs args(button);
        button->fireEvent(CEGUI::PushButton::EventClicked, args, CEGUI::PushButton::EventNamespace);
        return;
    }
    if (auto* list = dynamic_cast<CEGUI::Listbox*>(window)) {
        const std::size_t count = list->getItemCount();
        if (count == 0)
            return;
        CEGUI::ListboxItem* selected = list->getFirstSelectedItem();
        std::size_t next = 0;
        if (selected)
            next = (list->getItemIndex(selected) + 1) % count;
        list->setItemSelectState(next, true);
        return;
    }
    // A radio button is a toggle button too.
    if (auto* toggle = dynamic_cast<CEGUI::ToggleButton*>(window))
        toggle->setSelected(!toggle->isSelected());
}

GuiStepper::GuiStepper() : tools::Activable(false), root(this, nullptr), active(&root)
{
    const unsigned joystick = primaryJoystick();
    GameAxis* upDown = axes[0];
    upDown->setButton(fx::InputAction(sf::Keyboard::Up, fx::InputAction::Hold), GameAxis::Positive);
    upDown->setButton(fx::InputAction(sf::Keyboard::Down, fx::InputAction::Hold), GameAxis::Negative);
    upDown->setJoystick(joystick, sf::Joystick::PovX);
    GameAxis* rightLeft = axes[1];
    rightLeft->setButton(fx::InputAction(sf::Keyboard::Right, fx::InputAction::Hold), GameAxis::Positive);
    rightLeft->setButton(fx::InputAction(sf::Keyboard::Left, fx::InputAction::Hold), GameAxis::Negative);
    rightLeft->setJoystick(joystick, sf::Joystick::PovY);
    actions[0] = fx::InputAction(fx::JoystickButton(joystick, 0), fx::InputAction::PressOnce) ||
                 fx::InputAction(sf::Keyboard::Return, fx::InputAction::PressOnce);
    actions[1] = fx::InputAction(fx::JoystickButton(joystick, 1), fx::InputAction::PressOnce) ||
                 fx::InputAction(sf::Keyboard::Escape, fx::InputAction::PressOnce);
}

GuiStepper::~GuiStepper()
{
    // No widget may call into a stepper that is gone.
    mouseEnterConnections.disconnectAll();
    nodes.clear();
}

void GuiStepper::setInputSource(const GameInputSource& newSource)
{
    source = &newSource;
    axes[0]->setInputSource(newSource);
    axes[1]->setInputSource(newSource);
    actions.setInputSource(newSource);
}

GuiStepper::Node* GuiStepper::addConnection(Node* from, CEGUI::Window* window, Node::Direction direction)
{
    if (!from || !window || direction == Node::None)
        return nullptr;
    Node* node = searchNode(window);
    if (!node) {
        nodes.push_back(std::make_unique<Node>(this, window));
        node = nodes.back().get();
        mouseEnterConnections.addConnection(window->subscribeEvent(
            CEGUI::Window::EventMouseEntersArea, CEGUI::Event::Subscriber(&GuiStepper::onMouseEntersArea, this)));
    }
    Node::Direction singles[4];
    int count = 0;
    switch (direction) {
    case Node::Horizontal:
        singles[count++] = Node::Left;
        singles[count++] = Node::Right;
        break;
    case Node::Vertical:
        singles[count++] = Node::Up;
        singles[count++] = Node::Down;
        break;
    case Node::All:
        singles[count++] = Node::Up;
        singles[count++] = Node::Down;
        singles[count++] = Node::Left;
        singles[count++] = Node::Right;
        break;
    default: singles[count++] = direction; break;
    }
    for (int i = 0; i < count; ++i) {
        const Node::Direction single = singles[i];
        from->links[single] = node;
        // The back link only fills a free slot or replaces the root, which
        // holds a place until a real neighbour comes.
        Node*& back = node->links[Node::getInverseDirection(single)];
        if (!back || back == &root)
            back = from;
    }
    return node;
}

GuiStepper::Node* GuiStepper::searchNode(const CEGUI::Window* window) const
{
    if (!window)
        return nullptr;
    for (const auto& node : nodes)
        if (node->window == window)
            return node.get();
    return nullptr;
}

void GuiStepper::clear()
{
    mouseEnterConnections.disconnectAll();
    nodes.clear();
    for (Node*& link : root.links)
        link = nullptr;
    active = &root;
    doneAction = false;
    doneBack = false;
}

void GuiStepper::stepToDefault()
{
    if (nodes.empty())
        return;
    active = nodes.front().get();
    moveCursorToActive();
}

void GuiStepper::moveCursorToActive()
{
    CEGUI::Window* window = active->window;
    if (!window)
        return;
    const CEGUI::Rectf rect = window->getUnclippedOuterRect().get();
    const float width = rect.getWidth();
    const float height = rect.getHeight();
    // A radio button's round button sits at its left edge.
    const bool radio = dynamic_cast<CEGUI::RadioButton*>(window) != nullptr;
    const float x = rect.left() + (radio ? height : width) / 2.0f;
    const float y = rect.top() + height / 2.0f;
    source->setMousePosition(sf::Vector2i(static_cast<int>(x), static_cast<int>(y)));
}

void GuiStepper::step(Node::Direction direction)
{
    if (!source->isWindowFocused())
        return;
    Node* next = active->getLink(direction);
    if (next && next != &root)
        active = next;
    // Also without a move: the cursor goes back onto the focused widget.
    moveCursorToActive();
}

void GuiStepper::stepOnAxis(char axisId, GameAxis::Direction direction)
{
    const bool positive = direction == GameAxis::Positive;
    if (axisId == 0)
        step(positive ? Node::Up : Node::Down);
    else if (axisId == 1)
        step(positive ? Node::Right : Node::Left);
}

void GuiStepper::doAction()
{
    if (!active->window || !active->window->isMouseContainedInArea())
        return;
    // Set before firing: the widget's handlers read it.
    doneAction = true;
    active->fireEvent();
}

void GuiStepper::doBack()
{
    for (const auto& node : nodes) {
        if (node->isBackNode) {
            doneBack = true;
            node->fireEvent();
            return;
        }
    }
}

bool GuiStepper::onMouseEntersArea(const CEGUI::EventArgs& args)
{
    if (!isActive())
        return true;
    const auto& windowArgs = static_cast<const CEGUI::WindowEventArgs&>(args);
    if (Node* node = searchNode(windowArgs.window))
        active = node;
    return true;
}

bool GuiStepper::mayNavigate(const CEGUI::GUIContext& context)
{
    if (context.getModalWindow())
        return false;
    const CEGUI::Window* root = context.getRootWindow();
    return !root || !dynamic_cast<const CEGUI::Editbox*>(root->getActiveChild());
}

void GuiStepper::onUpdate(float dt)
{
    axes.update(dt);
    doneAction = false;
    doneBack = false;
    if (!isActive() || !source->isWindowFocused())
        return;
    for (char id = 0; id < 2; ++id) {
        const float v = axes.getAxis(id)->getValue(1.0f);
        int& last = lastStep[static_cast<int>(id)];
        if (v >= StepThreshold) {
            if (last != 1)
                stepOnAxis(id, GameAxis::Positive);
            last = 1;
        } else if (v <= -StepThreshold) {
            if (last != -1)
                stepOnAxis(id, GameAxis::Negative);
            last = -1;
        } else {
            last = 0;
        }
    }
    if (actions.isActive(0))
        doAction();
    if (actions.isActive(1))
        doBack();
}
