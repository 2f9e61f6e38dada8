// The play screen without a display: failed loads, ending while loading, the
// GUI after loading in a time trial, in free flight and on empty maps, the time-trial table,
// the menu key, the end of a landed game and its high-score record.

#include "game/play/tests/PlayStateTestSupport.hpp"

#include "app/Language.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/GameLogic.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/model/PlayScreenMath.hpp"
#include "game/play/model/ScoreEntry.hpp"

#include <vector>

namespace {

using playtest::PlayStateTest;

TEST_F(PlayStateTest, FailedLoadsReturnToTheMenuWithTheReason)
{
    velk_test::writeFile("data/map/broken.map.json", "{\"Size\": ");
    velk_test::writeFile("data/map/negative.map.json", R"({"Size": {"X": -4, "Y": 3}})");
    velk_test::writeFile("data/ships/line.ship.json",
                         R"({"Points": {"X": [0, 1], "Y": [0, 0], "R": [0, 0]}, "Parts": []})");
    velk_test::writeFile("data/ships/notjson.ship.json", "<ship/>");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"data/ships/Mole.ship.json", "data/map/broken.map.json"},
        {"data/ships/Mole.ship.json", "data/map/missing.map.json"},
        {"data/ships/Mole.ship.json", "data/map/negative.map.json"},
        {"data/ships/missing.ship.json", "data/map/canyon_run.map.json"},
        {"data/ships/line.ship.json", "data/map/canyon_run.map.json"},
        {"data/ships/notjson.ship.json", "data/map/canyon_run.map.json"},
    };
    for (const auto& [ship, map] : cases) {
        SCOPED_TRACE(ship + " on " + map);
        log.clear();
        start(ship, map);
        screen->waitForLoading();
        EXPECT_TRUE(screen->isLoaded());
        EXPECT_EQ(screen->logic(), nullptr);
        const std::string reason = screen->getLoadFailure();
        EXPECT_TRUE(reason.find(ship) != std::string::npos || reason.find(map) != std::string::npos) << reason;
        EXPECT_TRUE(GameFramework::Singleton.getSfmlFramework()->isCloseEnabled());
        EXPECT_EQ(log.count("[Play] The game cannot be loaded"), 1) << log.text();

        // The next frame leaves the screen and leaves the reason for the menu.
        ASSERT_EQ(app::Main::Singleton.size(), 1u);
        screen->update();
        EXPECT_TRUE(app::Main::Singleton.empty());
        EXPECT_FALSE(screen->isLoadingAnimationRunning());
        EXPECT_FALSE(screen->isGuiReady());
        const std::string notice = velk::PlayState::takeNotice();
        EXPECT_EQ(notice, "The game could not be loaded.\n" + reason);
        EXPECT_EQ(velk::PlayState::takeNotice(), "");
        // A second frame does not leave twice.
        screen->update();
        EXPECT_EQ(velk::PlayState::takeNotice(), "");
        screen->onStateEnd();
        started = false;
    }
}

