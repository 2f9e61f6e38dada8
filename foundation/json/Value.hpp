#pragma once

#include <map>
#include <string>
#include <vector>

namespace json {

/// A JSON value: null, bool, 64-bit integer, double, string, array or object.
/// String, array and object content is owned and copied deeply. Object
/// members stay sorted by key (byte order); a key is stored at most once.
///
/// The content accessors do not check the kind: test it first (`isString()`
/// before `stringValue()` and so on). The `fill*` operations copy the content
/// only when the kind matches exactly and otherwise keep the argument.
class Value {
public:
    Value() noexcept;
    Value(bool value) noexcept;
    /// Integer; avoids the ambiguity of plain int literals.
    Value(int value) noexcept;
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

    bool& boolValue() { return content.boolean; }
    const bool& boolValue() const { return content.boolean; }
    long long& integerValue() { return content.integer; }
    const long long& integerValue() const { return content.integer; }
    double& floatValue() { return content.real; }
    const double& floatValue() const { return content.real; }
    std::string& stringValue() { return *content.string; }
    const std::string& stringValue() const { return *content.string; }
    std::vector<Value>& arrayValue() { return *content.array; }
    const std::vector<Value>& arrayValue() const { return *content.array; }
    std::map<std::string, Value>& objectValue() { return *content.object; }
    const std::map<std::string, Value>& objectValue() const { return *content.object; }

    void fillBool(bool& out) const;
    /// Ignores a float value.
    void fillInteger(long long& out) const;
    /// Ignores an integer value.
    void fillFloat(double& out) const;
    void fillString(std::string& out) const;

    void swap(Value& other) noexcept;

private:
    enum class Kind : unsigned char { Null = 0, Bool = 1, Integer = 2, Float = 3, String = 4, Array = 5, Object = 6 };

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
