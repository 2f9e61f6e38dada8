// The game's start with its database missing, emptied or damaged: the texts
// are there afterwards, and what the player stored stays.

#include "app/Language.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/game/GameTestSupport.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path Database = "data/velk.db";

void exec(const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Database.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::string scoreOf(const std::string& name)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(GameFramework::Singleton.getDatabase(), "SELECT score FROM scores WHERE name = ?", -1,
                       &statement, nullptr);
    sqlite3_bind_text(statement, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    std::string score = "<none>";
    if (sqlite3_step(statement) == SQLITE_ROW)
        score = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return score;
}

/// The files of "data" kept aside as damaged databases.
std::vector<fs::path> keptAside()
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator("data")) {
        if (entry.path().filename().string().rfind("velk.db.damaged-", 0) == 0)
            found.push_back(entry.path());
    }
    return found;
}

TEST(StartDatabaseTest, EveryStartHasItsTextsAndKeepsTheScores)
{
    enum class Before { Missing, Empty, Truncated, Stored };
    struct Case {
        const char* name;
        Before before;
    };
    const Case cases[] = {{"missing", Before::Missing},
                          {"empty", Before::Empty},
                          {"truncated to 3,000 bytes", Before::Truncated},
                          {"holding a score", Before::Stored}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool seeded = c.before == Before::Stored || c.before == Before::Truncated;
        velk_test::RuntimeFolder runtime(seeded);
        if (c.before == Before::Empty)
            velk_test::writeFile(Database, "");
        if (seeded)
            exec("INSERT INTO scores (name, score, map, mode) VALUES ('Győző Őrs', 4321, 'kráter.map.json', 1)");
        if (c.before == Before::Truncated)
            fs::resize_file(Database, 3000);
        const std::string damaged = velk_test::readFile(Database);

        velk_test::LogCapture log;
        unsetenv("DISPLAY");
        velk_test::NullGuiInitHelper helper;
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init(std::make_pair(1, argv), &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());

        EXPECT_EQ(GameFramework::Singleton.getLanguage()->textForCode("mainmenu.newgame"), "New game");
        EXPECT_EQ(scoreOf("Győző Őrs"), c.before == Before::Stored ? "4321" : "<none>");
        const std::vector<fs::path> aside = keptAside();
        if (c.before == Before::Truncated) {
            ASSERT_EQ(aside.size(), 1u);
            EXPECT_EQ(velk_test::readFile(aside[0]), damaged);
            EXPECT_TRUE(log.contains("kept it as " + aside[0].string())) << log.text();
        } else {
            EXPECT_TRUE(aside.empty());
        }
        GameFramework::Singleton.shutdown();
    }
}

} // namespace
