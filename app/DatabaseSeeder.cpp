#include "app/DatabaseSeeder.hpp"

#include "foundation/tools/AtomicFile.hpp"
#include "foundation/tools/Log.hpp"
#include "foundation/tools/RegularFile.hpp"

#include <ctime>
#include <filesystem>
#include <regex>
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

/// SQLite's own files beside a database, which belong to it wherever it goes.
const char* const kCompanions[] = {"-journal", "-wal", "-shm"};

/// Whether SQLite cannot make sense of the file at all, as opposed to a file
/// that is busy, locked or out of reach, which must be left alone.
bool unreadable(const std::string& path, std::string& cause)
{
    sqlite3* database = nullptr;
    // Read-write, so that a journal left by an interrupted write is rolled back first.
    int rc = sqlite3_open_v2(path.c_str(), &database, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(database, 10000);
        rc = sqlite3_exec(database, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    cause = database ? sqlite3_errmsg(database) : sqlite3_errstr(rc);
    sqlite3_close(database);
    return (rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT;
}

/// A name beside `path` that nothing uses yet, telling when the file was set aside.
std::string asideName(const std::string& path)
{
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".damaged-" + stamp;
    std::string name = base;
    std::error_code ec;
    for (int n = 2; fs::exists(name, ec) || fs::exists(name + "-journal", ec); ++n)
        name = base + "-" + std::to_string(n);
    return name;
}

/// Keeps a database that SQLite cannot read under another name, with its
/// journal, so nothing of the player's is lost and a fresh one can be made.
bool moveAside(const std::string& path, const std::string& cause)
{
    const std::string aside = asideName(path);
    std::error_code ec;
    fs::rename(path, aside, ec);
    if (ec) {
        tools::log("Database",
                   "Cannot read " + path + " (" + cause + ") nor move it aside to " + aside + ": " + ec.message());
        return false;
    }
    // A journal left beside the new database would be played back into it.
    for (const char* companion : kCompanions) {
        if (fs::exists(path + companion, ec))
            fs::rename(path + companion, aside + companion, ec);
    }
    tools::log("Database", "Cannot read " + path + " (" + cause + "); kept it as " + aside + " and making a fresh one");
    return true;
}

/// The id of the process that builds the database under the name `name`
/// (see update), or -1 when `name` is no such temporary or its journal.
long builderOf(const std::string& name, const std::string& databaseName)
{
    static const std::regex ending(R"((\d{1,10})(-journal)?)");
    const std::string prefix = databaseName + ".tmp";
    std::smatch match;
    const std::string rest = name.compare(0, prefix.size(), prefix) == 0 ? name.substr(prefix.size()) : "";
    return std::regex_match(rest, match, ending) ? std::stol(match[1]) : -1;
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
    // Only a regular file: a named pipe in its place would hold up the build
    // and the game's start for ever.
    if (!tools::readRegularFile(path, script)) {
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

    const fs::path target(databasePath);
    // A build killed halfway leaves its temporary and journal behind.
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    const std::string databaseName = target.filename().string();
    tools::removeTemporariesOfEndedProcesses(
        folder, [&databaseName](const std::string& name) { return builderOf(name, databaseName); }, "Database");
    std::error_code ec;
    std::string cause;
    if (fs::exists(databasePath, ec) && unreadable(databasePath, cause) && !moveAside(databasePath, cause))
        return false;
    if (fs::exists(databasePath, ec)) {
        if (!applyToFile(script, databasePath, false))
            return false;
        tools::log("Database", "Updated " + databasePath);
        return true;
    }

    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    const std::string temporary = databasePath + ".tmp" + std::to_string(::getpid());
    fs::remove(temporary, ec);
    // A journal of an earlier process with this id would be played back into the new file.
    fs::remove(temporary + "-journal", ec);
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
        tools::syncFolder(folder);
        tools::log("Database", "Created " + databasePath);
        return true;
    }
    fs::remove(temporary, ec);
    if (linkError)
        return update(scriptPath, databasePath);
    // The new name must survive a power cut along with the file.
    tools::syncFolder(folder);
    tools::log("Database", "Created " + databasePath);
    return true;
}

} // namespace app
