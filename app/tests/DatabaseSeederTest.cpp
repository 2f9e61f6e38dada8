#include "app/DatabaseSeeder.hpp"
#include "app/Language.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/app/TestDatabase.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using velk_test::TestDatabase;

std::string shippedScript()
{
    std::string script;
    app::DatabaseSeeder::readScript(velk_test::shippedScriptPath(), script);
    return script;
}

bool reseed(const TestDatabase& db)
{
    const velk_test::LogCapture quiet;
    const bool ok = app::DatabaseSeeder::apply(db.get(), shippedScript());
    return ok;
}

TEST(AppShippedDatabase, HoldsARowForEveryKeyTheGroupsRead)
{
    TestDatabase db;
    ASSERT_TRUE(db.seeded());
    const std::vector<std::string> keys = {
        "general.lang",       "graphics.resolution",   "graphics.fsaahint",     "graphics.fps",  "graphics.fullscreen",
        "graphics.resizable", "graphics.vsyncenabled", "graphics.mousevisible", "graphics.fsaa", "graphics.colorblind",
        "audio.mainvolume",   "audio.musicvolume",     "audio.soundvolume"};
    for (const std::string& key : keys)
        EXPECT_NE(db.stored(key), "<none>") << key;
    EXPECT_EQ(db.query("SELECT count(*) FROM settings"), std::to_string(keys.size()));
}

TEST(AppShippedDatabase, EveryTranslationExistsInBothLanguages)
{
    velk_test::LogCapture logs;
    TestDatabase db;
    ASSERT_TRUE(db.seeded());
    const std::vector<std::string> codes = {"general.localname",
                                            "general.load",
                                            "general.save",
                                            "highscores.name",
                                            "highscores.score",
                                            "highscores.map",
                                            "highscores.allmaps",
                                            "mapper.untitled",
                                            "mapper.ts",
                                            "mapper.tpt",
                                            "setting.graphics.resolution.tooltip",
                                            "setting.graphics.fullscreen.tooltip",
                                            "setting.graphics.fps.tooltip",
                                            "setting.graphics.aa.tooltip",
                                            "setting.graphics.vsync.tooltip",
                                            "setting.graphics.fov.tooltip",
                                            "setting.graphics.fovfun",
                                            "setting.graphics.colorblind.tooltip",
                                            "setting.graphics.colorblind.v0",
                                            "setting.graphics.colorblind.v1",
                                            "setting.graphics.colorblind.v2",
                                            "setting.graphics.colorblind.v3"};
    for (const std::string& code : codes) {
        EXPECT_NE(db.query("SELECT en FROM lang WHERE code = '" + code + "'"), "<none>") << code;
    }
    EXPECT_EQ(db.query("SELECT count(*) FROM lang WHERE trim(en) = '' OR trim(hu) = ''"), "0");

    app::Language language;
    logs.clear();
    language.setDatabase(db.get());
    language.setActLangCode("hu");
    const std::string log = logs.text();
    EXPECT_NE(log.find("'lang' table already exists"), std::string::npos) << log;
    EXPECT_EQ(language.getActLangName(), "Magyar");
    EXPECT_EQ(language.getLangName("en"), "English");
}

TEST(AppShippedDatabase, TablesTheGameReadsExist)
{
    TestDatabase db;
    ASSERT_TRUE(db.seeded());
    EXPECT_TRUE(db.exec("SELECT id, code, image, body, category, shape FROM part"));
    EXPECT_TRUE(db.exec("INSERT INTO scores (name, score, map, mode) VALUES ('a', 10, 'm.json', 1)"));
    EXPECT_EQ(db.query("SELECT name || score || map || mode FROM scores"), "a10m.json1");
}

