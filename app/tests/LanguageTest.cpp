#include "app/Language.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/app/TestDatabase.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace {

using velk_test::TestDatabase;

// A language object on a small hand-made table.
class AppLanguage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.exec("CREATE TABLE lang (code TEXT PRIMARY KEY NOT NULL, en TEXT NOT NULL, hu TEXT NOT NULL);"
                            "INSERT INTO lang VALUES ('general.localname', 'English', 'Magyar');"
                            "INSERT INTO lang VALUES ('highscores.name', 'Name', 'Név');"
                            "INSERT INTO lang VALUES ('quote', 'say \"hi\"', 'mondd: \"szia\"')"));
        quiet([&] {
            language.setDatabase(db.get());
            language.setActLangCode("en");
        });
    }

    template <class F>
    std::string quiet(F f)
    {
        velk_test::LogCapture logs;
        f();
        return logs.text();
    }

    TestDatabase db{false};
    app::Language language;
};

TEST_F(AppLanguage, TextsFollowTheActiveLanguage)
{
    EXPECT_EQ(language.textForCode("highscores.name"), "Name");
    const std::string log = quiet([&] { language.setActLangCode("hu"); });
    EXPECT_EQ(log, "[Language] Setted lang code: hu\n[Language] Text query preparation OK\n");
    EXPECT_EQ(language.getActLangCode(), "hu");
    EXPECT_EQ(language.textForCode("highscores.name"), "N\xc3\xa9v");
    EXPECT_EQ(language.wtextForCode("highscores.name"), L"N\u00e9v");
    EXPECT_EQ(language.textForCode("quote"), "mondd: \"szia\"");
}

TEST_F(AppLanguage, MissingTranslationIsMarked)
{
    EXPECT_EQ(language.textForCode("mapper.untitled"), "<!mapper.untitled!>");
    EXPECT_EQ(language.textForCode(""), "<!!>");
    EXPECT_EQ(language.wtextForCode("a.b"), L"<!a.b!>");
    // A code that looks like SQL is only a key.
    EXPECT_EQ(language.textForCode("x' OR '1'='1"), "<!x' OR '1'='1!>");
}

TEST_F(AppLanguage, EmptyLanguageMarksEverything)
{
    quiet([&] { language.setActLangCode(""); });
    EXPECT_EQ(language.getActLangCode(), "");
    EXPECT_EQ(language.textForCode("highscores.name"), "<!highscores.name!>");
    EXPECT_EQ(language.getActLangName(), "");
}

TEST_F(AppLanguage, LookupBeforeAnyLanguageIsMarked)
{
    app::Language fresh;
    EXPECT_EQ(fresh.getActLangCode(), "en");
    EXPECT_EQ(fresh.textForCode("highscores.name"), "<!highscores.name!>");
    quiet([&] { fresh.setDatabase(db.get()); });
    EXPECT_EQ(fresh.getDatabase(), db.get());
    EXPECT_EQ(fresh.textForCode("highscores.name"), "<!highscores.name!>");
}

TEST_F(AppLanguage, LanguageListInColumnOrder)
{
    const app::Language::LanguageList expected = {{"en", "English"}, {"hu", "Magyar"}};
    EXPECT_EQ(language.getLanguageList(), expected);
    EXPECT_TRUE(language.isTranslationExist("en"));
    EXPECT_TRUE(language.isTranslationExist("hu"));
    EXPECT_FALSE(language.isTranslationExist("code"));
    EXPECT_FALSE(language.isTranslationExist("EN"));
    EXPECT_FALSE(language.isTranslationExist("de"));
    EXPECT_EQ(language.getLangName("hu"), "Magyar");
    EXPECT_EQ(language.getLangName("de"), "");
    EXPECT_EQ(language.getActLangName(), "English");
}

TEST_F(AppLanguage, NewLanguageColumnNeedsNoCodeChange)
{
    ASSERT_TRUE(db.exec("ALTER TABLE lang ADD COLUMN de TEXT NOT NULL DEFAULT '';"
                        "UPDATE lang SET de = 'Deutsch' WHERE code = 'general.localname'"));
    const app::Language::LanguageList expected = {{"en", "English"}, {"hu", "Magyar"}, {"de", "Deutsch"}};
    EXPECT_EQ(language.getLanguageList(), expected);
    quiet([&] { language.setActLangCode("de"); });
    EXPECT_EQ(language.getActLangName(), "Deutsch");
}

TEST_F(AppLanguage, ListWithoutLocalNameRowIsEmpty)
{
    ASSERT_TRUE(db.exec("DELETE FROM lang WHERE code = 'general.localname'"));
    EXPECT_TRUE(language.getLanguageList().empty());
    EXPECT_FALSE(language.isTranslationExist("en"));
    // Texts still work.
    EXPECT_EQ(language.textForCode("highscores.name"), "Name");
}

TEST_F(AppLanguage, HostileCodeIsRejectedAndTheLanguageStays)
{
    const char* hostile[] = {
        "en\" FROM lang; DROP TABLE lang; --",
        "x\" FROM \"lang\" UNION SELECT sql FROM sqlite_master --",
        "de",     // no such column: would read back as a literal otherwise
        "code",   // a column, but not a language
        "EN",     // languages are matched exactly
        "hu\nen", // kept on one log line
    };
    for (const char* code : hostile) {
        SCOPED_TRACE(code);
        const std::string log = quiet([&] { language.setActLangCode(code); });
        EXPECT_EQ(log.rfind("[Language] Rejected lang code: ", 0), 0u) << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
        EXPECT_EQ(language.getActLangCode(), "en");
        EXPECT_EQ(language.textForCode("highscores.name"), "Name");
    }
    EXPECT_EQ(db.query("SELECT count(*) FROM lang"), "3");
}

