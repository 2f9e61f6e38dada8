#pragma once

// Shared by the engine's unit tests: an input source the test controls, event
// builders, and the engine started without a display (temporary database
// seeded from the shipped script, no window, the GUI on CEGUI's null renderer).

#include "app/DatabaseSeeder.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameFrameworkInitHelper.hpp"
#include "engine/GameInputSource.hpp"
#include "framework/cegui/CeguiFrameworkInitHelper.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/window/TestInitHelper.hpp"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace velk_test {

/// Held keys, focus, mouse movement and joystick axes as the test sets them;
/// cursor moves are recorded (and handed on, e.g. to the GUI).
class FakeInput : public GameInputSource, public fx::InputState {
public:
    bool isWindowFocused() const override { return focused; }
    sf::Vector2i getMouseDelta() const override { return mouseDelta; }
    float getJoystickAxisPosition(unsigned joystick, sf::Joystick::Axis axis) const override
    {
        const auto it = joystickAxes.find({joystick, axis});
        return it == joystickAxes.end() ? 0.0f : it->second;
    }
    const fx::InputState& heldInput() const override { return *this; }
    void setMousePosition(const sf::Vector2i& p) const override
    {
        cursorMoves.push_back(p);
        if (onCursorMove)
            onCursorMove(p);
    }

    bool isKeyDown(sf::Keyboard::Key key) const override { return keys.count(key) != 0; }
    bool isMouseButtonDown(sf::Mouse::Button) const override { return false; }
    bool isJoystickButtonDown(unsigned, unsigned) const override { return false; }

    bool focused = true;
    sf::Vector2i mouseDelta;
    std::map<std::pair<unsigned, sf::Joystick::Axis>, float> joystickAxes;
    std::set<sf::Keyboard::Key> keys;
    mutable std::vector<sf::Vector2i> cursorMoves;
    std::function<void(const sf::Vector2i&)> onCursorMove;
};

inline sf::Event keyEvent(sf::Keyboard::Key key, bool pressed = true)
{
    sf::Event event;
    event.type = pressed ? sf::Event::KeyPressed : sf::Event::KeyReleased;
    event.key = {key, false, false, false, false};
    return event;
}

inline sf::Event wheelEvent(int delta)
{
    sf::Event event;
    event.type = sf::Event::MouseWheelMoved;
    event.mouseWheel = {delta, 0, 0};
    return event;
}

inline std::string shippedScript()
{
    return std::string(VELK_SOURCE_DIR) + "/data/velk.sql";
}

/// An engine init helper with plain fields: a database file, a window helper
/// (no display in unit tests, so no window) and the null GUI renderer.
class HeadlessInitHelper : public GameFrameworkInitHelper, public CeguiFrameworkInitHelper {
public:
    explicit HeadlessInitHelper(std::string databasePath, std::string logPath)
        : databasePath(std::move(databasePath)), logPath(std::move(logPath))
    {}

    void preInit() override
    {
        if (onPreInit)
            onPreInit();
    }
    void postInit() override
    {
        if (onPostInit)
            onPostInit();
    }
    std::string getDatabasePath() override { return databasePath; }
    SfmlFrameworkInitHelper* getSfmlInitHelper() override { return &window; }
    CeguiFrameworkInitHelper* getCeguiInitHelper() override { return this; }

    void bootstrapCeguiRenderer() override { CEGUI::NullRenderer::bootstrapSystem(); }
    CEGUI::String getCeguiLogPath() override { return CEGUI::String(logPath.c_str()); }
    std::string getCeguiResourceFolderPath() override { return std::string(VELK_SOURCE_DIR) + "/data/gui"; }

    std::string databasePath;
    std::string logPath;
    velk_test::TestInitHelper window;
    std::function<void()> onPreInit;
    std::function<void()> onPostInit;
};

/// A seeded database file in a temporary folder and the engine singleton,
/// shut down after each test. Unit tests never open a window: the display is
/// hidden from the process.
class HeadlessEngineTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override
    {
        unsetenv("DISPLAY");
        databasePath = (folder / "velk.db").string();
        ASSERT_TRUE(app::DatabaseSeeder::update(shippedScript(), databasePath));
    }

    void TearDown() override { GameFramework::Singleton.shutdown(); }

    /// Runs SQL on the database file before the engine opens it.
    void execute(const std::string& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(databasePath.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        sqlite3_close(db);
    }

    HeadlessInitHelper helper() const { return HeadlessInitHelper(databasePath, (folder / "gui.log").string()); }

    void start()
    {
        HeadlessInitHelper h = helper();
        start(h);
    }

    void start(GameFrameworkInitHelper& h)
    {
        char program[] = "velkors";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init({1, argv}, &h);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());
    }

    std::string databasePath;
};

} // namespace velk_test
