// Focus follows the X server's input focus: moved to another program's window
// and back with xdotool (which works without a window manager).

// gtest before the X11 headers: Xlib defines macros such as None.
#include <gtest/gtest.h>

#include "WindowTestSupport.hpp"

#include <SFML/Audio/Listener.hpp>

using namespace windowtest;

TEST(SfmlFocus, LosingFocusMutesAndStopsEventsGainingItRestores)
{
    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    RecordingListener listener;
    sfml.addListener(&listener);
    sfml.setMainVolume(37.0f);
    XProbe probe;
    const Window ours = windowId(sfml);
    focusWindow(ours);
    pumpFrames(sfml, 5);
    ASSERT_TRUE(sfml.isWindowFocused());

    const Window other = probe.createOtherWindow();
    focusWindow(other);
    ASSERT_TRUE(pumpUntil(sfml, [&] { return !sfml.isWindowFocused(); }));
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 0.0f);
    EXPECT_FLOAT_EQ(sfml.getMainVolume(), 37.0f);
    EXPECT_FALSE(listener.saw(sf::Event::LostFocus));
    EXPECT_EQ(sfml.getMouseDeltaPosition(), sf::Vector2i(0, 0));

    // In the background nothing reaches the listeners, not even a close
    // request (closing is disabled so that the window stays).
    sfml.setCloseEnabled(false);
    const int beforeCalls = listener.beforeCalls;
    listener.events.clear();
    probe.requestClose(ours);
    pumpFrames(sfml, 20);
    EXPECT_TRUE(listener.events.empty());
    EXPECT_EQ(listener.beforeCalls, beforeCalls);
    EXPECT_TRUE(sfml.getActionMap().events().events().empty());
    EXPECT_FALSE(sfml.getActionMap().events().hasFocus());

    focusWindow(ours);
    ASSERT_TRUE(pumpUntil(sfml, [&] { return sfml.isWindowFocused(); }));
    EXPECT_TRUE(listener.saw(sf::Event::GainedFocus));
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 37.0f);
    EXPECT_TRUE(sfml.getActionMap().events().hasFocus());
    pumpFrames(sfml, 2);
    EXPECT_GT(listener.beforeCalls, beforeCalls);

    // Keys reach the listeners and the action map's buffer again.
    listener.events.clear();
    xdotool("key a");
    bool inBuffer = false;
    EXPECT_TRUE(pumpUntil(sfml, [&] {
        for (const sf::Event& e : sfml.getActionMap().events().events())
            inBuffer = inBuffer || (e.type == sf::Event::KeyPressed && e.key.code == sf::Keyboard::A);
        return listener.saw(sf::Event::KeyPressed);
    }));
    EXPECT_TRUE(inBuffer);
    sfml.removeListener(&listener);
}