TEST_F(AppLanguage, LanguageColumnWithQuotesInItsNameWorks)
{
    // A real column, so it is accepted; its name must stay one identifier.
    ASSERT_TRUE(db.exec("ALTER TABLE lang ADD COLUMN \"x\"\"y\" TEXT NOT NULL DEFAULT '';"
                        "UPDATE lang SET \"x\"\"y\" = 'quoted' WHERE code = 'highscores.name'"));
    const std::string log = quiet([&] { language.setActLangCode("x\"y"); });
    EXPECT_NE(log.find("[Language] Text query preparation OK"), std::string::npos) << log;
    EXPECT_EQ(language.getActLangCode(), "x\"y");
    EXPECT_EQ(language.textForCode("highscores.name"), "quoted");
    EXPECT_EQ(language.textForCode("quote"), "");
}

TEST_F(AppLanguage, RejectedCodeAtStartKeepsTheDefaultLanguageUsable)
{
    app::Language fresh;
    quiet([&] {
        fresh.setDatabase(db.get());
        fresh.setActLangCode("xx");
    });
    EXPECT_EQ(fresh.getActLangCode(), "en");
    EXPECT_EQ(fresh.textForCode("highscores.name"), "Name");
}

TEST_F(AppLanguage, NullTextReadsAsEmpty)
{
    TestDatabase loose(false);
    ASSERT_TRUE(loose.exec("CREATE TABLE lang (code TEXT PRIMARY KEY, en TEXT, hu TEXT);"
                           "INSERT INTO lang VALUES ('general.localname', 'English', NULL);"
                           "INSERT INTO lang VALUES ('only.en', 'Only', NULL)"));
    app::Language lang;
    quiet([&] {
        lang.setDatabase(loose.get());
        lang.setActLangCode("hu");
    });
    EXPECT_EQ(lang.textForCode("only.en"), "");
    EXPECT_EQ(lang.wtextForCode("only.en"), L"");
    const app::Language::LanguageList expected = {{"en", "English"}, {"hu", ""}};
    EXPECT_EQ(lang.getLanguageList(), expected);
}

TEST(AppLanguageFileLock, LookupsDoNotKeepTheFileLocked)
{
    const velk_test::LogCapture quiet;
    velk_test::SharedDatabaseFile db;
    ASSERT_TRUE(db.exec("CREATE TABLE lang (code TEXT PRIMARY KEY NOT NULL, en TEXT NOT NULL, hu TEXT NOT NULL);"
                        "INSERT INTO lang VALUES ('highscores.name', 'Name', 'N\xc3\xa9v')"));
    app::Language language;
    language.setDatabase(db.get());
    language.setActLangCode("en");
    EXPECT_EQ(language.textForCode("highscores.name"), "Name");
    // Lookups run all the time; one left on its row would lock other programs out.
    EXPECT_TRUE(db.execElsewhere("UPDATE lang SET en = 'Player' WHERE code = 'highscores.name'"));
    EXPECT_EQ(language.textForCode("highscores.name"), "Player");
}

TEST(AppLanguageTable, CreatedOnceThenFound)
{
    velk_test::LogCapture logs;
    TestDatabase db(false);
    app::Language language;
    std::ostringstream pointer;
    pointer << static_cast<const void*>(db.get());
    logs.clear();
    language.setDatabase(db.get());
    EXPECT_EQ(logs.text(), "[Language] Set database to " + pointer.str() + "\n[Language] 'lang' table created\n");
    EXPECT_EQ(db.query("SELECT count(*) FROM lang"), "0");
    EXPECT_TRUE(language.getLanguageList().empty());

    app::Language second;
    logs.clear();
    second.setDatabase(db.get());
    EXPECT_EQ(logs.text(),
              "[Language] Set database to " + pointer.str() + "\n[Language] 'lang' table already exists\n");
    logs.clear();
    second.setActLangCode("hu");
    EXPECT_EQ(logs.text(), "[Language] Setted lang code: hu\n[Language] Text query preparation OK\n");
    EXPECT_EQ(second.textForCode("a"), "<!a!>");
}

TEST(AppLanguageTable, FailedCreationIsNotReportedAsExisting)
{
    velk_test::LogCapture logs;
    TestDatabase db(false);
    ASSERT_TRUE(db.exec("PRAGMA query_only = 1"));
    app::Language language;
    logs.clear();
    language.setDatabase(db.get());
    const std::string log = logs.text();
    EXPECT_EQ(log.find("already exists"), std::string::npos) << log;
    EXPECT_NE(log.find("[Language] 'lang' table creation failed: "), std::string::npos) << log;
    // Lookups stay harmless.
    logs.clear();
    language.setActLangCode("en");
    EXPECT_NE(logs.text().find("[Language] Text query preparation FAIL"), std::string::npos);
    EXPECT_EQ(language.textForCode("a"), "<!a!>");
    EXPECT_TRUE(language.getLanguageList().empty());
}

TEST(AppLanguageTable, NoConnection)
{
    velk_test::LogCapture logs;
    app::Language language;
    logs.clear();
    language.setDatabase(nullptr);
    language.setActLangCode("hu");
    const std::string log = logs.text();
    EXPECT_NE(log.find("[Language] Set database to "), std::string::npos);
    EXPECT_NE(log.find("[Language] Text query preparation FAIL"), std::string::npos) << log;
    EXPECT_EQ(language.getDatabase(), nullptr);
    EXPECT_EQ(language.textForCode("a"), "<!a!>");
    EXPECT_TRUE(language.getLanguageList().empty());
    EXPECT_FALSE(language.isTranslationExist("hu"));
}

} // namespace
