// The engine in a real window under Xvfb: started from an init helper derived
// from the default one (OpenGL GUI renderer, window values from the settings),
// a screen with a small menu walked by real key presses (xdotool) through the
// menu navigation, the language handed to the GUI and taken back.

#include "engine/GameFrameworkDefaultInitHelper.hpp"

#include "app/DatabaseSeeder.hpp"
#include "app/Language.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameState.hpp"
#include "engine/GuiStepper.hpp"
#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTranslation.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <spawn.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

class WindowTestHelper : public GameFrameworkDefaultInitHelper {
public:
    WindowTestHelper(std::string database, std::string log) : database(std::move(database)), log(std::move(log)) {}
    std::string getDatabasePath() override { return database; }
    std::string getWindowTitle() override { return "Velkors"; }
    std::string getWindowIconPath() override { return ""; }
    CEGUI::String getCeguiLogPath() override { return CEGUI::String(log.c_str()); }
    std::string getCeguiResourceFolderPath() override { return std::string(VELK_SOURCE_DIR) + "/data/gui"; }

private:
    std::string database;
    std::string log;
};

/// Three buttons with translated texts, chained downwards and wrapped; the
/// last one ends the program. Ends by itself after a while, so a lost key
/// cannot hang the test.
class MenuScreen : public GameState {
public:
    void onStateStart() override
    {
        GameState::onStateStart();
        setBackgroundSfColor(sf::Color(20, 30, 60));
        CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
        CEGUI::Window* root = windows.createWindow("DefaultWindow", "Root");
        CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(root);
        const char* texts[] = {"@general.load", "@general.save", "@mapper.untitled"};
        for (int i = 0; i < 3; ++i) {
            CEGUI::Window* button = windows.createWindow("GWEN/Button", "B" + CEGUI::PropertyHelper<int>::toString(i));
            button->setArea(CEGUI::UVector2(CEGUI::UDim(0, 220), CEGUI::UDim(0, 120.0f + 80.0f * i)),
                            CEGUI::USize(CEGUI::UDim(0, 200), CEGUI::UDim(0, 40)));
            button->setText(texts[i]);
            button->subscribeEvent(CEGUI::PushButton::EventClicked,
                                   CEGUI::Event::Subscriber(&MenuScreen::onClicked, this));
            root->addChild(button);
            buttons.push_back(button);
        }
        translateCeguiWindow(root, true);
        for (CEGUI::Window* b : buttons)
            texts_.push_back(ceguiStringToUtf8(b->getText()));

        stepper.clear();
        GuiStepper::Node* node = stepper.getRoot()->connectTo(buttons[0], GuiStepper::Node::All);
        node = node->connectTo(buttons[1], GuiStepper::Node::Down);
        node = node->connectTo(buttons[2], GuiStepper::Node::Down);
        node->connectTo(buttons[0], GuiStepper::Node::Down);
        stepper.activate();
        stepper.stepToDefault();
        started = std::chrono::steady_clock::now();
    }

    void update() override
    {
        stepper.update(GameFramework::Singleton.getSfmlFramework()->getFrameTime());
        if (std::chrono::steady_clock::now() - started > std::chrono::seconds(40))
            app::State::terminate();
    }

    bool onClicked(const CEGUI::EventArgs& args)
    {
        const CEGUI::Window* button = static_cast<const CEGUI::WindowEventArgs&>(args).window;
        clicked.push_back(ceguiStringToUtf8(button->getName()));
        byStepper.push_back(stepper.isDoneAction());
        if (button == buttons[2])
            app::State::terminate();
        return true;
    }

    GuiStepper stepper;
    std::vector<CEGUI::Window*> buttons;
    std::vector<std::string> texts_;
    std::vector<std::string> clicked;
    std::vector<bool> byStepper;
    std::chrono::steady_clock::time_point started;
};

class GameMenuWindowTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override
    {
        databasePath = (folder / "velk.db").string();
        ASSERT_TRUE(app::DatabaseSeeder::update(std::string(VELK_SOURCE_DIR) + "/data/velk.sql", databasePath));
        execute("UPDATE settings SET value='640x480' WHERE name='graphics.resolution';"
                "UPDATE settings SET value='hu' WHERE name='general.lang';");
    }

    void TearDown() override
    {
        GameFramework::Singleton.shutdown();
        if (driver > 0) {
            kill(driver, SIGKILL);
            waitpid(driver, nullptr, 0);
        }
    }

    void execute(const std::string& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(databasePath.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    /// Runs the shell script beside the test, as a player at the keyboard.
    void drive(const std::string& script)
    {
        const std::string full = "set -e\n"
                                 "wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Velkors$' | head -n1)\n"
                                 "xdotool windowfocus \"$wid\"\n"
                                 "sleep 0.5\n"
                                 // Arrows are read as held keys: hold each for a few frames.
                                 "step() { xdotool keydown \"$1\"; sleep 0.2; xdotool keyup \"$1\"; sleep 0.3; }\n"
                                 "press() { xdotool key \"$1\"; sleep 0.3; }\n" +
                                 script;
        char shell[] = "/bin/sh";
        char flag[] = "-c";
        std::vector<char> text(full.begin(), full.end());
        text.push_back('\0');
        char* argv[] = {shell, flag, text.data(), nullptr};
        ASSERT_EQ(posix_spawn(&driver, "/bin/sh", nullptr, nullptr, argv, environ), 0);
    }

    /// The driver's exit code once it is done.
    int driverResult()
    {
        int status = 0;
        waitpid(driver, &status, 0);
        driver = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string databasePath;
    pid_t driver = 0;
};

TEST_F(GameMenuWindowTest, ArrowKeysAndReturnWalkTheMenuInTheChosenLanguage)
{
    GameFramework& engine = GameFramework::Singleton;
    WindowTestHelper helper(databasePath, (folder / "gui.log").string());
    char program[] = "velkors";
    char* argv[] = {program, nullptr};
    ASSERT_TRUE(engine.tryInit({1, argv}, &helper));
    SfmlFramework* sfml = engine.getSfmlFramework();
    ASSERT_NE(sfml->getWindow(), nullptr);
    EXPECT_EQ(sfml->getWindow()->getSize(), sf::Vector2u(640, 480));
    EXPECT_EQ(getCeguiTranslationLanguage(), engine.getLanguage());

    const fs::path shot = folder / "menu.png";
    // Load is focused first. Down: Save; Return presses it. Down: the last
    // button; Down wraps to Load; Up goes back to the last; Return ends.
    drive("step Down\npress Return\nstep Down\nstep Down\nstep Up\n"
          "import -window \"$wid\" '" +
          shot.string() + "'\npress Return\n");

    auto screen = std::make_shared<MenuScreen>();
    sfml->setupState(screen.get());
    velk_test::LogCapture log;
    EXPECT_EQ(engine.run(screen), 0);
    EXPECT_EQ(driverResult(), 0);

    EXPECT_EQ(screen->texts_, (std::vector<std::string>{"Bet\xC3\xB6lt\xC3\xA9s", "Ment\xC3\xA9s", "N\xC3\xA9vtelen"}));
    EXPECT_EQ(screen->clicked, (std::vector<std::string>{"B1", "B2"}));
    EXPECT_EQ(screen->byStepper, (std::vector<bool>{true, true}));
    EXPECT_FALSE(log.contains("<!")) << log.text();

    // The screenshot taken while the last button had the focus: the buttons
    // are drawn over the background, the cursor rests on the focused one.
    sf::Image image;
    ASSERT_TRUE(image.loadFromFile(shot.string()));
    // Kept in the build tree for a look by eye.
    std::error_code ignored;
    fs::copy_file(shot, fs::path(VELK_BINARY_DIR) / "engine-menu.png", fs::copy_options::overwrite_existing, ignored);
    ASSERT_EQ(image.getSize(), sf::Vector2u(640, 480));
    EXPECT_EQ(image.getPixel(20, 20), sf::Color(20, 30, 60));
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(image.getPixel(230, 125 + 80 * i), sf::Color(20, 30, 60)) << "button " << i;
    // Only the focused button shows the hover look.
    EXPECT_EQ(image.getPixel(230, 125), image.getPixel(230, 205));
    EXPECT_NE(image.getPixel(230, 285), image.getPixel(230, 125));
    const sf::Vector2i mouse = sf::Mouse::getPosition(*sfml->getWindow());
    EXPECT_EQ(mouse, sf::Vector2i(320, 300));

    engine.shutdown();
    EXPECT_EQ(getCeguiTranslationLanguage(), nullptr);
}

} // namespace
