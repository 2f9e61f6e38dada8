#include "foundation/json/Parser.hpp"

#include "foundation/json/ParserCore.hpp"
#include "foundation/tools/RegularFile.hpp"

#include <istream>

namespace json {

namespace {

using StreamGrammar = detail::Grammar<detail::StreamSource>;

/// Reads the construct only when the input really starts with its opener.
template <typename Read>
Value readOpened(std::istream& stream, char opener, Read read)
{
    detail::StreamSource source(stream);
    StreamGrammar grammar(source);
    if (source.peek() != opener)
        detail::fail(detail::InvalidValue);
    return read(grammar);
}

Value parseBuffer(const char* begin, const char* end)
{
    detail::BufferSource source(begin, end);
    detail::Grammar<detail::BufferSource> grammar(source);
    return grammar.value(0);
}

} // namespace

Parser::Parser(std::istream& stream) : stream(&stream) {}

Value Parser::parseValue()
{
    detail::StreamSource source(*stream);
    return StreamGrammar(source).value(0);
}

Value Parser::parseArray()
{
    return readOpened(*stream, '[', [](StreamGrammar& g) { return g.array(0); });
}

Value Parser::parseObject()
{
    return readOpened(*stream, '{', [](StreamGrammar& g) { return g.object(0); });
}

Value Parser::parseString()
{
    return readOpened(*stream, '"', [](StreamGrammar& g) { return Value(g.string()); });
}

Value parseFromStream(std::istream& stream)
{
    return Parser(stream).parseValue();
}

Value parseFromString(const std::string& text)
{
    return parseBuffer(text.data(), text.data() + text.size());
}

Value parseFromFile(const std::string& path)
{
    std::string text;
    if (!tools::readRegularFile(path, text))
        detail::fail(detail::ReadFailed);
    return parseBuffer(text.data(), text.data() + text.size());
}

} // namespace json
