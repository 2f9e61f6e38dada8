#include "framework/fx/ActionMap.hpp"
#include "framework/fx/InputAction.hpp"

#include <SFML/Window/Joystick.hpp>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

/// Held input set by the test; remembers every joystick index it is asked about.
class FakeInput : public fx::InputState {
public:
    bool isKeyDown(sf::Keyboard::Key key) const override { return keys.count(key) != 0; }
    bool isMouseButtonDown(sf::Mouse::Button button) const override { return mouse.count(button) != 0; }
    bool isJoystickButtonDown(unsigned joystick, unsigned button) const override
    {
        askedJoysticks.push_back(joystick);
        return joystickButtons.count({joystick, button}) != 0;
    }

    std::set<sf::Keyboard::Key> keys;
    std::set<sf::Mouse::Button> mouse;
    std::set<std::pair<unsigned, unsigned>> joystickButtons;
    mutable std::vector<unsigned> askedJoysticks;
};

sf::Event keyEvent(sf::Event::EventType type, sf::Keyboard::Key key, bool alt = false)
{
    sf::Event event{};
    event.type = type;
    event.key.code = key;
    event.key.alt = alt;
    return event;
}

sf::Event mouseEvent(sf::Event::EventType type, sf::Mouse::Button button)
{
    sf::Event event{};
    event.type = type;
    event.mouseButton.button = button;
    return event;
}

sf::Event joystickEvent(sf::Event::EventType type, unsigned joystick, unsigned button)
{
    sf::Event event{};
    event.type = type;
    event.joystickButton.joystickId = joystick;
    event.joystickButton.button = button;
    return event;
}

sf::Event plainEvent(sf::Event::EventType type)
{
    sf::Event event{};
    event.type = type;
    return event;
}

class InputActionTest : public ::testing::Test {
protected:
    FakeInput input;
    fx::InputEvents events{input};
};

TEST_F(InputActionTest, PressOnceFiresOnlyInTheFrameOfThePress)
{
    const fx::InputAction action(sf::Keyboard::Return, fx::InputAction::PressOnce);

    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Return));
    input.keys.insert(sf::Keyboard::Return);
    EXPECT_TRUE(action.isActive(events));

    // Next frame: the key is still down but no new press arrived.
    events.clear();
    EXPECT_FALSE(action.isActive(events));

    // Released and pressed again: fires again, once.
    events.push(keyEvent(sf::Event::KeyReleased, sf::Keyboard::Return));
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Return));
    EXPECT_TRUE(action.isActive(events));
}

TEST_F(InputActionTest, PressAndReleaseMatchOnlyTheirOwnKeyAndEventKind)
{
    const fx::InputAction press(sf::Keyboard::F7, fx::InputAction::PressOnce);
    const fx::InputAction release(sf::Keyboard::F7, fx::InputAction::ReleaseOnce);

    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::F6));
    events.push(keyEvent(sf::Event::KeyReleased, sf::Keyboard::F8));
    EXPECT_FALSE(press.isActive(events));
    EXPECT_FALSE(release.isActive(events));

    events.push(keyEvent(sf::Event::KeyReleased, sf::Keyboard::F7));
    EXPECT_FALSE(press.isActive(events));
    EXPECT_TRUE(release.isActive(events));
}

TEST_F(InputActionTest, HoldFollowsTheRealStateNotTheEvents)
{
    const fx::InputAction hold(sf::Keyboard::Up, fx::InputAction::Hold);

    // A press event alone does not make a held action active ...
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Up));
    EXPECT_FALSE(hold.isActive(events));

    // ... the state does, in every frame, with or without events.
    input.keys.insert(sf::Keyboard::Up);
    EXPECT_TRUE(hold.isActive(events));
    events.clear();
    EXPECT_TRUE(hold.isActive(events));

    input.keys.erase(sf::Keyboard::Up);
    EXPECT_FALSE(hold.isActive(events));
}

TEST_F(InputActionTest, HeldInputReadsAsReleasedWithoutFocus)
{
    const fx::InputAction hold(sf::Keyboard::Space);
    const fx::InputAction press(sf::Keyboard::Space, fx::InputAction::PressOnce);
    input.keys.insert(sf::Keyboard::Space);

    events.push(plainEvent(sf::Event::LostFocus));
    EXPECT_FALSE(events.hasFocus());
    EXPECT_FALSE(hold.isActive(events));

    // Clearing the frame's events keeps the focus state.
    events.clear();
    EXPECT_FALSE(hold.isActive(events));

    events.push(plainEvent(sf::Event::GainedFocus));
    EXPECT_TRUE(hold.isActive(events));

    events.setFocus(false);
    EXPECT_FALSE(hold.isActive(events));
    // Events that did arrive still count.
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Space));
    EXPECT_TRUE(press.isActive(events));
}

