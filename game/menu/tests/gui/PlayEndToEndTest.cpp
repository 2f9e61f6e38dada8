// The real program in a real window, driven by X input (xdotool) as a player
// would, from a fresh runtime folder: main menu, New game, a ship and a map
// picked with the keyboard, the loading animation, the time-trial dialog, a
// landing on the platform below the start, the game-over dialog, a name, the
// row in "scores" and in the menu's high-score view. A second run starts a
// corrupt map and comes back to the menu with the reason; a third closes and
// presses Escape while the game loads. Screenshots are read back with
// ImageMagick's import and kept under screenshots/play/<test>.

#include "app/DatabaseSeeder.hpp"
#include "terrain/model/MapTile.hpp"
#include "terrain/model/TileMap.hpp"
#include "testsupport/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>

#include <X11/Xlib.h>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Where the scripts put things in the 1024 x 768 window (pixels). Frame
// windows have a 3 px border and a 24 px title bar.
constexpr int MenuButtonX = 512;
int menuButtonY(int index)
{
    return 235 + 52 * index;
}
constexpr int ExitButton = 6;
// Title bars of the centred frame windows, right of their titles' text.
constexpr int NewGameTitleX = 790, NewGameTitleY = 176;   // 600 x 440
constexpr int TrialTitleX = 790, TrialTitleY = 216;       // 600 x 360
constexpr int GameOverTitleX = 720, GameOverTitleY = 271; // 440 x 250
constexpr int NoticeTitleX = 760, NoticeTitleY = 266;     // 520 x 260
constexpr int ScoresRowsLeft = 235, ScoresRowsTop = 244, ScoresRowsWidth = 150, ScoresRowsHeight = 40;

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

/// The skin's cyan (bars, focus frames).
bool isSkinBlue(const sf::Color& c)
{
    return c.b > c.r + 20 && brightness(c) > 35;
}

/// The skin's title bars: a clearly blue, lit surface, lighter than the menu art.
bool isTitleBar(const sf::Color& c)
{
    return c.b > c.r + 40 && brightness(c) > 55;
}

/// Pixels of a rectangle for which the test holds.
int countPixels(const sf::Image& image, int left, int top, int width, int height,
                const std::function<bool(const sf::Color&)>& test)
{
    int count = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            count += test(image.getPixel(x, y)) ? 1 : 0;
    return count;
}

bool isBright(const sf::Color& c)
{
    return brightness(c) > 150;
}

