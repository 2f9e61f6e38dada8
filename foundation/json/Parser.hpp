#pragma once

#include "foundation/json/ParseException.hpp"
#include "foundation/json/Value.hpp"

#include <iosfwd>
#include <string>

namespace json {

/// Reads JSON constructs from a caller's stream, one character at a time.
/// Each operation reads one construct from the current position; whatever
/// follows it is left unread. Every failure throws `json::ParseException`,
/// also input nested more than 512 arrays or objects deep (detail
/// "Nesting too deep").
class Parser {
public:
    explicit Parser(std::istream& stream);

    Value parseValue();
    Value parseArray();
    Value parseObject();
    /// A quoted string; object keys are read the same way.
    Value parseString();

private:
    std::istream* stream;
};

/// Parses one value from the current position of the stream.
Value parseFromStream(std::istream& stream);

/// Parses one value from the start of the text; text after it is ignored.
Value parseFromString(const std::string& text);

/// Parses one value from the file. A file that cannot be opened or read
/// throws with the empty detail: "Json parse error ()". So does anything but
/// a regular file, and a file beyond `tools::MaxReadFileBytes`; both are
/// logged with the file's name.
Value parseFromFile(const std::string& path);

} // namespace json
