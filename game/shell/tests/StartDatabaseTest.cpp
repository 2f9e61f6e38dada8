// The game's start with its database missing, emptied or damaged: the texts
// are there afterwards, and what the player stored stays where it still reads.

#include "app/Language.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/game/GameTestSupport.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

/// The first value the query gives, or "<none>".
std::string valueOf(sqlite3* db, const std::string& sql)
{
    std::string value = "<none>";
    sqlite3_exec(
        db, sql.c_str(),
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) = values[0] ? values[0] : "<null>";
            // The first row is enough.
            return 1;
        },
        &value, nullptr);
    return value;
}

TEST(StartDatabaseTest, EveryStartHasItsTextsAndKeepsTheScores)
{
    enum Before { Missing, Empty, Truncated, LangPageDamaged, ScoresPageDamaged, Stored };
    for (const Before before : {Missing, Empty, Truncated, LangPageDamaged, ScoresPageDamaged, Stored}) {
        SCOPED_TRACE(before);
        const bool pageDamaged = before == LangPageDamaged || before == ScoresPageDamaged;
        const bool played = before == Stored || before == Truncated || pageDamaged;
        velk_test::RuntimeFolder runtime(played);
        if (before == Empty)
            velk_test::writeFile("data/velk.db", "");
        long page = 0;
        long pageSize = 0;
        int scoresAfter = before == Stored || before == LangPageDamaged ? 1 : 0;
        if (played) {
            sqlite3* db = nullptr;
            ASSERT_EQ(sqlite3_open("data/velk.db", &db), SQLITE_OK);
            EXPECT_EQ(sqlite3_exec(db,
                                   "INSERT INTO scores (name, score, map, mode) VALUES ('Győző Őrs', 4321, 'x', 1);"
                                   "UPDATE settings SET value = '25' WHERE name = 'audio.musicvolume'",
                                   nullptr, nullptr, nullptr),
                      SQLITE_OK);
            if (before == ScoresPageDamaged) {
                // Three hundred more scores fill several pages; the third in rowid order is damaged.
                const std::string leaf = " FROM dbstat WHERE name = 'scores' AND pagetype = 'leaf' ORDER BY path";
                EXPECT_EQ(sqlite3_exec(db,
                                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                                       "INSERT INTO scores SELECT 'Pilóta ' || i || replace(hex(zeroblob(30)), '00', "
                                       "'ű'), i, 'crater.map.json', 0 FROM n",
                                       nullptr, nullptr, nullptr),
                          SQLITE_OK);
                EXPECT_GT(std::stoi(valueOf(db, "SELECT count(*)" + leaf)), 3);
                page = std::stol(valueOf(db, "SELECT pageno" + leaf + " LIMIT 1 OFFSET 2"));
                scoresAfter = 301 - std::stoi(valueOf(db, "SELECT ncell" + leaf + " LIMIT 1 OFFSET 2"));
            } else {
                page = std::stol(valueOf(db, "SELECT rootpage FROM sqlite_master WHERE name = 'lang'"));
            }
            pageSize = std::stol(valueOf(db, "PRAGMA page_size"));
            sqlite3_close(db);
        }
        if (before == Truncated)
            fs::resize_file("data/velk.db", 3000);
        if (pageDamaged) {
            // Noise over one page: the schema and the player's first score still read.
            std::mt19937 random(7);
            std::string noise(static_cast<std::size_t>(pageSize), '\0');
            for (char& byte : noise)
                byte = static_cast<char>(random());
            std::fstream file("data/velk.db", std::ios::in | std::ios::out | std::ios::binary);
            file.seekp((page - 1) * pageSize);
            ASSERT_TRUE(file.write(noise.data(), pageSize));
            file.close();
            sqlite3* db = nullptr;
            ASSERT_EQ(sqlite3_open("data/velk.db", &db), SQLITE_OK);
            EXPECT_NE(valueOf(db, "PRAGMA quick_check"), "ok");
            EXPECT_EQ(valueOf(db, "SELECT score FROM scores WHERE name = 'Győző Őrs'"), "4321");
            sqlite3_close(db);
        }
        const std::string damaged = velk_test::readFile("data/velk.db");

        velk_test::LogCapture log;
        unsetenv("DISPLAY");
        velk_test::NullGuiInitHelper helper;
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init(std::make_pair(1, argv), &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());

        EXPECT_EQ(GameFramework::Singleton.getLanguage()->textForCode("mainmenu.newgame"), "New game");
        sqlite3* db = GameFramework::Singleton.getDatabase();
        const bool kept = before == Stored || pageDamaged;
        EXPECT_EQ(valueOf(db, "SELECT score FROM scores WHERE name = 'Győző Őrs'"), kept ? "4321" : "<none>");
        EXPECT_EQ(valueOf(db, "SELECT count(*) FROM scores"), std::to_string(scoresAfter));
        EXPECT_EQ(valueOf(db, "SELECT value FROM settings WHERE name = 'audio.musicvolume'"), kept ? "25" : "100");
        std::vector<fs::path> aside;
        for (const auto& entry : fs::directory_iterator("data"))
            if (entry.path().filename().string().rfind("velk.db.damaged-", 0) == 0)
                aside.push_back(entry.path());
        const bool setAside = before == Truncated || pageDamaged;
        ASSERT_EQ(aside.size(), setAside ? 1u : 0u);
        if (setAside) {
            EXPECT_EQ(velk_test::readFile(aside[0]), damaged);
            EXPECT_TRUE(log.contains("kept it as " + aside[0].string())) << log.text();
        }
        GameFramework::Singleton.shutdown();
    }
}

} // namespace
