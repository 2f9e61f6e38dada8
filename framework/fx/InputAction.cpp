#include "framework/fx/InputAction.hpp"

#include <SFML/Window/Joystick.hpp>

#include <algorithm>

namespace fx {

struct InputAction::Node {
    enum Source { Never, Key, Mouse, Joystick, Or, And };

    Source source = Never;
    Kind kind = Hold;
    int code = 0;          // key or button
    unsigned joystick = 0; // joystick index for Joystick
    std::shared_ptr<const Node> lhs;
    std::shared_ptr<const Node> rhs;

    bool isActive(const InputEvents& events) const;
    bool isHeld(const InputEvents& events) const;
    bool matches(const sf::Event& event, sf::Event::EventType pressed, sf::Event::EventType released) const;
};

namespace {

bool validKey(int key)
{
    return key > sf::Keyboard::Unknown && key < sf::Keyboard::KeyCount;
}
bool validMouseButton(int button)
{
    return button >= 0 && button < sf::Mouse::ButtonCount;
}
bool validJoystickButton(unsigned joystick, unsigned button)
{
    return joystick < sf::Joystick::Count && button < sf::Joystick::ButtonCount;
}

std::shared_ptr<const InputAction::Node> makeLeaf(InputAction::Node::Source source, InputAction::Kind kind, int code,
                                                  unsigned joystick, bool valid)
{
    auto node = std::make_shared<InputAction::Node>();
    if (valid) {
        node->source = source;
        node->kind = kind;
        node->code = code;
        node->joystick = joystick;
    }
    return node;
}

} // namespace

InputAction::InputAction() : node_(std::make_shared<Node>()) {}

InputAction::InputAction(sf::Keyboard::Key key, Kind kind) : node_(makeLeaf(Node::Key, kind, key, 0, validKey(key))) {}

InputAction::InputAction(sf::Mouse::Button button, Kind kind)
    : node_(makeLeaf(Node::Mouse, kind, button, 0, validMouseButton(button)))
{}

InputAction::InputAction(JoystickButton button, Kind kind)
    : node_(validJoystickButton(button.joystick, button.button)
                ? makeLeaf(Node::Joystick, kind, static_cast<int>(button.button), button.joystick, true)
                : std::make_shared<Node>())
{}

bool InputAction::isActive(const InputEvents& events) const
{
    return node_->isActive(events);
}

InputAction operator||(const InputAction& lhs, const InputAction& rhs)
{
    auto node = std::make_shared<InputAction::Node>();
    node->source = InputAction::Node::Or;
    node->lhs = lhs.node_;
    node->rhs = rhs.node_;
    return InputAction(std::move(node));
}

InputAction operator&&(const InputAction& lhs, const InputAction& rhs)
{
    auto node = std::make_shared<InputAction::Node>();
    node->source = InputAction::Node::And;
    node->lhs = lhs.node_;
    node->rhs = rhs.node_;
    return InputAction(std::move(node));
}

bool InputAction::Node::isActive(const InputEvents& events) const
{
    switch (source) {
    case Never: return false;
    case Or: return lhs->isActive(events) || rhs->isActive(events);
    case And: return lhs->isActive(events) && rhs->isActive(events);
    default: break;
    }
    if (kind == Hold)
        return isHeld(events);
    const auto& list = events.events();
    switch (source) {
    case Key:
        return std::any_of(list.begin(), list.end(), [this](const sf::Event& e) {
            return matches(e, sf::Event::KeyPressed, sf::Event::KeyReleased);
        });
    case Mouse:
        return std::any_of(list.begin(), list.end(), [this](const sf::Event& e) {
            return matches(e, sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased);
        });
    case Joystick:
        return std::any_of(list.begin(), list.end(), [this](const sf::Event& e) {
            return matches(e, sf::Event::JoystickButtonPressed, sf::Event::JoystickButtonReleased);
        });
    default: return false;
    }
}

bool InputAction::Node::matches(const sf::Event& event, sf::Event::EventType pressed,
                                sf::Event::EventType released) const
{
    if (event.type != (kind == PressOnce ? pressed : released))
        return false;
    switch (source) {
    // Alt+key is the window's own shortcut (Alt+Return, Alt+F4), not the key.
    case Key: return event.key.code == code && !event.key.alt;
    case Mouse: return event.mouseButton.button == code;
    case Joystick:
        return event.joystickButton.joystickId == joystick &&
               event.joystickButton.button == static_cast<unsigned>(code);
    default: return false;
    }
}

bool InputAction::Node::isHeld(const InputEvents& events) const
{
    if (!events.hasFocus())
        return false;
    const InputState& state = events.state();
    switch (source) {
    case Key: {
        const auto key = static_cast<sf::Keyboard::Key>(code);
        return state.isKeyDown(key) && !events.isShortcutKey(key);
    }
    case Mouse: return state.isMouseButtonDown(static_cast<sf::Mouse::Button>(code));
    case Joystick: return state.isJoystickButtonDown(joystick, static_cast<unsigned>(code));
    default: return false;
    }
}

} // namespace fx
