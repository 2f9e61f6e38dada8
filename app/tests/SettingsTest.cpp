#include "app/Settings.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/app/TestDatabase.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using velk_test::TestDatabase;

// A store on a bare "settings" table with the rows a case needs.
class AppSettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        velk_test::LogCapture logs;
        ASSERT_TRUE(db.exec("CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT)"));
        logs.clear();
        settings.setDatabase(db.get());
        log = logs.text();
    }

    void row(const std::string& key, const std::string& value)
    {
        ASSERT_TRUE(db.exec("INSERT OR REPLACE INTO settings VALUES ('" + key + "', '" + value + "')"));
    }

    TestDatabase db{false};
    app::Settings settings;
    std::string log;
};

TEST_F(AppSettingsStore, PreparesBothStatements)
{
    EXPECT_EQ(log, "[Settings] Get prepare...OK\n[Settings] Set prepare...OK\n");
}

TEST_F(AppSettingsStore, WriteIsVisibleToTheNextRead)
{
    row("graphics.fps", "60");
    EXPECT_FLOAT_EQ(settings.getSetting<float>("graphics.fps"), 60.0f);
    settings.setSetting<float>("graphics.fps", 30.0f);
    EXPECT_EQ(db.stored("graphics.fps"), "30");
    EXPECT_FLOAT_EQ(settings.getSetting<float>("graphics.fps"), 30.0f);
    // Changed behind the store's back: still seen, there is no cache.
    row("graphics.fps", "45");
    EXPECT_FLOAT_EQ(settings.getSetting<float>("graphics.fps"), 45.0f);
}

TEST_F(AppSettingsStore, TypedReadsFollowStreamExtraction)
{
    struct Case {
        const char* text;
        bool asBool;
        float asFloat;
        unsigned int asUnsigned;
        const char* asString;
    };
    const std::vector<Case> cases = {
        {"1", true, 1.0f, 1u, "1"},         {"0", false, 0.0f, 0u, "0"}, {"2", true, 2.0f, 2u, "2"},
        {"true", false, 0.0f, 0u, "true"},  {" 1", false, 0.0f, 0u, ""}, {"60fps", true, 60.0f, 60u, "60fps"},
        {"37.5", true, 37.5f, 37u, "37.5"}, {"", false, 0.0f, 0u, ""},   {"two words", false, 0.0f, 0u, "two"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("stored text '") + c.text + "'");
        row("k", c.text);
        EXPECT_EQ(settings.getSetting<bool>("k"), c.asBool);
        EXPECT_FLOAT_EQ(settings.getSetting<float>("k"), c.asFloat);
        EXPECT_EQ(settings.getSetting<unsigned int>("k"), c.asUnsigned);
        EXPECT_EQ(settings.getSetting<std::string>("k"), c.asString);
        EXPECT_EQ(settings.getSetting("k"), c.text);
    }
}

TEST_F(AppSettingsStore, TypedWritesFormatLikePrintf)
{
    row("k", "x");
    settings.setSetting<bool>("k", true);
    EXPECT_EQ(db.stored("k"), "1");
    settings.setSetting<bool>("k", false);
    EXPECT_EQ(db.stored("k"), "0");
    settings.setSetting<float>("k", 33.333333f);
    EXPECT_EQ(db.stored("k"), "33.3333");
    settings.setSetting<float>("k", 1000000.0f);
    EXPECT_EQ(db.stored("k"), "1e+06");
    settings.setSetting<unsigned int>("k", 4294967295u);
    EXPECT_EQ(db.stored("k"), "4294967295");
    settings.setSetting<std::string>("k", "with blanks");
    EXPECT_EQ(db.stored("k"), "with blanks");
}

TEST_F(AppSettingsStore, MissingKeyReadsEmptyAndWriteIsLoggedNotInserted)
{
    velk_test::LogCapture logs;
    EXPECT_EQ(settings.getSetting("no.such.key"), "");
    EXPECT_FALSE(settings.getSetting<bool>("no.such.key"));
    EXPECT_EQ(settings.getSetting<float>("no.such.key"), 0.0f);
    logs.clear();
    settings.setSetting("no.such.key", "5");
    const std::string out = logs.text();
    EXPECT_EQ(db.query("SELECT count(*) FROM settings"), "0");
    EXPECT_NE(out.find("[Settings] No row for \"no.such.key\""), std::string::npos) << out;
}

TEST_F(AppSettingsStore, SuccessfulWriteLogsNothing)
{
    velk_test::LogCapture logs;
    row("k", "a");
    logs.clear();
    settings.setSetting("k", "a"); // same value: still a stored write
    settings.setSetting("k", "b");
    EXPECT_EQ(logs.text(), "");
}

