#pragma once

#include "foundation/tools/NonCopyable.hpp"

#include <sqlite3.h>

#include <list>
#include <string>
#include <utility>
#include <vector>

namespace app {

/// Translations from the table "lang": one row per translation code, one column
/// per language. A code without a text shows as "<!" + code + "!>".
class Language : public tools::NonCopyable {
public:
    /// (language code, the language's own name)
    using LanguageList = std::list<std::pair<std::string, std::string>>;

    Language();
    ~Language() override;

    /// Borrows the connection and creates the table "lang" when it is missing.
    void setDatabase(sqlite3* database);
    sqlite3* getDatabase() const { return database; }

    /// Makes a language active. A code that is not a language column of "lang"
    /// is rejected with a log line and the active language stays.
    void setActLangCode(const std::string& code);
    const std::string& getActLangCode() const { return actLangCode; }

    /// The UTF-8 text of a translation code in the active language.
    std::string textForCode(const std::string& code) const;
    /// The same text as a wide string.
    std::wstring wtextForCode(const std::string& code) const;

    /// One pair per language column, in column order, from the row "general.localname".
    LanguageList getLanguageList() const;
    bool isTranslationExist(const std::string& code) const;
    /// The own name of a language; empty when there is no such language.
    std::string getLangName(const std::string& code) const;
    std::string getActLangName() const;

private:
    /// Reads the language columns of "lang"; false when the table cannot be read.
    bool readLanguageColumns(std::vector<std::string>& columns) const;
    bool tableExists() const;
    void prepareTextQuery();

    std::string actLangCode;
    sqlite3* database = nullptr;
    sqlite3_stmt* textQuery = nullptr;
};

} // namespace app
