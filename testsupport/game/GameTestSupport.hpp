#pragma once

// A private runtime folder for the game (the shipped data linked in, a fresh
// database built from data/velk.sql) and the engine started in it. Unit tests
// run the GUI on CEGUI's null renderer with no window; window tests use the
// game's own start-up values unchanged.

#include "app/DatabaseSeeder.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameInputSource.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/shell/VelkInitHelper.hpp"
#include "testsupport/TempFolder.hpp"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sqlite3.h>
#include <string>

namespace velk_test {

/// A working directory like the game's: "data" holds links to the shipped
/// data and script and its own database. The process works in it while this lives.
class RuntimeFolder {
public:
    explicit RuntimeFolder(bool withDatabase = true) : previous(std::filesystem::current_path())
    {
        namespace fs = std::filesystem;
        const fs::path source = fs::path(VELK_SOURCE_DIR) / "data";
        fs::create_directories(temp.getPath() / "data");
        for (const auto& entry : fs::directory_iterator(source)) {
            const std::string name = entry.path().filename().string();
            if (entry.is_directory())
                fs::create_directory_symlink(entry.path(), temp.getPath() / "data" / name);
        }
        fs::create_symlink(source / "velk.sql", temp.getPath() / "data" / "velk.sql");
        if (withDatabase) {
            EXPECT_TRUE(app::DatabaseSeeder::update((source / "velk.sql").string(),
                                                    (temp.getPath() / "data" / "velk.db").string()));
        }
        fs::current_path(temp.getPath());
    }
    ~RuntimeFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
    }
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

    const std::filesystem::path& path() const { return temp.getPath(); }

private:
    TempFolder temp;
    std::filesystem::path previous;
};

/// The game's helper with the GUI on the null renderer, for tests without a display.
class NullGuiInitHelper : public velk::VelkInitHelper {
public:
    void bootstrapCeguiRenderer() override { CEGUI::NullRenderer::bootstrapSystem(); }
};

/// The engine started in a runtime folder, with no window (unit tests).
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No window: the unit tests must not depend on a display.
        unsetenv("DISPLAY");
        NullGuiInitHelper helper;
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init(std::make_pair(1, argv), &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());
        CEGUI::System::getSingleton().notifyDisplaySizeChanged(CEGUI::Sizef(1024, 768));
    }

    void TearDown() override { GameFramework::Singleton.shutdown(); }

    /// One value of the "settings" table.
    std::string storedSetting(const std::string& key) const
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(GameFramework::Singleton.getDatabase(), "SELECT value FROM settings WHERE name = ?", -1,
                           &statement, nullptr);
        sqlite3_bind_text(statement, 1, key.c_str(), -1, SQLITE_TRANSIENT);
        std::string value;
        if (sqlite3_step(statement) == SQLITE_ROW)
            value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        return value;
    }

    void execute(const std::string& sql) const
    {
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(GameFramework::Singleton.getDatabase(), sql.c_str(), nullptr, nullptr, &error),
                  SQLITE_OK)
            << (error ? error : "");
    }

    RuntimeFolder runtime;
};

/// Input without a display: nothing is held, and the cursor a stepper moves
/// goes straight to the GUI (there is no pointer to warp).
class GuiCursorSource : public GameInputSource {
public:
    class NothingHeld : public fx::InputState {
    public:
        bool isKeyDown(sf::Keyboard::Key) const override { return false; }
        bool isMouseButtonDown(sf::Mouse::Button) const override { return false; }
        bool isJoystickButtonDown(unsigned, unsigned) const override { return false; }
    };

    const fx::InputState& heldInput() const override { return nothing; }
    void setMousePosition(const sf::Vector2i& position) const override
    {
        CEGUI::System::getSingleton().getDefaultGUIContext().injectMousePosition(static_cast<float>(position.x),
                                                                                 static_cast<float>(position.y));
    }

private:
    NothingHeld nothing;
};

/// One frame's events as the window layer hands them to its listeners: a
/// press of the key (and its release).
inline void pressKey(sf::Keyboard::Key key)
{
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    sfml->callListenersPreHandle();
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = sf::Event::KeyEvent{key, false, false, false, false};
    sfml->callListenersHandle(event);
    event.type = sf::Event::KeyReleased;
    sfml->callListenersHandle(event);
}

inline CEGUI::Window* guiRoot()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

inline CEGUI::Window* modalWindow()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getModalWindow();
}

/// Clicks a push button as the mouse would (its Clicked handlers run).
inline void click(CEGUI::Window* button)
{
    CEGUI::WindowEventArgs args(button);
    button->fireEvent(CEGUI::PushButton::EventClicked, args, CEGUI::PushButton::EventNamespace);
}

/// Selects a combo box entry by its text and accepts it, as a player picking
/// it from the drop list does.
inline bool acceptComboItem(CEGUI::Window* window, const CEGUI::String& text)
{
    auto* combo = static_cast<CEGUI::Combobox*>(window);
    CEGUI::ListboxItem* item = combo->findItemWithText(text, nullptr);
    if (!item)
        return false;
    combo->clearAllSelections();
    combo->setItemSelectState(item, true);
    combo->setText(item->getText());
    CEGUI::WindowEventArgs args(combo);
    combo->fireEvent(CEGUI::Combobox::EventListSelectionAccepted, args, CEGUI::Combobox::EventNamespace);
    return true;
}

} // namespace velk_test
