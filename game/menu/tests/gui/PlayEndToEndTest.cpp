// The real program in a real window, driven by X input (xdotool) as a player
// would, from a fresh runtime folder: main menu, New game, a ship and a map
// picked with the keyboard, the loading animation, the time-trial dialog, a
// landing on the platform below the start, the game-over dialog, a name, the
// row in "scores" and in the menu's high-score view. A second run starts a
// corrupt map and comes back to the menu with the reason; a third closes and
// presses Escape while the game loads. Screenshots are read back with
// ImageMagick's import and kept under screenshots/play/<test>.

#include "terrain/model/MapTile.hpp"
#include "terrain/model/TileMap.hpp"
#include "testsupport/game/GameWindowTest.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
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

// Where the scripts put things in the 1024 x 768 window (pixels). Frame
// windows have a 3 px border and a 24 px title bar.
// Title bars of the centred frame windows, right of their titles' text.
constexpr int NewGameTitleX = 790, NewGameTitleY = 176;   // 600 x 440
constexpr int TrialTitleX = 790, TrialTitleY = 216;       // 600 x 360
constexpr int GameOverTitleX = 720, GameOverTitleY = 271; // 440 x 250
constexpr int NoticeTitleX = 760, NoticeTitleY = 266;     // 520 x 260
constexpr int ScoresRowsLeft = 235, ScoresRowsTop = 244, ScoresRowsWidth = 150, ScoresRowsHeight = 40;

/// The skin's cyan (bars, focus frames).
bool isSkinBlue(const sf::Color& c)
{
    return c.b > c.r + 20 && brightness(c) > 35;
}

bool menuShown(const sf::Image& image)
{
    return shown(image);
}

/// The loading animation's lamp and trail: warm orange or amber.
bool isWarm(const sf::Color& c)
{
    return c.r > 180 && c.g > 70 && c.b < 120 && c.r > c.b + 100;
}

/// The loading animation's moon: cool grey-blue.
bool isMoonRock(const sf::Color& c)
{
    return c.b > c.r + 8 && c.r > 80 && c.r < 200;
}

class PlayEndToEndTest : public velk_test::GameWindowTest {
protected:
    PlayEndToEndTest() : GameWindowTest("play") {}

    /// A runtime folder with the shipped data linked in (the maps aside: the
    /// test writes its own), "lang.ini" and a new database.
    void prepare()
    {
        GameWindowTest::prepare();
        fs::create_directories(folder->path() / "data" / "map");
        velk_test::writeFile(folder->path() / "lang.ini", "en");
    }

    /// 48 x 36 cells: ground from row 24, a platform on it right below the start.
    void writeLandingMap(const std::string& name)
    {
        TileMap map(48, 36);
        for (unsigned x = 0; x < 48; ++x)
            for (unsigned y = 24; y < 36; ++y)
                map.getTile(x, y) = 1;
        map.getTile(24, 23) = MapTileCodes::Platform;
        map.getTile(24, 19) = MapTileCodes::Start;
        ASSERT_TRUE(map.saveToFile((folder->path() / "data" / "map" / name).string()));
    }

    std::string log() const { return game.log(); }

    /// Main menu, New game, the first map and the first ship, Start: by
    /// keyboard, once the pointer has put the menu's focus on "New game".
    void startFirstShipOnFirstMap()
    {
        ASSERT_TRUE(player().moveTo(ButtonX, buttonY(0)));
        std::this_thread::sleep_for(300ms);
        player().key("Return");
        ASSERT_TRUE(waitFor("1-newgame", [](const sf::Image& i) {
            return isTitleBar(i.getPixel(NewGameTitleX, NewGameTitleY));
        })) << "no new-game window";
        player().key("Up");     // Cancel -> map list
        player().key("Return"); // its first map
        player().key("Left");   // ship list
        player().key("Return"); // its first ship
        player().key("Down");   // Start
        player().key("Return", 0ms);
    }
};