TEST(AppDatabaseSeeder, ReseedingKeepsPlayerDataAndRestoresGameData)
{
    TestDatabase db;
    ASSERT_TRUE(db.seeded());
    ASSERT_TRUE(db.exec("UPDATE settings SET value = '1920x1080' WHERE name = 'graphics.resolution';"
                        "UPDATE settings SET value = 'hu' WHERE name = 'general.lang';"
                        "DELETE FROM settings WHERE name = 'audio.soundvolume';"
                        "INSERT INTO scores VALUES ('player', 1234, 'moon.map.json', 1);"
                        "UPDATE lang SET en = 'stale' WHERE code = 'highscores.name';"
                        "DELETE FROM lang WHERE code = 'general.save';"
                        "INSERT INTO part VALUES (7, 'jet.mkiii', 'jet', '0 0 1 0 1 1', 'jet', '0 0 1 1')"));
    const std::string settingsBefore = db.query("SELECT count(*) FROM settings");
    ASSERT_TRUE(reseed(db));
    ASSERT_TRUE(reseed(db));

    // The player's choices and scores stay.
    EXPECT_EQ(db.stored("graphics.resolution"), "1920x1080");
    EXPECT_EQ(db.stored("general.lang"), "hu");
    EXPECT_EQ(db.query("SELECT count(*) FROM scores"), "1");
    EXPECT_EQ(db.query("SELECT score FROM scores WHERE name = 'player'"), "1234");
    // A key the database lacked arrives with its default.
    EXPECT_EQ(db.stored("audio.soundvolume"), "100");
    EXPECT_EQ(db.query("SELECT count(*) FROM settings"), std::to_string(std::stoi(settingsBefore) + 1));
    // Translations are game data and come back as shipped.
    EXPECT_EQ(db.query("SELECT en FROM lang WHERE code = 'highscores.name'"), "Name");
    EXPECT_EQ(db.query("SELECT hu FROM lang WHERE code = 'general.save'"), "Ment\xc3\xa9s");
    EXPECT_EQ(db.query("SELECT code FROM part WHERE id = 7"), "jet.mkiii");
}

TEST(AppDatabaseSeeder, FailingScriptChangesNothing)
{
    velk_test::LogCapture logs;
    TestDatabase db;
    ASSERT_TRUE(db.seeded());
    logs.clear();
    const bool ok = app::DatabaseSeeder::apply(db.get(),
                                               "UPDATE settings SET value = 'broken' WHERE name = 'general.lang';"
                                               "INSERT INTO scores VALUES ('x', 1, 'm', 0);"
                                               "THIS IS NOT SQL;");
    const std::string log = logs.text();
    EXPECT_FALSE(ok);
    EXPECT_NE(log.find("[Database] Seeding script failed"), std::string::npos) << log;
    EXPECT_EQ(db.stored("general.lang"), "en");
    EXPECT_EQ(db.query("SELECT count(*) FROM scores"), "0");
    // The connection is usable afterwards, outside any transaction.
    EXPECT_TRUE(reseed(db));
}

TEST(AppDatabaseSeeder, NoConnection)
{
    velk_test::LogCapture logs;
    EXPECT_FALSE(app::DatabaseSeeder::apply(nullptr, "SELECT 1"));
    EXPECT_NE(logs.text().find("[Database]"), std::string::npos);
}

// Each case gets a folder of its own.
class AppDatabaseFile : public velk_test::TempFolderTest {
protected:
    bool update(const std::string& script)
    {
        velk_test::LogCapture logs;
        const bool ok = app::DatabaseSeeder::update(script, db);
        log = logs.text();
        return ok;
    }

    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder / "data"))
            names.push_back(entry.path().filename().string());
        return names;
    }

    std::string queryFile(const std::string& sql) const
    {
        sqlite3* handle = nullptr;
        std::string result = "<none>";
        if (sqlite3_open_v2(db.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
                sqlite3_step(statement) == SQLITE_ROW) {
                const unsigned char* text = sqlite3_column_text(statement, 0);
                result = text ? reinterpret_cast<const char*>(text) : "<null>";
            }
            sqlite3_finalize(statement);
        }
        sqlite3_close(handle);
        return result;
    }

    const std::string db = (folder / "data" / "velk.db").string();
    std::string log;
};

TEST_F(AppDatabaseFile, CreatesAMissingDatabaseWithoutLeftovers)
{
    ASSERT_TRUE(update(velk_test::shippedScriptPath())) << log;
    EXPECT_EQ(files(), std::vector<std::string>{"velk.db"});
    EXPECT_EQ(queryFile("SELECT value FROM settings WHERE name = 'general.lang'"), "en");
    EXPECT_NE(log.find("[Database] Created"), std::string::npos) << log;
}

TEST_F(AppDatabaseFile, UpdatingKeepsTheExistingDatabase)
{
    ASSERT_TRUE(update(velk_test::shippedScriptPath())) << log;
    ASSERT_EQ(queryFile("UPDATE settings SET value = '25' WHERE name = 'audio.musicvolume'"), "<none>");
    ASSERT_EQ(queryFile("INSERT INTO scores VALUES ('Zsófi', 900, 'crater.map.json', 0)"), "<none>");
    ASSERT_TRUE(update(velk_test::shippedScriptPath())) << log;
    EXPECT_NE(log.find("[Database] Updated"), std::string::npos) << log;
    EXPECT_EQ(queryFile("SELECT value FROM settings WHERE name = 'audio.musicvolume'"), "25");
    EXPECT_EQ(queryFile("SELECT name FROM scores WHERE score = 900"), "Zs\xc3\xb3"
                                                                      "fi");
    EXPECT_EQ(files(), std::vector<std::string>{"velk.db"});
}

