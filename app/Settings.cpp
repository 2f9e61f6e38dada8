#include "app/Settings.hpp"

#include "app/SqlText.hpp"
#include "foundation/tools/Log.hpp"

#include <utility>

namespace app {

namespace {

const char* const kGetStatement = "SELECT \"value\" FROM \"settings\" WHERE \"name\" = ?";
const char* const kSetStatement = "UPDATE \"settings\" SET \"value\" = ? WHERE \"name\" = ?";

sqlite3_stmt* prepare(sqlite3* database, const char* text, const char* what)
{
    sqlite3_stmt* statement = nullptr;
    // The v2 interface re-prepares by itself after a schema change (for example a
    // table created later on the same connection); the legacy one would fail.
    const int rc = database ? sqlite3_prepare_v2(database, text, -1, &statement, nullptr) : SQLITE_MISUSE;
    tools::log("Settings", std::string(what) + " prepare..." + (rc == SQLITE_OK ? "OK" : "FAIL"));
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        statement = nullptr;
    }
    return statement;
}

} // namespace

std::string Settings::SubSettings::getSetting(const std::string& key) const
{
    return settings ? settings->getSetting(key) : std::string();
}

void Settings::SubSettings::setSetting(const std::string& key, std::string value)
{
    if (settings)
        settings->setSetting(key, std::move(value));
}

Settings::Settings() = default;

Settings::~Settings()
{
    for (SubSettings* group : groups)
        delete group;
    groups.clear();
    sqlite3_finalize(getStatement);
    sqlite3_finalize(setStatement);
}

void Settings::setDatabase(sqlite3* database)
{
    this->database = database;
    sqlite3_finalize(getStatement);
    getStatement = prepare(database, kGetStatement, "Get");
    sqlite3_finalize(setStatement);
    setStatement = prepare(database, kSetStatement, "Set");
}

std::string Settings::getSetting(const std::string& key) const
{
    if (!getStatement)
        return std::string();
    sqlite3_reset(getStatement);
    sqlite3_bind_text(getStatement, 1, key.c_str(), -1, SQLITE_TRANSIENT);
    std::string value;
    if (sqlite3_step(getStatement) == SQLITE_ROW)
        value = columnText(getStatement, 0);
    // Reset at once so that no read transaction stays open between reads.
    sqlite3_reset(getStatement);
    return value;
}

void Settings::setSetting(const std::string& key, std::string value)
{
    if (!setStatement) {
        tools::log("Settings", "Cannot store \"" + printable(key) + "\": no prepared statement");
        return;
    }
    sqlite3_reset(setStatement);
    sqlite3_bind_text(setStatement, 1, value.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(setStatement, 2, key.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(setStatement);
    if (rc != SQLITE_DONE)
        tools::log("Settings", "Storing \"" + printable(key) + "\" failed: " + sqlite3_errmsg(database));
    else if (sqlite3_changes(database) == 0)
        tools::log("Settings", "No row for \"" + printable(key) + "\", value not stored");
    sqlite3_reset(setStatement);
}

} // namespace app
