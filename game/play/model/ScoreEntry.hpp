#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

namespace velk {

/// One finished game in the high-score table "scores": the player's name, the
/// final score, the map's file name (without folder) and the game mode (1 on
/// maps with platforms, else 0). The static operations work on the game's
/// database connection; every failure is logged and leaves the table as it was.
class ScoreEntry {
public:
    ScoreEntry();
    virtual ~ScoreEntry();

    std::string getName() const { return name; }
    void setName(const std::string& value) { name = value; }
    int getScore() const { return score; }
    void setScore(int value) { score = value; }
    std::string getMap() const { return map; }
    void setMap(const std::string& value) { map = value; }
    int getMode() const { return mode; }
    void setMode(int value) { mode = value; }

    /// Inserts the entry as one row; false (and a log line) when it was not stored.
    static bool addToHighscores(sqlite3* database, const ScoreEntry& entry);
    /// Deletes the rows of one map, or every row when `map` is empty; the name
    /// is compared literally. False (and a log line) on failure.
    static bool clearHighscores(sqlite3* database, const std::string& map);
    /// Every row, best score first; NULL texts read as "". The count has no
    /// effect (callers pass -1). A failed read is logged and gives the rows
    /// read so far.
    static std::vector<ScoreEntry> getHighscores(sqlite3* database, int count = -1);

private:
    std::string name;
    int score = 0;
    std::string map;
    int mode = 0;
};

} // namespace velk