TEST_F(AppDatabaseFile, UnreadableDatabaseIsKeptAsideAndAFreshOneMade)
{
    const std::string garbage = "this is not a database, but it may be someone's file\n";
    velk_test::writeFile(db, garbage);
    ASSERT_TRUE(update(velk_test::shippedScriptPath())) << log;
    EXPECT_EQ(queryFile("SELECT value FROM settings WHERE name = 'general.lang'"), "en");
    std::vector<std::string> names = files();
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 2u);
    const std::string aside = names[1];
    EXPECT_EQ(aside.rfind("velk.db.damaged-", 0), 0u) << aside;
    EXPECT_EQ(velk_test::readFile(folder / "data" / aside), garbage);
    EXPECT_NE(
        log.find("Cannot read " + db + " (file is not a database); kept it as " + (folder / "data" / aside).string()),
        std::string::npos)
        << log;
}

/// Runs `work` in a child process that ends, as if killed, the moment it first
/// makes one of the system calls `calls` (before the call does anything);
/// true when it ended there.
bool endedAtFirstCall(const std::vector<long>& calls, const std::function<void()>& work)
{
    constexpr int kEnded = 86;
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGSYS, [](int) { _exit(kEnded); });
        std::vector<sock_filter> filter = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
        for (const long call : calls) {
            filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(call), 0, 1));
            filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP));
        }
        filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
        const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
            _exit(1);
        work();
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == kEnded;
}

TEST_F(AppDatabaseFile, AReplacementKilledAtAnyStepLeavesTheScoresToTheNextStart)
{
    const std::vector<long> links = {
#ifdef SYS_link
        SYS_link,
#endif
        SYS_linkat};
    const std::vector<long> renames = {
#ifdef SYS_rename
        SYS_rename,
#endif
        SYS_renameat, SYS_renameat2};
    for (const auto& step : {links, renames}) {
        SCOPED_TRACE(step == links ? "killed at a link" : "killed at a rename");
        fs::remove_all(folder / "data");
        ASSERT_TRUE(update(velk_test::shippedScriptPath())) << log;
        ASSERT_EQ(queryFile("INSERT INTO scores VALUES ('Győző Őrs', 4321, 'crater.map.json', 1)"), "<none>");
        // Noise over the first page of the translations: the scores still read.
        const long page = std::stol(queryFile("SELECT rootpage FROM sqlite_master WHERE name = 'lang'"));
        const long pageSize = std::stol(queryFile("PRAGMA page_size"));
        std::string damaged = velk_test::readFile(db);
        damaged.replace((page - 1) * pageSize, pageSize, pageSize, 'Z');
        velk_test::writeFile(db, damaged);

        ASSERT_TRUE(endedAtFirstCall(step, [this] { update(velk_test::shippedScriptPath()); }));
        EXPECT_EQ(velk_test::readFile(db), damaged);
        ASSERT_TRUE(update(velk_test::shippedScriptPath())) << log;
        EXPECT_EQ(queryFile("PRAGMA quick_check"), "ok");
        EXPECT_EQ(queryFile("SELECT score FROM scores WHERE name = 'Győző Őrs'"), "4321") << log;
    }
}

TEST_F(AppDatabaseFile, RemovesWhatEndedBuildsLeftBehind)
{
    const std::string ended = "velk.db.tmp" + std::to_string(velk_test::endedProcessId());
    const std::string live = "velk.db.tmp" + std::to_string(static_cast<long>(getppid()));
    velk_test::writeFile(folder / "data" / ended, "half a database");
    velk_test::writeFile(folder / "data" / (ended + "-journal"), "its journal");
    velk_test::writeFile(folder / "data" / live, "being built");
    velk_test::writeFile(folder / "data" / "velk.db.tmpfile", "someone's");
    ASSERT_TRUE(update(velk_test::shippedScriptPath())) << log;
    std::vector<std::string> names = files();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"velk.db", live, "velk.db.tmpfile"}));
}

TEST_F(AppDatabaseFile, MissingScriptCreatesNothing)
{
    EXPECT_FALSE(update((folder / "nothing.sql").string()));
    EXPECT_NE(log.find("[Database] Cannot read the script"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(db));
}

TEST_F(AppDatabaseFile, BrokenScriptLeavesNoDatabase)
{
    const std::string script = (folder / "broken.sql").string();
    velk_test::writeFile(script, "CREATE TABLE settings (name TEXT);\nNOT SQL AT ALL;\n");
    EXPECT_FALSE(update(script));
    EXPECT_FALSE(fs::exists(db));
    EXPECT_TRUE(files().empty());
}

} // namespace
