#include "physics/B2SceneNumberReader.hpp"

#include "physics/B2SceneJson.hpp"
#include "physics/B2ShapeCheck.hpp"

#include <cmath>

B2SceneNumberReader::B2SceneNumberReader(const Json::Value& value) : value(value) {}

float B2SceneNumberReader::number(const char* name, float defaultValue)
{
    const float result = B2SceneJson::toFloat(B2SceneJson::member(value, name), defaultValue);
    finite = finite && std::isfinite(result);
    return result;
}

b2Vec2 B2SceneNumberReader::vec(const char* name)
{
    const b2Vec2 result = B2SceneJson::toVec(B2SceneJson::member(value, name), b2Vec2(0.0f, 0.0f));
    finite = finite && B2ShapeCheck::isFinite(result);
    return result;
}

bool B2SceneNumberReader::flag(const char* name) const
{
    return B2SceneJson::toBool(B2SceneJson::member(value, name), false);
}
