// The real program in a real window, driven by X input (xdotool) as a player
// would: first start without "lang.ini", Hungarian chosen with the keyboard,
// settings changed with the mouse (a colour-blind filter from its drop-down),
// Alt+Return toggling full screen over a button without pressing it,
// high scores looked at, Exit. Screenshots are read back with ImageMagick's
// import.

#include "testsupport/game/GameWindowTest.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace velk_test::mainmenu;
using velk_test::brightness;
using velk_test::isTitleBar;

// Where the menu script puts things in the 1024 x 768 window (pixels). Frame
// windows have a 3 px border and a 24 px title bar around their client area.
constexpr int SettingsTitleX = 300, SettingsTitleY = 126;
constexpr int FpsDropButtonX = 641, FpsDropButtonY = 291, FpsItem30X = 470, FpsItem30Y = 314;
constexpr int ColorblindDropButtonX = FpsDropButtonX, ColorblindDropButtonY = FpsDropButtonY + 4 * 44;
constexpr int ColorblindItemX = FpsItem30X;
// A column of the open list right of its texts, and how far below the drop
// button the list ends.
constexpr int ColorblindListX = ColorblindDropButtonX - 40, ColorblindListReach = 120;
constexpr int AudioTabX = 291, AudioTabY = 161;
constexpr int MusicTrackX = 500, MusicTrackY = 249;
constexpr int SettingsBackX = 749, SettingsBackY = 590;
constexpr int ScoresHeaderX = 260, ScoresHeaderY = 230, ScoresBackX = 723, ScoresBackY = 578;
constexpr int ScoresTitleX = 770, ScoresTitleY = 156;
constexpr int ScoresRowsLeft = 235, ScoresRowsTop = 244, ScoresRowsWidth = 150, ScoresRowsHeight = 40;
constexpr int SelectorTitleX = 660, SelectorTitleY = 270;

bool fullSize(const sf::Image& image)
{
    return image.getSize() == sf::Vector2u(1024, 768);
}

/// How many pixels of a rectangle are bright (text).
int brightPixels(const sf::Image& image, int left, int top, int width, int height)
{
    return velk_test::countPixels(image, left, top, width, height, velk_test::isBright);
}

/// The list's selection: a clearly blue, lit surface.
bool isSelection(const sf::Color& c)
{
    return c.b > c.r + 80 && c.g > 100;
}

/// A list row: its top and height in window pixels.
struct Row {
    int top = 0, height = 0;
};

/// The first selected row of the open colour-blind list: the current filter,
/// lit from its top to its bottom; a height of 0 when none shows.
Row selectedColorblindRow(const sf::Image& image)
{
    Row row;
    for (int y = ColorblindDropButtonY; y < ColorblindDropButtonY + ColorblindListReach; ++y) {
        if (isSelection(image.getPixel(ColorblindListX, y))) {
            row.top = row.height == 0 ? y : row.top;
            ++row.height;
        } else if (row.height > 0) {
            break;
        }
    }
    return row;
}

/// How many pixels of a rectangle differ between two shots; in the first the
/// rectangle may be moved by an offset.
int differingPixels(const sf::Image& a, const sf::Image& b, int left, int top, int width, int height,
                    sf::Vector2i offsetInA = {})
{
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x)
            count += a.getPixel(x + offsetInA.x, y + offsetInA.y) != b.getPixel(x, y) ? 1 : 0;
    }
    return count;
}

/// How wide each line of lit text in a rectangle is; lines are apart by an unlit pixel row.
std::vector<int> lineWidths(const sf::Image& image, int left, int top, int width, int height)
{
    std::vector<int> widths;
    int first = -1, last = -1; // of the line being read
    for (int y = top; y < top + height; ++y) {
        bool lit = false;
        for (int x = left; x < left + width; ++x)
            if (velk_test::isBright(image.getPixel(x, y))) {
                lit = true;
                first = first < 0 ? x : std::min(first, x);
                last = std::max(last, x);
            }
        if (!lit && first >= 0) {
            widths.push_back(last - first + 1);
            first = last = -1;
        }
    }
    if (first >= 0)
        widths.push_back(last - first + 1);
    return widths;
}

class MenuEndToEndTest : public velk_test::GameWindowTest {
protected:
    MenuEndToEndTest() : GameWindowTest("menu") {}
};

