#include "testsupport/app/GameFolder.hpp"

#include "app/DatabaseSeeder.hpp"

#include <sqlite3.h>

namespace velk_test {

namespace fs = std::filesystem;

const std::vector<std::string> GameFolder::AllButMaps{"gui", "glsl", "img", "mus", "snd", "obj", "ships"};

GameFolder::GameFolder(const std::vector<std::string>& dataFolders)
{
    const fs::path source = fs::path(VELK_SOURCE_DIR) / "data";
    fs::create_directories(path() / "data");
    for (const std::string& name : dataFolders) {
        if (fs::exists(source / name))
            fs::create_directory_symlink(source / name, path() / "data" / name);
    }
    seeded = app::DatabaseSeeder::update((source / "velk.sql").string(), database().string());
}

bool GameFolder::exec(const std::string& sql) const
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(database().c_str(), &db) == SQLITE_OK;
    ok = ok && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

std::vector<std::vector<std::string>> GameFolder::rows(const std::string& sql) const
{
    std::vector<std::vector<std::string>> result;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const unsigned char* text = sqlite3_column_text(statement, i);
                row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
            }
            result.push_back(row);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

std::string GameFolder::setting(const std::string& key) const
{
    std::string quoted;
    for (char c : key)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    const auto found = rows("SELECT value FROM settings WHERE name = '" + quoted + "'");
    return found.empty() || found[0].empty() ? "" : found[0][0];
}

} // namespace velk_test
