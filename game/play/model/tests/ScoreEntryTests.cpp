#include "game/play/model/ScoreEntry.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/app/TestDatabase.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using velk::ScoreEntry;
using Row = std::tuple<std::string, int, std::string, int>;

ScoreEntry entry(const std::string& name, int score, const std::string& map, int mode = 1)
{
    ScoreEntry e;
    e.setName(name);
    e.setScore(score);
    e.setMap(map);
    e.setMode(mode);
    return e;
}

std::vector<Row> rows(sqlite3* db)
{
    std::vector<Row> result;
    for (const ScoreEntry& e : ScoreEntry::getHighscores(db, -1))
        result.emplace_back(e.getName(), e.getScore(), e.getMap(), e.getMode());
    return result;
}

class HighScores : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(db.seeded()); }
    velk_test::TestDatabase db;
};

TEST_F(HighScores, StoredRowsComeBackBestFirst)
{
    velk_test::LogCapture log;
    EXPECT_TRUE(rows(db.get()).empty());
    EXPECT_TRUE(ScoreEntry::addToHighscores(db.get(), entry("a", 10, "m1.map.json")));
    EXPECT_TRUE(ScoreEntry::addToHighscores(db.get(), entry("b", 30, "m2.map.json", 0)));
    EXPECT_TRUE(ScoreEntry::addToHighscores(db.get(), entry("c", 20, "m1.map.json")));
    EXPECT_TRUE(ScoreEntry::addToHighscores(db.get(), entry("", 0, "")));
    EXPECT_TRUE(ScoreEntry::addToHighscores(db.get(), entry("Ödön ' \"; DROP TABLE scores; --", -5, "árok.map.json")));
    EXPECT_EQ(rows(db.get()), (std::vector<Row>{{"b", 30, "m2.map.json", 0},
                                                {"c", 20, "m1.map.json", 1},
                                                {"a", 10, "m1.map.json", 1},
                                                {"", 0, "", 1},
                                                {"Ödön ' \"; DROP TABLE scores; --", -5, "árok.map.json", 1}}));
    EXPECT_TRUE(log.lines().empty()) << log.text();
}

TEST_F(HighScores, ClearingRemovesOneMapLiterallyOrEverything)
{
    const std::vector<std::string> maps = {"a.map.json", "b\".map.json", "b'.map.json", "b", "%", "B\".map.json"};
    for (std::size_t i = 0; i < maps.size(); ++i)
        ASSERT_TRUE(ScoreEntry::addToHighscores(db.get(), entry("p", static_cast<int>(100 - i), maps[i])));

    EXPECT_TRUE(ScoreEntry::clearHighscores(db.get(), "b\".map.json"));
    EXPECT_TRUE(ScoreEntry::clearHighscores(db.get(), "b'.map.json"));
    EXPECT_TRUE(ScoreEntry::clearHighscores(db.get(), "_"));
    EXPECT_TRUE(ScoreEntry::clearHighscores(db.get(), "nincs ilyen"));
    std::vector<std::string> left;
    for (const Row& r : rows(db.get()))
        left.push_back(std::get<2>(r));
    EXPECT_EQ(left, (std::vector<std::string>{"a.map.json", "b", "%", "B\".map.json"}));

    EXPECT_TRUE(ScoreEntry::clearHighscores(db.get(), ""));
    EXPECT_TRUE(rows(db.get()).empty());
    EXPECT_EQ(db.query("SELECT COUNT(*) FROM scores"), "0");
}

TEST_F(HighScores, NullColumnsReadAsEmptyTextAndZero)
{
    velk_test::TestDatabase loose(false);
    ASSERT_TRUE(loose.exec("CREATE TABLE scores (name TEXT, score INTEGER, map TEXT, mode INTEGER);"
                           "INSERT INTO scores VALUES (NULL, 5, NULL, NULL);"
                           "INSERT INTO scores VALUES ('x', NULL, 'm', 1)"));
    EXPECT_EQ(rows(loose.get()), (std::vector<Row>{{"", 5, "", 0}, {"x", 0, "m", 1}}));
}

TEST_F(HighScores, MissingTableOrConnectionDoesNothingAndLogs)
{
    velk_test::TestDatabase empty(false);
    velk_test::LogCapture log;
    EXPECT_FALSE(ScoreEntry::addToHighscores(empty.get(), entry("a", 1, "m")));
    EXPECT_FALSE(ScoreEntry::clearHighscores(empty.get(), "m"));
    EXPECT_FALSE(ScoreEntry::clearHighscores(empty.get(), ""));
    EXPECT_TRUE(ScoreEntry::getHighscores(empty.get(), -1).empty());
    EXPECT_EQ(log.count("no such table: scores"), 4) << log.text();
    EXPECT_TRUE(log.contains("[ScoreEntry] Storing a high score failed: no such table: scores"));

    // A table that lacks a column is no score table either.
    ASSERT_TRUE(empty.exec("CREATE TABLE scores (name TEXT, score INTEGER, mode INTEGER);"
                           "INSERT INTO scores VALUES ('a', 1, 0)"));
    log.clear();
    EXPECT_TRUE(ScoreEntry::getHighscores(empty.get(), -1).empty());
    EXPECT_FALSE(ScoreEntry::clearHighscores(empty.get(), "m"));
    EXPECT_EQ(log.count("no such column: map"), 2) << log.text();

    log.clear();
    EXPECT_FALSE(ScoreEntry::addToHighscores(nullptr, entry("a", 1, "m")));
    EXPECT_FALSE(ScoreEntry::clearHighscores(nullptr, ""));
    EXPECT_TRUE(ScoreEntry::getHighscores(nullptr, -1).empty());
    EXPECT_EQ(log.count("[ScoreEntry] No database"), 3);
}

TEST_F(HighScores, AFailedInsertIsReportedAndStoresNothing)
{
    // A database whose table refuses the row: the failure must not pass as stored.
    velk_test::TestDatabase strict(false);
    ASSERT_TRUE(strict.exec("CREATE TABLE scores (name TEXT NOT NULL CHECK (length(name) > 0), score INTEGER,"
                            " map TEXT, mode INTEGER)"));
    velk_test::LogCapture log;
    EXPECT_FALSE(ScoreEntry::addToHighscores(strict.get(), entry("", 10, "m")));
    EXPECT_TRUE(log.contains("[ScoreEntry] Storing a high score failed: CHECK constraint failed")) << log.text();
    EXPECT_TRUE(rows(strict.get()).empty());

    // A read-only connection cannot clear.
    ASSERT_TRUE(ScoreEntry::addToHighscores(db.get(), entry("a", 1, "m")));
    ASSERT_TRUE(db.exec("PRAGMA query_only = ON"));
    EXPECT_FALSE(ScoreEntry::clearHighscores(db.get(), ""));
    EXPECT_TRUE(log.contains("[ScoreEntry] Clearing high scores failed"));
    EXPECT_EQ(rows(db.get()).size(), 1u);
}

} // namespace
