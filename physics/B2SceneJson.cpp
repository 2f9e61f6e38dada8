#include "physics/B2SceneJson.hpp"

#include <cstdint>
#include <cstdio>
#include <cstring>

const Json::Value* B2SceneJson::member(const Json::Value& object, const char* name)
{
    if (!object.isObject())
        return nullptr;
    return object.find(name, name + std::strlen(name));
}

const Json::Value* B2SceneJson::element(const Json::Value* array, unsigned index)
{
    if (array == nullptr || !array->isArray() || index >= array->size())
        return nullptr;
    return &(*array)[index];
}

float B2SceneJson::toFloat(const Json::Value* value, float defaultValue)
{
    if (value == nullptr || value->isNull())
        return defaultValue;
    switch (value->type())
    {
    case Json::intValue: return static_cast<float>(value->asLargestInt());
    case Json::uintValue: return static_cast<float>(value->asLargestUInt());
    case Json::stringValue: return hexToFloat(value->asString()).value_or(defaultValue);
    case Json::realValue:
    case Json::booleanValue: return value->asFloat();
    default: return defaultValue;
    }
}

b2Vec2 B2SceneJson::toVec(const Json::Value* value, b2Vec2 defaultValue)
{
    if (value == nullptr)
        return defaultValue;
    if (value->isNull() || value->type() == Json::intValue || value->type() == Json::uintValue)
        return b2Vec2(0.0f, 0.0f);
    if (!value->isObject())
        return defaultValue;
    return b2Vec2(toFloat(member(*value, "x"), 0.0f), toFloat(member(*value, "y"), 0.0f));
}

bool B2SceneJson::toBool(const Json::Value* value, bool defaultValue)
{
    if (value == nullptr || !value->isConvertibleTo(Json::booleanValue))
        return defaultValue;
    return value->asBool();
}

int B2SceneJson::toInt(const Json::Value* value, int defaultValue)
{
    if (value == nullptr || !value->isConvertibleTo(Json::intValue))
        return defaultValue;
    return value->asInt();
}

std::string B2SceneJson::toString(const Json::Value* value, const std::string& defaultValue)
{
    if (value == nullptr || !value->isConvertibleTo(Json::stringValue))
        return defaultValue;
    return value->asString();
}

std::vector<b2Vec2> B2SceneJson::toPoints(const Json::Value* value)
{
    std::vector<b2Vec2> points;
    if (value == nullptr || !value->isObject())
        return points;
    const Json::Value* xs = member(*value, "x");
    const Json::Value* ys = member(*value, "y");
    if (xs == nullptr || !xs->isArray())
        return points;
    points.reserve(xs->size());
    for (unsigned i = 0; i < xs->size(); ++i)
        points.emplace_back(toFloat(element(xs, i), 0.0f), toFloat(element(ys, i), 0.0f));
    return points;
}

std::optional<float> B2SceneJson::hexToFloat(const std::string& text)
{
    // Only the exact form the writer produces is accepted; anything else (lower-case
    // letters, other lengths) would otherwise decode to arbitrary bits.
    if (text.size() != 8)
        return std::nullopt;
    std::uint32_t bits = 0;
    for (char c : text)
    {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else
            return std::nullopt;
        bits = (bits << 4) | digit;
    }
    float result = 0.0f;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

std::string B2SceneJson::floatToHex(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(bits));
    return text;
}

Json::Value B2SceneJson::floatValue(float value, bool humanReadable)
{
    if (value == 0.0f)
        return Json::Value(0);
    if (value == 1.0f)
        return Json::Value(1);
    if (humanReadable)
        return Json::Value(static_cast<double>(value));
    return Json::Value(floatToHex(value));
}

Json::Value B2SceneJson::elementValue(float value, bool humanReadable)
{
    if (humanReadable)
        return Json::Value(static_cast<double>(value));
    return floatValue(value, false);
}

Json::Value B2SceneJson::vecValue(b2Vec2 value, bool humanReadable)
{
    if (value.x == 0.0f && value.y == 0.0f)
        return Json::Value(0);
    Json::Value result(Json::objectValue);
    result["x"] = floatValue(value.x, humanReadable);
    result["y"] = floatValue(value.y, humanReadable);
    return result;
}