TEST_F(MenuEndToEndTest, FirstStartInHungarianThenSettingsThenExit)
{
    prepare({"gui", "glsl", "img", "mus", "snd", "map", "ships", "obj"});
    ASSERT_TRUE(
        folder->exec("INSERT INTO scores (name, score, map, mode) VALUES ('Zsófi', 2400, 'kráter.map.json', 1), "
                     "('Bence', 1800, 'kráter.map.json', 1)"));
    const fs::path langIni = folder->path() / "lang.ini";
    ASSERT_FALSE(fs::exists(langIni));
    launch();

    // No "lang.ini": the selector is the modal window over the English menu.
    ASSERT_TRUE(waitFor("1-selector", [](const sf::Image& i) {
        return isTitleBar(i.getPixel(SelectorTitleX, SelectorTitleY));
    })) << "no language selector";
    const sf::Image english = capture("1-selector");
    ASSERT_EQ(english.getSize(), sf::Vector2u(1024, 768));

    // Down to "Magyar", press it, down to Done, press it.
    player().key("Down");
    player().key("Down");
    player().key("Return");
    player().key("Down");
    player().key("Return");
    EXPECT_TRUE(game.waitFor("\"hu\" in lang.ini",
                             [&] { return fs::exists(langIni) && velk_test::readFile(langIni) == "hu"; }));
    EXPECT_EQ(fs::exists(langIni) ? velk_test::readFile(langIni) : "", "hu");
    // The selector is gone and the buttons say something else now.
    const auto hungarian = [&](const sf::Image& i) {
        return !isTitleBar(i.getPixel(SelectorTitleX, SelectorTitleY)) &&
               differingPixels(english, i, 400, buttonY(Exit) - 10, 224, 20) > 20 &&
               differingPixels(english, i, 400, buttonY(Credits) - 10, 224, 20) > 20 &&
               labelPixels(i, ButtonX, buttonY(Exit)) > 20;
    };
    EXPECT_TRUE(waitFor("2-menu-hungarian", hungarian));
    const sf::Image menu = capture("2-menu-hungarian");
    ASSERT_TRUE(fullSize(menu));
    EXPECT_FALSE(isTitleBar(menu.getPixel(SelectorTitleX, SelectorTitleY)));
    EXPECT_GT(differingPixels(english, menu, 400, buttonY(Exit) - 10, 224, 20), 20);
    EXPECT_GT(differingPixels(english, menu, 400, buttonY(Credits) - 10, 224, 20), 20);
    EXPECT_GT(labelPixels(menu, ButtonX, buttonY(Exit)), 20);

    // The settings: frame rate 30 from its list, the music four steps lower.
    player().click(ButtonX, buttonY(Options));
    EXPECT_TRUE(waitFor("3-settings", [](const sf::Image& i) {
        return isTitleBar(i.getPixel(SettingsTitleX, SettingsTitleY));
    })) << "no settings window";
    EXPECT_FALSE(isTitleBar(menu.getPixel(SettingsTitleX, SettingsTitleY)));
    player().click(FpsDropButtonX, FpsDropButtonY);
    player().click(FpsItem30X, FpsItem30Y);
    EXPECT_TRUE(game.waitFor("frame rate 30 stored", [&] { return folder->setting("graphics.fps") == "30"; }));
    EXPECT_EQ(folder->setting("graphics.fps"), "30");
    player().click(AudioTabX, AudioTabY);
    for (int i = 0; i < 4; ++i) {
        // One step at a time: a click the loop has not seen yet is not lost, but
        // waiting keeps the steps from being read as a double click.
        const std::string before = folder->setting("audio.musicvolume");
        player().click(MusicTrackX, MusicTrackY);
        EXPECT_TRUE(
            game.waitFor("another music volume stored", [&] { return folder->setting("audio.musicvolume") != before; }))
            << "step " << i;
    }
    capture("4-settings-audio");
    EXPECT_EQ(folder->setting("audio.musicvolume"), "80");
    player().click(SettingsBackX, SettingsBackY);
    EXPECT_TRUE(waitFor("4-settings-closed",
                        [](const sf::Image& i) { return !isTitleBar(i.getPixel(SettingsTitleX, SettingsTitleY)); }));

    // The high scores open and close.
    player().click(ButtonX, buttonY(Highscores));
    const auto scoresShown = [&](const sf::Image& i) {
        return i.getPixel(ScoresHeaderX, ScoresHeaderY) != menu.getPixel(ScoresHeaderX, ScoresHeaderY) &&
               brightPixels(i, ScoresRowsLeft, ScoresRowsTop, ScoresRowsWidth, ScoresRowsHeight) > 40 &&
               isTitleBar(i.getPixel(ScoresTitleX, ScoresTitleY)) && labelPixels(i, ScoresBackX, ScoresBackY) > 20;
    };
    EXPECT_TRUE(waitFor("5-highscores", scoresShown));
    const sf::Image scores = capture("5-highscores");
    ASSERT_TRUE(fullSize(scores));
    EXPECT_NE(scores.getPixel(ScoresHeaderX, ScoresHeaderY), menu.getPixel(ScoresHeaderX, ScoresHeaderY));
    // Two rows of text under the header.
    EXPECT_GT(brightPixels(scores, ScoresRowsLeft, ScoresRowsTop, ScoresRowsWidth, ScoresRowsHeight), 40);
    EXPECT_TRUE(isTitleBar(scores.getPixel(ScoresTitleX, ScoresTitleY)));
    EXPECT_GT(labelPixels(scores, ScoresBackX, ScoresBackY), 20);
    player().click(ScoresBackX, ScoresBackY);
    EXPECT_TRUE(waitFor("5-highscores-closed",
                        [](const sf::Image& i) { return !isTitleBar(i.getPixel(ScoresTitleX, ScoresTitleY)); }));

    player().click(ButtonX, buttonY(Exit));
    EXPECT_EQ(game.waitForExit(), 0) << game.log();
    EXPECT_EQ(folder->setting("general.lang"), "en");
}

