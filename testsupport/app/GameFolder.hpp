#pragma once

// A fresh runtime folder for a test that starts the game program: the chosen
// folders of the shipped "data" linked in and a new database built from
// data/velk.sql, which the test reads and changes through its own connections.

#include "testsupport/TempFolder.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace velk_test {

class GameFolder {
public:
    /// Every shipped data folder but the maps, which tests usually bring themselves.
    static const std::vector<std::string> AllButMaps;

    explicit GameFolder(const std::vector<std::string>& dataFolders);

    /// Whether the database was built.
    bool ready() const { return seeded; }

    const std::filesystem::path& path() const { return temp.getPath(); }
    std::filesystem::path database() const { return path() / "data" / "velk.db"; }
    /// Where the program's output goes.
    std::filesystem::path logFile() const { return path() / "velk.out"; }

    /// Runs statements; whether all succeeded.
    bool exec(const std::string& sql) const;
    /// The rows of a query, each column as text ("" for NULL).
    std::vector<std::vector<std::string>> rows(const std::string& sql) const;
    /// The value of a "settings" row, "" without one.
    std::string setting(const std::string& key) const;

private:
    TempFolder temp;
    bool seeded = false;
};

} // namespace velk_test
