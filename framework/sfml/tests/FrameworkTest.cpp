// SfmlFramework without a window: volumes, frame rate, styles, colour-blind
// names, start-up without a display.

#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/window/TestInitHelper.hpp"

#include <SFML/Audio/Listener.hpp>
#include <SFML/Window/Joystick.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

// Records which questions init asks, in order.
struct RecordingHelper : SfmlFrameworkInitHelper {
    std::vector<std::string> calls;
    unsigned long getWindowHandler() const override
    {
        ++handleReads;
        return 0;
    }
    std::pair<unsigned, unsigned> getResolution() override { return note("resolution", std::make_pair(400u, 300u)); }
    bool isFullscreen() override { return note("fullscreen", false); }
    std::string getWindowTitle() override { return note("title", std::string("T")); }
    bool isResizable() override { return note("resizable", true); }
    unsigned getFSAA() override { return note("fsaa", 4u); }
    std::string getFSAAHint() override { return note("fsaahint", std::string()); }
    bool isVsyncEnabled() override { return note("vsync", true); }
    std::string getWindowIconPath() override { return note("icon", std::string("i.png")); }
    bool isMouseVisible() override { return note("mouse", true); }
    float getFPS() override { return note("fps", 45.0f); }
    template <typename T>
    T note(const char* name, T value)
    {
        calls.push_back(name);
        return value;
    }
    mutable int handleReads = 0;
};

const float NaN = std::numeric_limits<float>::quiet_NaN();
const float Inf = std::numeric_limits<float>::infinity();

} // namespace

TEST(SfmlVolumes, StartAtFullVolume)
{
    SfmlFramework sfml;
    EXPECT_EQ(sfml.getMainVolume(), 100.0f);
    EXPECT_EQ(sfml.getMusicVolume(), 100.0f);
    EXPECT_EQ(sfml.getSoundVolume(), 100.0f);
    EXPECT_FLOAT_EQ(sfml.getSoundVolumeFactor(), 1.0f);
}

TEST(SfmlVolumes, ValuesAreClampedToPercent)
{
    SfmlFramework sfml;
    sfml.setMainVolume(-5.0f);
    EXPECT_EQ(sfml.getMainVolume(), 0.0f);
    sfml.setMusicVolumeFactor(1.5f);
    EXPECT_EQ(sfml.getMusicVolume(), 100.0f);
    sfml.setSoundVolume(NaN);
    EXPECT_EQ(sfml.getSoundVolume(), 100.0f);
    sfml.setSoundVolume(-Inf);
    EXPECT_EQ(sfml.getSoundVolume(), 0.0f);
    sfml.setMusicVolume(Inf);
    EXPECT_EQ(sfml.getMusicVolume(), 100.0f);
    sfml.setMusicVolume(99.5f);
    EXPECT_EQ(sfml.getMusicVolume(), 99.5f);
    sfml.setSoundVolumeFactor(0.37f);
    EXPECT_FLOAT_EQ(sfml.getSoundVolume(), 37.0f);
    EXPECT_FLOAT_EQ(sfml.getSoundVolumeFactor(), 0.37f);
}

TEST(SfmlVolumes, MainVolumeDrivesTheGlobalVolume)
{
    SfmlFramework sfml;
    sfml.setMainVolume(37.5f);
    EXPECT_EQ(sfml.getMainVolume(), 37.5f);
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 37.5f);
    sfml.setMainVolumeFactor(0.2f);
    EXPECT_FLOAT_EQ(sfml.getMainVolume(), 20.0f);
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 20.0f);
    sfml.setMainVolume(150.0f);
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 100.0f);
    // Music and sound volumes leave the global volume alone.
    sfml.setMusicVolume(10.0f);
    sfml.setSoundVolume(10.0f);
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 100.0f);
}

TEST(SfmlFrameRate, ZeroFallsBackToSixty)
{
    SfmlFramework sfml;
    sfml.setFPS(45);
    EXPECT_EQ(sfml.getFPS(), 45u);
    EXPECT_FLOAT_EQ(sfml.getFrameTime(), 1.0f / 45.0f);
    sfml.setFPS(0);
    EXPECT_EQ(sfml.getFPS(), 60u);
    EXPECT_FLOAT_EQ(sfml.getFrameTime(), 1.0f / 60.0f);
}

