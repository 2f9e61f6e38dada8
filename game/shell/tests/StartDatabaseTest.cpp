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

/// The score stored for the name, or "<none>".
std::string scoreOf(sqlite3* db, const char* name)
{
    std::string score = "<none>";
    const std::string sql = std::string("SELECT score FROM scores WHERE name = '") + name + "'";
    sqlite3_exec(
        db, sql.c_str(),
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) = values[0];
            return 0;
        },
        &score, nullptr);
    return score;
}

TEST(StartDatabaseTest, EveryStartHasItsTextsAndKeepsTheScores)
{
    enum Before { Missing, Empty, Truncated, Stored };
    for (const Before before : {Missing, Empty, Truncated, Stored}) {
        SCOPED_TRACE(before);
        velk_test::RuntimeFolder runtime(before == Stored || before == Truncated);
        if (before == Empty)
            velk_test::writeFile("data/velk.db", "");
        if (before == Stored || before == Truncated) {
            sqlite3* db = nullptr;
            ASSERT_EQ(sqlite3_open("data/velk.db", &db), SQLITE_OK);
            EXPECT_EQ(sqlite3_exec(db, "INSERT INTO scores (name, score, map, mode) VALUES ('Győző Őrs', 4321, 'x', 1)",
                                   nullptr, nullptr, nullptr),
                      SQLITE_OK);
            sqlite3_close(db);
        }
        if (before == Truncated)
            fs::resize_file("data/velk.db", 3000);
        const std::string damaged = velk_test::readFile("data/velk.db");

        velk_test::LogCapture log;
        unsetenv("DISPLAY");
        velk_test::NullGuiInitHelper helper;
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init(std::make_pair(1, argv), &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());

        EXPECT_EQ(GameFramework::Singleton.getLanguage()->textForCode("mainmenu.newgame"), "New game");
        EXPECT_EQ(scoreOf(GameFramework::Singleton.getDatabase(), "Győző Őrs"), before == Stored ? "4321" : "<none>");
        std::vector<fs::path> aside;
        for (const auto& entry : fs::directory_iterator("data"))
            if (entry.path().filename().string().rfind("velk.db.damaged-", 0) == 0)
                aside.push_back(entry.path());
        ASSERT_EQ(aside.size(), before == Truncated ? 1u : 0u);
        if (before == Truncated) {
            EXPECT_EQ(velk_test::readFile(aside[0]), damaged);
            EXPECT_TRUE(log.contains("kept it as " + aside[0].string())) << log.text();
        }
        GameFramework::Singleton.shutdown();
    }
}

} // namespace
