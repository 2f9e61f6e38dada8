#include "engine/GuiStepper.hpp"

#include "framework/cegui/CeguiRender.hpp"
#include "testsupport/engine/EngineTestSupport.hpp"

#include <CEGUI/widgets/ListboxTextItem.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

using Direction = GuiStepper::Node::Direction;
using Node = GuiStepper::Node;

class GuiStepperTest : public velk_test::HeadlessEngineTest {
protected:
    void SetUp() override
    {
        velk_test::HeadlessEngineTest::SetUp();
        start();
        sfml = GameFramework::Singleton.getSfmlFramework();
        notifyCeguiDisplaySize(800, 600);
        // The cursor took its bounds from the null renderer's empty start-up
        // size; the whole display it is.
        context().getMouseCursor().setConstraintArea(nullptr);
        root = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Root");
        context().setRootWindow(root);
        // The cursor moves the stepper makes reach the GUI as mouse movement.
        input.onCursorMove = [this](const sf::Vector2i& p) { moveMouse(p.x, p.y); };
        stepper = std::make_unique<GuiStepper>();
        stepper->setInputSource(input);
    }

    void TearDown() override
    {
        stepper.reset();
        velk_test::HeadlessEngineTest::TearDown();
    }

    static CEGUI::GUIContext& context() { return CEGUI::System::getSingleton().getDefaultGUIContext(); }

    void moveMouse(int x, int y) { context().injectMousePosition(static_cast<float>(x), static_cast<float>(y)); }

    CEGUI::Window* widget(const char* type, const char* name, float x, float y, float w = 120, float h = 30)
    {
        CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(type, name);
        window->setArea(CEGUI::UVector2(CEGUI::UDim(0, x), CEGUI::UDim(0, y)),
                        CEGUI::USize(CEGUI::UDim(0, w), CEGUI::UDim(0, h)));
        root->addChild(window);
        if (type == std::string("GWEN/Button")) {
            window->subscribeEvent(CEGUI::PushButton::EventClicked,
                                   CEGUI::Event::Subscriber([this, name](const CEGUI::EventArgs&) {
                                       clicks.push_back(name);
                                       doneWhenClicked.push_back(stepper->isDoneAction() || stepper->isDoneBack());
                                       return true;
                                   }));
        }
        return window;
    }

    /// Four buttons chained downwards and wrapped, the menu pattern of the screens.
    std::vector<CEGUI::Window*> menu()
    {
        std::vector<CEGUI::Window*> buttons = {
            widget("GWEN/Button", "B0", 100, 100), widget("GWEN/Button", "B1", 100, 150),
            widget("GWEN/Button", "B2", 100, 200), widget("GWEN/Button", "B3", 100, 250)};
        stepper->clear();
        Node* node = stepper->getRoot()->connectTo(buttons[0], Node::All);
        for (std::size_t i = 1; i < buttons.size(); ++i)
            node = node->connectTo(buttons[i], Node::Down);
        node->connectTo(buttons[0], Node::Down);
        stepper->activate();
        stepper->stepToDefault();
        return buttons;
    }

    /// One frame: the keys held now, the events of the poll, the update.
    void frame(const std::set<sf::Keyboard::Key>& held, const std::vector<sf::Event>& events = {})
    {
        input.keys = held;
        sfml->callListenersPreHandle();
        for (const sf::Event& e : events)
            sfml->callListenersHandle(e);
        stepper->update(sfml->getFrameTime());
    }

    /// Pressed in one frame, released in the next.
    void press(sf::Keyboard::Key key)
    {
        frame({key}, {velk_test::keyEvent(key)});
        frame({}, {velk_test::keyEvent(key, false)});
    }

    CEGUI::Window* activeWindow() const { return stepper->getActiveNode()->getWindow(); }

    static sf::Vector2i centre(const CEGUI::Window* w)
    {
        const CEGUI::Rectf r = w->getUnclippedOuterRect().get();
        return {static_cast<int>(r.left() + r.getWidth() / 2), static_cast<int>(r.top() + r.getHeight() / 2)};
    }

    velk_test::FakeInput input;
    SfmlFramework* sfml = nullptr;
    CEGUI::Window* root = nullptr;
    std::unique_ptr<GuiStepper> stepper;
    std::vector<std::string> clicks;
    std::vector<bool> doneWhenClicked;
};

TEST_F(GuiStepperTest, EmptyGraphDoesNothing)
{
    stepper->activate();
    stepper->stepToDefault();
    press(sf::Keyboard::Down);
    press(sf::Keyboard::Return);
    press(sf::Keyboard::Escape);
    EXPECT_EQ(stepper->getActiveNode(), stepper->getRoot());
    EXPECT_FALSE(stepper->isDoneAny());
    EXPECT_TRUE(input.cursorMoves.empty());
    EXPECT_EQ(stepper->getRoot()->connectTo(nullptr, Node::All), nullptr);
    EXPECT_EQ(stepper->getRoot()->connectTo(root, Node::None), nullptr);
    EXPECT_EQ(stepper->getNodeCount(), 0u);
}

