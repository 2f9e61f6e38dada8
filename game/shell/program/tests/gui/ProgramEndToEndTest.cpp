// The whole program as a player meets it, driven by X input (xdotool) from a
// fresh runtime folder: the main menu into each editor and back, a map
// painted in the map editor that is then played, and a start that fails on a
// broken GUI start script. Screenshots are read back with ImageMagick's import
// and kept under screenshots/program/<test>.

#include "terrain/model/MapTile.hpp"
#include "terrain/model/TileMap.hpp"
#include "testsupport/game/GameWindowTest.hpp"
#include "testsupport/game/MapperDriver.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using namespace velk_test::mainmenu;
using velk_test::brightness;
using velk_test::countPixels;
using velk_test::isBright;
using velk_test::isTitleBar;

// The logo's letters, and the content holder's upper left corner mark.
constexpr int LogoLeft = 350, LogoTop = 95, LogoWidth = 324, LogoHeight = 75;
constexpr int CornerLeft = 300, CornerTop = 82, CornerSize = 40;
// The ship editor's Exit, last of its menu at the top of the right column.
constexpr int EditorExitX = 905, EditorExitY = 216;
// Title bars of the centred frame windows, right of their titles' text.
constexpr int NewGameTitleX = 790, NewGameTitleY = 176;   // 600 x 440
constexpr int TrialTitleX = 790, TrialTitleY = 216;       // 600 x 360
constexpr int PlayMenuTitleX = 640, PlayMenuTitleY = 231; // 300 x 330
// The in-game menu's "Back" (to the main menu), fourth of its buttons.
constexpr int PlayBackX = 512, PlayBackY = 219 + 24 + 16 + 3 * 54 + 20;

/// The content holder's cyan marks.
bool isCyan(const sf::Color& c)
{
    return c.b > 180 && c.g > 120 && c.r < 120;
}

int logoPixels(const sf::Image& image)
{
    return countPixels(image, LogoLeft, LogoTop, LogoWidth, LogoHeight, isBright);
}

/// The menu's art: the logo's letters and the content holder's frame.
bool logoDrawn(const sf::Image& image)
{
    return logoPixels(image) > 2000 && countPixels(image, CornerLeft, CornerTop, CornerSize, CornerSize, isCyan) > 30;
}

/// The play mode's ground: a lit, nearly grey rock surface.
bool isGround(const sf::Color& c)
{
    const int spread = std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
    return brightness(c) > 70 && spread < 40;
}

/// The sky behind the terrain: dark.
bool isSky(const sf::Color& c)
{
    return brightness(c) < 60;
}

bool menuShown(const sf::Image& image)
{
    return shown(image);
}

class ProgramEndToEndTest : public velk_test::GameWindowTest {
protected:
    ProgramEndToEndTest() : GameWindowTest("program") {}

    void SetUp() override
    {
        prepare();
        fs::create_directories(folder->path() / "data" / "map");
        velk_test::writeFile(folder->path() / "lang.ini", "en");
        launch();
    }
};

TEST_F(ProgramEndToEndTest, ShipEditorAndBackToTheMenuWithItsArt)
{
    ASSERT_TRUE(waitFor("1-menu", [](const sf::Image& i) { return menuShown(i) && logoDrawn(i); }))
        << "no main menu with its art\n"
        << game.log();

    player().click(ButtonX, buttonY(Editor));
    // The editor covers the menu: no logo, no menu labels.
    ASSERT_TRUE(waitFor("2-editor", [](const sf::Image& i) { return !menuShown(i) && logoPixels(i) < 500; }))
        << "the ship editor did not open\n"
        << game.log();
    std::this_thread::sleep_for(1s);
    capture("2-editor");

    player().click(EditorExitX, EditorExitY);
    ASSERT_TRUE(waitFor("3-menu-again", [](const sf::Image& i) { return menuShown(i) && logoDrawn(i); }))
        << "the menu did not come back with its art\n"
        << game.log();
    const sf::Image menu = capture("3-menu-again");
    ASSERT_EQ(menu.getSize(), sf::Vector2u(1024, 768));
    EXPECT_GT(logoPixels(menu), 2000);
    EXPECT_GT(countPixels(menu, CornerLeft, CornerTop, CornerSize, CornerSize, isCyan), 30);
    exitFromMenu();
}

