#include "app/DatabaseSeeder.hpp"

#include "foundation/tools/Log.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

namespace app {

namespace {

bool exec(sqlite3* database, const char* sql, std::string& error)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(database, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK)
        error = message ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

} // namespace

bool DatabaseSeeder::apply(sqlite3* database, const std::string& script)
{
    if (!database) {
        tools::log("Database", "No connection to seed");
        return false;
    }
    std::string error;
    if (!exec(database, "BEGIN IMMEDIATE", error)) {
        tools::log("Database", "Cannot start the seeding transaction: " + error);
        return false;
    }
    if (!exec(database, script.c_str(), error)) {
        std::string ignored;
        exec(database, "ROLLBACK", ignored);
        tools::log("Database", "Seeding script failed, nothing changed: " + error);
        return false;
    }
    if (!exec(database, "COMMIT", error)) {
        std::string ignored;
        exec(database, "ROLLBACK", ignored);
        tools::log("Database", "Cannot commit the seeding: " + error);
        return false;
    }
    return true;
}

bool DatabaseSeeder::readScript(const std::string& path, std::string& script)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        tools::log("Database", "Cannot read the script " + path);
        return false;
    }
    script.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        tools::log("Database", "Cannot read the script " + path);
        return false;
    }
    return true;
}

bool DatabaseSeeder::applyToFile(const std::string& script, const std::string& path, bool create)
{
    sqlite3* database = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &database, flags, nullptr) != SQLITE_OK) {
        tools::log("Database", "Cannot open " + path + ": " + (database ? sqlite3_errmsg(database) : "out of memory"));
        sqlite3_close(database);
        return false;
    }
    // Another program (the game, another build) may hold the file for a moment.
    sqlite3_busy_timeout(database, 10000);
    const bool applied = apply(database, script);
    if (sqlite3_close(database) != SQLITE_OK) {
        tools::log("Database", "Cannot close " + path);
        return false;
    }
    return applied;
}

bool DatabaseSeeder::update(const std::string& scriptPath, const std::string& databasePath)
{
    std::string script;
    if (!readScript(scriptPath, script))
        return false;

    std::error_code ec;
    if (fs::exists(databasePath, ec)) {
        if (!applyToFile(script, databasePath, false))
            return false;
        tools::log("Database", "Updated " + databasePath);
        return true;
    }

    const fs::path target(databasePath);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    const std::string temporary = databasePath + ".tmp" + std::to_string(::getpid());
    fs::remove(temporary, ec);
    if (!applyToFile(script, temporary, true)) {
        fs::remove(temporary, ec);
        return false;
    }
    // A hard link never replaces an existing file, unlike a rename: a database
    // that appeared meanwhile is kept and updated instead.
    std::error_code linkError;
    fs::create_hard_link(temporary, databasePath, linkError);
    if (linkError && !fs::exists(databasePath, ec)) {
        // No hard links on this file system: fall back to a rename.
        fs::rename(temporary, databasePath, ec);
        if (ec) {
            tools::log("Database", "Cannot move " + temporary + " to " + databasePath + ": " + ec.message());
            fs::remove(temporary, ec);
            return false;
        }
        tools::log("Database", "Created " + databasePath);
        return true;
    }
    fs::remove(temporary, ec);
    if (linkError)
        return update(scriptPath, databasePath);
    tools::log("Database", "Created " + databasePath);
    return true;
}

} // namespace app
