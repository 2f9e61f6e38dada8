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
