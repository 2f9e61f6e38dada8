#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace tools {

/// Splits text at every character of `delimiters`. k delimiters give k + 1
/// tokens, empty ones included (an empty text gives one empty token). With
/// `compress`, a run of delimiters separates like a single one; with
/// `dropEmpty`, empty tokens are removed.
std::vector<std::string> split(const std::string& text, const std::string& delimiters, bool compress, bool dropEmpty);

/// Decodes UTF-8 into one wide character per code point. Malformed sequences
/// give U+FFFD; never throws on bad input.
std::wstring utf8ToWString(const std::string& text);

/// Encodes each wide character as UTF-8 (1 to 4 bytes). Values beyond
/// U+10FFFF give U+FFFD.
std::string wstringToUtf8(const std::wstring& text);

/// Reads a T from the start of the text: leading white space or text
/// without a number gives 0, text after the number is ignored.
template <typename T>
T str2t(const std::string& text)
{
    std::istringstream stream(text);
    stream >> std::noskipws;
    T value{};
    stream >> value;
    return value;
}

/// The value in the default stream formatting.
template <typename T>
std::string t2str(T value)
{
    std::ostringstream stream;
    stream << value;
    return stream.str();
}

} // namespace tools
