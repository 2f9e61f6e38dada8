#pragma once

#include <sqlite3.h>

#include <string>

namespace app {

/// The text of a result column; NULL (or a failed conversion) reads as the empty text.
std::string columnText(sqlite3_stmt* statement, int column);

/// The text wrapped in double quotes with inner double quotes doubled, so that
/// any text can stand in a statement as an identifier.
std::string quoteIdentifier(const std::string& name);

/// The text with control characters replaced, so that it stays on one log line.
std::string printable(const std::string& text);

} // namespace app
