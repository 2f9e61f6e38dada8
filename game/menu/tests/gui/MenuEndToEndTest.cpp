// The real program in a real window, driven by X input (xdotool) as a player
// would: first start without "lang.ini", Hungarian chosen with the keyboard,
// settings changed with the mouse, high scores looked at, Exit. Screenshots
// are read back with ImageMagick's import.

#include "testsupport/app/GameFolder.hpp"
#include "testsupport/window/GameProcess.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using velk_test::waitUntil;

// Where the menu script puts things in the 1024 x 768 window (pixels). Frame
// windows have a 3 px border and a 24 px title bar around their client area.
constexpr int MenuButtonX = 512;
int menuButtonY(int index)
{
    return 235 + 52 * index;
}
constexpr int HighscoresButton = 1, OptionsButton = 4, CreditsButton = 5, ExitButton = 6;
constexpr int SettingsTitleX = 300, SettingsTitleY = 126;
constexpr int FpsDropButtonX = 641, FpsDropButtonY = 291, FpsItem30X = 470, FpsItem30Y = 314;
constexpr int AudioTabX = 291, AudioTabY = 161;
constexpr int MusicTrackX = 500, MusicTrackY = 249;
constexpr int SettingsBackX = 749, SettingsBackY = 590;
constexpr int ScoresHeaderX = 260, ScoresHeaderY = 230, ScoresBackX = 723, ScoresBackY = 578;
constexpr int ScoresTitleX = 770, ScoresTitleY = 156;
constexpr int ScoresRowsLeft = 235, ScoresRowsTop = 244, ScoresRowsWidth = 150, ScoresRowsHeight = 40;
constexpr int SelectorTitleX = 660, SelectorTitleY = 270;

int brightness(const sf::Color& c)
{
    return (c.r + c.g + c.b) / 3;
}

/// The skin's title bars: a clearly blue, lit surface, lighter than the menu art.
bool isTitleBar(const sf::Color& c)
{
    return c.b > c.r + 40 && brightness(c) > 55;
}

bool fullSize(const sf::Image& image)
{
    return image.getSize() == sf::Vector2u(1024, 768);
}

/// How many pixels of a rectangle are bright (text).
int brightPixels(const sf::Image& image, int left, int top, int width, int height)
{
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x)
            count += brightness(image.getPixel(x, y)) > 150 ? 1 : 0;
    }
    return count;
}

/// How many pixels of a rectangle differ between two shots.
int differingPixels(const sf::Image& a, const sf::Image& b, int left, int top, int width, int height)
{
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x)
            count += a.getPixel(x, y) != b.getPixel(x, y) ? 1 : 0;
    }
    return count;
}

/// Light pixels of a label in the 120 x 20 box centred on the point.
int labelPixels(const sf::Image& image, int x, int y)
{
    return brightPixels(image, x - 60, y - 10, 120, 20);
}

class MenuEndToEndTest : public ::testing::Test {
protected:
    void prepare(const std::vector<std::string>& dataFolders)
    {
        folder = std::make_unique<velk_test::GameFolder>(dataFolders);
        ASSERT_TRUE(folder->ready());
    }

    void launch(std::vector<std::string> arguments = {})
    {
        ASSERT_TRUE(game.startWithWindow({VELK_GAME, arguments, folder->path(), folder->logFile(), {}}))
            << "the game showed no window\n" << game.log();
    }

    /// The window as X shows it now; kept under the name for a person to look at.
    sf::Image capture(const std::string& name) { return game.window.capture(shotFolder() / (name + ".png")); }

    /// Captures under the name until the test holds for the whole window.
    bool waitFor(const std::string& name, const std::function<bool(const sf::Image&)>& test)
    {
        return game.window.waitForImage(shotFolder() / (name + ".png"),
                                        [&](const sf::Image& i) { return fullSize(i) && test(i); });
    }

    static fs::path shotFolder()
    {
        const fs::path path = fs::path(VELK_BINARY_DIR) / "screenshots" / "menu";
        fs::create_directories(path);
        return path;
    }

    std::unique_ptr<velk_test::GameFolder> folder;
    velk_test::GameProcess game;
};

