#pragma once

#include <box2d/box2d.h>
#include <json/json.h>

#include <optional>
#include <string>
#include <vector>

/// The value encodings of the scene format, read without ever throwing: a value
/// of an unexpected JSON type gives the default (the format check reports it).
class B2SceneJson
{
public:
    /// The member `name` of `object`, or null when `object` is no object or lacks it.
    static const Json::Value* member(const Json::Value& object, const char* name);
    /// Element `index` of `array`, or null when `array` is no array or too short.
    static const Json::Value* element(const Json::Value* array, unsigned index);

    /// A float: integer, 8-digit upper-case hexadecimal bits, or any other number.
    static float toFloat(const Json::Value* value, float defaultValue);
    /// A vector: {"x", "y"} or any integer for (0, 0).
    static b2Vec2 toVec(const Json::Value* value, b2Vec2 defaultValue);
    static bool toBool(const Json::Value* value, bool defaultValue);
    static int toInt(const Json::Value* value, int defaultValue);
    static std::string toString(const Json::Value* value, const std::string& defaultValue);
    /// Point list {"x": [...], "y": [...]}; the "x" array gives the count.
    static std::vector<b2Vec2> toPoints(const Json::Value* value);

    /// The float whose bits the text holds, when it is exactly 8 upper-case hex digits.
    static std::optional<float> hexToFloat(const std::string& text);
    /// The float's 32 bits as 8 upper-case hex digits.
    static std::string floatToHex(float value);

    /// A float as the writer puts it out: 0, 1, a real number or the hex string.
    static Json::Value floatValue(float value, bool humanReadable);
    /// An element of a point list or float array.
    static Json::Value elementValue(float value, bool humanReadable);
    /// A vector: the integer 0 for the zero vector, else {"x", "y"}.
    static Json::Value vecValue(b2Vec2 value, bool humanReadable);
};