TEST_F(PlayStateTest, TheFailedLoadNoticeIsInHungarianWithTheFileAsItIs)
{
    GameFramework::Singleton.getLanguage()->setActLangCode("hu");
    const std::string mole = "data/ships/Mole.ship.json";
    const std::string canyon = "data/map/canyon_run.map.json";
    const std::string broken = "data/map/Győző törött pályája.map.json";
    const std::string missing = "data/ships/Őrs hiányzó hajója.ship.json";
    const std::string line = "data/ships/Űrhajó vonalból.ship.json";
    velk_test::writeFile(broken, "{\"Size\": ");
    velk_test::writeFile(line, R"({"Points": {"X": [0, 1], "Y": [0, 0], "R": [0, 0]}, "Parts": []})");
    struct Case {
        std::string ship;
        std::string map;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {mole, broken, "A pálya nem tölthető be: \"" + broken + "\""},
        {missing, canyon, "A hajó nem tölthető be: \"" + missing + "\""},
        {line, canyon, "A hajónak nincs használható körvonala: \"" + line + "\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ship + " on " + c.map);
        start(c.ship, c.map);
        screen->waitForLoading();
        screen->update();
        EXPECT_EQ(velk::PlayState::takeNotice(), "A játékot nem sikerült betölteni.\n" + c.reason);
        screen->onStateEnd();
        started = false;
    }
}

TEST_F(PlayStateTest, EndingOrDroppingTheScreenWhileLoadingWaitsForTheWorker)
{
    start("data/ships/Mole.ship.json", "data/map/canyon_run.map.json");
    // Right after the start the worker is still building.
    screen->onStateEnd();
    started = false;
    EXPECT_TRUE(screen->isLoaded());
    EXPECT_EQ(screen->logic(), nullptr);
    EXPECT_TRUE(GameFramework::Singleton.getSfmlFramework()->isCloseEnabled());

    start("data/ships/Mole.ship.json", "data/map/canyon_run.map.json");
    app::Main::Singleton.popAllStates();
    started = false;
    screen.reset(); // the destructor waits
    EXPECT_TRUE(GameFramework::Singleton.getSfmlFramework()->isCloseEnabled());
}

TEST_F(PlayStateTest, TimeTrialShowsItsDialogWithTheCheckpointTable)
{
    writeLandingMap("data/map/landing.map.json");
    startLoaded("data/ships/Mole.ship.json", "data/map/landing.map.json");
    ASSERT_EQ(screen->logic()->getGameMode(), 1);
    EXPECT_FALSE(screen->isLoadingAnimationRunning());
    EXPECT_EQ(modal(), gui("TimeTrial"));
    EXPECT_TRUE(screen->isTimeTrialOpened());
    EXPECT_FALSE(screen->isMenuOpened());
    EXPECT_FALSE(screen->isGameOverOpened());
    EXPECT_TRUE(cursorShown());
    EXPECT_FALSE(screen->logic()->isActive());
    EXPECT_TRUE(gui("Score")->isVisible());
    EXPECT_EQ(std::string(gui("Score")->getText().c_str()), "0");
    EXPECT_TRUE(gui("Time")->isVisible());

    // Five columns side by side, each a checkpoint image over its score.
    CEGUI::Window* points = gui("TimeTrial/Description/Points");
    ASSERT_EQ(points->getChildCount(), 5u);
    const char* const colours[] = {"FFD8EDFF", "FF3DFFF8", "FFFDFF7D", "FFFF7200", "FFF157FF"};
    const char* const scores[] = {"1000", "2000", "5000", "10000", "25000"};
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        CEGUI::Window* column = points->getChildAtIdx(i);
        EXPECT_FLOAT_EQ(column->getPosition().d_x.d_scale, static_cast<float>(i) * 0.2f);
        EXPECT_FLOAT_EQ(column->getSize().d_width.d_scale, 0.2f);
        EXPECT_FLOAT_EQ(column->getSize().d_width.d_offset, 0.0f);
        EXPECT_EQ(column->getSize().d_height, CEGUI::UDim(1.0f, 0));
        ASSERT_EQ(column->getChildCount(), 2u);
        CEGUI::Window* image = column->getChildAtIdx(0);
        CEGUI::Window* text = column->getChildAtIdx(1);
        EXPECT_EQ(std::string(image->getProperty("Image").c_str()), "Ingame/Checkpoint");
        EXPECT_NE(std::string(image->getProperty("ImageColours").c_str()).find(colours[i]), std::string::npos)
            << image->getProperty("ImageColours");
        EXPECT_EQ(image->getAspectMode(), CEGUI::AM_EXPAND);
        EXPECT_EQ(std::string(text->getText().c_str()), scores[i]);
        EXPECT_EQ(text->getPosition().d_y, CEGUI::UDim(1.0f, -20));
        EXPECT_EQ(text->getSize().d_height, CEGUI::UDim(0, 20));
        EXPECT_EQ(std::string(text->getFont()->getName().c_str()), "TimeTrial");
    }

    // The display face has every Hungarian capital.
    const CEGUI::Font& face = CEGUI::FontManager::getSingleton().get("TimeTrial");
    for (CEGUI::utf32 letter : {0xC1u, 0xC9u, 0xCDu, 0xD3u, 0xD6u, 0x150u, 0xDAu, 0xDCu, 0x170u})
        EXPECT_TRUE(face.isCodepointAvailable(letter)) << std::hex << letter;

    // 'M' does nothing while the dialog is modal.
    frameWithKey(sf::Keyboard::Escape);
    EXPECT_FALSE(screen->isMenuOpened());
    EXPECT_EQ(modal(), gui("TimeTrial"));

    // The back input leaves for the menu below, like "Back".
    screen->getTimeTrialStepper().doBack();
    EXPECT_TRUE(app::Main::Singleton.empty());
}

