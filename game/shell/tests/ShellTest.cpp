// The game shell without a window: marker colours, folder constants, the
// start-up helper's values and folders, the skin hook.

#include "game/shell/Global.hpp"
#include "game/shell/VelkInitHelper.hpp"
#include "game/shell/VelkState.hpp"

#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

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
        {0, sf::Color(0, 0, 0, 255)},        {1, sf::Color(0, 0, 0, 255)},        {33, sf::Color(0, 0, 0, 255)},
        {34, sf::Color(255, 255, 255, 255)}, {35, sf::Color(255, 255, 255, 255)}, {36, sf::Color(216, 237, 255, 255)},
        {37, sf::Color(61, 255, 248, 255)},  {38, sf::Color(253, 255, 125, 255)}, {39, sf::Color(255, 114, 0, 255)},
        {40, sf::Color(241, 87, 255, 255)},  {41, sf::Color(255, 255, 255, 255)}, {42, sf::Color(0, 0, 0, 255)},
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