TEST_F(InputActionTest, AKeyPressedWithAltIsTheWindowsShortcutUntilReleased)
{
    const fx::InputAction press(sf::Keyboard::Return, fx::InputAction::PressOnce);
    const fx::InputAction hold(sf::Keyboard::Return);
    const fx::InputAction thrust(sf::Keyboard::Up);

    // Flying on Up, then Alt+Return for full screen.
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Up));
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Return, true));
    input.keys = {sf::Keyboard::Up, sf::Keyboard::LAlt, sf::Keyboard::Return};
    EXPECT_FALSE(press.isActive(events));
    EXPECT_FALSE(hold.isActive(events));
    EXPECT_TRUE(thrust.isActive(events));

    // Alt let go before Return: Return is still the shortcut's.
    events.clear();
    input.keys.erase(sf::Keyboard::LAlt);
    EXPECT_FALSE(hold.isActive(events));

    // Released, then pressed without Alt: it fires and holds.
    events.push(keyEvent(sf::Event::KeyReleased, sf::Keyboard::Return));
    events.clear();
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Return));
    EXPECT_TRUE(press.isActive(events));
    EXPECT_TRUE(hold.isActive(events));

    // A release this buffer never got ends the shortcut once the key is seen up.
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Return, true));
    EXPECT_FALSE(hold.isActive(events));
    input.keys.erase(sf::Keyboard::Return);
    events.clear();
    input.keys.insert(sf::Keyboard::Return);
    EXPECT_TRUE(hold.isActive(events));
}

TEST_F(InputActionTest, OrIsActiveWhenEitherSideIs)
{
    const fx::InputAction action = fx::InputAction(fx::JoystickButton(0, 0), fx::InputAction::PressOnce) ||
                                   fx::InputAction(sf::Keyboard::Return, fx::InputAction::PressOnce);

    EXPECT_FALSE(action.isActive(events));
    events.push(joystickEvent(sf::Event::JoystickButtonPressed, 0, 0));
    EXPECT_TRUE(action.isActive(events));
    events.clear();
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Return));
    EXPECT_TRUE(action.isActive(events));
}

TEST_F(InputActionTest, AndNeedsBothSides)
{
    const fx::InputAction action = fx::InputAction(sf::Keyboard::LControl) &&
                                   fx::InputAction(sf::Keyboard::S, fx::InputAction::PressOnce);

    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::S));
    EXPECT_FALSE(action.isActive(events));
    input.keys.insert(sf::Keyboard::LControl);
    EXPECT_TRUE(action.isActive(events));
    events.clear();
    EXPECT_FALSE(action.isActive(events));
}

TEST_F(InputActionTest, CombinationsNestAndCopiesShareBehaviour)
{
    const fx::InputAction a(sf::Keyboard::A);
    const fx::InputAction b(sf::Keyboard::B);
    const fx::InputAction c(sf::Keyboard::C);
    const fx::InputAction either = (a && b) || c;
    const fx::InputAction copy = either;

    input.keys = {sf::Keyboard::A};
    EXPECT_FALSE(copy.isActive(events));
    input.keys = {sf::Keyboard::A, sf::Keyboard::B};
    EXPECT_TRUE(copy.isActive(events));
    input.keys = {sf::Keyboard::C};
    EXPECT_TRUE(copy.isActive(events));
}

TEST_F(InputActionTest, UnknownKeyIsNeverActive)
{
    // SFML reports every key it cannot name as Unknown, so a binding to
    // Unknown must not fire for them.
    const fx::InputAction press(sf::Keyboard::Unknown, fx::InputAction::PressOnce);
    const fx::InputAction release(sf::Keyboard::Unknown, fx::InputAction::ReleaseOnce);
    const fx::InputAction hold(sf::Keyboard::Unknown, fx::InputAction::Hold);
    input.keys.insert(sf::Keyboard::Unknown);
    events.push(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Unknown));
    events.push(keyEvent(sf::Event::KeyReleased, sf::Keyboard::Unknown));

    EXPECT_FALSE(press.isActive(events));
    EXPECT_FALSE(release.isActive(events));
    EXPECT_FALSE(hold.isActive(events));
    EXPECT_FALSE(fx::InputAction().isActive(events));
}

