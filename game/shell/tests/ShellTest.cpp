// The game shell without a window: marker colours, folder constants, the
// start-up helper's values and folders, the first screen by command line and
// a start that cannot make its folders.

#include "game/shell/Global.hpp"
#include "game/shell/VelkInitHelper.hpp"
#include "game/shell/VelkState.hpp"
#include "game/shell/program/VelkProgram.hpp"

#include "engine/GameFramework.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

/// Works in a fresh empty folder while it lives.
class InFreshFolder : public velk_test::TempFolderTest {
protected:
    void SetUp() override { fs::current_path(folder); }
    void TearDown() override { fs::current_path(previous); }
    fs::path previous = fs::current_path();
};

TEST(GlobalTest, MarkerColoursAndBlackForEverythingElse)
{
    const std::pair<unsigned char, sf::Color> cases[] = {
        {0, sf::Color(0, 0, 0, 255)},         {1, sf::Color(0, 0, 0, 255)},
        {33, sf::Color(0, 0, 0, 255)},        {34, sf::Color(255, 255, 255, 255)},
        {35, sf::Color(255, 255, 255, 255)},  {36, sf::Color(216, 237, 255, 255)},
        {37, sf::Color(61, 255, 248, 255)},   {38, sf::Color(253, 255, 125, 255)},
        {39, sf::Color(255, 114, 0, 255)},    {40, sf::Color(241, 87, 255, 255)},
        {41, sf::Color(255, 255, 255, 255)},  {42, sf::Color(0, 0, 0, 255)},
        {255, sf::Color(0, 0, 0, 255)},
    };
    for (const auto& [tile, colour] : cases)
        EXPECT_EQ(velk::colorForMapTile(tile), colour) << int(tile);
}

TEST(GlobalTest, FolderConstantsAreFullRelativePaths)
{
    EXPECT_EQ(velk::DataPath, "data");
    EXPECT_EQ(velk::GuiPath, "data/gui");
    EXPECT_EQ(velk::ImagePath, "data/img");
    EXPECT_EQ(velk::TexturePath, "data/img/tex");
    EXPECT_EQ(velk::StickerPath, "data/img/sck");
    EXPECT_EQ(velk::ShipPath, "data/ships");
    EXPECT_EQ(velk::MapPath, "data/map");
}

TEST(VelkInitHelperTest, GameValues)
{
    velk::VelkInitHelper helper;
    EXPECT_EQ(helper.getDatabasePath(), "data/velk.db");
    EXPECT_EQ(helper.getWindowTitle(), "Velkors");
    EXPECT_EQ(helper.getWindowIconPath(), "data/velkors_icon.png");
    EXPECT_EQ(helper.getCeguiResourceFolderPath(), "data/gui");
    EXPECT_EQ(helper.getCeguiLogPath(), "log/gui.log");
    // The same answers through the layers' interfaces.
    EXPECT_EQ(helper.getSfmlInitHelper()->getWindowTitle(), "Velkors");
    EXPECT_EQ(helper.getCeguiInitHelper()->getCeguiResourceFolderPath(), "data/gui");
}

using PreInitTest = InFreshFolder;

TEST_F(PreInitTest, FirstStartMakesTheFoldersAndASecondStartIsFine)
{
    velk::VelkInitHelper helper;
    helper.preInit();
    EXPECT_TRUE(fs::is_directory("log"));
    EXPECT_TRUE(fs::is_directory("data"));
    EXPECT_TRUE(fs::is_directory("data/gui"));
    EXPECT_NO_THROW(helper.preInit());
}

TEST_F(PreInitTest, AFolderThatCannotBeMadeThrows)
{
    velk_test::writeFile("log", "a file where the folder should be");
    velk::VelkInitHelper helper;
    EXPECT_THROW(helper.preInit(), fs::filesystem_error);
}

using StartTest = InFreshFolder;

TEST_F(StartTest, FolderErrorEndsTheStartWithoutAWindow)
{
    velk_test::writeFile("data", "a file where the folder should be");
    velk_test::LogCapture log;
    char program[] = "velk";
    char* argv[] = {program, nullptr};
    const int code = velk::runGame(1, argv);
    EXPECT_NE(code, 0);
    EXPECT_TRUE(log.contains("[Velkors] Cannot start:"));
    EXPECT_FALSE(log.contains("[SfmlFramework] init started"));
    EXPECT_FALSE(GameFramework::Singleton.isInitialised());
    EXPECT_EQ(GameFramework::Singleton.getSfmlFramework(), nullptr);
    EXPECT_FALSE(fs::exists("data/velk.db"));
}

TEST(FirstScreenTest, GuiTestOnlyForItsExactKeys)
{
    struct Case {
        std::vector<std::string> words;
        bool guiTest;
    };
    const Case cases[] = {
        {{}, false},
        {{"-g"}, true},
        {{"--guitest"}, true},
        {{"-g=1"}, true},
        {{"--guitest=no"}, true},
        {{"x=1", "-g"}, true},
        {{"-G"}, false},
        {{"-guitest"}, false},
        {{"g"}, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> storage = {"velk"};
        storage.insert(storage.end(), c.words.begin(), c.words.end());
        std::vector<char*> argv;
        for (std::string& word : storage)
            argv.push_back(word.data());
        GameFramework framework;
        framework.parseArgs(std::make_pair(static_cast<int>(argv.size()), argv.data()));
        EXPECT_EQ(velk::wantsGuiTest([&](const std::string& key) { return framework.isArg(key); }), c.guiTest)
            << (c.words.empty() ? "(none)" : c.words[0]);
    }
}

TEST(VelkStateTest, SkinHookChangesNothing)
{
    VelkState state;
    state.setBackgroundColor4ub(1, 2, 3, 255);
    state.changeGwenSkin(VelkState::GuiTest);
    state.changeGwenSkin(static_cast<VelkState::GwenImage>(9));
    state.changeGwenSkin("anything");
    EXPECT_EQ(state.getBackgroundSfColor(), sf::Color(1, 2, 3, 255));
}

} // namespace
