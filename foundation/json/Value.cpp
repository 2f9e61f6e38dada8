#include "foundation/json/Value.hpp"

#include <utility>

namespace json {

Value::Value() noexcept : kind(Kind::Null)
{
    content.integer = 0;
}

Value::Value(bool value) noexcept : kind(Kind::Bool)
{
    content.integer = 0;
    content.boolean = value;
}

Value::Value(long long value) noexcept : kind(Kind::Integer)
{
    content.integer = value;
}

Value::Value(double value) noexcept : kind(Kind::Float)
{
    content.real = value;
}

Value::Value(const char* text) : kind(Kind::String)
{
    content.string = new std::string(text ? text : "");
}

Value::Value(std::string text) : kind(Kind::String)
{
    content.string = new std::string(std::move(text));
}

Value::Value(const std::vector<Value>& array) : kind(Kind::Array)
{
    content.array = new std::vector<Value>(array);
}

Value::Value(std::vector<Value>&& array) : kind(Kind::Array)
{
    content.array = new std::vector<Value>(std::move(array));
}

Value::Value(const std::map<std::string, Value>& object) : kind(Kind::Object)
{
    content.object = new std::map<std::string, Value>(object);
}

Value::Value(std::map<std::string, Value>&& object) : kind(Kind::Object)
{
    content.object = new std::map<std::string, Value>(std::move(object));
}

Value::Value(const Value& other) : kind(other.kind), content(other.content)
{
    switch (kind) {
    case Kind::String: content.string = new std::string(*other.content.string); break;
    case Kind::Array: content.array = new std::vector<Value>(*other.content.array); break;
    case Kind::Object: content.object = new std::map<std::string, Value>(*other.content.object); break;
    default: break;
    }
}

Value::Value(Value&& other) noexcept : kind(other.kind), content(other.content)
{
    other.kind = Kind::Null;
    other.content.integer = 0;
}

Value& Value::operator=(const Value& other)
{
    // Copy first: `other` may be this value or live inside its content.
    Value copy(other);
    swap(copy);
    return *this;
}

Value& Value::operator=(Value&& other) noexcept
{
    // Take the source out before the old content (which may hold it) is released.
    Value taken(std::move(other));
    swap(taken);
    return *this;
}

Value::~Value()
{
    clearValue();
}

void Value::clearValue() noexcept
{
    const Kind old = kind;
    const Content oldContent = content;
    kind = Kind::Null;
    content.integer = 0;
    switch (old) {
    case Kind::String: delete oldContent.string; break;
    case Kind::Array: delete oldContent.array; break;
    case Kind::Object: delete oldContent.object; break;
    default: break;
    }
}

void Value::become(Kind k)
{
    clearValue();
    switch (k) {
    case Kind::String: content.string = new std::string(); break;
    case Kind::Array: content.array = new std::vector<Value>(); break;
    case Kind::Object: content.object = new std::map<std::string, Value>(); break;
    case Kind::Bool: content.boolean = false; break;
    case Kind::Float: content.real = 0.0; break;
    default: content.integer = 0; break;
    }
    kind = k;
}

const Value::Defaults& Value::defaults()
{
    static const Defaults empty;
    return empty;
}

void Value::fillBool(bool& out) const
{
    if (isBool())
        out = content.boolean;
}

void Value::fillInteger(long long& out) const
{
    if (isInteger())
        out = content.integer;
}

void Value::fillFloat(double& out) const
{
    if (isFloat())
        out = content.real;
}

void Value::fillString(std::string& out) const
{
    if (isString())
        out = *content.string;
}

void Value::swap(Value& other) noexcept
{
    std::swap(kind, other.kind);
    std::swap(content, other.content);
}

} // namespace json