/// The main menu: the Exit button's label is lit.
bool menuShown(const sf::Image& image)
{
    return countPixels(image, MenuButtonX - 60, menuButtonY(ExitButton) - 10, 120, 20, isBright) > 20;
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

class PlayEndToEndTest : public ::testing::Test {
protected:
    /// A runtime folder with the shipped data linked in (the maps aside: the
    /// test writes its own), "lang.ini" and a new database.
    void prepare()
    {
        const fs::path source = fs::path(VELK_SOURCE_DIR) / "data";
        fs::create_directories(folder.getPath() / "data" / "map");
        for (const char* name : {"gui", "glsl", "img", "mus", "snd", "obj", "ships"})
            fs::create_directory_symlink(source / name, folder.getPath() / "data" / name);
        ASSERT_TRUE(app::DatabaseSeeder::update((source / "velk.sql").string(), database()));
        velk_test::writeFile(folder.getPath() / "lang.ini", "en");
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
        ASSERT_TRUE(map.saveToFile((folder.getPath() / "data" / "map" / name).string()));
    }

    std::string database() const { return (folder.getPath() / "data" / "velk.db").string(); }
    fs::path logFile() const { return folder.getPath() / "velk.out"; }
    std::string log() const { return velk_test::readFile(logFile()); }

    void launch()
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, logFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const fs::path previous = fs::current_path();
        fs::current_path(folder.getPath());
        char* argv[] = {const_cast<char*>(VELK_GAME), nullptr};
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
        for (int i = 0; i < 300 && running(); ++i)
            std::this_thread::sleep_for(50ms);
        return running() ? -1 : exitCode;
    }

    /// Whether the game still runs; reaps it (keeping its exit code) once it ended.
    bool running()
    {
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
            pid = 0;
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return pid > 0;
    }

    /// A key held long enough for the frame loop to see it down.
    void key(const std::string& name, std::chrono::milliseconds after = 250ms)
    {
        ASSERT_EQ(std::system(("xdotool keydown --window " + window + " " + name).c_str()), 0);
        std::this_thread::sleep_for(120ms);
        ASSERT_EQ(std::system(("xdotool keyup --window " + window + " " + name).c_str()), 0);
        std::this_thread::sleep_for(after);
    }

    void type(const std::string& text)
    {
        ASSERT_EQ(std::system(("xdotool type --delay 120 --window " + window + " '" + text + "'").c_str()), 0);
        std::this_thread::sleep_for(300ms);
    }

    void click(int x, int y)
    {
        const std::string command = "xdotool mousemove --sync --window " + window + " " + std::to_string(x) + " " +
                                    std::to_string(y) + " click 1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::this_thread::sleep_for(300ms);
    }

    /// Asks the window to close, as a window manager's close button does.
    void requestClose()
    {
        // The window may be gone already: an X error must not end the test.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        Display* display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = static_cast<Window>(std::stoul(window));
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
        XFlush(display);
        XCloseDisplay(display);
    }

    /// The window as X shows it; kept under the name for a person to look at.
    sf::Image capture(const std::string& name, std::chrono::milliseconds settle = 400ms)
    {
        std::this_thread::sleep_for(settle);
        const fs::path file = shotFolder() / (name + ".png");
        EXPECT_EQ(std::system(("import -window " + window + " '" + file.string() + "' 2>/dev/null").c_str()), 0);
        sf::Image image;
        EXPECT_TRUE(image.loadFromFile(file.string()));
        return image;
    }

    /// Captures until the test holds (about 20 seconds at most).
    bool waitFor(const std::string& name, const std::function<bool(const sf::Image&)>& test)
    {
        for (int i = 0; i < 60; ++i) {
            const sf::Image image = capture(name, 100ms);
            if (image.getSize().x == 1024 && test(image))
                return true;
            std::this_thread::sleep_for(250ms);
        }
        return false;
    }

    /// One folder per test: the tests may run side by side.
    static fs::path shotFolder()
    {
        const fs::path path = fs::path(VELK_BINARY_DIR) / "screenshots" / "play" /
                              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(path);
        return path;
    }

    struct Row {
        std::string name;
        int score = 0;
        std::string map;
        int mode = -1;
    };

    std::vector<Row> scores() const
    {
        std::vector<Row> rows;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(database().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(db, "SELECT name, score, map, mode FROM scores", -1, &statement, nullptr);
            while (statement && sqlite3_step(statement) == SQLITE_ROW) {
                Row row;
                row.name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
                row.score = sqlite3_column_int(statement, 1);
                row.map = reinterpret_cast<const char*>(sqlite3_column_text(statement, 2));
                row.mode = sqlite3_column_int(statement, 3);
                rows.push_back(row);
            }
            sqlite3_finalize(statement);
        }
        sqlite3_close(db);
        return rows;
    }

    /// Main menu, New game, the first map and the first ship, Start: by
    /// keyboard, once the pointer has put the menu's focus on "New game".
    void startFirstShipOnFirstMap()
    {
        const std::string move = "xdotool mousemove --sync --window " + window + " " + std::to_string(MenuButtonX) +
                                 " " + std::to_string(menuButtonY(0));
        ASSERT_EQ(std::system(move.c_str()), 0);
        std::this_thread::sleep_for(300ms);
        key("Return");
        ASSERT_TRUE(waitFor("1-newgame", [](const sf::Image& i) { return isTitleBar(i.getPixel(NewGameTitleX, NewGameTitleY)); }))
            << "no new-game window";
        key("Up");     // Cancel -> map list
        key("Return"); // its first map
        key("Left");   // ship list
        key("Return"); // its first ship
        key("Down");   // Start
        key("Return", 0ms);
    }

    velk_test::TempFolder folder;
    pid_t pid = 0;
    int exitCode = -1;
    std::string window;
};

