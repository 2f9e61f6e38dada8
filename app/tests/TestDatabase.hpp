#pragma once

#include "app/DatabaseSeeder.hpp"

#include <sqlite3.h>

#include <filesystem>
#include <random>
#include <string>

namespace apptest {

/// Path of the script that builds the shipped database.
inline std::string scriptPath()
{
    return std::string(VELK_SOURCE_DIR) + "/data/velk.sql";
}

/// An in-memory database, empty or seeded with the shipped script.
class TestDatabase {
public:
    explicit TestDatabase(bool seeded = true)
    {
        sqlite3_open(":memory:", &handle);
        if (seeded) {
            std::string script;
            ok = app::DatabaseSeeder::readScript(scriptPath(), script) && app::DatabaseSeeder::apply(handle, script);
        }
    }
    ~TestDatabase() { sqlite3_close(handle); }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    sqlite3* get() const { return handle; }
    bool seeded() const { return ok; }

    /// Runs statements; true when all succeeded.
    bool exec(const std::string& sql) const
    {
        return sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    /// The first column of the first row as text; "<none>" without a row, "<null>" for NULL.
    std::string query(const std::string& sql) const
    {
        sqlite3_stmt* statement = nullptr;
        std::string result = "<none>";
        if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(statement, 0);
            result = text ? reinterpret_cast<const char*>(text) : "<null>";
        }
        sqlite3_finalize(statement);
        return result;
    }

    /// The stored value of a settings row.
    std::string stored(const std::string& key) const
    {
        return query("SELECT value FROM settings WHERE name = '" + key + "'");
    }

private:
    sqlite3* handle = nullptr;
    bool ok = false;
};

/// A database file in the temporary folder, opened twice, as by the game and
/// by another program at the same time.
class SharedDatabaseFile {
public:
    SharedDatabaseFile()
    {
        std::random_device random;
        path = std::filesystem::temp_directory_path()
            / ("velk-app-" + std::to_string(random()) + "-" + std::to_string(random()) + ".db");
        sqlite3_open(path.c_str(), &first);
        sqlite3_open(path.c_str(), &second);
    }
    ~SharedDatabaseFile()
    {
        sqlite3_close(first);
        sqlite3_close(second);
        std::error_code ec;
        std::filesystem::remove(path, ec);
        std::filesystem::remove(path.string() + "-journal", ec);
    }
    SharedDatabaseFile(const SharedDatabaseFile&) = delete;
    SharedDatabaseFile& operator=(const SharedDatabaseFile&) = delete;

    /// The connection under test.
    sqlite3* get() const { return first; }
    bool exec(const std::string& sql) const
    {
        return sqlite3_exec(first, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    /// Runs statements through the other connection, without waiting for locks.
    bool execElsewhere(const std::string& sql) const
    {
        return sqlite3_exec(second, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

private:
    std::filesystem::path path;
    sqlite3* first = nullptr;
    sqlite3* second = nullptr;
};

} // namespace apptest
