#pragma once

#include "foundation/json/Value.hpp"
#include "foundation/math/Vector2.hpp"

namespace json {

/// A vector from a read value: an object's "X"/"x" and "Y"/"y" members (the
/// lower-case key wins), or an array's elements 0 and 1. Missing members and
/// non-numbers leave a component 0; any other kind gives (0, 0).
template <typename T>
math::Vector2<T> value2vec(const Value& v)
{
    math::Vector2<T> result(T(0), T(0));
    const auto take = [](const Value& from, T& into) {
        if (from.isNumber())
            into = static_cast<T>(from.isFloat() ? from.floatValue() : static_cast<double>(from.integerValue()));
    };
    if (v.isObject()) {
        const auto& members = v.objectValue();
        for (const char* key : {"X", "x"}) {
            const auto it = members.find(key);
            if (it != members.end())
                take(it->second, result.x);
        }
        for (const char* key : {"Y", "y"}) {
            const auto it = members.find(key);
            if (it != members.end())
                take(it->second, result.y);
        }
    } else if (v.isArray()) {
        const auto& items = v.arrayValue();
        if (!items.empty())
            take(items[0], result.x);
        if (items.size() > 1)
            take(items[1], result.y);
    }
    return result;
}

} // namespace json
