#include "app/AudioSubSettings.hpp"
#include "app/GeneralSubSettings.hpp"
#include "app/GraphicsSubSettings.hpp"
#include "app/Resolution.hpp"
#include "app/Settings.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/app/TestDatabase.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using velk_test::TestDatabase;
using Res = std::pair<unsigned int, unsigned int>;

// The three groups on the shipped database.
class AppSubSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        const velk_test::LogCapture quiet;
        ASSERT_TRUE(db.seeded());
        settings.setDatabase(db.get());
        general = settings.addSubSettings<app::GeneralSubSettings>();
        graphics = settings.addSubSettings<GraphicsSubSettings>();
        audio = settings.addSubSettings<AudioSubSettings>();
    }

    void store(const std::string& key, const std::string& value)
    {
        ASSERT_TRUE(db.exec("UPDATE settings SET value = '" + value + "' WHERE name = '" + key + "'"));
    }

    TestDatabase db;
    app::Settings settings;
    app::GeneralSubSettings* general = nullptr;
    GraphicsSubSettings* graphics = nullptr;
    AudioSubSettings* audio = nullptr;
};

TEST_F(AppSubSettings, ShippedDefaults)
{
    EXPECT_EQ(general->getLangCode(), "en");
    EXPECT_EQ(graphics->getResolution(), Res(1024, 768));
    EXPECT_FALSE(graphics->isFullscreen());
    EXPECT_FLOAT_EQ(graphics->getFPS(), 60.0f);
    EXPECT_FLOAT_EQ(audio->getMainVolume(), 100.0f);
    EXPECT_FLOAT_EQ(audio->getMusicVolumeFactor(), 1.0f);
    EXPECT_FLOAT_EQ(audio->getSoundVolumeFactor(), 1.0f);
    EXPECT_EQ(graphics->getColorblindType(), 0u);
}

TEST_F(AppSubSettings, LanguageCodeIsStoredRaw)
{
    general->setLangCode("hu");
    EXPECT_EQ(db.stored("general.lang"), "hu");
    EXPECT_EQ(general->getLangCode(), "hu");
    store("general.lang", " hu x");
    EXPECT_EQ(general->getLangCode(), " hu x");
}

TEST_F(AppSubSettings, ResolutionReadsOnlyTheFirstWord)
{
    store("graphics.resolution", "1280x720");
    EXPECT_EQ(graphics->getResolution(), Res(1280, 720));
    store("graphics.resolution", "1024");
    EXPECT_EQ(graphics->getResolution(), Res(1024, 1024));
    store("graphics.resolution", " 800x600");
    EXPECT_EQ(graphics->getResolution(), Res(0, 0));
    store("graphics.resolution", "1024 x 768");
    EXPECT_EQ(graphics->getResolution(), Res(1024, 1024));
    store("graphics.resolution", "1024x");
    EXPECT_EQ(graphics->getResolution(), Res(1024, 0));
}

TEST_F(AppSubSettings, ResolutionWrites)
{
    graphics->setResolution(Res(800, 600));
    EXPECT_EQ(db.stored("graphics.resolution"), "800x600");
    graphics->setResolution(1920, 1080);
    EXPECT_EQ(db.stored("graphics.resolution"), "1920x1080");
    EXPECT_EQ(graphics->getResolution(), Res(1920, 1080));
}

TEST_F(AppSubSettings, GraphicsFlagsAndNumbers)
{
    graphics->setFullscreen(true);
    EXPECT_EQ(db.stored("graphics.fullscreen"), "1");
    EXPECT_TRUE(graphics->isFullscreen());
    store("graphics.fullscreen", "2");
    EXPECT_TRUE(graphics->isFullscreen());
    graphics->setResizable(true);
    graphics->setVsyncEnabled(true);
    graphics->setMouseVisible(false);
    EXPECT_TRUE(graphics->isResizable());
    EXPECT_TRUE(graphics->isVsyncEnabled());
    EXPECT_FALSE(graphics->isMouseVisible());
    EXPECT_EQ(db.stored("graphics.mousevisible"), "0");

    graphics->setColorblindType(3);
    EXPECT_EQ(db.stored("graphics.colorblind"), "3");
    graphics->setColorblindType(9); // unchecked on purpose
    EXPECT_EQ(graphics->getColorblindType(), 9u);
    graphics->setFSAA(8);
    EXPECT_EQ(graphics->getFSAA(), 8u);
    graphics->setFPS(0.0f);
    EXPECT_EQ(db.stored("graphics.fps"), "0");
    graphics->setFPS(29.97f);
    EXPECT_EQ(db.stored("graphics.fps"), "29.97");
    graphics->setFSAAHint("best of all");
    EXPECT_EQ(graphics->getFSAAHint(), "best of all");
}

