#pragma once

#include "testsupport/TempFolder.hpp"

#include <sqlite3.h>

#include <string>

namespace velk_test {

/// Path of the script that builds the shipped database (data/velk.sql).
std::string shippedScriptPath();

/// An in-memory database, empty or seeded with the shipped script.
class TestDatabase {
public:
    explicit TestDatabase(bool seeded = true);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    sqlite3* get() const { return handle; }
    /// Whether the shipped script was read and applied without error.
    bool seeded() const { return ok; }

    /// Runs statements; true when all succeeded.
    bool exec(const std::string& sql) const;
    /// The first column of the first row as text; "<none>" without a row, "<null>" for NULL.
    std::string query(const std::string& sql) const;
    /// The stored value of a settings row.
    std::string stored(const std::string& key) const;

private:
    sqlite3* handle = nullptr;
    bool ok = false;
};

/// A database file in a temporary folder, opened twice, as by the game and by
/// another program at the same time.
class SharedDatabaseFile {
public:
    SharedDatabaseFile();
    ~SharedDatabaseFile();
    SharedDatabaseFile(const SharedDatabaseFile&) = delete;
    SharedDatabaseFile& operator=(const SharedDatabaseFile&) = delete;

    /// The connection under test.
    sqlite3* get() const { return first; }
    bool exec(const std::string& sql) const;
    /// Runs statements through the other connection, without waiting for locks.
    bool execElsewhere(const std::string& sql) const;

private:
    TempFolder temp;
    sqlite3* first = nullptr;
    sqlite3* second = nullptr;
};

} // namespace velk_test