TEST(SfmlFrameRate, ChoicesOfTheSettingsMenu)
{
    ASSERT_EQ(SfmlFramework::sFpsList.size(), 3u);
    EXPECT_EQ(SfmlFramework::sFpsList[0], std::make_pair(std::string("30"), 30u));
    EXPECT_EQ(SfmlFramework::sFpsList[1], std::make_pair(std::string("45"), 45u));
    EXPECT_EQ(SfmlFramework::sFpsList[2], std::make_pair(std::string("60"), 60u));
}

TEST(SfmlJoystick, NoJoystickConnectedGivesEight)
{
    // Test machines have no joystick; 8 (one past the last index) means none.
    for (unsigned i = 0; i < sf::Joystick::Count; ++i)
        ASSERT_FALSE(sf::Joystick::isConnected(i)) << "joystick " << i << " is connected on this machine";
    SfmlFramework sfml;
    EXPECT_EQ(sfml.getPrimaryJoystick(), 8u);
}

TEST(SfmlWindowStyle, FlagsNeverIncludeTheTitleBar)
{
    // Before init the setters only store.
    SfmlFramework sfml;
    EXPECT_EQ(sfml.getRenderWindowFlag(), 4u);
    sfml.setWindowResizable(true);
    EXPECT_EQ(sfml.getRenderWindowFlag(), 6u);
    sfml.setFullscreen(true);
    EXPECT_EQ(sfml.getRenderWindowFlag(), 14u);
    sfml.swapWindowResizable();
    EXPECT_EQ(sfml.getRenderWindowFlag(), 12u);
    EXPECT_EQ(sfml.getWindow(), nullptr);
}

TEST(SfmlColorblind, TranslationCodesAndShaderFiles)
{
    EXPECT_EQ(SfmlFramework::getColorblindCode(SfmlFramework::ColorblindNone), "setting.graphics.colorblind.v0");
    EXPECT_EQ(SfmlFramework::getColorblindCode(SfmlFramework::Protanopia), "setting.graphics.colorblind.v1");
    EXPECT_EQ(SfmlFramework::getColorblindCode(SfmlFramework::Deuteranopia), "setting.graphics.colorblind.v2");
    EXPECT_EQ(SfmlFramework::getColorblindCode(SfmlFramework::Tritanopia), "setting.graphics.colorblind.v3");
    EXPECT_EQ(SfmlFramework::getColorblindCode(static_cast<SfmlFramework::ColorblindType>(9)),
              "setting.graphics.colorblind.v0");

    EXPECT_EQ(SfmlFramework::getColorblindShaderPath(SfmlFramework::Deuteranopia, SfmlFramework::ColorblindFix),
              "data/glsl/colorblind/deuteranopia.fix.frag");
    EXPECT_EQ(SfmlFramework::getColorblindShaderPath(SfmlFramework::Protanopia, SfmlFramework::ColorblindSym),
              "data/glsl/colorblind/protanopia.sym.frag");
    EXPECT_EQ(SfmlFramework::getColorblindShaderPath(static_cast<SfmlFramework::ColorblindType>(4),
                                                     SfmlFramework::ColorblindFix),
              "data/glsl/colorblind/.fix.frag");
    EXPECT_EQ(
        SfmlFramework::getColorblindShaderPath(SfmlFramework::Tritanopia, static_cast<SfmlFramework::ColoblindMode>(7)),
        "data/glsl/colorblind/tritanopia.frag");
}

TEST(SfmlColorblind, NoFilterWhileTheTypeIsNone)
{
    SfmlFramework sfml;
    EXPECT_EQ(sfml.getColorblindType(), SfmlFramework::ColorblindNone);
    EXPECT_EQ(sfml.getColorblindMode(), SfmlFramework::ColorblindFix);
    sfml.setColorblindMode(SfmlFramework::ColorblindSym);
    EXPECT_EQ(sfml.getColorblindMode(), SfmlFramework::ColorblindSym);
    EXPECT_EQ(sfml.getColorblindShader(), nullptr);
    sfml.updateColorblindShader();
    EXPECT_EQ(sfml.getColorblindShader(), nullptr);
    EXPECT_EQ(sfml.getColorblindCode(), "setting.graphics.colorblind.v0");
}

