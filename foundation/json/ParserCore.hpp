#pragma once

// Internal to the JSON reader: one grammar over two character sources, a
// stream read one character at a time and a string in memory read in place.
// Both give the same values and the same errors.

#include "foundation/json/ParseException.hpp"
#include "foundation/json/Value.hpp"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <istream>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace json::detail {

/// Deepest nesting of arrays and objects the reader accepts; deeper input
/// is refused instead of exhausting the stack.
inline constexpr int MaxNesting = 512;

inline constexpr const char* ReadFailed = "";
inline constexpr const char* BadBool = "Bad bool";
inline constexpr const char* BadNull = "Bad null";
inline constexpr const char* InvalidValue = "Invalid value";
inline constexpr const char* ArrayNotClosed = "Array isn't closed";
inline constexpr const char* KeyWithoutQuote = "Object key doesn't start with '\"'";
inline constexpr const char* ColonMissing = "':' is missing";
inline constexpr const char* ObjectNotClosed = "Object isn't closed";
inline constexpr const char* BadEscape = "Invalid '\\' character";
inline constexpr const char* TooDeep = "Nesting too deep";

[[noreturn]] inline void fail(const char* detail)
{
    throw ParseException(detail);
}

/// The white space that formatted stream extraction skips in the C locale.
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

/// Reads a string in memory without copying it.
class BufferSource {
public:
    BufferSource(const char* begin, const char* end) : cursor(begin), end(end), tokenStart(begin) {}

    /// Next character after white space; consumed.
    char next()
    {
        skipBlanks();
        if (cursor == end)
            fail(ReadFailed);
        return *cursor++;
    }

    /// Next character after white space; not consumed.
    char peek()
    {
        skipBlanks();
        if (cursor == end)
            fail(ReadFailed);
        return *cursor;
    }

    /// Next character as it stands, white space included.
    char raw()
    {
        if (cursor == end)
            fail(ReadFailed);
        return *cursor++;
    }

    /// Appends string bytes up to the next quote or backslash, not consuming those.
    void appendPlain(std::string& out)
    {
        const char* start = cursor;
        while (cursor != end && *cursor != '"' && *cursor != '\\')
            ++cursor;
        out.append(start, cursor);
    }

    int peekRaw() const { return cursor == end ? -1 : static_cast<unsigned char>(*cursor); }
    void take() { ++cursor; }
    void beginToken() { tokenStart = cursor; }
    std::string_view token() const { return {tokenStart, static_cast<std::size_t>(cursor - tokenStart)}; }

    /// The common case of a short non-negative whole number that no fraction
    /// or exponent follows; false leaves the input untouched.
    bool shortInteger(long long& value)
    {
        const char* p = cursor;
        long long result = 0;
        while (p != end && p - cursor < 18 && *p >= '0' && *p <= '9')
            result = result * 10 + (*p++ - '0');
        if (p == cursor || (p != end && ((*p >= '0' && *p <= '9') || *p == '.' || *p == 'e' || *p == 'E')))
            return false;
        cursor = p;
        value = result;
        return true;
    }

private:
    void skipBlanks()
    {
        while (cursor != end && isBlank(*cursor))
            ++cursor;
    }

    const char* cursor;
    const char* end;
    const char* tokenStart;
};

/// Reads a caller's stream one character at a time with formatted
/// extraction; a failed read (end of input, failed stream) is a parse error
/// with the empty detail.
class StreamSource {
public:
    explicit StreamSource(std::istream& stream) : stream(&stream) {}

    char next()
    {
        char c = 0;
        *stream >> std::skipws >> c;
        if (!*stream)
            fail(ReadFailed);
        return c;
    }

    char peek()
    {
        const char c = next();
        stream->putback(c);
        if (!*stream)
            fail(ReadFailed);
        return c;
    }

    char raw()
    {
        char c = 0;
        if (!stream->get(c))
            fail(ReadFailed);
        return c;
    }

    void appendPlain(std::string&) {}
    bool shortInteger(long long&) { return false; }

    int peekRaw()
    {
        const auto c = stream->peek();
        return c == std::istream::traits_type::eof() ? -1 : c;
    }
    void take() { tokenText.push_back(static_cast<char>(stream->get())); }
    void beginToken() { tokenText.clear(); }
    std::string_view token() const { return tokenText; }

private:
    std::istream* stream;
    std::string tokenText;
};