TEST_F(PlayEndToEndTest, FromTheMenuToALandingAndAHighScore)
{
    prepare();
    writeLandingMap("landing.map.json");
    launch();
    ASSERT_TRUE(waitFor("0-menu", menuShown)) << "no main menu";
    startFirstShipOnFirstMap();

    // The loading animation shows while the game is built, if the capture is
    // quick enough; the window test of the screen checks it frame by frame.
    const sf::Image loading = capture("2-loading");
    ASSERT_EQ(loading.getSize(), sf::Vector2u(1024, 768));
    const int warm = countPixels(loading, 432, 304, 160, 160, isWarm);
    const int rock = countPixels(loading, 432, 304, 160, 160, isMoonRock);
    std::printf("loading capture: %d warm and %d rock pixels in the centre\n", warm, rock);

    // Loaded: the time-trial dialog with its checkpoint table.
    ASSERT_TRUE(
        waitFor("3-timetrial", [](const sf::Image& i) { return isTitleBar(i.getPixel(TrialTitleX, TrialTitleY)); }))
        << "no time-trial dialog\n"
        << log();
    EXPECT_NE(log().find("[MMS] Start game: Ship: Dragonfly.ship.json(data/ships/Dragonfly.ship.json), Map: "
                         "landing.map.json(data/map/landing.map.json)"),
              std::string::npos);
    player().key("Down"); // Start
    player().key("Return", 0ms);

    // In flight: the clock at the top left and the bars at the bottom left.
    const auto clock = [](const sf::Image& i) { return countPixels(i, 24, 12, 200, 48, isBright); };
    const auto bars = [](const sf::Image& i) {
        return countPixels(i, 112, 689, 200, 60, [](const sf::Color& c) { return isSkinBlue(c) || isBright(c); });
    };
    EXPECT_TRUE(waitFor("4-hud-in-flight", [&](const sf::Image& i) {
        return !isTitleBar(i.getPixel(TrialTitleX, TrialTitleY)) && clock(i) > 30 && bars(i) > 100;
    }));
    const sf::Image hud = capture("4-hud-in-flight");
    ASSERT_EQ(hud.getSize(), sf::Vector2u(1024, 768));
    EXPECT_FALSE(isTitleBar(hud.getPixel(TrialTitleX, TrialTitleY))) << "the dialog is still open";
    EXPECT_GT(clock(hud), 30) << "no clock";
    EXPECT_GT(bars(hud), 100) << "no health and fuel bars";

    // The ship settles on the platform; the landing hint comes up; Return lands.
    ASSERT_TRUE(waitFor("5-landable",
                        [](const sf::Image& i) {
                            return countPixels(i, 312, 658, 400, 34, [](const sf::Color& c) {
                                       return c.b > 180 && c.g > 150 && c.r < 120;
                                   }) > 40;
                        }))
        << "the ship never showed as landable\n"
        << log();
    player().key("Return");
    ASSERT_TRUE(waitFor("6-gameover", [](const sf::Image& i) {
        return isTitleBar(i.getPixel(GameOverTitleX, GameOverTitleY));
    })) << "no game-over dialog";

    // The name goes straight into the box; Escape stores it like "Ok".
    player().type("Ada");
    capture("7-gameover-name");
    player().key("Escape");
    const std::string query = "SELECT name, score, map, mode FROM scores";
    EXPECT_TRUE(game.waitFor("the score stored", [&] { return !folder->rows(query).empty(); }));
    const auto rows = folder->rows(query);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "Ada");
    EXPECT_EQ(rows[0][2], "landing.map.json");
    EXPECT_EQ(rows[0][3], "1");
    EXPECT_TRUE(waitFor("8-menu-after-game",
                        [](const sf::Image& i) { return !isTitleBar(i.getPixel(GameOverTitleX, GameOverTitleY)); }));

    // The menu: Resume is disabled; down twice to "Main menu".
    player().key("Down");
    player().key("Down");
    player().key("Return");
    ASSERT_TRUE(waitFor("9-main-menu", menuShown)) << "not back in the main menu";

    // The high-score view lists the new row.
    player().click(ButtonX, buttonY(1));
    const auto rowsShown = [](const sf::Image& i) {
        return countPixels(i, ScoresRowsLeft, ScoresRowsTop, ScoresRowsWidth, ScoresRowsHeight, isBright);
    };
    EXPECT_TRUE(waitFor("10-highscores", [&](const sf::Image& i) { return rowsShown(i) > 20; }));
    const sf::Image view = capture("10-highscores");
    ASSERT_EQ(view.getSize(), sf::Vector2u(1024, 768));
    EXPECT_GT(rowsShown(view), 20);
    player().key("Escape");
    EXPECT_TRUE(waitFor("11-menu", [&](const sf::Image& i) { return rowsShown(i) <= 20 && menuShown(i); }));
    player().click(ButtonX, buttonY(Exit));
    EXPECT_EQ(game.waitForExit(), 0) << log();
}