TEST_F(GuiStepperTest, WrappedMenuVisitsEachButtonOnce)
{
    const std::vector<CEGUI::Window*> b = menu();
    ASSERT_EQ(activeWindow(), b[0]);
    EXPECT_EQ(input.cursorMoves.back(), centre(b[0]));
    // The wrap-around replaced the first button's link back to the root.
    EXPECT_EQ(stepper->searchNode(b[0])->getLink(Node::Up), stepper->searchNode(b[3]));
    EXPECT_EQ(stepper->searchNode(b[0])->getLink(Node::Left), stepper->getRoot());
    EXPECT_EQ(stepper->searchNode(root), nullptr);

    std::vector<CEGUI::Window*> visited;
    for (int i = 0; i < 4; ++i) {
        press(sf::Keyboard::Down);
        visited.push_back(activeWindow());
        EXPECT_EQ(input.cursorMoves.back(), centre(activeWindow()));
    }
    EXPECT_EQ(visited, (std::vector<CEGUI::Window*>{b[1], b[2], b[3], b[0]}));
    press(sf::Keyboard::Up);
    EXPECT_EQ(activeWindow(), b[3]);
}

TEST_F(GuiStepperTest, OnePushIsOneStep)
{
    const std::vector<CEGUI::Window*> b = menu();
    for (int i = 0; i < 20; ++i)
        frame({sf::Keyboard::Down});
    EXPECT_EQ(activeWindow(), b[1]);
    frame({});
    frame({sf::Keyboard::Down});
    EXPECT_EQ(activeWindow(), b[2]);

    // The hat straight from up to down steps up, then down at once.
    stepper->horizonalAxis()->setJoystick(0, sf::Joystick::PovX);
    input.joystickAxes[{0, sf::Joystick::PovX}] = 100.0f;
    frame({});
    EXPECT_EQ(activeWindow(), b[1]);
    input.joystickAxes[{0, sf::Joystick::PovX}] = -100.0f;
    frame({});
    EXPECT_EQ(activeWindow(), b[2]);
}

TEST_F(GuiStepperTest, StepWithoutANeighbourPutsTheCursorBack)
{
    CEGUI::Window* only = widget("GWEN/Button", "Only", 300, 300);
    stepper->getRoot()->connectTo(only, Node::Down);
    stepper->activate();
    stepper->stepToDefault();
    moveMouse(5, 5);
    input.cursorMoves.clear();
    press(sf::Keyboard::Down); // a null link
    press(sf::Keyboard::Up);   // the root
    EXPECT_EQ(activeWindow(), only);
    EXPECT_EQ(input.cursorMoves, (std::vector<sf::Vector2i>{centre(only), centre(only)}));

    // A radio button is aimed at its round button on the left.
    CEGUI::Window* radio = widget("GWEN/RadioButton", "Radio", 300, 400, 200, 20);
    stepper->searchNode(only)->connectTo(radio, Node::Down);
    press(sf::Keyboard::Down);
    EXPECT_EQ(input.cursorMoves.back(), sf::Vector2i(310, 410));
}