TEST_F(ProgramEndToEndTest, PaintAMapThenPlayIt)
{
    ASSERT_TRUE(waitFor("1-menu", menuShown)) << "no main menu\n" << game.log();
    player().click(ButtonX, buttonY(Mapper));
    // The map editor: its Exit label at the upper left, its grey canvas beside.
    const auto mapperShown = [](const sf::Image& i) {
        using namespace velk_test::mapper;
        const auto canvasGrey = [](const sf::Color& c) { return c.r == c.g && c.g == c.b && c.r > 80 && c.r < 120; };
        return countPixels(i, ExitX - 30, ExitY - 10, 60, 20, isBright) > 20 &&
               countPixels(i, CanvasLeft + 4, 4, 40, 40, canvasGrey) > 1000;
    };
    ASSERT_TRUE(waitFor("2-mapper", mapperShown)) << "the map editor did not open\n" << game.log();

    velk_test::MapperPlayer editor;
    static_cast<velk_test::XWindowDriver&>(editor) = game.window;
    velk_test::CanvasView view;
    view.zoomOut({1.0f, 1.0f}, 15);

    // A 60 x 40 map: a band of ground from row 22 to row 32 with open sky
    // above and below it, a start marker over a platform on the band.
    editor.newMap("60", "40");
    editor.wheel(velk_test::mapper::CanvasLeft + 1, 1, -15);
    editor.wheel(velk_test::mapper::CanvasLeft + 400, 700, 2, true); // brush 3
    for (int row = 24; row <= 30; row += 2)
        editor.drag(view.row(row, 0, 59, 2), 1);
    editor.scrollPaletteToMarkers();
    editor.pickMarker(1); // platform
    editor.click(view.cell(30, 21).first, view.cell(30, 21).second);
    editor.pickMarker(0); // start
    editor.click(view.cell(30, 17).first, view.cell(30, 17).second);
    editor.capture(shotFolder() / "3-painted.png");
    editor.saveAs("painted");

    const fs::path file = folder->path() / "data" / "map" / "painted.map.json";
    ASSERT_TRUE(game.waitFor(file.string(), [&] { return fs::exists(file); }));
    TileMap saved;
    ASSERT_TRUE(saved.loadFromFile(file.string()));
    ASSERT_EQ(saved.getSize(), (math::Vector2<unsigned int>(60, 40)));
    EXPECT_EQ(saved.getMarkers(MapTileCodes::Start), (std::vector<math::Vector2<unsigned int>>{{30, 17}}));
    EXPECT_EQ(saved.getMarkers(MapTileCodes::Platform), (std::vector<math::Vector2<unsigned int>>{{30, 21}}));
    for (int x : {2, 30, 57}) {
        EXPECT_EQ(saved.getTile(x, 10), 0) << x;
        EXPECT_EQ(saved.getTile(x, 28), 1) << x;
        EXPECT_EQ(saved.getTile(x, 37), 0) << x;
    }

    editor.click(velk_test::mapper::ExitX, velk_test::mapper::ExitY);
    ASSERT_TRUE(waitFor("4-menu", menuShown)) << "the menu did not come back\n" << game.log();

    // New game: the painted map (the only one) and the first sample ship.
    player().moveTo(ButtonX, buttonY(NewGame));
    std::this_thread::sleep_for(300ms);
    player().key("Return");
    ASSERT_TRUE(waitFor("5-newgame", [](const sf::Image& i) {
        return isTitleBar(i.getPixel(NewGameTitleX, NewGameTitleY));
    })) << "no new-game window";
    player().key("Up");     // Cancel -> map list
    player().key("Return"); // the painted map
    player().key("Left");   // ship list
    player().key("Return"); // its first ship
    player().key("Down");   // Start
    player().key("Return");
    ASSERT_TRUE(
        waitFor("6-timetrial", [](const sf::Image& i) { return isTitleBar(i.getPixel(TrialTitleX, TrialTitleY)); }))
        << "the game did not load\n"
        << game.log();
    EXPECT_NE(game.log().find("Map: painted.map.json(data/map/painted.map.json)"), std::string::npos) << game.log();
    player().key("Down"); // Start
    player().key("Return");

    // The whole map fits the window (about 17 pixels a cell, the band's top
    // at y 458): sky above the ship, the band's rock under the platform, sky
    // again below the band, drawn with play mode's own tiles (the editor's
    // would be flat black).
    const auto skyAbove = [](const sf::Image& i) { return countPixels(i, 300, 100, 424, 100, isSky); };
    const auto band = [](const sf::Image& i) { return countPixels(i, 340, 540, 424, 80, isGround); };
    const auto skyBelow = [](const sf::Image& i) { return countPixels(i, 700, 700, 300, 50, isSky); };
    const auto terrain = [&](const sf::Image& i) {
        return !isTitleBar(i.getPixel(TrialTitleX, TrialTitleY)) && skyAbove(i) > 424 * 100 * 8 / 10 &&
               band(i) > 424 * 80 * 8 / 10 && skyBelow(i) > 300 * 50 * 8 / 10;
    };
    EXPECT_TRUE(waitFor("7-in-flight", terrain)) << game.log();
    const sf::Image flight = capture("7-in-flight");
    ASSERT_EQ(flight.getSize(), sf::Vector2u(1024, 768));
    EXPECT_GT(skyAbove(flight), 424 * 100 * 8 / 10);
    EXPECT_GT(band(flight), 424 * 80 * 8 / 10);
    EXPECT_GT(skyBelow(flight), 300 * 50 * 8 / 10);

    // Leave through the in-game menu: Escape, then Back to the main menu.
    player().key("Escape");
    ASSERT_TRUE(waitFor("8-play-menu",
                        [](const sf::Image& i) { return isTitleBar(i.getPixel(PlayMenuTitleX, PlayMenuTitleY)); }))
        << "no in-game menu\n"
        << game.log();
    player().click(PlayBackX, PlayBackY);
    ASSERT_TRUE(waitFor("9-main-menu", [](const sf::Image& i) { return menuShown(i) && logoDrawn(i); }))
        << "not back in the main menu\n"
        << game.log();
    exitFromMenu();
}

