// The real program in a real window, driven by X input (xdotool) as a player
// would: first start without "lang.ini", Hungarian chosen with the keyboard,
// settings changed with the mouse, high scores looked at, Exit. Screenshots
// are read back with ImageMagick's import.

#include "app/DatabaseSeeder.hpp"
#include "testsupport/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

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

std::string output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

int brightness(const sf::Color& c)
{
    return (c.r + c.g + c.b) / 3;
}

/// The skin's title bars: a clearly blue, lit surface, lighter than the menu art.
bool isTitleBar(const sf::Color& c)
{
    return c.b > c.r + 40 && brightness(c) > 55;
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

class MenuEndToEndTest : public ::testing::Test {
protected:
    /// A runtime folder with the named data subfolders linked and a new database.
    void prepare(std::initializer_list<const char*> dataFolders)
    {
        const fs::path source = fs::path(VELK_SOURCE_DIR) / "data";
        fs::create_directories(folder.getPath() / "data");
        for (const char* name : dataFolders) {
            if (fs::exists(source / name))
                fs::create_directory_symlink(source / name, folder.getPath() / "data" / name);
        }
        ASSERT_TRUE(app::DatabaseSeeder::update((source / "velk.sql").string(), database()));
    }

    void execute(const std::string& sql) const
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(database().c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    std::string database() const { return (folder.getPath() / "data" / "velk.db").string(); }
    fs::path logFile() const { return folder.getPath() / "velk.out"; }

    void launch(const char* argument = nullptr)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, logFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const fs::path previous = fs::current_path();
        fs::current_path(folder.getPath());
        char* argv[] = {const_cast<char*>(VELK_GAME), const_cast<char*>(argument), nullptr};
        const int rc = posix_spawn(&pid, VELK_GAME, &actions, nullptr, argv, environ);
        fs::current_path(previous);
        posix_spawn_file_actions_destroy(&actions);
        ASSERT_EQ(rc, 0);
        window = output("timeout 30 xdotool search --sync --onlyvisible --name '^Velkors$' 2>/dev/null | head -n1");
        ASSERT_FALSE(window.empty()) << "the game showed no window";
    }

    void TearDown() override
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    /// The exit code once the game has ended by itself, or -1.
    int waitForExit()
    {
        for (int i = 0; i < 200; ++i) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(50ms);
        }
        return -1;
    }

    /// A key held long enough for the frame loop to see it down.
    void key(const std::string& name)
    {
        ASSERT_EQ(std::system(("xdotool keydown --window " + window + " " + name).c_str()), 0);
        std::this_thread::sleep_for(120ms);
        ASSERT_EQ(std::system(("xdotool keyup --window " + window + " " + name).c_str()), 0);
        std::this_thread::sleep_for(250ms);
    }

    void click(int x, int y)
    {
        const std::string command = "xdotool mousemove --sync --window " + window + " " + std::to_string(x) + " " +
                                    std::to_string(y) + " click 1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::this_thread::sleep_for(300ms);
    }

    /// The window as X shows it, a few frames after the last change; kept
    /// under the name for a person to look at.
    sf::Image capture(const std::string& name)
    {
        std::this_thread::sleep_for(400ms);
        const fs::path file = shotFolder() / (name + ".png");
        EXPECT_EQ(std::system(("import -window " + window + " '" + file.string() + "'").c_str()), 0);
        sf::Image image;
        EXPECT_TRUE(image.loadFromFile(file.string()));
        return image;
    }

    /// Waits until the pixel shows a title bar (the GUI has drawn).
    bool waitForTitleBar(int x, int y)
    {
        for (int i = 0; i < 40; ++i) {
            if (isTitleBar(capture("waiting").getPixel(x, y)))
                return true;
            std::this_thread::sleep_for(250ms);
        }
        return false;
    }

    /// Waits until a button's label shows around the point.
    bool waitForLabel(int x, int y)
    {
        for (int i = 0; i < 40; ++i) {
            if (labelPixels(capture("waiting"), x, y) > 20)
                return true;
            std::this_thread::sleep_for(250ms);
        }
        return false;
    }

    /// Light pixels of a label in the 120 x 20 box centred on the point.
    static int labelPixels(const sf::Image& image, int x, int y) { return brightPixels(image, x - 60, y - 10, 120, 20); }

    static fs::path shotFolder()
    {
        const fs::path path = fs::path(VELK_BINARY_DIR) / "screenshots" / "menu";
        fs::create_directories(path);
        return path;
    }

    std::string setting(const std::string& key) const
    {
        sqlite3* db = nullptr;
        std::string value;
        if (sqlite3_open_v2(database().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(db, "SELECT value FROM settings WHERE name = ?", -1, &statement, nullptr);
            sqlite3_bind_text(statement, 1, key.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(statement) == SQLITE_ROW)
                value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            sqlite3_finalize(statement);
        }
        sqlite3_close(db);
        return value;
    }

    velk_test::TempFolder folder;
    pid_t pid = 0;
    std::string window;
};

TEST_F(MenuEndToEndTest, FirstStartInHungarianThenSettingsThenExit)
{
    prepare({"gui", "glsl", "img", "mus", "snd", "map", "ships", "obj"});
    execute("INSERT INTO scores (name, score, map, mode) VALUES ('Zsófi', 2400, 'kráter.map.json', 1), "
            "('Bence', 1800, 'kráter.map.json', 1)");
    ASSERT_FALSE(fs::exists(folder / "lang.ini"));
    launch();

    // No "lang.ini": the selector is the modal window over the English menu.
    ASSERT_TRUE(waitForTitleBar(SelectorTitleX, SelectorTitleY)) << "no language selector";
    const sf::Image english = capture("1-selector");
    ASSERT_EQ(english.getSize(), sf::Vector2u(1024, 768));

    // Down to "Magyar", press it, down to Done, press it.
    key("Down");
    key("Down");
    key("Return");
    key("Down");
    key("Return");
    const sf::Image menu = capture("2-menu-hungarian");
    EXPECT_EQ(fs::exists(folder / "lang.ini") ? velk_test::readFile(folder / "lang.ini") : "", "hu");
    // The selector is gone and the buttons say something else now.
    EXPECT_FALSE(isTitleBar(menu.getPixel(SelectorTitleX, SelectorTitleY)));
    EXPECT_GT(differingPixels(english, menu, 400, menuButtonY(ExitButton) - 10, 224, 20), 20);
    EXPECT_GT(differingPixels(english, menu, 400, menuButtonY(CreditsButton) - 10, 224, 20), 20);
    EXPECT_GT(labelPixels(menu, MenuButtonX, menuButtonY(ExitButton)), 20);

    // The settings: frame rate 30 from its list, the music four steps lower.
    click(MenuButtonX, menuButtonY(OptionsButton));
    const sf::Image settings = capture("3-settings");
    EXPECT_TRUE(isTitleBar(settings.getPixel(SettingsTitleX, SettingsTitleY)));
    EXPECT_FALSE(isTitleBar(menu.getPixel(SettingsTitleX, SettingsTitleY)));
    click(FpsDropButtonX, FpsDropButtonY);
    click(FpsItem30X, FpsItem30Y);
    EXPECT_EQ(setting("graphics.fps"), "30");
    click(AudioTabX, AudioTabY);
    for (int i = 0; i < 4; ++i)
        click(MusicTrackX, MusicTrackY);
    capture("4-settings-audio");
    EXPECT_EQ(setting("audio.musicvolume"), "80");
    click(SettingsBackX, SettingsBackY);

    // The high scores open and close.
    click(MenuButtonX, menuButtonY(HighscoresButton));
    const sf::Image scores = capture("5-highscores");
    EXPECT_NE(scores.getPixel(ScoresHeaderX, ScoresHeaderY), menu.getPixel(ScoresHeaderX, ScoresHeaderY));
    // Two rows of text under the header.
    EXPECT_GT(brightPixels(scores, ScoresRowsLeft, ScoresRowsTop, ScoresRowsWidth, ScoresRowsHeight), 40);
    EXPECT_TRUE(isTitleBar(scores.getPixel(ScoresTitleX, ScoresTitleY)));
    EXPECT_GT(labelPixels(scores, ScoresBackX, ScoresBackY), 20);
    click(ScoresBackX, ScoresBackY);

    click(MenuButtonX, menuButtonY(ExitButton));
    EXPECT_EQ(waitForExit(), 0) << velk_test::readFile(logFile());
    EXPECT_EQ(setting("general.lang"), "en");
}

TEST_F(MenuEndToEndTest, MissingArtAndMusicStillStartTheMenu)
{
    // Only the GUI data: no images, no music.
    prepare({"gui", "glsl"});
    velk_test::writeFile(folder / "lang.ini", "en");
    launch();
    ASSERT_TRUE(waitForLabel(MenuButtonX, menuButtonY(ExitButton))) << "no main menu";
    capture("6-menu-without-art");
    click(MenuButtonX, menuButtonY(ExitButton));
    EXPECT_EQ(waitForExit(), 0);
    const std::string log = velk_test::readFile(logFile());
    EXPECT_NE(log.find("[MainMenu] Menu music \"data/mus/Menu - Dovidi.ogg\" cannot be opened"), std::string::npos);
    EXPECT_NE(log.find("[Assets] Cannot load texture \"data/img/mainmenu/MainMenu_contentholder.png\""),
              std::string::npos);
}

TEST_F(MenuEndToEndTest, GuiTestScreenByCommandLineAndAltF4)
{
    prepare({"gui", "glsl"});
    launch("--guitest");
    std::this_thread::sleep_for(1s);
    const sf::Image shot = capture("7-guitest");
    // Its own background colour, and the list drawn over it.
    EXPECT_EQ(shot.getPixel(900, 700), sf::Color(100, 150, 200));
    EXPECT_LT(brightness(shot.getPixel(100, 200)), 40);
    // The window is gone before the key comes up again, so xdotool's own result says nothing.
    [[maybe_unused]] const int ignored = std::system(("xdotool key --window " + window + " alt+F4").c_str());
    EXPECT_EQ(waitForExit(), 0);
}

} // namespace
