// Every translation code the menu and shell use, in their scripts and their
// code, has an English and a Hungarian text in the shipped database script.

#include "app/DatabaseSeeder.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = VELK_SOURCE_DIR;

void collect(const fs::path& file, const std::regex& pattern, std::set<std::string>& codes)
{
    const std::string text = velk_test::readFile(file);
    ASSERT_FALSE(text.empty()) << file;
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
        codes.insert((*it)[1].str());
}

std::set<std::string> usedCodes()
{
    std::set<std::string> codes = {"general.localname"};
    // Window texts of the scripts: "@" + code.
    const std::regex scriptCode("\"@([A-Za-z0-9_.]+)\"");
    for (const char* script : {"init_mainmenu.lua", "init_guitest.lua"})
        collect(kSource / "data/gui/scripts" / script, scriptCode, codes);
    // Codes the code looks up itself.
    const std::regex codeLiteral("\"((?:setting|highscores|mainmenu|general|credits)\\.[a-z0-9_.]+)\"");
    for (const char* folder : {"game/menu", "game/shell"}) {
        for (const auto& entry : fs::directory_iterator(kSource / folder)) {
            if (entry.path().extension() == ".cpp")
                collect(entry.path(), codeLiteral, codes);
        }
    }
    for (unsigned type = 0; type <= 3; ++type)
        codes.insert(SfmlFramework::getColorblindCode(static_cast<SfmlFramework::ColorblindType>(type)));
    return codes;
}

TEST(TranslationCoverageTest, EveryUsedCodeHasEnglishAndHungarian)
{
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &database), SQLITE_OK);
    std::string script;
    ASSERT_TRUE(app::DatabaseSeeder::readScript((kSource / "data/velk.sql").string(), script));
    ASSERT_TRUE(app::DatabaseSeeder::apply(database, script));

    const std::set<std::string> codes = usedCodes();
    // The scripts' buttons and the settings' tooltips at least.
    EXPECT_TRUE(codes.count("mainmenu.exit"));
    EXPECT_TRUE(codes.count("setting.graphics.fps.tooltip"));
    EXPECT_TRUE(codes.count("highscores.allmaps"));

    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(database, "SELECT en, hu FROM lang WHERE code = ?", -1, &query, nullptr), SQLITE_OK);
    for (const std::string& code : codes) {
        sqlite3_reset(query);
        sqlite3_bind_text(query, 1, code.c_str(), -1, SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(query), SQLITE_ROW) << "no row for " << code;
        const auto text = [query](int column) {
            const unsigned char* value = sqlite3_column_text(query, column);
            return value ? std::string(reinterpret_cast<const char*>(value)) : std::string();
        };
        EXPECT_FALSE(text(0).empty()) << code << " has no English text";
        EXPECT_FALSE(text(1).empty()) << code << " has no Hungarian text";
    }
    sqlite3_finalize(query);
    sqlite3_close(database);
}

} // namespace
