#include "testsupport/app/TestDatabase.hpp"

#include "app/DatabaseSeeder.hpp"

namespace velk_test {

namespace {

bool run(sqlite3* database, const std::string& sql)
{
    return sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

std::string shippedScriptPath()
{
    return std::string(VELK_SOURCE_DIR) + "/data/velk.sql";
}

TestDatabase::TestDatabase(bool seeded)
{
    sqlite3_open(":memory:", &handle);
    if (seeded) {
        std::string script;
        ok = app::DatabaseSeeder::readScript(shippedScriptPath(), script) && app::DatabaseSeeder::apply(handle, script);
    }
}

TestDatabase::~TestDatabase()
{
    sqlite3_close(handle);
}

bool TestDatabase::exec(const std::string& sql) const
{
    return run(handle, sql);
}

std::string TestDatabase::query(const std::string& sql) const
{
    sqlite3_stmt* statement = nullptr;
    std::string result = "<none>";
    if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        result = text ? reinterpret_cast<const char*>(text) : "<null>";
    }
    sqlite3_finalize(statement);
    return result;
}

std::string TestDatabase::stored(const std::string& key) const
{
    return query("SELECT value FROM settings WHERE name = '" + key + "'");
}

SharedDatabaseFile::SharedDatabaseFile()
{
    const std::string path = (temp / "shared.db").string();
    sqlite3_open(path.c_str(), &first);
    sqlite3_open(path.c_str(), &second);
}

SharedDatabaseFile::~SharedDatabaseFile()
{
    // The connections close before the folder goes.
    sqlite3_close(first);
    sqlite3_close(second);
}

bool SharedDatabaseFile::exec(const std::string& sql) const
{
    return run(first, sql);
}

bool SharedDatabaseFile::execElsewhere(const std::string& sql) const
{
    return run(second, sql);
}

} // namespace velk_test