TEST_F(AppSubSettings, VolumesAndFactors)
{
    audio->setMusicVolumeFactor(0.5f);
    EXPECT_EQ(db.stored("audio.musicvolume"), "50");
    EXPECT_FLOAT_EQ(audio->getMusicVolumeFactor(), 0.5f);
    EXPECT_FLOAT_EQ(audio->getMusicVolume(), 50.0f);
    audio->setMainVolumeFactor(0.37f);
    EXPECT_EQ(db.stored("audio.mainvolume"), "37");
    audio->setMainVolume(150.0f);
    EXPECT_EQ(db.stored("audio.mainvolume"), "150");
    EXPECT_FLOAT_EQ(audio->getMainVolume(), 150.0f);
    audio->setSoundVolume(-5.0f);
    EXPECT_FLOAT_EQ(audio->getSoundVolume(), -5.0f);
    EXPECT_FLOAT_EQ(audio->getSoundVolumeFactor(), -0.05f);
    // The groups keep to their own keys.
    EXPECT_EQ(db.stored("audio.musicvolume"), "50");
}

TEST_F(AppSubSettings, MissingRowsReadAsZero)
{
    velk_test::LogCapture logs;
    ASSERT_TRUE(db.exec("DELETE FROM settings"));
    EXPECT_EQ(general->getLangCode(), "");
    EXPECT_EQ(graphics->getResolution(), Res(0, 0));
    EXPECT_FALSE(graphics->isVsyncEnabled());
    EXPECT_EQ(audio->getMainVolumeFactor(), 0.0f);
    logs.clear();
    audio->setMainVolume(10.0f);
    graphics->setResolution(640, 480);
    const std::string out = logs.text();
    EXPECT_EQ(db.query("SELECT count(*) FROM settings"), "0");
    EXPECT_NE(out.find("\"audio.mainvolume\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"graphics.resolution\""), std::string::npos) << out;
}

TEST(AppSubSettingsAlone, GroupsOutsideAStoreReadZeroAndStoreNothing)
{
    GraphicsSubSettings graphics;
    AudioSubSettings audio;
    app::GeneralSubSettings general;
    graphics.setResolution(800, 600);
    audio.setMainVolume(50.0f);
    general.setLangCode("hu");
    EXPECT_EQ(graphics.getResolution(), Res(0, 0));
    EXPECT_EQ(audio.getMainVolumeFactor(), 0.0f);
    EXPECT_EQ(general.getLangCode(), "");
}

TEST(AppResolutionText, ParsesAndFormats)
{
    EXPECT_EQ(tools::str2res("1280x720"), Res(1280, 720));
    EXPECT_EQ(tools::str2res("800"), Res(800, 800));
    EXPECT_EQ(tools::str2res("1024x"), Res(1024, 0));
    EXPECT_EQ(tools::str2res("x768"), Res(0, 768));
    EXPECT_EQ(tools::str2res("1024X768"), Res(1024, 1024)); // only a lower-case x splits
    EXPECT_EQ(tools::str2res(""), Res(0, 0));
    EXPECT_EQ(tools::str2res("wide"), Res(0, 0));
    EXPECT_EQ(tools::str2res("1024 x 768"), Res(1024, 0)); // blanks are not skipped
    EXPECT_EQ(tools::res2str(Res(1024, 768)), "1024x768");
    EXPECT_EQ(tools::res2str(0, 4294967295u), "0x4294967295");
    EXPECT_EQ(tools::str2res(tools::res2str(3840, 2160)), Res(3840, 2160));
}

TEST(AppResolutionText, RecognisesResolutions)
{
    EXPECT_TRUE(tools::isResolution("1024x768"));
    EXPECT_TRUE(tools::isResolution(" 1024 x 768 "));
    EXPECT_FALSE(tools::isResolution("1024X768"));
    EXPECT_FALSE(tools::isResolution("1024x"));
    EXPECT_FALSE(tools::isResolution("x768"));
    EXPECT_FALSE(tools::isResolution("1024\tx768"));
    EXPECT_FALSE(tools::isResolution("-1024x768"));
    EXPECT_FALSE(tools::isResolution("1024x768p"));
    EXPECT_FALSE(tools::isResolution(""));
}

} // namespace
