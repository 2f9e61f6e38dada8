#include "game/play/model/ScoreEntry.hpp"

#include "app/SqlText.hpp"
#include "foundation/tools/Log.hpp"

namespace velk {

namespace {

const char* const kTag = "ScoreEntry";
// Bare column names: SQLite reads a double-quoted name that is not a column as
// a text literal, which would make a table without one of them look usable.
const char* const kInsert = "INSERT INTO scores (name, score, map, mode) VALUES (?, ?, ?, ?)";
const char* const kDeleteAll = "DELETE FROM scores";
const char* const kDeleteMap = "DELETE FROM scores WHERE map = ?";
const char* const kSelect = "SELECT name, score, map, mode FROM scores ORDER BY score DESC";

/// A prepared statement that finalizes itself; empty when preparing failed,
/// which it logs with what the caller was doing.
class Statement {
public:
    Statement(sqlite3* database, const char* text, const char* what) : database(database)
    {
        if (sqlite3_prepare_v2(database, text, -1, &statement, nullptr) != SQLITE_OK) {
            tools::log(kTag, std::string(what) + " failed: " + sqlite3_errmsg(database));
            sqlite3_finalize(statement);
            statement = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return statement != nullptr; }
    sqlite3_stmt* get() const { return statement; }

    /// Binds a text (copied) and an int; false with a log line on failure.
    bool bind(int index, const std::string& text, const char* what)
    {
        return check(sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT),
                     what);
    }
    bool bind(int index, int value, const char* what) { return check(sqlite3_bind_int(statement, index, value), what); }

    /// Runs a statement that returns no rows; false with a log line on failure.
    bool run(const char* what)
    {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE)
            return true;
        tools::log(kTag, std::string(what) + " failed: " + sqlite3_errmsg(database));
        return false;
    }

private:
    bool check(int rc, const char* what)
    {
        if (rc == SQLITE_OK)
            return true;
        tools::log(kTag, std::string(what) + " failed: " + sqlite3_errmsg(database));
        return false;
    }

    sqlite3* database;
    sqlite3_stmt* statement = nullptr;
};

} // namespace

ScoreEntry::ScoreEntry() = default;

ScoreEntry::~ScoreEntry() = default;

bool ScoreEntry::addToHighscores(sqlite3* database, const ScoreEntry& entry)
{
    if (!database) {
        tools::log(kTag, "No database, the score of '" + app::printable(entry.name) + "' is not stored");
        return false;
    }
    const char* what = "Storing a high score";
    Statement insert(database, kInsert, what);
    return insert && insert.bind(1, entry.name, what) && insert.bind(2, entry.score, what) &&
           insert.bind(3, entry.map, what) && insert.bind(4, entry.mode, what) && insert.run(what);
}

bool ScoreEntry::clearHighscores(sqlite3* database, const std::string& map)
{
    if (!database) {
        tools::log(kTag, "No database, no high score cleared");
        return false;
    }
    const char* what = "Clearing high scores";
    if (map.empty()) {
        Statement remove(database, kDeleteAll, what);
        return remove && remove.run(what);
    }
    Statement remove(database, kDeleteMap, what);
    return remove && remove.bind(1, map, what) && remove.run(what);
}

std::vector<ScoreEntry> ScoreEntry::getHighscores(sqlite3* database, int /*count*/)
{
    std::vector<ScoreEntry> entries;
    if (!database) {
        tools::log(kTag, "No database, no high scores to read");
        return entries;
    }
    const char* what = "Reading high scores";
    Statement select(database, kSelect, what);
    if (!select)
        return entries;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(select.get())) == SQLITE_ROW) {
        ScoreEntry entry;
        entry.name = app::columnText(select.get(), 0);
        entry.score = sqlite3_column_int(select.get(), 1);
        entry.map = app::columnText(select.get(), 2);
        entry.mode = sqlite3_column_int(select.get(), 3);
        entries.push_back(entry);
    }
    if (rc != SQLITE_DONE)
        tools::log(kTag, std::string(what) + " stopped after " + std::to_string(entries.size()) +
                             " rows: " + sqlite3_errmsg(database));
    return entries;
}

} // namespace velk