TEST_F(GuiStepperTest, ReturnPressesTheButtonUnderTheCursorOnly)
{
    const std::vector<CEGUI::Window*> b = menu();
    press(sf::Keyboard::Return);
    EXPECT_EQ(clicks, std::vector<std::string>{"B0"});
    EXPECT_EQ(doneWhenClicked, std::vector<bool>{true}) << "the flag is set before the handlers run";

    frame({sf::Keyboard::Return}, {velk_test::keyEvent(sf::Keyboard::Return)});
    EXPECT_TRUE(stepper->isDoneAction());
    EXPECT_TRUE(stepper->isDoneAny());
    frame({});
    EXPECT_FALSE(stepper->isDoneAction()) << "the flags last one update";

    // The mouse moved away from the focused button: no press.
    moveMouse(600, 500);
    press(sf::Keyboard::Return);
    EXPECT_EQ(clicks.size(), 2u);

    // A disabled button is not pressed, though the press counts as made.
    stepper->moveCursorToActive();
    b[0]->setEnabled(false);
    frame({sf::Keyboard::Return}, {velk_test::keyEvent(sf::Keyboard::Return)});
    EXPECT_TRUE(stepper->isDoneAction());
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(GuiStepperTest, DoSelectsTheNextListItemAndTogglesButtons)
{
    auto* list = static_cast<CEGUI::Listbox*>(widget("GWEN/Listbox", "List", 100, 100, 200, 120));
    for (const char* text : {"one", "two", "three"})
        list->addItem(new CEGUI::ListboxTextItem(text));
    list->setItemSelectState(std::size_t(2), true);
    auto* toggle = static_cast<CEGUI::ToggleButton*>(widget("GWEN/Checkbox", "Check", 100, 300, 200, 20));
    Node* listNode = stepper->getRoot()->connectTo(list, Node::All);
    listNode->connectTo(toggle, Node::Down);
    stepper->activate();
    stepper->stepToDefault();

    press(sf::Keyboard::Return);
    EXPECT_EQ(list->getItemIndex(list->getFirstSelectedItem()), 0u);
    press(sf::Keyboard::Return);
    EXPECT_EQ(list->getItemIndex(list->getFirstSelectedItem()), 1u);

    press(sf::Keyboard::Down);
    ASSERT_EQ(activeWindow(), toggle);
    EXPECT_FALSE(toggle->isSelected());
    press(sf::Keyboard::Return);
    EXPECT_TRUE(toggle->isSelected());
    press(sf::Keyboard::Return);
    EXPECT_FALSE(toggle->isSelected());
}

TEST_F(GuiStepperTest, EscapeFiresTheFirstBackNode)
{
    const std::vector<CEGUI::Window*> b = menu();
    stepper->searchNode(b[2])->setIsBack(true);
    stepper->searchNode(b[1])->setIsBack(true);
    EXPECT_TRUE(stepper->searchNode(b[1])->isBack());
    moveMouse(600, 500); // the back press does not need the cursor
    frame({sf::Keyboard::Escape}, {velk_test::keyEvent(sf::Keyboard::Escape)});
    EXPECT_TRUE(stepper->isDoneBack());
    EXPECT_FALSE(stepper->isDoneAction());
    EXPECT_EQ(clicks, std::vector<std::string>{"B1"}) << "the first marked in creation order";
    EXPECT_EQ(doneWhenClicked, std::vector<bool>{true});
}

TEST_F(GuiStepperTest, InactiveStepperOnlyFollowsTheKeys)
{
    const std::vector<CEGUI::Window*> b = menu();
    stepper->deactivate();
    press(sf::Keyboard::Down);
    press(sf::Keyboard::Return);
    EXPECT_EQ(activeWindow(), b[0]);
    EXPECT_TRUE(clicks.empty());
    moveMouse(centre(b[2]).x, centre(b[2]).y);
    EXPECT_EQ(activeWindow(), b[0]) << "the mouse does not move the focus either";
    frame({sf::Keyboard::Down});
    EXPECT_NEAR(stepper->horizonalAxis()->getValue(), -1.0f, 1e-6f);
    frame({});

    // Active again, the widget the mouse enters becomes the focused node.
    stepper->activate();
    moveMouse(centre(b[3]).x, centre(b[3]).y);
    EXPECT_EQ(activeWindow(), b[3]);

    // No focus: no steps, no presses.
    input.focused = false;
    press(sf::Keyboard::Up);
    press(sf::Keyboard::Return);
    EXPECT_EQ(activeWindow(), b[3]);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(GuiStepperTest, ClearAndDestructionCutTheMouseSubscriptions)
{
    const std::vector<CEGUI::Window*> b = menu();
    stepper->clear();
    EXPECT_EQ(stepper->getNodeCount(), 0u);
    EXPECT_EQ(stepper->getActiveNode(), stepper->getRoot());
    EXPECT_EQ(stepper->getRoot()->getLink(Node::Down), nullptr);
    moveMouse(centre(b[2]).x, centre(b[2]).y);
    EXPECT_EQ(stepper->getActiveNode(), stepper->getRoot());

    // Connected again after a clear: one subscription, the same node.
    Node* node = stepper->getRoot()->connectTo(b[1], Node::All);
    EXPECT_EQ(stepper->getRoot()->connectTo(b[1], Node::Down), node);
    moveMouse(centre(b[1]).x, centre(b[1]).y);
    EXPECT_EQ(activeWindow(), b[1]);

    // A stepper that is gone is never called by the widgets (ASan watches).
    stepper.reset();
    moveMouse(centre(b[0]).x, centre(b[0]).y);
    moveMouse(centre(b[1]).x, centre(b[1]).y);

    // Windows destroyed before their stepper: the stepper's end is safe too.
    for (CEGUI::Window* w : b)
        CEGUI::WindowManager::getSingleton().destroyWindow(w);
    stepper = std::make_unique<GuiStepper>();
    stepper->setInputSource(input);
    menu();
    CEGUI::WindowManager::getSingleton().destroyAllWindows();
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    stepper.reset();
}

} // namespace
