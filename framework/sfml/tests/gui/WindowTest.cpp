// The window as other X clients see it: title, size, icon, re-creation,
// fallbacks for unusable settings, closing.

// gtest before the X11 headers: Xlib defines macros such as None.
#include <gtest/gtest.h>

#include "WindowTestSupport.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/window/XvfbScreen.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/OpenGL.hpp>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>
#include <thread>

using namespace windowtest;

namespace {

std::string findWindowByName(const std::string& pattern)
{
    std::string out = runCommand("xdotool search --name '" + pattern + "'").output;
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

} // namespace

TEST(SfmlWindow, OpensWithTheHelpersTitleAndSize)
{
    TestInitHelper helper;
    helper.resolution = {640, 480};
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    EXPECT_TRUE(sfml.isInitialised());
    pumpFrames(sfml, 3);

    // Found by name from outside, as xdotool users would.
    const std::string found = findWindowByName("^Velkors$");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(std::stoul(found), windowId(sfml));

    XProbe probe;
    EXPECT_EQ(probe.name(windowId(sfml)), "Velkors");
    EXPECT_EQ(probe.size(windowId(sfml)), std::make_pair(640, 480));
    EXPECT_EQ(sfml.getResolution(), std::make_pair(640u, 480u));
    EXPECT_EQ(sfml.getWindow()->getSize(), sf::Vector2u(640, 480));
}

TEST(SfmlWindow, WindowedModeAsksTheWindowManagerForATitleBar)
{
    // The style flags leave the title bar out; a player's window manager must
    // still frame the window. A window manager announces the Motif hints
    // atom, and SFML writes its decoration hints only where that atom exists.
    XProbe probe;
    XInternAtom(probe.get(), "_MOTIF_WM_HINTS", False);
    XSync(probe.get(), False);

    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    pumpFrames(sfml, 2);

    // flags, functions, decorations, input mode, status
    const std::vector<unsigned long> hints = probe.cardinals(windowId(sfml), "_MOTIF_WM_HINTS");
    ASSERT_GE(hints.size(), 3u);
    const unsigned long decorTitle = 1ul << 3;
    EXPECT_NE(hints[2] & decorTitle, 0u);
}

TEST(SfmlWindow, FramebufferHasDestinationAlpha)
{
    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    sfml.clear(sf::Color::Black);
    GLint alphaBits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    EXPECT_GE(alphaBits, 8);
    sfml.display();
}

TEST(SfmlWindow, UnusableResolutionFallsBackToDefaultSize)
{
    // 65536 would reach X11 as 0 (sizes travel as 16 bits) and the server
    // would refuse the window, which ends the program.
    for (std::pair<unsigned, unsigned> bad :
         {std::make_pair(0u, 0u), std::make_pair(0u, 600u), std::make_pair(1024u, 0u), std::make_pair(65536u, 480u),
          std::make_pair(640u, 65536u)}) {
        TestInitHelper helper;
        helper.resolution = bad;
        SfmlFramework sfml;
        sfml.init(&helper);
        ASSERT_NE(sfml.getWindow(), nullptr);
        pumpFrames(sfml, 2);
        XProbe probe;
        EXPECT_EQ(probe.size(windowId(sfml)),
                  std::make_pair(int(SfmlFramework::DefaultWidth), int(SfmlFramework::DefaultHeight)));
        EXPECT_EQ(sfml.getResolution(), std::make_pair(SfmlFramework::DefaultWidth, SfmlFramework::DefaultHeight));
    }

    // The same through the setter on an open window.
    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    sfml.setResolution(0, 0);
    pumpFrames(sfml, 2);
    XProbe probe;
    EXPECT_EQ(probe.size(windowId(sfml)),
              std::make_pair(int(SfmlFramework::DefaultWidth), int(SfmlFramework::DefaultHeight)));
    EXPECT_TRUE(sfml.getWindow()->isOpen());
}

TEST(SfmlWindow, FrameRateIsTruncatedAndUnusableRatesFallBackTo60)
{
    struct Case {
        float wanted;
        unsigned fps;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (Case c : {Case{59.9f, 59}, Case{30.0f, 30}, Case{0.0f, 60}, Case{0.5f, 60}, Case{-5.0f, 60}, Case{nan, 60},
                   Case{1e20f, 60}}) {
        TestInitHelper helper;
        helper.fps = c.wanted;
        SfmlFramework sfml;
        sfml.init(&helper);
        EXPECT_EQ(sfml.getFPS(), c.fps) << c.wanted;
        EXPECT_FLOAT_EQ(sfml.getFrameTime(), 1.0f / float(c.fps)) << c.wanted;
    }
}

TEST(SfmlWindow, IconIsSetFromAnImageAndLeftOutWhenItCannotLoad)
{
    const velk_test::TempFolder temp;
    const std::filesystem::path& folder = temp.getPath();
    sf::Image icon;
    icon.create(16, 8, sf::Color(10, 20, 30));
    const std::string iconFile = (folder / "icon.png").string();
    ASSERT_TRUE(icon.saveToFile(iconFile));

    {
        TestInitHelper helper;
        helper.icon = iconFile;
        SfmlFramework sfml;
        sfml.init(&helper);
        pumpFrames(sfml, 2);
        XProbe probe;
        const std::vector<unsigned long> netIcon = probe.cardinals(windowId(sfml), "_NET_WM_ICON");
        ASSERT_GE(netIcon.size(), 2u);
        EXPECT_EQ(netIcon[0], 16u);
        EXPECT_EQ(netIcon[1], 8u);
    }
    for (const std::string& broken : {(folder / "missing.png").string(), (folder).string()}) {
        TestInitHelper helper;
        helper.icon = broken;
        SfmlFramework sfml;
        sfml.init(&helper);
        ASSERT_NE(sfml.getWindow(), nullptr);
        pumpFrames(sfml, 2);
        XProbe probe;
        EXPECT_TRUE(probe.cardinals(windowId(sfml), "_NET_WM_ICON").empty()) << broken;
        EXPECT_TRUE(sfml.getWindow()->isOpen());
    }
}

TEST(SfmlWindow, SettingChangesRecreateTheSameWindowObject)
{
    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    RecordingListener listener;
    sfml.addListener(&listener);
    sf::RenderWindow* const before = sfml.getWindow();
    pumpFrames(sfml, 2);

    sfml.setResolution(500, 400);
    EXPECT_EQ(sfml.getWindow(), before);
    ASSERT_TRUE(listener.saw(sf::Event::Resized));
    EXPECT_EQ(listener.events.back().type, sf::Event::Resized);
    EXPECT_EQ(listener.events.back().size.width, 500u);
    EXPECT_EQ(listener.events.back().size.height, 400u);
    pumpFrames(sfml, 2);
    XProbe probe;
    EXPECT_EQ(probe.size(windowId(sfml)), std::make_pair(500, 400));
    EXPECT_EQ(probe.name(windowId(sfml)), "Velkors");

    // The same size still re-creates and still reports the size.
    listener.events.clear();
    sfml.setResolution(std::make_pair(500u, 400u));
    EXPECT_TRUE(listener.saw(sf::Event::Resized));

    listener.events.clear();
    sfml.setWindowResizable(true);
    EXPECT_TRUE(sfml.isWindowResizable());
    EXPECT_TRUE(listener.saw(sf::Event::Resized));
    listener.events.clear();
    sfml.setWindowResizable(true); // unchanged: nothing re-created
    EXPECT_FALSE(listener.saw(sf::Event::Resized));

    sfml.setAntiAliasing(2);
    sfml.setWindowTitle("Velkors 2");
    pumpFrames(sfml, 2);
    EXPECT_EQ(probe.name(windowId(sfml)), "Velkors 2");

    // Full screen and back (Alt+Return's path); the window keeps working.
    sfml.swapFullscreen();
    EXPECT_TRUE(sfml.isFullscreen());
    EXPECT_TRUE(sfml.getWindow()->isOpen());
    pumpFrames(sfml, 2);
    sfml.swapFullscreen();
    EXPECT_FALSE(sfml.isFullscreen());
    pumpFrames(sfml, 2);
    EXPECT_EQ(sfml.getWindow(), before);
    EXPECT_EQ(probe.size(windowId(sfml)), std::make_pair(500, 400));

    // The re-created window still draws: the frame shows the clear colour.
    sfml.clear(sf::Color(40, 80, 120));
    sf::Texture frame;
    ASSERT_TRUE(frame.create(500, 400));
    frame.update(*sfml.getWindow());
    sfml.display();
    EXPECT_EQ(frame.copyToImage().getPixel(250, 200), sf::Color(40, 80, 120));
    sfml.removeListener(&listener);
}

TEST(SfmlWindow, AWindowedWindowIsCentredOnAWideDesktopAlsoAfterFullScreen)
{
    velk_test::XvfbScreen desktop("1920x1080");
    ASSERT_TRUE(desktop.started());
    const struct {
        std::pair<unsigned, unsigned> size;
        std::pair<int, int> position;
    } cases[] = {
        {{1024, 768}, {448, 156}},
        {{1280, 1024}, {320, 28}},
        {{1920, 1080}, {0, 0}},
        // Larger than the desktop: from its top-left corner.
        {{1600, 1200}, {160, 0}},
    };
    for (const auto& c : cases) {
        TestInitHelper helper;
        helper.resolution = c.size;
        SfmlFramework sfml;
        sfml.init(&helper);
        ASSERT_NE(sfml.getWindow(), nullptr);
        pumpFrames(sfml, 2);
        XProbe probe;
        EXPECT_EQ(probe.position(windowId(sfml)), c.position) << c.size.first << "x" << c.size.second;
        // Alt+Return twice: full screen and back to the window.
        sfml.swapFullscreen();
        pumpFrames(sfml, 2);
        sfml.swapFullscreen();
        pumpFrames(sfml, 2);
        EXPECT_EQ(probe.position(windowId(sfml)), c.position) << c.size.first << "x" << c.size.second << " again";
    }
}

TEST(SfmlWindow, ClosingWhileDisabledIsAnOrdinaryEvent)
{
    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    RecordingListener listener;
    sfml.addListener(&listener);
    pumpFrames(sfml, 2);
    XProbe probe;

    sfml.setCloseEnabled(false);
    probe.requestClose(windowId(sfml));
    bool stillOpen = true;
    EXPECT_TRUE(pumpUntil(sfml, [&] {
        stillOpen = stillOpen && sfml.getWindow()->isOpen();
        return listener.saw(sf::Event::Closed);
    }));
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(sfml.pollEvent());

    sfml.setCloseEnabled(true);
    listener.events.clear();
    probe.requestClose(windowId(sfml));
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i) {
        ended = !sfml.pollEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(ended);
    EXPECT_FALSE(sfml.getWindow()->isOpen());
    EXPECT_FALSE(listener.saw(sf::Event::Closed));
    EXPECT_FALSE(sfml.pollEvent());
    sfml.removeListener(&listener);
}

TEST(SfmlWindow, ShutdownClosesTheWindowAndInitMayRunAgain)
{
    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    sfml.shutdown();
    EXPECT_EQ(sfml.getWindow(), nullptr);
    EXPECT_FALSE(sfml.isInitialised());
    EXPECT_FALSE(sfml.pollEvent());
    helper.title = "Velkors again";
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    pumpFrames(sfml, 2);
    XProbe probe;
    EXPECT_EQ(probe.name(windowId(sfml)), "Velkors again");
}