TEST_F(AppSettingsStore, FailingUpdateIsLogged)
{
    velk_test::LogCapture logs;
    row("k", "a");
    ASSERT_TRUE(db.exec("CREATE TRIGGER refuse BEFORE UPDATE ON settings BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    logs.clear();
    settings.setSetting("k", "b");
    const std::string out = logs.text();
    EXPECT_EQ(db.stored("k"), "a");
    EXPECT_NE(out.find("[Settings] Storing \"k\" failed: locked"), std::string::npos) << out;
}

TEST_F(AppSettingsStore, NullValueReadsAsEmptyText)
{
    ASSERT_TRUE(db.exec("INSERT INTO settings VALUES ('k', NULL)"));
    EXPECT_EQ(settings.getSetting("k"), "");
    EXPECT_EQ(settings.getSetting<unsigned int>("k"), 0u);
    EXPECT_EQ(settings.getSetting<std::string>("k"), "");
}

TEST_F(AppSettingsStore, KeyWithHostileTextIsJustAKey)
{
    row("k", "safe");
    settings.setSetting("k' OR '1'='1", "evil");
    EXPECT_EQ(db.stored("k"), "safe");
    EXPECT_EQ(settings.getSetting("k' OR name = 'k"), "");
}

TEST_F(AppSettingsStore, ReadTransactionIsNotLeftOpen)
{
    row("k", "1");
    settings.getSetting("k");
    // With a statement still on its row the table could not be dropped.
    EXPECT_TRUE(db.exec("DROP TABLE settings"));
}

TEST(AppSettingsFileLock, ReadsDoNotKeepTheFileLocked)
{
    const velk_test::LogCapture quiet;
    velk_test::SharedDatabaseFile db;
    ASSERT_TRUE(db.exec("CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT);"
                        "INSERT INTO settings VALUES ('a', '1')"));
    app::Settings settings;
    settings.setDatabase(db.get());
    EXPECT_EQ(settings.getSetting("a"), "1");
    // A statement left on its row would hold a shared lock on the file for as
    // long as the game runs, and no other program could write to it.
    EXPECT_TRUE(db.execElsewhere("UPDATE settings SET value = '2' WHERE name = 'a'"));
    EXPECT_EQ(settings.getSetting("a"), "2");
}

TEST(AppSettingsNoTable, PreparationFailsAndEverythingIsHarmless)
{
    velk_test::LogCapture logs;
    TestDatabase db(false);
    app::Settings settings;
    logs.clear();
    settings.setDatabase(db.get());
    EXPECT_EQ(logs.text(), "[Settings] Get prepare...FAIL\n[Settings] Set prepare...FAIL\n");
    EXPECT_EQ(settings.getSetting("graphics.fps"), "");
    EXPECT_EQ(settings.getSetting<float>("graphics.fps"), 0.0f);
    logs.clear();
    settings.setSetting<float>("graphics.fps", 30.0f);
    EXPECT_NE(logs.text().find("[Settings]"), std::string::npos);

    // Once the table exists, a new setDatabase picks it up.
    ASSERT_TRUE(db.exec("CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT);"
                        "INSERT INTO settings VALUES ('graphics.fps', '60')"));
    logs.clear();
    settings.setDatabase(db.get());
    EXPECT_EQ(logs.text(), "[Settings] Get prepare...OK\n[Settings] Set prepare...OK\n");
    EXPECT_EQ(settings.getSetting<float>("graphics.fps"), 60.0f);
}

TEST(AppSettingsNoTable, NullConnection)
{
    velk_test::LogCapture logs;
    app::Settings settings;
    logs.clear();
    settings.setDatabase(nullptr);
    EXPECT_EQ(logs.text(), "[Settings] Get prepare...FAIL\n[Settings] Set prepare...FAIL\n");
    EXPECT_EQ(settings.getSetting("k"), "");
    settings.setSetting("k", "v");
    // Also a store that never saw a connection.
    app::Settings fresh;
    EXPECT_EQ(fresh.getSetting<unsigned int>("k"), 0u);
}

TEST(AppSettingsNoTable, SchemaChangeAfterPreparationDoesNotBreakStatements)
{
    const velk_test::LogCapture quiet;
    TestDatabase db(false);
    ASSERT_TRUE(db.exec("CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT);"
                        "INSERT INTO settings VALUES ('k', '7')"));
    app::Settings settings;
    settings.setDatabase(db.get());
    // Another part of the program creates a table on the same connection.
    ASSERT_TRUE(db.exec("CREATE TABLE other (x)"));
    EXPECT_EQ(settings.getSetting<unsigned int>("k"), 7u);
    settings.setSetting<unsigned int>("k", 8u);
    EXPECT_EQ(db.stored("k"), "8");
}

// Records its destruction so the order can be checked.
std::vector<int>* gDestroyed = nullptr;

class CountingGroup : public app::Settings::SubSettings {
public:
    ~CountingGroup() override
    {
        if (gDestroyed)
            gDestroyed->push_back(id);
    }
    int id = 0;
    app::Settings* owner() const { return getSettings(); }
};

TEST(AppSettingsGroups, AddedGroupsPointBackAndAreDeletedInOrder)
{
    TestDatabase db(false);
    ASSERT_TRUE(db.exec("CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT);"
                        "INSERT INTO settings VALUES ('k', 'v')"));
    std::vector<int> destroyed;
    gDestroyed = &destroyed;
    {
        const velk_test::LogCapture quiet;
        app::Settings settings;
        settings.setDatabase(db.get());
        for (int i = 1; i <= 3; ++i) {
            CountingGroup* group = settings.addSubSettings<CountingGroup>();
            group->id = i;
            EXPECT_EQ(group->owner(), &settings);
        }
        CountingGroup* last = settings.addSubSettings<CountingGroup>();
        last->id = 4;
        EXPECT_EQ(last->getSetting("k"), "v");
        last->setSetting("k", "w");
        EXPECT_EQ(db.stored("k"), "w");
    }
    gDestroyed = nullptr;
    EXPECT_EQ(destroyed, (std::vector<int>{1, 2, 3, 4}));
    // The borrowed connection is still usable.
    EXPECT_EQ(db.stored("k"), "w");
}

} // namespace
