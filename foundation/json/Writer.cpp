#include "foundation/json/Writer.hpp"

#include "foundation/tools/AtomicFile.hpp"
#include "foundation/tools/Log.hpp"

#include <charconv>
#include <cmath>
#include <ostream>

namespace json {

namespace {

void appendValue(std::string& out, const Value& value);

void appendString(std::string& out, const std::string& text)
{
    out.push_back('"');
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* escape = nullptr;
        switch (text[i]) {
        case '"': escape = "\\\""; break;
        case '\\': escape = "\\\\"; break;
        case '/': escape = "\\/"; break;
        case '\f': escape = "\\f"; break;
        case '\n': escape = "\\n"; break;
        case '\r': escape = "\\r"; break;
        case '\t': escape = "\\t"; break;
        default: continue;
        }
        out.append(text, runStart, i - runStart);
        out.append(escape);
        runStart = i + 1;
    }
    out.append(text, runStart, std::string::npos);
    out.push_back('"');
}

/// Keys keep every byte as it is, so files with unusual keys save byte for byte
/// as they were written; only a quote and a backslash are escaped, since either
/// would otherwise end the key or start an escape and break the file.
void appendKey(std::string& out, const std::string& key)
{
    out.push_back('"');
    for (const char c : key) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void appendInteger(std::string& out, long long number)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, result.ptr);
}

void appendFloat(std::string& out, double number)
{
    if (!std::isfinite(number)) {
        out.append("null");
        return;
    }
    // The same text as a standard stream's default formatting (%g, precision 6).
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 6);
    out.append(buffer, result.ptr);
}

void appendArray(std::string& out, const std::vector<Value>& array)
{
    out.push_back('[');
    for (std::size_t i = 0; i < array.size(); ++i) {
        if (i != 0)
            out.append(", ");
        appendValue(out, array[i]);
    }
    out.push_back(']');
}

void appendObject(std::string& out, const std::map<std::string, Value>& object)
{
    out.append("{\n");
    std::size_t left = object.size();
    for (const auto& member : object) {
        out.push_back('\t');
        appendKey(out, member.first);
        out.append(" : ");
        appendValue(out, member.second);
        if (--left != 0)
            out.push_back(',');
        out.push_back('\n');
    }
    out.push_back('}');
}

void appendValue(std::string& out, const Value& value)
{
    if (value.isNull())
        out.append("null");
    else if (value.isBool())
        out.append(value.boolValue() ? "true" : "false");
    else if (value.isInteger())
        appendInteger(out, value.integerValue());
    else if (value.isFloat())
        appendFloat(out, value.floatValue());
    else if (value.isString())
        appendString(out, value.stringValue());
    else if (value.isArray())
        appendArray(out, value.arrayValue());
    else
        appendObject(out, value.objectValue());
}

/// Writes the text to a caller's stream, flushing after every line end as
/// std::endl would, so each finished member line reaches the device.
std::ostream& writeLines(std::ostream& stream, const std::string& text)
{
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        stream.write(text.data() + start, static_cast<std::streamsize>(end + 1 - start));
        stream.flush();
        start = end + 1;
    }
    return stream.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

} // namespace

std::ostream& operator<<(std::ostream& stream, const Value& value)
{
    std::string text;
    appendValue(text, value);
    return writeLines(stream, text);
}

std::ostream& operator<<(std::ostream& stream, const std::vector<Value>& array)
{
    std::string text;
    appendArray(text, array);
    return writeLines(stream, text);
}

std::ostream& operator<<(std::ostream& stream, const std::map<std::string, Value>& object)
{
    std::string text;
    appendObject(text, object);
    return writeLines(stream, text);
}

void writeToStream(std::ostream& stream, const Value& value)
{
    stream << value;
}

void writeToString(std::string& out, const Value& value)
{
    out.clear();
    appendValue(out, value);
}

bool writeToFile(const std::string& path, const Value& value)
{
    std::string text;
    appendValue(text, value);
    std::string error;
    if (tools::writeFileAtomically(path, text, &error))
        return true;
    tools::log("Json", "Cannot write file '" + path + "': " + error);
    return false;
}

} // namespace json