/// Turns the characters that a number extraction accepts into a value:
/// an integer when the number is whole and fits 64 bits, a float otherwise.
/// Text that holds no number, or a number beyond the double range, fails.
inline Value numberFromToken(std::string_view token)
{
    const char* begin = token.data();
    const char* end = begin + token.size();
    const bool negative = begin != end && *begin == '-';
    const char* digits = begin + (negative ? 1 : 0);

    // Plain whole numbers are read exactly, also beyond the 53 bits a double
    // keeps; those beyond 64 bits stay floats.
    const char* p = digits;
    while (p != end && *p >= '0' && *p <= '9')
        ++p;
    const bool plainInteger = p == end && p != digits;
    if (plainInteger) {
        const char* significant = digits;
        while (significant + 1 != end && *significant == '0')
            ++significant;
        if (end - significant <= 19) {
            unsigned long long magnitude = 0;
            for (const char* d = significant; d != end; ++d)
                magnitude = magnitude * 10 + static_cast<unsigned>(*d - '0');
            constexpr unsigned long long Max = static_cast<unsigned long long>(LLONG_MAX);
            if (!negative && magnitude <= Max)
                return Value(static_cast<long long>(magnitude));
            if (negative && magnitude <= Max + 1)
                return Value(magnitude == Max + 1 ? LLONG_MIN : -static_cast<long long>(magnitude));
        }
    }

    double number = 0.0;
    const auto result = std::from_chars(begin, end, number);
    if (result.ec == std::errc::result_out_of_range && result.ptr == end) {
        // Too small rounds to zero, too large fails: what the stream extraction does.
        std::istringstream stream{std::string(token)};
        stream.imbue(std::locale::classic());
        stream >> number;
        if (stream.fail())
            fail(ReadFailed);
    } else if (result.ec != std::errc() || result.ptr != end) {
        fail(ReadFailed);
    }

    if (!plainInteger && number == std::floor(number) && number >= -9223372036854775808.0 &&
        number < 9223372036854775808.0)
        return Value(static_cast<long long>(number));
    return Value(number);
}

inline int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