TEST_F(PlayStateTest, FreeFlightStartsAtOnceAndTheMenuKeyPauses)
{
    writeFreeFlightMap("data/map/free.map.json");
    startLoaded("data/ships/Mole.ship.json", "data/map/free.map.json");
    ASSERT_EQ(screen->logic()->getGameMode(), 0);
    EXPECT_EQ(modal(), nullptr);
    EXPECT_FALSE(cursorShown());
    for (const char* hud : {"Score", "Time", "Landable"})
        EXPECT_FALSE(gui(hud)->isVisible()) << hud;
    for (const char* dialog : {"Menu", "GameOver", "TimeTrial"})
        EXPECT_FALSE(gui(dialog)->isVisible()) << dialog;
    screen->update();
    EXPECT_TRUE(screen->logic()->isActive());

    frameWithKey(sf::Keyboard::Escape);
    EXPECT_EQ(modal(), gui("Menu"));
    EXPECT_TRUE(cursorShown());
    EXPECT_FALSE(screen->logic()->isActive());
    EXPECT_TRUE(screen->getMenuStepper().isActive());
    EXPECT_EQ(screen->getMenuStepper().getActiveNode()->getWindow(), gui("Menu/Resume"));

    // "Save" changes nothing and shows as disabled; 'M' again closes the menu.
    EXPECT_TRUE(gui("Menu/Save")->isDisabled());
    click(gui("Menu/Save"));
    EXPECT_EQ(modal(), gui("Menu"));
    frameWithKey(sf::Keyboard::Escape);
    EXPECT_FALSE(screen->isMenuOpened());
    screen->update();
    EXPECT_TRUE(screen->logic()->isActive());

    // "Resume" closes it too; "Restart" puts a new screen on the same files in its place.
    screen->openMenu();
    click(gui("Menu/Resume"));
    EXPECT_EQ(modal(), nullptr);
    screen->openMenu();
    click(gui("Menu/Restart"));
    EXPECT_EQ(app::Main::Singleton.size(), 1u);
    EXPECT_EQ(screen.use_count(), 1) << "the screen is still on the stack";
    screen->onStateEnd();
    started = false;
    EXPECT_EQ(screen->logic(), nullptr);
}

TEST_F(PlayStateTest, EmptyMapsPlayAsFreeFlightWithoutGround)
{
    // Without "Size", and with a side of 0 (the map editor's fresh map saved as it is).
    velk_test::writeFile("data/map/Üres ő.map.json", "{}");
    velk_test::writeFile("data/map/0x5.map.json", R"({"Size": {"X": 0, "Y": 5}})");
    velk_test::writeFile("data/map/5x0.map.json", R"({"Size": {"X": 5, "Y": 0}})");
    for (const char* map : {"data/map/Üres ő.map.json", "data/map/0x5.map.json", "data/map/5x0.map.json"}) {
        SCOPED_TRACE(map);
        startLoaded("data/ships/Mole.ship.json", map);
        EXPECT_EQ(screen->logic()->getGameMode(), 0);
        for (int frame = 0; frame < 30; ++frame)
            screen->update();
        EXPECT_TRUE(screen->logic()->isActive());
        screen->onStateEnd();
        started = false;
        app::Main::Singleton.popAllStates();
    }
}