TEST_F(PlayEndToEndTest, ACorruptMapComesBackToTheMenuWithTheReason)
{
    prepare();
    velk_test::writeFile(folder->path() / "data" / "map" / "broken.map.json", "{\"Size\": {\"X\": 4");
    launch();
    ASSERT_TRUE(waitFor("20-menu", menuShown));
    startFirstShipOnFirstMap();
    ASSERT_TRUE(
        waitFor("21-notice", [](const sf::Image& i) { return isTitleBar(i.getPixel(NoticeTitleX, NoticeTitleY)); }))
        << "no notice\n"
        << log();
    EXPECT_NE(log().find("[Play] The game cannot be loaded (ship \"data/ships/Dragonfly.ship.json\", map "
                         "\"data/map/broken.map.json\")"),
              std::string::npos)
        << log();
    player().key("Return"); // OK
    EXPECT_TRUE(waitFor("22-menu-after-notice",
                        [](const sf::Image& i) { return !isTitleBar(i.getPixel(NoticeTitleX, NoticeTitleY)); }));
    player().click(ButtonX, buttonY(Exit));
    EXPECT_EQ(game.waitForExit(), 0) << log();
}

TEST_F(PlayEndToEndTest, ClosingAndEscapeWhileLoadingAreSafe)
{
    prepare();
    // The largest shipped map takes the longest to build.
    fs::copy_file(fs::path(VELK_SOURCE_DIR) / "data" / "map" / "open_caverns.map.json",
                  folder->path() / "data" / "map" / "open_caverns.map.json");
    launch();
    ASSERT_TRUE(waitFor("30-menu", menuShown));
    startFirstShipOnFirstMap();
    // Into the loading: close requests (refused while the game is built) and
    // Escape (which opens nothing).
    std::this_thread::sleep_for(150ms);
    for (int i = 0; i < 3 && game.running(); ++i) {
        player().requestClose();
        // The window may be gone by now: no check of xdotool's result.
        player().chord("Escape");
        std::this_thread::sleep_for(50ms);
    }
    // Either the window closed (a request came just before the build began;
    // the program may still be shutting down) or the game loaded with no menu
    // opened by the early Escape.
    const auto trialShown = [](const sf::Image& i) {
        return i.getSize() == sf::Vector2u(1024, 768) && isTitleBar(i.getPixel(TrialTitleX, TrialTitleY));
    };
    bool loaded = false;
    ASSERT_TRUE(velk_test::waitUntil([&] { return !game.running() || (loaded = trialShown(capture("31-loaded"))); },
                                     std::chrono::seconds(60)))
        << log();
    if (loaded) {
        std::printf("the game survived the close requests\n");
        player().requestClose();
    }
    EXPECT_EQ(game.waitForExit(), 0) << log();
}

} // namespace