inline void appendUtf8(std::string& out, unsigned codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

/// Recursive-descent reader of one value. `depth` counts the arrays and
/// objects that enclose the construct being read.
template <class Source>
class Grammar {
public:
    explicit Grammar(Source& source) : source(source) {}

    Value value(int depth)
    {
        const char c = source.peek();
        switch (c) {
        case '"': return Value(string());
        case '-':
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9': return number();
        case 't':
        case 'T':
        case 'f':
        case 'F': return boolean(c);
        case 'n':
        case 'N': return null();
        case '[': return array(depth);
        case '{': return object(depth);
        default: fail(InvalidValue);
        }
    }

    Value array(int depth)
    {
        if (depth >= MaxNesting)
            fail(TooDeep);
        source.next(); // the '['
        std::vector<Value> items;
        if (source.peek() == ']') {
            source.next();
            return Value(std::move(items));
        }
        for (;;) {
            items.push_back(value(depth + 1));
            const char c = source.next();
            if (c == ']')
                break;
            if (c != ',')
                fail(ArrayNotClosed);
        }
        return Value(std::move(items));
    }

    Value object(int depth)
    {
        if (depth >= MaxNesting)
            fail(TooDeep);
        source.next(); // the '{'
        std::map<std::string, Value> members;
        if (source.peek() == '}') {
            source.next();
            return Value(std::move(members));
        }
        for (;;) {
            if (source.peek() != '"')
                fail(KeyWithoutQuote);
            std::string key = string();
            if (source.next() != ':')
                fail(ColonMissing);
            Value member = value(depth + 1);
            // Written files list keys in order, so the end is the usual place.
            members.insert_or_assign(members.end(), std::move(key), std::move(member));
            const char c = source.next();
            if (c == '}')
                break;
            if (c != ',')
                fail(ObjectNotClosed);
        }
        return Value(std::move(members));
    }

    /// A string from its opening quote; also used for object keys.
    std::string string()
    {
        source.next(); // the opening quote
        std::string text;
        for (;;) {
            source.appendPlain(text);
            const char c = source.raw();
            if (c == '"')
                return text;
            if (c != '\\') {
                text.push_back(c);
                continue;
            }
            escape(source.raw(), text);
        }
    }

private:
    Value number()
    {
        long long whole = 0;
        if (source.shortInteger(whole))
            return Value(whole);
        // The characters a C-locale number extraction accepts: sign, digits,
        // one decimal point, and an exponent (with its sign) after a digit.
        source.beginToken();
        int c = source.peekRaw();
        if (c == '-' || c == '+') {
            source.take();
            c = source.peekRaw();
        }
        bool mantissa = false;
        bool point = false;
        bool exponent = false;
        for (;;) {
            if (c >= '0' && c <= '9') {
                mantissa = true;
            } else if (c == '.' && !point && !exponent) {
                point = true;
            } else if ((c == 'e' || c == 'E') && !exponent && mantissa) {
                exponent = true;
                source.take();
                c = source.peekRaw();
                if (c == '+' || c == '-') {
                    source.take();
                    c = source.peekRaw();
                }
                continue;
            } else {
                break;
            }
            source.take();
            c = source.peekRaw();
        }
        return numberFromToken(source.token());
    }

    Value boolean(char first)
    {
        if (first == 't') {
            if (!literal("true"))
                fail(BadBool);
            return Value(true);
        }
        if (first == 'f') {
            if (!literal("false"))
                fail(BadBool);
            return Value(false);
        }
        fail(BadBool);
    }

    Value null()
    {
        if (!literal("null"))
            fail(BadNull);
        return Value();
    }

    /// Reads as many characters as the word has (white space between them is
    /// passed over), then compares.
    bool literal(const char* word)
    {
        const std::size_t length = std::strlen(word);
        char read[8];
        for (std::size_t i = 0; i < length; ++i)
            read[i] = source.next();
        return std::memcmp(read, word, length) == 0;
    }

    /// Appends what the escape selected by `c` (the character after a backslash) stands for.
    void escape(char c, std::string& text)
    {
        switch (c) {
        case '"': text.push_back('"'); break;
        case '\\': text.push_back('\\'); break;
        case '/': text.push_back('/'); break;
        case 'b': text.push_back('\b'); break;
        case 'f': text.push_back('\f'); break;
        case 'n': text.push_back('\n'); break;
        case 'r': text.push_back('\r'); break;
        case 't': text.push_back('\t'); break;
        case 'u': unicodeEscape(text); break;
        default: fail(BadEscape);
        }
    }

    /// The four characters after "\\u" as a number, or -1 when they are not four
    /// hexadecimal digits. A quote ends a short escape without being taken, so that
    /// it still closes the string.
    long hexQuad()
    {
        long value = 0;
        for (int i = 0; i < 4; ++i) {
            if (source.peekRaw() == '"')
                return -1;
            const int digit = hexDigit(source.raw());
            if (digit < 0)
                value = -1;
            else if (value >= 0)
                value = value * 16 + digit;
        }
        return value;
    }

    /// "\\uXXXX" as UTF-8; a high surrogate pairs with an escaped low one that
    /// follows. A malformed escape or a lone surrogate reads as U+FFFD, so one bad
    /// string does not cost the whole file.
    void unicodeEscape(std::string& text)
    {
        long codePoint = hexQuad();
        while (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            if (source.peekRaw() != '\\')
                break;
            source.raw();
            const char next = source.raw();
            if (next != 'u') {
                appendUtf8(text, Replacement);
                escape(next, text);
                return;
            }
            const long low = hexQuad();
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(text, 0x10000 + ((static_cast<unsigned>(codePoint) - 0xD800) << 10) +
                                     (static_cast<unsigned>(low) - 0xDC00));
                return;
            }
            // The high surrogate stands alone; what followed is an escape of its own.
            appendUtf8(text, Replacement);
            codePoint = low;
        }
        if (codePoint < 0 || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            appendUtf8(text, Replacement);
        else
            appendUtf8(text, static_cast<unsigned>(codePoint));
    }

    static constexpr unsigned Replacement = 0xFFFD;

    Source& source;
};

} // namespace json::detail