TEST_F(PlayEndToEndTest, FromTheMenuToALandingAndAHighScore)
{
    prepare();
    writeLandingMap("landing.map.json");
    launch();
    ASSERT_TRUE(waitFor("0-menu", menuShown))
        << "no main menu";
    startFirstShipOnFirstMap();

    // The loading animation shows while the game is built, if the capture is
    // quick enough; the window test of the screen checks it frame by frame.
    const sf::Image loading = capture("2-loading", 0ms);
    const int warm = countPixels(loading, 432, 304, 160, 160, isWarm);
    const int rock = countPixels(loading, 432, 304, 160, 160, isMoonRock);
    std::printf("loading capture: %d warm and %d rock pixels in the centre\n", warm, rock);

    // Loaded: the time-trial dialog with its checkpoint table.
    ASSERT_TRUE(waitFor("3-timetrial", [](const sf::Image& i) { return isTitleBar(i.getPixel(TrialTitleX, TrialTitleY)); }))
        << "no time-trial dialog\n" << log();
    EXPECT_NE(log().find("[MMS] Start game: Ship: Dragonfly.ship.json(data/ships/Dragonfly.ship.json), Map: "
                         "landing.map.json(data/map/landing.map.json)"),
              std::string::npos);
    key("Down");   // Start
    key("Return");

    // In flight: the clock at the top left and the bars at the bottom left.
    const sf::Image hud = capture("4-hud-in-flight", 100ms);
    EXPECT_FALSE(isTitleBar(hud.getPixel(TrialTitleX, TrialTitleY))) << "the dialog is still open";
    EXPECT_GT(countPixels(hud, 24, 12, 200, 48, isBright), 30) << "no clock";
    EXPECT_GT(countPixels(hud, 112, 689, 200, 60, [](const sf::Color& c) { return isSkinBlue(c) || isBright(c); }), 100)
        << "no health and fuel bars";

    // The ship settles on the platform; the landing hint comes up; Return lands.
    ASSERT_TRUE(waitFor("5-landable", [](const sf::Image& i) {
        return countPixels(i, 312, 658, 400, 34, [](const sf::Color& c) { return c.b > 180 && c.g > 150 && c.r < 120; }) > 40;
    })) << "the ship never showed as landable\n" << log();
    key("Return", 500ms);
    const sf::Image gameOver = capture("6-gameover");
    ASSERT_TRUE(isTitleBar(gameOver.getPixel(GameOverTitleX, GameOverTitleY))) << "no game-over dialog";

    // The name goes straight into the box; Escape stores it like "Ok".
    type("Ada");
    capture("7-gameover-name");
    key("Escape", 500ms);
    const std::vector<Row> rows = scores();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "Ada");
    EXPECT_EQ(rows[0].map, "landing.map.json");
    EXPECT_EQ(rows[0].mode, 1);
    capture("8-menu-after-game");

    // The menu: Resume is disabled; down twice to "Main menu".
    key("Down");
    key("Down");
    key("Return", 500ms);
    ASSERT_TRUE(waitFor("9-main-menu", menuShown))
        << "not back in the main menu";

    // The high-score view lists the new row.
    click(MenuButtonX, menuButtonY(1));
    const sf::Image view = capture("10-highscores");
    EXPECT_GT(countPixels(view, ScoresRowsLeft, ScoresRowsTop, ScoresRowsWidth, ScoresRowsHeight, isBright), 20);
    key("Escape");
    click(MenuButtonX, menuButtonY(ExitButton));
    EXPECT_EQ(waitForExit(), 0) << log();
}

TEST_F(PlayEndToEndTest, ACorruptMapComesBackToTheMenuWithTheReason)
{
    prepare();
    velk_test::writeFile(folder.getPath() / "data" / "map" / "broken.map.json", "{\"Size\": {\"X\": 4");
    launch();
    ASSERT_TRUE(waitFor("20-menu", menuShown));
    startFirstShipOnFirstMap();
    ASSERT_TRUE(waitFor("21-notice", [](const sf::Image& i) { return isTitleBar(i.getPixel(NoticeTitleX, NoticeTitleY)); }))
        << "no notice\n" << log();
    EXPECT_NE(log().find("[Play] The game cannot be loaded (ship \"data/ships/Dragonfly.ship.json\", map "
                         "\"data/map/broken.map.json\")"),
              std::string::npos)
        << log();
    key("Return", 500ms); // OK
    const sf::Image menu = capture("22-menu-after-notice");
    EXPECT_FALSE(isTitleBar(menu.getPixel(NoticeTitleX, NoticeTitleY)));
    click(MenuButtonX, menuButtonY(ExitButton));
    EXPECT_EQ(waitForExit(), 0) << log();
}

TEST_F(PlayEndToEndTest, ClosingAndEscapeWhileLoadingAreSafe)
{
    prepare();
    // The largest shipped map takes the longest to build.
    fs::copy_file(fs::path(VELK_SOURCE_DIR) / "data" / "map" / "open_caverns.map.json",
                  folder.getPath() / "data" / "map" / "open_caverns.map.json");
    launch();
    ASSERT_TRUE(waitFor("30-menu", menuShown));
    startFirstShipOnFirstMap();
    // Into the loading: close requests (refused while the game is built) and
    // Escape (which opens nothing).
    std::this_thread::sleep_for(150ms);
    for (int i = 0; i < 3 && running(); ++i) {
        requestClose();
        // The window may be gone by now: no check of xdotool's result.
        const std::string escape = "xdotool key --window " + window + " Escape 2>/dev/null";
        [[maybe_unused]] const int ignored = std::system(escape.c_str());
        std::this_thread::sleep_for(50ms);
    }
    // Either the window closed (a request came just before the build began)
    // or the game loaded with no menu opened by the early Escape.
    if (running()) {
        std::printf("the game survived the close requests\n");
        ASSERT_TRUE(waitFor("31-loaded", [](const sf::Image& i) { return isTitleBar(i.getPixel(TrialTitleX, TrialTitleY)); }))
            << log();
        requestClose();
    }
    EXPECT_EQ(waitForExit(), 0) << log();
}

} // namespace