class BrokenStartScriptTest : public velk_test::GameWindowTest {
protected:
    BrokenStartScriptTest() : GameWindowTest("program") {}
};

TEST_F(BrokenStartScriptTest, EndsTheStartWithALogLineAndAFailure)
{
    // The shipped GUI data, but a start script that stops with a Lua error.
    std::vector<std::string> folders = velk_test::GameFolder::AllButMaps;
    folders.erase(std::find(folders.begin(), folders.end(), "gui"));
    prepare(folders);
    const fs::path shipped = fs::path(VELK_SOURCE_DIR) / "data" / "gui";
    const fs::path gui = folder->path() / "data" / "gui";
    fs::create_directories(gui);
    for (const auto& entry : fs::directory_iterator(shipped)) {
        if (entry.path().filename() != "scripts")
            fs::create_directory_symlink(entry.path(), gui / entry.path().filename());
    }
    velk_test::writeFile(gui / "scripts" / "init_script.lua", "local skin = nil\nskin.load()\n");

    ASSERT_TRUE(game.start({VELK_GAME, {}, folder->path(), folder->logFile(), {}}));
    EXPECT_GT(game.waitForExit(), 0) << "a failure exit, not a crash\n" << game.log();
    const std::string log = game.log();
    EXPECT_NE(log.find("[CeguiFramework] start script init_script.lua failed:"), std::string::npos) << log;
    EXPECT_NE(log.find("[GameFramework] init failed:"), std::string::npos);
    EXPECT_NE(log.find("[Velkors] Cannot start:"), std::string::npos);
    EXPECT_EQ(log.find("[MainMenu]"), std::string::npos) << "no screen may start";
}

} // namespace
