#include "foundation/csv/Parser.hpp"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace csv {

Parser::Parser(ParseDelegate* delegate, char separator, std::string source)
    : delegate(delegate), separator(separator), source(std::move(source))
{}

void Parser::begin()
{
    delegate->onParseBegin(source);
}

void Parser::openLine()
{
    if (!atLineStart)
        return;
    delegate->onLineBegin(lineIndex);
    atLineStart = false;
    fieldIndex = 0;
}

void Parser::closeField()
{
    delegate->onField(field, fieldIndex);
    ++fieldIndex;
    field.clear();
}

void Parser::closeLine()
{
    closeField();
    delegate->onLineEnd(lineIndex);
    ++lineIndex;
    atLineStart = true;
}

void Parser::feed(char c)
{
    switch (state) {
    case Normal:
        // The separator is tested first, so even a quote or a line feed can be one.
        if (c == separator) {
            openLine();
            closeField();
        } else if (c == '\n') {
            if (!atLineStart)
                closeLine();
        } else if (c == '"') {
            openLine();
            state = Quoted;
        } else if (c == '\\') {
            openLine();
            state = Escape;
        } else {
            openLine();
            field.push_back(c);
        }
        break;
    case Quoted:
        if (c == '"')
            state = Normal;
        else if (c == '\\')
            state = QuotedEscape;
        else
            field.push_back(c);
        break;
    case Escape:
    case QuotedEscape:
        if (c != '"')
            field.push_back('\\');
        field.push_back(c);
        state = state == Escape ? Normal : Quoted;
        break;
    }
}

void Parser::end()
{
    // Only a field with text closes the line here: input that ends right
    // after a separator reports neither the empty last field nor the line end.
    if (!field.empty())
        closeLine();
    state = Normal;
    delegate->onParseEnd(source);
}

bool parseFile(const std::string& path, ParseDelegate* delegate, const char& separator)
{
    if (!delegate)
        return false;
    // A folder opens like a file here but cannot be read.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    std::ifstream file(path);
    if (!file.is_open())
        return false;
    Parser parser(delegate, separator, path);
    parser.begin();
    char chunk[1 << 14];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        const auto count = file.gcount();
        for (std::streamsize i = 0; i < count; ++i)
            parser.feed(chunk[i]);
    }
    file.close();
    parser.end();
    return true;
}

bool parseString(const std::string& text, ParseDelegate* delegate, const char& separator)
{
    if (!delegate)
        return false;
    Parser parser(delegate, separator, "-STRING-");
    parser.begin();
    for (const char c : text)
        parser.feed(c);
    parser.end();
    return true;
}

} // namespace csv
