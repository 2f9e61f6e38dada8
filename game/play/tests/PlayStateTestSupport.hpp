#pragma once

// The play screen without a display: the game's data (no pictures) in a
// runtime folder that is the working directory, the engine on a seeded
// database with the GUI on CEGUI's null renderer, and input the test sets.

#include "app/DatabaseSeeder.hpp"
#include "app/Main.hpp"
#include "engine/GameFramework.hpp"
#include "game/play/PlayState.hpp"
#include "game/play/tests/PlayTestSupport.hpp"
#include "terrain/model/MapTile.hpp"
#include "terrain/model/TileMap.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/engine/EngineTestSupport.hpp"

#include <CEGUI/CEGUI.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace playtest {

class PlayStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("DISPLAY");
        loadCatalogue();
        ASSERT_TRUE(app::DatabaseSeeder::update(velk_test::shippedScript(), database()));
        velk_test::HeadlessInitHelper helper(database(), (runtime.root() / "gui.log").string());
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init({1, argv}, &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());
        CEGUI::System::getSingleton().notifyDisplaySizeChanged(CEGUI::Sizef(1024, 768));
        // A cursor the stepper moves lands in the GUI, as the pointer would.
        input.onCursorMove = [](const sf::Vector2i& p) {
            CEGUI::System::getSingleton().getDefaultGUIContext().injectMousePosition(static_cast<float>(p.x),
                                                                                     static_cast<float>(p.y));
        };
        velk::PlayState::takeNotice();
    }

    void TearDown() override
    {
        app::Main::Singleton.popAllStates();
        if (screen && started)
            screen->onStateEnd();
        screen.reset();
        GameFramework::Singleton.shutdown();
    }

    std::string database() const { return (runtime.root() / "velk.db").string(); }

    /// The screen pushed and started on the files; it loads on its thread.
    void start(const std::string& ship, const std::string& map)
    {
        screen = std::make_shared<velk::PlayState>();
        screen->setInputSource(input);
        screen->setShipFile(ship);
        screen->setMapFile(map);
        app::Main::Singleton.pushState(screen);
        screen->onStateStart();
        started = true;
    }

    /// Started, loaded and one frame run (the GUI is built).
    void startLoaded(const std::string& ship, const std::string& map)
    {
        start(ship, map);
        screen->waitForLoading();
        ASSERT_NE(screen->logic(), nullptr) << screen->getLoadFailure();
        screen->update();
        ASSERT_TRUE(screen->isGuiReady());
    }

    /// One frame in whose events the screen's own keys see a press.
    void frameWithKey(sf::Keyboard::Key key)
    {
        screen->getActions().beforeSfHandle();
        screen->getActions().handleSfEvent(velk_test::keyEvent(key));
        screen->update();
        screen->getActions().beforeSfHandle();
    }

    /// 40 x 30 cells: ground from row 20, a platform on it below the start.
    static void writeLandingMap(const std::string& path)
    {
        TileMap map(40, 30);
        for (unsigned x = 0; x < 40; ++x)
            for (unsigned y = 20; y < 30; ++y)
                map.getTile(x, y) = 1;
        map.getTile(20, 19) = MapTileCodes::Platform;
        map.getTile(20, 15) = MapTileCodes::Start;
        ASSERT_TRUE(map.saveToFile(path));
    }

    /// The same without a platform: free flight.
    static void writeFreeFlightMap(const std::string& path)
    {
        TileMap map(40, 30);
        for (unsigned x = 0; x < 40; ++x)
            for (unsigned y = 20; y < 30; ++y)
                map.getTile(x, y) = 1;
        map.getTile(20, 15) = MapTileCodes::Start;
        ASSERT_TRUE(map.saveToFile(path));
    }

    static CEGUI::Window* gui(const char* path)
    {
        return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow()->getChild(path);
    }
    static CEGUI::Window* modal() { return CEGUI::System::getSingleton().getDefaultGUIContext().getModalWindow(); }
    static bool cursorShown()
    {
        return CEGUI::System::getSingleton().getDefaultGUIContext().getMouseCursor().isVisible();
    }
    static void click(CEGUI::Window* button)
    {
        CEGUI::WindowEventArgs args(button);
        button->fireEvent(CEGUI::PushButton::EventClicked, args, CEGUI::PushButton::EventNamespace);
    }

    RuntimeFolder runtime;
    velk_test::FakeInput input;
    velk_test::LogCapture log;
    std::shared_ptr<velk::PlayState> screen;
    bool started = false;
};

} // namespace playtest
