#pragma once

#include "foundation/csv/ParseDelegate.hpp"

#include <cstdint>
#include <string>

namespace csv {

/// The state of one reading run: a small machine fed one character at a
/// time. Double quotes group text (separators and line feeds included) and
/// never enter a field; a backslash before a double quote gives a literal
/// quote, before anything else it stays as it is. Carriage returns, spaces
/// and tabs are ordinary characters.
class Parser {
public:
    Parser(ParseDelegate* delegate, char separator, std::string source);

    /// Reports `onParseBegin`.
    void begin();
    void feed(char c);
    /// Closes the open line when its last field has text, then reports
    /// `onParseEnd`. A pending backslash is dropped.
    void end();

private:
    enum State { Normal = 0, Quoted = 1, Escape = 2, QuotedEscape = 3 };

    void openLine();
    void closeField();
    void closeLine();

    ParseDelegate* delegate;
    int state = Normal;
    char separator;
    bool atLineStart = true;
    std::string field;
    std::uint32_t lineIndex = 0;
    std::uint32_t fieldIndex = 0;
    std::string source;
};

/// Reads the file and reports it to the delegate; the source name is the
/// path. False, with no event, when the file cannot be opened (a folder
/// included) or the delegate is null.
bool parseFile(const std::string& path, ParseDelegate* delegate, const char& separator);

/// Reports the text to the delegate with the source name "-STRING-". False,
/// with no event, when the delegate is null.
bool parseString(const std::string& text, ParseDelegate* delegate, const char& separator);

} // namespace csv
