#pragma once

// Shared by the play-mode tests: a runtime folder that holds the game's data
// (object files, maps, ships, sounds) and becomes the working directory, as
// the game runs from its own root. Unit tests leave the pictures out, since
// making a texture needs a display; window tests keep them.

#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace playtest {

namespace fs = std::filesystem;

inline fs::path sourceData()
{
    return fs::path(VELK_SOURCE_DIR) / "data";
}

/// Copies the tree below `from` to `to`; pictures only when asked.
inline void copyTree(const fs::path& from, const fs::path& to, bool withPictures)
{
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            fs::create_directories(target);
        } else if (withPictures || entry.path().extension() != ".png") {
            fs::create_directories(target.parent_path());
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
        }
    }
}

/// The game's data in a temporary folder that is the working directory while
/// the object lives.
class RuntimeFolder {
public:
    explicit RuntimeFolder(bool withPictures = false) : previous(fs::current_path())
    {
        const fs::path data = temp.getPath() / "data";
        for (const char* sub : {"obj", "map", "ships"})
            copyTree(sourceData() / sub, data / sub, withPictures);
        // Sounds need no display and are many: linked, not copied.
        fs::create_directories(data);
        fs::create_directory_symlink(sourceData() / "snd", data / "snd");
        if (withPictures) {
            fs::create_directory_symlink(sourceData() / "img", data / "img");
            fs::create_directory_symlink(sourceData() / "gui", data / "gui");
        }
        fs::current_path(temp.getPath());
    }
    ~RuntimeFolder() { fs::current_path(previous); }
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

    const fs::path& root() const { return temp.getPath(); }

private:
    velk_test::TempFolder temp;
    fs::path previous;
};

} // namespace playtest

#include "engine/GameInputSource.hpp"
#include "framework/fx/InputState.hpp"
#include "game/ship/backend/ShipPartStore.hpp"
#include "testsupport/app/TestDatabase.hpp"

#include <set>

namespace playtest {

/// Held keys and focus as the test sets them; no display needed.
class FakeInput : public GameInputSource, public fx::InputState {
public:
    bool isWindowFocused() const override { return focused; }
    sf::Vector2i getMouseDelta() const override { return sf::Vector2i(); }
    float getJoystickAxisPosition(unsigned, sf::Joystick::Axis) const override { return 0.0f; }
    const fx::InputState& heldInput() const override { return *this; }
    void setMousePosition(const sf::Vector2i&) const override {}

    bool isKeyDown(sf::Keyboard::Key key) const override { return keys.count(key) != 0; }
    bool isMouseButtonDown(sf::Mouse::Button) const override { return false; }
    bool isJoystickButtonDown(unsigned, unsigned) const override { return false; }

    bool focused = true;
    std::set<sf::Keyboard::Key> keys;
};

/// Loads the game's part catalogue from the shipped database script, once.
inline void loadCatalogue()
{
    static const bool loaded = [] {
        velk_test::TestDatabase db;
        return db.seeded() && velk::backend::ShipPartStore::Singleton.loadFromDatabase(db.get());
    }();
    ASSERT_TRUE(loaded);
}

} // namespace playtest