TEST_F(InputActionTest, JoystickIndexEightIsNeverAskedAndNeverActive)
{
    const fx::InputAction hold(fx::JoystickButton(sf::Joystick::Count, 1), fx::InputAction::Hold);
    const fx::InputAction press(fx::JoystickButton(8, 1), fx::InputAction::PressOnce);
    const fx::InputAction badButton(fx::JoystickButton(0, sf::Joystick::ButtonCount), fx::InputAction::Hold);
    input.joystickButtons.insert({8, 1});
    input.joystickButtons.insert({0, sf::Joystick::ButtonCount});
    events.push(joystickEvent(sf::Event::JoystickButtonPressed, 8, 1));

    EXPECT_FALSE(hold.isActive(events));
    EXPECT_FALSE(press.isActive(events));
    EXPECT_FALSE(badButton.isActive(events));
    EXPECT_TRUE(input.askedJoysticks.empty());
}

TEST_F(InputActionTest, JoystickButtonsMatchTheirOwnJoystick)
{
    const fx::InputAction hold(fx::JoystickButton(2, 6));
    const fx::InputAction press(fx::JoystickButton(2, 7), fx::InputAction::PressOnce);

    input.joystickButtons.insert({1, 6});
    EXPECT_FALSE(hold.isActive(events));
    input.joystickButtons.insert({2, 6});
    EXPECT_TRUE(hold.isActive(events));
    EXPECT_EQ(input.askedJoysticks.back(), 2u);

    events.push(joystickEvent(sf::Event::JoystickButtonPressed, 3, 7));
    EXPECT_FALSE(press.isActive(events));
    events.push(joystickEvent(sf::Event::JoystickButtonPressed, 2, 7));
    EXPECT_TRUE(press.isActive(events));
}

TEST_F(InputActionTest, MouseButtonsHoldAndClick)
{
    const fx::InputAction hold(sf::Mouse::Right);
    const fx::InputAction click(sf::Mouse::Left, fx::InputAction::PressOnce);

    input.mouse.insert(sf::Mouse::Left);
    EXPECT_FALSE(hold.isActive(events));
    input.mouse.insert(sf::Mouse::Right);
    EXPECT_TRUE(hold.isActive(events));

    events.push(mouseEvent(sf::Event::MouseButtonPressed, sf::Mouse::Right));
    EXPECT_FALSE(click.isActive(events));
    events.push(mouseEvent(sf::Event::MouseButtonPressed, sf::Mouse::Left));
    EXPECT_TRUE(click.isActive(events));

    const fx::InputAction invalid(sf::Mouse::ButtonCount, fx::InputAction::Hold);
    EXPECT_FALSE(invalid.isActive(events));
}

TEST(ActionMapTest, ActionsByNameAgainstTheMapsOwnEvents)
{
    FakeInput input;
    fx::ActionMap<std::string> map(input);

    EXPECT_FALSE(map.isActive("missing"));
    EXPECT_FALSE(map.contains("missing"));

    map["menu"] = fx::InputAction(sf::Keyboard::Escape, fx::InputAction::PressOnce);
    map.pushEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Escape));
    EXPECT_TRUE(map.isActive("menu"));
    EXPECT_EQ(map.events().events().size(), 1u);

    map.clearEvents();
    EXPECT_FALSE(map.isActive("menu"));

    // An id that is only looked up with operator[] exists but never fires.
    map["placeholder"];
    EXPECT_TRUE(map.contains("placeholder"));
    map.pushEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Unknown));
    EXPECT_FALSE(map.isActive("placeholder"));
}

TEST(ActionMapTest, TwoMapsBindingOneKeyBothSeeThePress)
{
    FakeInput input;
    fx::ActionMap<char> first(input);
    fx::ActionMap<char> second(input);
    first['G'] = fx::InputAction(sf::Keyboard::F5, fx::InputAction::PressOnce);
    second['x'] = fx::InputAction(sf::Keyboard::F5, fx::InputAction::PressOnce);

    const sf::Event press = keyEvent(sf::Event::KeyPressed, sf::Keyboard::F5);
    first.pushEvent(press);
    second.pushEvent(press);
    EXPECT_TRUE(first.isActive('G'));
    EXPECT_TRUE(second.isActive('x'));
}

} // namespace
