#pragma once

#include <box2d/box2d.h>

#include <cstdint>
#include <map>
#include <string>

/// The value of a colour custom property: red, green, blue, alpha.
struct B2SceneColor4
{
    std::int32_t r = 0;
    std::int32_t g = 0;
    std::int32_t b = 0;
    std::int32_t a = 0;

    bool operator==(const B2SceneColor4& other) const
    {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
};

/// The named, typed custom properties of one scene item. The six maps are separate,
/// so one name may hold an int and a float at once.
struct B2SceneCustomProperties
{
    std::map<std::string, std::int32_t> ints;
    std::map<std::string, float> floats;
    std::map<std::string, std::string> strings;
    std::map<std::string, b2Vec2> vectors;
    std::map<std::string, bool> bools;
    std::map<std::string, B2SceneColor4> colors;
};
