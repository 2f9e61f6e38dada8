#include "app/DatabaseSeeder.hpp"

#include "app/SqlText.hpp"
#include "foundation/tools/AtomicFile.hpp"
#include "foundation/tools/Log.hpp"
#include "foundation/tools/RegularFile.hpp"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <limits>
#include <regex>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

namespace app {

namespace {

int exec(sqlite3* database, const char* sql, std::string& error)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(database, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK)
        error = message ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    return rc;
}

bool corrupt(int rc)
{
    return (rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT;
}

/// SQLite's own files beside a database, which belong to it wherever it goes.
const char* const kCompanions[] = {"-journal", "-wal", "-shm"};

/// The player's tables, with the columns to carry out of a damaged database;
/// the others hold game data that the script brings back whole.
const struct {
    const char* table;
    const char* columns;
} kPlayerTables[] = {{"settings", "name, value"}, {"scores", "name, score, map, mode"}};

/// Whether SQLite finds the file damaged: not a database at all, or failing
/// its quick check. A file that is busy, locked or out of reach is not damaged
/// and must be left alone.
bool damaged(const std::string& path, std::string& cause)
{
    sqlite3* database = nullptr;
    // Read-write, so that a journal left by an interrupted write is rolled back first.
    int rc = sqlite3_open_v2(path.c_str(), &database, SQLITE_OPEN_READWRITE, nullptr);
    std::string verdict = "ok";
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(database, 10000);
        rc = sqlite3_exec(
            database, "PRAGMA quick_check(1)",
            [](void* out, int, char** values, char**) {
                *static_cast<std::string*>(out) = values[0] ? values[0] : "";
                return 0;
            },
            &verdict, nullptr);
    }
    const std::string error = database ? sqlite3_errmsg(database) : sqlite3_errstr(rc);
    sqlite3_close(database);
    if (corrupt(rc))
        cause = error;
    else if (rc == SQLITE_OK && verdict != "ok") {
        std::replace(verdict.begin(), verdict.end(), '\n', ' ');
        cause = std::string(sqlite3_errstr(SQLITE_CORRUPT)) + ": " + printable(verdict);
    }
    return !cause.empty();
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

/// Keeps a damaged database under the name `aside` as well, with its journal,
/// so nothing of the player's is lost. A hard link gives the second name, so
/// that the database's own name still holds it until the fresh one replaces
/// it in one rename; where the file system has no hard links it is renamed.
bool keepAside(const std::string& path, const std::string& aside, const std::string& cause)
{
    std::error_code ec;
    std::error_code ignored;
    fs::create_hard_link(path, aside, ec);
    if (ec && !fs::exists(aside, ignored))
        fs::rename(path, aside, ec);
    if (ec) {
        tools::log("Database",
                   "Cannot read " + path + " (" + cause + ") nor keep it aside as " + aside + ": " + ec.message());
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

/// Gives the complete database `temporary` the name `path` by a rename, which
/// replaces a file there.
bool moveIntoPlace(const std::string& temporary, const std::string& path, const std::string& folder)
{
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        tools::log("Database", "Cannot move " + temporary + " to " + path + ": " + ec.message());
        fs::remove(temporary, ec);
        return false;
    }
    tools::syncFolder(folder);
    tools::log("Database", "Created " + path);
    return true;
}

/// Copies the rows of one player table that still read from `from` to `into`
/// and gives their number; `failure` gets the first reason a row could not be
/// read or stored. Reading up by rowid stops at a damaged page; reading down
/// from the top then reaches the rows beyond it, so such a page costs only its
/// own rows.
int copyRows(sqlite3* from, sqlite3* into, const std::string& table, const std::string& columns, std::string& failure)
{
    auto note = [&failure](sqlite3* database) {
        if (failure.empty())
            failure = sqlite3_errmsg(database);
    };
    std::string placeholders = "?";
    for (const char c : columns)
        placeholders += c == ',' ? ", ?" : "";
    // Replacing, so that the player's settings win over the defaults just seeded.
    const std::string put = "INSERT OR REPLACE INTO " + table + " (" + columns + ") VALUES (" + placeholders + ")";
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(into, put.c_str(), -1, &insert, nullptr) != SQLITE_OK) {
        note(into);
        sqlite3_finalize(insert);
        return 0;
    }
    int copied = 0;
    sqlite3_int64 reached = std::numeric_limits<sqlite3_int64>::min();
    for (const bool up : {true, false}) {
        const std::string get = "SELECT rowid, " + columns + " FROM " + table +
                                (up ? " ORDER BY rowid" : " WHERE rowid > ? ORDER BY rowid DESC");
        sqlite3_stmt* select = nullptr;
        int rc = sqlite3_prepare_v2(from, get.c_str(), -1, &select, nullptr);
        if (rc == SQLITE_OK && !up)
            sqlite3_bind_int64(select, 1, reached);
        while (rc == SQLITE_OK && sqlite3_step(select) == SQLITE_ROW) {
            if (up)
                reached = sqlite3_column_int64(select, 0);
            for (int column = 1; column < sqlite3_column_count(select); ++column)
                sqlite3_bind_value(insert, column, sqlite3_column_value(select, column));
            if (sqlite3_step(insert) == SQLITE_DONE)
                ++copied;
            else
                note(into);
            sqlite3_reset(insert);
        }
        if (rc == SQLITE_OK)
            rc = sqlite3_reset(select);
        if (rc != SQLITE_OK)
            note(from);
        sqlite3_finalize(select);
        // Every row read on the way up: nothing lies beyond.
        if (rc == SQLITE_OK)
            break;
    }
    sqlite3_finalize(insert);
    return copied;
}

/// Copies the player's rows that still read from the damaged database `from`
/// into the fresh one `into`, row by row, skipping those that fail; says what
/// it carried, for the log.
std::string carryOver(const std::string& from, const std::string& into)
{
    std::string carried;
    std::string failure;
    sqlite3* source = nullptr;
    sqlite3* target = nullptr;
    if (sqlite3_open_v2(from.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_open_v2(into.c_str(), &target, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        failure = "cannot open the databases";
    } else if (exec(target, "BEGIN IMMEDIATE", failure) == SQLITE_OK) {
        sqlite3_busy_timeout(source, 10000);
        for (const auto& player : kPlayerTables) {
            const int copied = copyRows(source, target, player.table, player.columns, failure);
            carried += (carried.empty() ? "" : " and ") + std::to_string(copied) + " " + player.table + " rows";
        }
        if (exec(target, "COMMIT", failure) != SQLITE_OK) {
            std::string ignored;
            exec(target, "ROLLBACK", ignored);
            carried.clear();
        }
    }
    sqlite3_close(source);
    sqlite3_close(target);
    return (carried.empty() ? "no rows" : carried) +
           (failure.empty() ? "" : "; those that could not be read stay there (" + failure + ")");
}

/// Runs the script on the connection in one transaction; SQLITE_OK, or the
/// code of the failure, which is logged and leaves the database unchanged.
int seed(sqlite3* database, const std::string& script)
{
    std::string error;
    int rc = exec(database, "BEGIN IMMEDIATE", error);
    if (rc != SQLITE_OK) {
        tools::log("Database", "Cannot start the seeding transaction: " + error);
        return rc;
    }
    rc = exec(database, script.c_str(), error);
    const char* failed = "Seeding script failed, nothing changed: ";
    if (rc == SQLITE_OK) {
        rc = exec(database, "COMMIT", error);
        failed = "Cannot commit the seeding: ";
    }
    if (rc != SQLITE_OK) {
        std::string ignored;
        exec(database, "ROLLBACK", ignored);
        tools::log("Database", failed + error);
    }
    return rc;
}

/// Seeds the database file, made when `create`; SQLITE_OK or the code of the failure.
int applyToFile(const std::string& script, const std::string& path, bool create)
{
    sqlite3* database = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.c_str(), &database, flags, nullptr);
    if (rc != SQLITE_OK) {
        tools::log("Database", "Cannot open " + path + ": " + (database ? sqlite3_errmsg(database) : "out of memory"));
        sqlite3_close(database);
        return rc;
    }
    // Another program (the game, another build) may hold the file for a moment.
    sqlite3_busy_timeout(database, 10000);
    rc = seed(database, script);
    if (sqlite3_close(database) != SQLITE_OK) {
        tools::log("Database", "Cannot close " + path);
        return SQLITE_ERROR;
    }
    return rc;
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
    return seed(database, script) == SQLITE_OK;
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
    // Why the database there must make way for a fresh one; empty while it is sound.
    std::string cause;
    if (fs::exists(databasePath, ec) && !damaged(databasePath, cause)) {
        const int rc = applyToFile(script, databasePath, false);
        if (rc == SQLITE_OK) {
            tools::log("Database", "Updated " + databasePath);
            return true;
        }
        // Busy, locked or out of reach: left as it is for the next try.
        if (!corrupt(rc))
            return false;
        cause = sqlite3_errstr(rc);
    }

    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    const std::string temporary = databasePath + ".tmp" + std::to_string(::getpid());
    fs::remove(temporary, ec);
    // A journal of an earlier process with this id would be played back into the new file.
    fs::remove(temporary + "-journal", ec);
    if (applyToFile(script, temporary, true) != SQLITE_OK) {
        fs::remove(temporary, ec);
        return false;
    }
    // The damaged file is kept aside only once its replacement is complete,
    // and keeps its own name until the replacement takes it: a start that
    // ends halfway leaves it where it was, and the next carries it over again.
    if (!cause.empty()) {
        const std::string carried = carryOver(databasePath, temporary);
        const std::string aside = asideName(databasePath);
        if (!keepAside(databasePath, aside, cause)) {
            fs::remove(temporary, ec);
            return false;
        }
        tools::log("Database", "Carried over from " + aside + ": " + carried);
        // Still there under both names: the fresh one takes the database's
        // name in one rename. Otherwise it had to be renamed (no hard links)
        // or another start has replaced it meanwhile, which the link below
        // never overwrites.
        if (fs::equivalent(databasePath, aside, ec))
            return moveIntoPlace(temporary, databasePath, folder);
    }
    // A hard link never replaces an existing file, unlike a rename: a database
    // that appeared meanwhile is kept and updated instead.
    std::error_code linkError;
    fs::create_hard_link(temporary, databasePath, linkError);
    // No hard links on this file system: fall back to a rename.
    if (linkError && !fs::exists(databasePath, ec))
        return moveIntoPlace(temporary, databasePath, folder);
    fs::remove(temporary, ec);
    if (linkError)
        return update(scriptPath, databasePath);
    // The new name must survive a power cut along with the file.
    tools::syncFolder(folder);
    tools::log("Database", "Created " + databasePath);
    return true;
}

} // namespace app
