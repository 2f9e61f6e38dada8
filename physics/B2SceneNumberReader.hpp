#pragma once

#include <box2d/box2d.h>
#include <json/json.h>

/// Reads the numbers of one shape or joint object of a scene and notes whether all
/// of them were finite, so that the object can be refused before Box2D sees a NaN or
/// an infinity (which its assertions would stop the process for).
class B2SceneNumberReader
{
public:
    explicit B2SceneNumberReader(const Json::Value& value);

    /// A float member; `defaultValue` when absent or null.
    float number(const char* name, float defaultValue = 0.0f);
    /// A vector member; (0, 0) when absent.
    b2Vec2 vec(const char* name);
    /// A bool member; false when absent.
    bool flag(const char* name) const;
    /// Every number and vector read so far was finite.
    bool allFinite() const { return finite; }

private:
    const Json::Value& value;
    bool finite = true;
};