TEST_F(MenuEndToEndTest, ColourBlindFilterPickedFromItsOpenList)
{
    prepare();
    velk_test::writeFile(folder->path() / "lang.ini", "en");
    launch();
    ASSERT_TRUE(waitFor("1-menu", shown)) << "no main menu";
    player().click(ButtonX, buttonY(Options));
    ASSERT_TRUE(waitFor("2-settings", [](const sf::Image& i) {
        return isTitleBar(i.getPixel(SettingsTitleX, SettingsTitleY));
    })) << "no settings window";
    player().click(ColorblindDropButtonX, ColorblindDropButtonY);
    // The list opens with "None" selected; its rows are as tall as that one.
    // Aimed at the middle of the last row: the third filter, below "None".
    int lastRowMiddle = 0;
    ASSERT_TRUE(waitFor("3-colorblind-open", [&](const sf::Image& i) {
        const Row none = selectedColorblindRow(i);
        lastRowMiddle = none.top + none.height * 7 / 2;
        return none.height > 10 && brightPixels(i, ColorblindItemX - 10, lastRowMiddle - 4, 60, 8) > 20;
    })) << "the list does not show its last filter";
    player().click(ColorblindItemX, lastRowMiddle);
    EXPECT_TRUE(game.waitFor("filter 3 stored", [&] { return folder->setting("graphics.colorblind") == "3"; }));
    EXPECT_EQ(folder->setting("graphics.colorblind"), "3");
    player().click(SettingsBackX, SettingsBackY);
    exitFromMenu();
}

TEST_F(MenuEndToEndTest, AltReturnTogglesFullScreenAndPressesNoButton)
{
    prepare();
    velk_test::writeFile(folder->path() / "lang.ini", "en");
    launch();
    ASSERT_TRUE(waitFor("8-menu", shown)) << "no main menu";
    const sf::Image menu = capture("8-menu");
    const std::string windowed = player().id();
    player().moveTo(ButtonX, buttonY(Mapper));
    player().chord("alt+Return");
    // The window is made anew at Xvfb's 1280 x 1024 with the menu centred in
    // it; its column of buttons looks as it did (the stars behind differ).
    ASSERT_TRUE(game.waitFor("a new window",
                             [&] { return game.window.findWindow("Velkors", 5s) && player().id() != windowed; }));
    const int offset = 128, left = 372, top = 210, width = 280, height = 360;
    EXPECT_TRUE(game.waitFor("the main menu in full screen", [&] {
        const sf::Image i = capture("9-full-screen");
        return i.getSize().x == 1280 &&
               differingPixels(i, menu, left, top, width, height, {offset, offset}) < width * height / 2;
    }));
    player().click(ButtonX + offset, buttonY(Exit) + offset);
    EXPECT_EQ(game.waitForExit(), 0) << game.log();
}