TEST(SfmlStaticTextures, AreNotMadeBeforeFirstUse)
{
    // Made during static initialisation they would need an OpenGL context
    // before main; this program has run without touching them.
    for (const SfmlStaticTexture* t :
         {&SfmlFramework::sBlackTexture, &SfmlFramework::sWhiteTexture, &SfmlFramework::sRedTexture,
          &SfmlFramework::sGreenTexture, &SfmlFramework::sBlueTexture, &SfmlFramework::sCyanTexture,
          &SfmlFramework::sMagentaTexture, &SfmlFramework::sYellowTexture, &SfmlFramework::sTransparentTexture})
        EXPECT_FALSE(t->isCreated());
}

TEST(SfmlFrameworkStart, InitAsksTheHelperInOrderAndOnlyOnce)
{
    // A helper may read settings from the database on each call: init asks
    // each question once, in a fixed order, and never for the antialiasing
    // hint or the window handle.
    unsetenv("DISPLAY");
    RecordingHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    EXPECT_EQ(helper.calls, (std::vector<std::string>{"resolution", "fullscreen", "fps", "fsaa", "vsync", "title",
                                                      "icon", "mouse", "resizable"}));
    EXPECT_EQ(helper.handleReads, 0);
    EXPECT_EQ(sfml.getResolution(), std::make_pair(400u, 300u));
    EXPECT_EQ(sfml.getFPS(), 45u);
    EXPECT_EQ(sfml.getAntiAliasing(), 4u);
    EXPECT_TRUE(sfml.isVsyncEnabled());
    EXPECT_EQ(sfml.getWindowTitle(), "T");
    EXPECT_EQ(sfml.getIconPath(), "i.png");
    EXPECT_TRUE(sfml.isCursorVisible());
    EXPECT_TRUE(sfml.isWindowResizable());
    EXPECT_FALSE(sfml.isKeyRepeatEnabled());

    // Initialised once: a second init asks nothing.
    helper.calls.clear();
    sfml.init(&helper);
    EXPECT_TRUE(helper.calls.empty());
}

TEST(SfmlFrameworkStart, InitWithoutAHelperDoesNothing)
{
    SfmlFramework sfml;
    sfml.init(nullptr);
    EXPECT_FALSE(sfml.isInitialised());
    EXPECT_EQ(sfml.getWindow(), nullptr);
    EXPECT_EQ(sfml.getFPS(), 0u);
}

TEST(SfmlFrameworkStart, WithoutADisplayTheProgramEndsCleanly)
{
    velk_test::LogCapture logs;
    unsetenv("DISPLAY");
    SfmlFramework sfml;
    velk_test::TestInitHelper helper;
    helper.resolution = {320, 240};
    helper.fps = 0.0f;
    logs.clear();
    sfml.init(&helper);
    sfml.setColorblindType(SfmlFramework::Protanopia);
    const std::string log = logs.text();
    EXPECT_EQ(sfml.getWindow(), nullptr);
    EXPECT_FALSE(sfml.pollEvent());
    EXPECT_NE(log.find("[SfmlFramework] No display"), std::string::npos) << log;
    // The values were still taken, with the frame-rate fallback.
    EXPECT_EQ(sfml.getResolution(), std::make_pair(320u, 240u));
    EXPECT_EQ(sfml.getFPS(), 60u);
    // No display, no OpenGL: no filter object at all (and no abort).
    EXPECT_EQ(sfml.getColorblindShader(), nullptr);
    EXPECT_NE(log.find("[SfmlFramework] Colour-blind filter not loaded"), std::string::npos) << log;
    sfml.clear(sf::Color::Black);
    sfml.display();
    sfml.shutdown();
    EXPECT_FALSE(sfml.isInitialised());
}

TEST(SfmlClosing, CloseEnabledIsWrittenSafelyFromAnotherThread)
{
    // The play screen turns closing off and on from its loading thread while
    // the main thread polls events (checked under the thread sanitizer).
    SfmlFramework sfml;
    EXPECT_TRUE(sfml.isCloseEnabled());
    std::thread loader([&sfml] {
        for (int i = 0; i < 1000; ++i)
            sfml.setCloseEnabled(i % 2 == 1);
    });
    bool lastSeen = true;
    for (int i = 0; i < 1000; ++i)
        lastSeen = sfml.isCloseEnabled();
    loader.join();
    (void)lastSeen;
    // The loader's last write (on) is what the main thread reads afterwards.
    EXPECT_TRUE(sfml.isCloseEnabled());
}