TEST_F(MenuEndToEndTest, FirstStartInHungarianThenSettingsThenExit)
{
    prepare({"gui", "glsl", "img", "mus", "snd", "map", "ships", "obj"});
    ASSERT_TRUE(folder->exec("INSERT INTO scores (name, score, map, mode) VALUES ('Zsófi', 2400, 'kráter.map.json', 1), "
                             "('Bence', 1800, 'kráter.map.json', 1)"));
    const fs::path langIni = folder->path() / "lang.ini";
    ASSERT_FALSE(fs::exists(langIni));
    launch();
    const velk_test::XWindowDriver& player = game.window;

    // No "lang.ini": the selector is the modal window over the English menu.
    ASSERT_TRUE(waitFor("1-selector", [](const sf::Image& i) { return isTitleBar(i.getPixel(SelectorTitleX, SelectorTitleY)); }))
        << "no language selector";
    const sf::Image english = capture("1-selector");
    ASSERT_EQ(english.getSize(), sf::Vector2u(1024, 768));

    // Down to "Magyar", press it, down to Done, press it.
    player.key("Down");
    player.key("Down");
    player.key("Return");
    player.key("Down");
    player.key("Return");
    EXPECT_TRUE(waitUntil([&] { return fs::exists(langIni) && velk_test::readFile(langIni) == "hu"; }));
    EXPECT_EQ(fs::exists(langIni) ? velk_test::readFile(langIni) : "", "hu");
    // The selector is gone and the buttons say something else now.
    const auto hungarian = [&](const sf::Image& i) {
        return !isTitleBar(i.getPixel(SelectorTitleX, SelectorTitleY)) &&
               differingPixels(english, i, 400, menuButtonY(ExitButton) - 10, 224, 20) > 20 &&
               differingPixels(english, i, 400, menuButtonY(CreditsButton) - 10, 224, 20) > 20 &&
               labelPixels(i, MenuButtonX, menuButtonY(ExitButton)) > 20;
    };
    EXPECT_TRUE(waitFor("2-menu-hungarian", hungarian));
    const sf::Image menu = capture("2-menu-hungarian");
    ASSERT_TRUE(fullSize(menu));
    EXPECT_FALSE(isTitleBar(menu.getPixel(SelectorTitleX, SelectorTitleY)));
    EXPECT_GT(differingPixels(english, menu, 400, menuButtonY(ExitButton) - 10, 224, 20), 20);
    EXPECT_GT(differingPixels(english, menu, 400, menuButtonY(CreditsButton) - 10, 224, 20), 20);
    EXPECT_GT(labelPixels(menu, MenuButtonX, menuButtonY(ExitButton)), 20);

    // The settings: frame rate 30 from its list, the music four steps lower.
    player.click(MenuButtonX, menuButtonY(OptionsButton));
    EXPECT_TRUE(waitFor("3-settings", [](const sf::Image& i) { return isTitleBar(i.getPixel(SettingsTitleX, SettingsTitleY)); }))
        << "no settings window";
    EXPECT_FALSE(isTitleBar(menu.getPixel(SettingsTitleX, SettingsTitleY)));
    player.click(FpsDropButtonX, FpsDropButtonY);
    player.click(FpsItem30X, FpsItem30Y);
    EXPECT_TRUE(waitUntil([&] { return folder->setting("graphics.fps") == "30"; }));
    EXPECT_EQ(folder->setting("graphics.fps"), "30");
    player.click(AudioTabX, AudioTabY);
    for (int i = 0; i < 4; ++i) {
        // One step at a time: a click the loop has not seen yet is not lost, but
        // waiting keeps the steps from being read as a double click.
        const std::string before = folder->setting("audio.musicvolume");
        player.click(MusicTrackX, MusicTrackY);
        EXPECT_TRUE(waitUntil([&] { return folder->setting("audio.musicvolume") != before; })) << "step " << i;
    }
    capture("4-settings-audio");
    EXPECT_EQ(folder->setting("audio.musicvolume"), "80");
    player.click(SettingsBackX, SettingsBackY);
    EXPECT_TRUE(waitFor("4-settings-closed", [](const sf::Image& i) { return !isTitleBar(i.getPixel(SettingsTitleX, SettingsTitleY)); }));

    // The high scores open and close.
    player.click(MenuButtonX, menuButtonY(HighscoresButton));
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
    player.click(ScoresBackX, ScoresBackY);
    EXPECT_TRUE(waitFor("5-highscores-closed", [](const sf::Image& i) { return !isTitleBar(i.getPixel(ScoresTitleX, ScoresTitleY)); }));

    player.click(MenuButtonX, menuButtonY(ExitButton));
    EXPECT_EQ(game.waitForExit(), 0) << game.log();
    EXPECT_EQ(folder->setting("general.lang"), "en");
}

TEST_F(MenuEndToEndTest, MissingArtAndMusicStillStartTheMenu)
{
    // Only the GUI data: no images, no music.
    prepare({"gui", "glsl"});
    velk_test::writeFile(folder->path() / "lang.ini", "en");
    launch();
    ASSERT_TRUE(waitFor("6-menu-without-art", [](const sf::Image& i) { return labelPixels(i, MenuButtonX, menuButtonY(ExitButton)) > 20; }))
        << "no main menu";
    game.window.click(MenuButtonX, menuButtonY(ExitButton));
    EXPECT_EQ(game.waitForExit(), 0);
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
    game.window.chord("alt+F4");
    EXPECT_EQ(game.waitForExit(), 0);
}

} // namespace