TEST_F(MenuEndToEndTest, NamesWithBracketsAreListedAsTheyAre)
{
    prepare();
    velk_test::writeFile(folder->path() / "lang.ini", "en");
    // The menu lists the maps at every start; it never reads this one.
    const std::string map = "[font='nincs-ilyen'] betű.map.json";
    fs::create_directories(folder->path() / "data" / "map");
    velk_test::writeFile(folder->path() / "data" / "map" / map, "{}");
    const std::string mapInSql = "'[font=''nincs-ilyen''] betű.map.json'";
    ASSERT_TRUE(folder->exec("INSERT INTO scores (name, score, map, mode) VALUES ('[font=''x'']Anna', 3000, " +
                             mapInSql + ", 1), ('[colour=''FFFF0000'']Anna', 2400, " + mapInSql +
                             ", 1), ('Anna', 1800, " + mapInSql + ", 1)"));
    launch();
    ASSERT_TRUE(waitFor("10-menu", shown)) << "no main menu";

    // The list's three rows: the name column is 112 px wide, the map's starts 448 px into the window.
    const int nameLeft = ScoresRowsLeft - 10, nameWidth = 112, mapLeft = 448, mapWidth = 330, rows = 60;
    player().click(ButtonX, buttonY(Highscores));
    player().moveTo(900, 700);
    ASSERT_TRUE(waitFor("11-highscores", [&](const sf::Image& i) {
        return isTitleBar(i.getPixel(ScoresTitleX, ScoresTitleY)) &&
               lineWidths(i, nameLeft, ScoresRowsTop, nameWidth, rows).size() == 3;
    })) << game.lastOutput();
    const sf::Image scores = capture("11-highscores");
    const std::vector<int> names = lineWidths(scores, nameLeft, ScoresRowsTop, nameWidth, rows);
    ASSERT_EQ(names.size(), 3u);
    // "[font='x']Anna" and "[colour='FFFF0000']Anna" whole, in the list's own colour: wider than "Anna".
    EXPECT_GT(names[0], names[2] + 40);
    EXPECT_GT(names[1], names[2] + 40);
    EXPECT_EQ(velk_test::countPixels(scores, nameLeft, ScoresRowsTop, nameWidth, rows,
                                     [](const sf::Color& c) { return c.r > 150 && c.g < 80; }),
              0);
    // The map as it is on every row: far wider than "betű.map.json" alone.
    const std::vector<int> maps = lineWidths(scores, mapLeft, ScoresRowsTop, mapWidth, rows);
    EXPECT_EQ(maps.size(), 3u);
    for (int width : maps)
        EXPECT_GT(width, 2 * names[2] + 80);
    player().click(ScoresBackX, ScoresBackY);
    EXPECT_TRUE(waitFor("12-highscores-closed",
                        [](const sf::Image& i) { return !isTitleBar(i.getPixel(ScoresTitleX, ScoresTitleY)); }));
    exitFromMenu();
}

TEST_F(MenuEndToEndTest, MissingArtAndMusicStillStartTheMenu)
{
    // Only the GUI data: no images, no music.
    prepare({"gui", "glsl"});
    velk_test::writeFile(folder->path() / "lang.ini", "en");
    launch();
    ASSERT_TRUE(waitFor("6-menu-without-art", [](const sf::Image& i) {
        return labelPixels(i, ButtonX, buttonY(Exit)) > 20;
    })) << "no main menu";
    player().click(ButtonX, buttonY(Exit));
    EXPECT_EQ(game.waitForExit(), 0) << game.lastOutput();
    const std::string log = game.log();
    EXPECT_NE(log.find("[MainMenu] Menu music \"data/mus/Menu - Dovidi.ogg\" cannot be opened"), std::string::npos);
    EXPECT_NE(log.find("[Assets] Cannot load texture \"data/img/mainmenu/MainMenu_contentholder.png\""),
              std::string::npos);
}

TEST_F(MenuEndToEndTest, GuiTestScreenByCommandLineAndAltF4)
{
    prepare({"gui", "glsl"});
    launch({"--guitest"});
    // Its own background colour, and the list drawn over it.
    EXPECT_TRUE(waitFor("7-guitest", [](const sf::Image& i) {
        return i.getPixel(900, 700) == sf::Color(100, 150, 200) && brightness(i.getPixel(100, 200)) < 40;
    }));
    const sf::Image shot = capture("7-guitest");
    ASSERT_TRUE(fullSize(shot));
    EXPECT_EQ(shot.getPixel(900, 700), sf::Color(100, 150, 200));
    EXPECT_LT(brightness(shot.getPixel(100, 200)), 40);
    // The window is gone before the key comes up again, so xdotool's own result says nothing.
    player().chord("alt+F4");
    EXPECT_EQ(game.waitForExit(), 0) << game.lastOutput();
}

} // namespace
