#pragma once

#include "foundation/json/Value.hpp"

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace json {

// The text form is part of the game's file formats: objects put one member
// per line after a single tab ("\t\"key\" : value"), arrays stay on one line
// with ", " between elements, floats keep 6 significant digits, and nothing
// follows the last character. Non-finite floats, which no reader accepts,
// are written as null.

std::ostream& operator<<(std::ostream& stream, const Value& value);
std::ostream& operator<<(std::ostream& stream, const std::vector<Value>& array);
std::ostream& operator<<(std::ostream& stream, const std::map<std::string, Value>& object);

/// Writes the text form of the value, exactly as `operator<<` does.
void writeToStream(std::ostream& stream, const Value& value);

/// Replaces the content of `out` with the text form of the value.
void writeToString(std::string& out, const Value& value);

/// Writes the text form to the file atomically (temporary file, then
/// rename). Returns false, logs one "[Json]" line and leaves any old file
/// untouched when the file cannot be written.
bool writeToFile(const std::string& path, const Value& value);

} // namespace json
