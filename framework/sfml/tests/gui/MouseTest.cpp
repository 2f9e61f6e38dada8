// Mouse position and per-frame movement, with real pointer motion from xdotool.

// gtest before the X11 headers: Xlib defines macros such as None.
#include <gtest/gtest.h>

#include "WindowTestSupport.hpp"

#include <SFML/Window/Mouse.hpp>

using namespace windowtest;

namespace {

class SfmlMouse : public testing::Test {
protected:
    void SetUp() override
    {
        sfml.init(&helper);
        ASSERT_NE(sfml.getWindow(), nullptr);
        focusWindow(windowId(sfml));
        ASSERT_TRUE(pumpUntil(sfml, [&] { return sfml.isWindowFocused(); }));
    }

    TestInitHelper helper;
    SfmlFramework sfml;
};

} // namespace

TEST_F(SfmlMouse, SetMovesWithoutMovementMoveCountsTheJump)
{
    sfml.setMousePosition({100, 100});
    EXPECT_EQ(sfml.getMousePosition(), sf::Vector2i(100, 100));
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(0, 0));

    sfml.moveMouseTo({130, 90});
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(30, -10));
    sfml.moveMouseTo({130, 90});
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(0, 0));

    // Window-relative: the window's origin is wherever X placed it.
    sfml.setMouseRelativePosition({10, 20});
    EXPECT_EQ(sfml.getMouseRelativePosition(), sf::Vector2i(10, 20));
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(0, 0));
    const sf::Vector2i origin = sfml.getMousePosition() - sf::Vector2i(10, 20);
    sfml.moveMouseRelativeTo({15, 27});
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(5, 7));
    EXPECT_EQ(sfml.getMousePosition(), origin + sf::Vector2i(15, 27));
}

TEST_F(SfmlMouse, EachPollMeasuresTheMovementSinceTheLastFrame)
{
    sfml.setMousePosition({200, 200});
    xdotool("mousemove 207 197");
    sfml.pollEvent();
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(7, -3));
    sfml.pollEvent();
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(0, 0));
}

TEST(SfmlMouseStart, FirstFrameAfterInitHasNoMovement)
{
    // The movement starts from where the pointer is, not from the desktop
    // origin, so the first frame does not report a jump.
    // Keep a connection open: Xvfb resets (and re-centres the pointer) when
    // its last client leaves.
    XProbe keepServer;
    xdotool("mousemove 10 10");
    ASSERT_EQ(sf::Mouse::getPosition(), sf::Vector2i(10, 10));
    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    sfml.pollEvent();
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(0, 0));
}

TEST_F(SfmlMouse, MovementInTheBackgroundIsNotCountedAfterRefocus)
{
    sfml.setMousePosition({300, 300});
    XProbe probe;
    const Window other = probe.createOtherWindow();
    focusWindow(other);
    ASSERT_TRUE(pumpUntil(sfml, [&] { return !sfml.isWindowFocused(); }));
    xdotool("mousemove 500 420");
    focusWindow(windowId(sfml));
    ASSERT_TRUE(pumpUntil(sfml, [&] { return sfml.isWindowFocused(); }));
    sfml.pollEvent();
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(0, 0));
}
