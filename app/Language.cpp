#include "app/Language.hpp"

#include "app/SqlText.hpp"
#include "foundation/tools/Log.hpp"
#include "foundation/tools/StringUtils.hpp"

#include <algorithm>
#include <sstream>

namespace app {

namespace {

const char* const kCreateTable =
    "CREATE TABLE 'lang' ('code' TEXT PRIMARY KEY NOT NULL, 'en' TEXT NOT NULL, 'hu' TEXT NOT NULL)";
const char* const kTableExists =
    "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = 'lang' COLLATE NOCASE";
const char* const kColumns = "SELECT * FROM \"lang\" LIMIT 0";
const char* const kLanguageList = "SELECT * FROM \"lang\" WHERE \"code\" = 'general.localname'";
const char* const kCodeColumn = "code";

std::string marked(const std::string& code)
{
    return "<!" + code + "!>";
}

} // namespace

Language::Language() : actLangCode("en") {}

Language::~Language()
{
    sqlite3_finalize(textQuery);
}

void Language::setDatabase(sqlite3* database)
{
    if (database != this->database) {
        // A prepared query belongs to its connection.
        sqlite3_finalize(textQuery);
        textQuery = nullptr;
    }
    this->database = database;
    std::ostringstream address;
    address << static_cast<const void*>(database);
    tools::log("Language", "Set database to " + address.str());
    if (!database)
        return;
    if (tableExists()) {
        tools::log("Language", "'lang' table already exists");
        return;
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(database, kCreateTable, nullptr, nullptr, &error);
    if (rc == SQLITE_OK)
        tools::log("Language", "'lang' table created");
    else
        tools::log("Language",
                   std::string("'lang' table creation failed: ") + (error ? error : sqlite3_errmsg(database)));
    sqlite3_free(error);
}

bool Language::tableExists() const
{
    sqlite3_stmt* statement = nullptr;
    bool exists = false;
    if (sqlite3_prepare_v2(database, kTableExists, -1, &statement, nullptr) == SQLITE_OK)
        exists = sqlite3_step(statement) == SQLITE_ROW;
    sqlite3_finalize(statement);
    return exists;
}

bool Language::readLanguageColumns(std::vector<std::string>& columns) const
{
    columns.clear();
    if (!database)
        return false;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, kColumns, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return false;
    }
    const int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(statement, i);
        if (name && std::string(name) != kCodeColumn)
            columns.emplace_back(name);
    }
    sqlite3_finalize(statement);
    return true;
}

void Language::setActLangCode(const std::string& code)
{
    // The code becomes a column name in the text query, so only the table's own
    // language columns are accepted. The empty code means "no language".
    std::vector<std::string> columns;
    if (!code.empty() && readLanguageColumns(columns) &&
        std::find(columns.begin(), columns.end(), code) == columns.end()) {
        tools::log("Language", "Rejected lang code: " + printable(code) + " (not a language of 'lang')");
        // The active language stays; make sure it can be looked up.
        if (!textQuery && !actLangCode.empty() && actLangCode != code)
            setActLangCode(std::string(actLangCode));
        return;
    }
    actLangCode = code;
    tools::log("Language", "Setted lang code: " + printable(actLangCode));
    prepareTextQuery();
}

void Language::prepareTextQuery()
{
    // Quoting keeps the statement sound even when the columns could not be read.
    const std::string text = "SELECT " + quoteIdentifier(actLangCode) + " FROM \"lang\" WHERE \"code\" = ?";
    sqlite3_finalize(textQuery);
    textQuery = nullptr;
    int rc = SQLITE_MISUSE;
    if (database) {
        rc = sqlite3_prepare_v2(database, text.c_str(), -1, &textQuery, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(textQuery);
            textQuery = nullptr;
        }
    }
    tools::log("Language", std::string("Text query preparation ") + (rc == SQLITE_OK ? "OK" : "FAIL"));
}

std::string Language::textForCode(const std::string& code) const
{
    if (actLangCode.empty() || !textQuery)
        return marked(code);
    sqlite3_reset(textQuery);
    sqlite3_bind_text(textQuery, 1, code.c_str(), -1, SQLITE_TRANSIENT);
    const bool found = sqlite3_step(textQuery) == SQLITE_ROW;
    const std::string text = found ? columnText(textQuery, 0) : marked(code);
    // Reset at once so that no read transaction stays open between lookups.
    sqlite3_reset(textQuery);
    return text;
}

std::wstring Language::wtextForCode(const std::string& code) const
{
    return tools::utf8ToWString(textForCode(code));
}

Language::LanguageList Language::getLanguageList() const
{
    LanguageList languages;
    if (!database)
        return languages;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, kLanguageList, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const int count = sqlite3_column_count(statement);
        for (int i = 0; i < count; ++i) {
            const char* name = sqlite3_column_name(statement, i);
            if (!name || std::string(name) == kCodeColumn)
                continue;
            languages.emplace_back(name, columnText(statement, i));
        }
    }
    sqlite3_finalize(statement);
    return languages;
}

bool Language::isTranslationExist(const std::string& code) const
{
    const LanguageList languages = getLanguageList();
    return std::any_of(languages.begin(), languages.end(),
                       [&code](const auto& language) { return language.first == code; });
}

std::string Language::getLangName(const std::string& code) const
{
    for (const auto& language : getLanguageList()) {
        if (language.first == code)
            return language.second;
    }
    return std::string();
}

std::string Language::getActLangName() const
{
    return getLangName(actLangCode);
}

} // namespace app