TEST_F(PlayStateTest, HudFollowsTheGameEveryFrame)
{
    writeLandingMap("data/map/landing.map.json");
    startLoaded("data/ships/Mole.ship.json", "data/map/landing.map.json");
    click(gui("TimeTrial/Start"));
    velk::GameLogic& game = *screen->logic();
    auto bar = [](const char* path) { return static_cast<CEGUI::ProgressBar*>(gui(path))->getProgress(); };
    auto text = [](const char* path) { return std::string(gui(path)->getText().c_str()); };

    game.addScore(20000);
    game.getShip()->damageShip(30.0f);
    game.getShip()->setFuelRatio(0.25f);
    screen->update();
    // The score counts up toward the game's, not at once.
    const int first = std::stoi(text("Score"));
    EXPECT_GT(first, 0);
    EXPECT_LT(first, game.getScore());
    EXPECT_NEAR(bar("Stats/Health/Bar"), game.getHpRatio(), 1e-6f);
    EXPECT_NEAR(bar("Stats/Fuel/Bar"), game.getFuelRatio(), 1e-6f);
    for (int i = 0; i < 120; ++i)
        screen->update();
    EXPECT_EQ(text("Score"), std::to_string(game.getScore()));
    EXPECT_EQ(text("Time"), velk::formatTrialTime(game.getTrialTime().asMilliseconds()));
    EXPECT_NE(text("Time"), velk::formatTrialTime(0));
}

TEST_F(PlayStateTest, ALandedTrialEndsAndStoresItsScore)
{
    struct Case {
        const char* name;
        bool dropTable;
        bool stored;
    };
    const Case cases[] = {{"Ada Lovász", false, true}, {"", false, true}, {"Bori", true, false}};
    writeLandingMap("data/map/landing.map.json");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startLoaded("data/ships/Mole.ship.json", "data/map/landing.map.json");
        click(gui("TimeTrial/Start"));
        EXPECT_EQ(modal(), nullptr);
        EXPECT_FALSE(cursorShown());

        // The ship falls onto the platform; Return lands it.
        int frames = 0;
        while (!screen->logic()->isLandable() && frames < 600) {
            screen->update();
            ++frames;
        }
        ASSERT_TRUE(screen->logic()->isLandable()) << "the ship never came to rest on the platform";
        screen->update();
        EXPECT_TRUE(gui("Landable")->isVisible());
        input.keys.insert(sf::Keyboard::Return);
        for (int i = 0; i < 5 && !screen->logic()->isEnded(); ++i)
            screen->update();
        input.keys.clear();
        ASSERT_TRUE(screen->logic()->isEnded());
        screen->update();
        EXPECT_EQ(modal(), gui("GameOver"));
        EXPECT_TRUE(gui("Menu/Resume")->isDisabled());
        EXPECT_TRUE(cursorShown());

        // 'M' is ignored once the game has ended.
        frameWithKey(sf::Keyboard::Escape);
        EXPECT_EQ(modal(), gui("GameOver"));

        if (c.dropTable)
            sqlite3_exec(GameFramework::Singleton.getDatabase(), "DROP TABLE scores", nullptr, nullptr, nullptr);
        gui("GameOver/Name")->setText(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(c.name)));
        const int score = screen->logic()->getScore();
        // The stepper's back input is "Ok".
        screen->getGameOverStepper().doBack();
        const std::vector<velk::ScoreEntry> rows = velk::ScoreEntry::getHighscores(
            GameFramework::Singleton.getDatabase());
        if (c.stored) {
            ASSERT_EQ(rows.size(), 1u);
            EXPECT_EQ(rows[0].getName(), c.name);
            EXPECT_EQ(rows[0].getScore(), score);
            EXPECT_EQ(rows[0].getMap(), "landing.map.json");
            EXPECT_EQ(rows[0].getMode(), 1);
            EXPECT_FALSE(screen->isGameOverOpened());
            EXPECT_EQ(modal(), gui("Menu"));
            // After the dialog the menu stays: 'M' does not close it, nor does the game-over open again.
            frameWithKey(sf::Keyboard::Escape);
            EXPECT_EQ(modal(), gui("Menu"));
            EXPECT_FALSE(screen->isGameOverOpened());
        } else {
            // Not stored, not shown as stored: the dialog stays and says so.
            EXPECT_TRUE(rows.empty());
            EXPECT_EQ(modal(), gui("GameOver"));
            EXPECT_EQ(std::string(gui("GameOver/Info")->getText().c_str()), "The score could not be saved.");
            click(gui("GameOver/Cancel"));
            EXPECT_EQ(modal(), gui("Menu"));
        }
        sqlite3_exec(GameFramework::Singleton.getDatabase(), "DELETE FROM scores", nullptr, nullptr, nullptr);
        screen->onStateEnd();
        started = false;
        app::Main::Singleton.popAllStates();
    }
}

} // namespace
