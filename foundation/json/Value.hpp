#pragma once

#include <map>
#include <string>
#include <vector>

namespace json {

/// A JSON value: null, bool, 64-bit integer, double, string, array or object.
/// String, array and object content is owned and copied deeply. Object
/// members stay sorted by key (byte order); a key is stored at most once.
///
/// Test the kind before using a content accessor (`isString()` before
/// `stringValue()` and so on). A wrong kind never reaches foreign memory: the
/// constant accessors then give an empty default (false, 0, "", no elements),
/// and the modifiable ones first turn the value into an empty value of their
/// kind. The `fill*` operations copy the content only when the kind matches
/// exactly and otherwise keep the argument.
class Value {
public:
    Value() noexcept;
    Value(bool value) noexcept;
    Value(long long value) noexcept;
    Value(double value) noexcept;
    Value(const char* text);
    Value(std::string text);
    Value(const std::vector<Value>& array);
    Value(std::vector<Value>&& array);
    Value(const std::map<std::string, Value>& object);
    Value(std::map<std::string, Value>&& object);

    Value(const Value& other);
    /// Leaves `other` null.
    Value(Value&& other) noexcept;
    /// Safe also when `other` is this value or nested inside it.
    Value& operator=(const Value& other);
    /// Leaves `other` null; safe also when `other` is nested inside this value.
    Value& operator=(Value&& other) noexcept;
    virtual ~Value();

    /// Releases the content and makes the value null.
    void clearValue() noexcept;

    bool isNull() const { return kind == Kind::Null; }
    bool isBool() const { return kind == Kind::Bool; }
    bool isInteger() const { return kind == Kind::Integer; }
    bool isFloat() const { return kind == Kind::Float; }
    bool isString() const { return kind == Kind::String; }
    bool isArray() const { return kind == Kind::Array; }
    bool isObject() const { return kind == Kind::Object; }
    /// Integer or float.
    bool isNumber() const { return kind == Kind::Integer || kind == Kind::Float; }

    bool& boolValue() { return ensure(Kind::Bool).content.boolean; }
    const bool& boolValue() const { return kind == Kind::Bool ? content.boolean : defaults().boolean; }
    long long& integerValue() { return ensure(Kind::Integer).content.integer; }
    const long long& integerValue() const { return kind == Kind::Integer ? content.integer : defaults().integer; }
    double& floatValue() { return ensure(Kind::Float).content.real; }
    const double& floatValue() const { return kind == Kind::Float ? content.real : defaults().real; }
    std::string& stringValue() { return *ensure(Kind::String).content.string; }
    const std::string& stringValue() const { return kind == Kind::String ? *content.string : defaults().string; }
    std::vector<Value>& arrayValue() { return *ensure(Kind::Array).content.array; }
    const std::vector<Value>& arrayValue() const { return kind == Kind::Array ? *content.array : defaults().array; }
    std::map<std::string, Value>& objectValue() { return *ensure(Kind::Object).content.object; }
    const std::map<std::string, Value>& objectValue() const
    {
        return kind == Kind::Object ? *content.object : defaults().object;
    }

    void fillBool(bool& out) const;
    /// Ignores a float value.
    void fillInteger(long long& out) const;
    /// Ignores an integer value.
    void fillFloat(double& out) const;
    void fillString(std::string& out) const;

private:
    enum class Kind : unsigned char { Null = 0, Bool = 1, Integer = 2, Float = 3, String = 4, Array = 5, Object = 6 };

    /// Makes this an empty value of kind k unless it already is of that kind.
    Value& ensure(Kind k)
    {
        if (kind != k)
            become(k);
        return *this;
    }
    void become(Kind k);
    void swap(Value& other) noexcept;

    struct Defaults {
        bool boolean = false;
        long long integer = 0;
        double real = 0.0;
        std::string string;
        std::vector<Value> array;
        std::map<std::string, Value> object;
    };
    static const Defaults& defaults();

    union Content {
        bool boolean;
        long long integer;
        double real;
        std::string* string;
        std::vector<Value>* array;
        std::map<std::string, Value>* object;
    };

    Kind kind;
    Content content;
};

} // namespace json
