#include "framework/sfml/SfmlConversions.hpp"

#include <limits>

math::Vector2<float> svec2mvec(const sf::Vector2f& v)
{
    return {v.x, v.y};
}

sf::Vector2f mvec2svec(const math::Vector2<float>& v)
{
    return {v.x, v.y};
}

math::Vector2<float> svec2rvec(const sf::Vector2f& v)
{
    return {v.x, -v.y};
}

sf::Vector2f rvec2svec(const math::Vector2<float>& v)
{
    return {v.x, -v.y};
}

math::Vector2<float> ssize2mvec(const sf::Vector2u& v)
{
    return {static_cast<float>(v.x), static_cast<float>(v.y)};
}

namespace {

// Truncation toward zero, defined for every float (a plain cast is undefined
// for negative values, NaN and values beyond the range).
unsigned truncateToUnsigned(float f)
{
    if (!(f > 0.0f))
        return 0;
    // 2^32 as a float; every float below it fits.
    if (f >= 4294967296.0f)
        return std::numeric_limits<unsigned>::max();
    return static_cast<unsigned>(f);
}

} // namespace

sf::Vector2u mvec2ssize(const math::Vector2<float>& v)
{
    return {truncateToUnsigned(v.x), truncateToUnsigned(v.y)};
}

std::uint8_t colorUnitToByte(float component)
{
    if (!(component > 0.0f))
        return 0;
    if (component >= 1.0f)
        return 255;
    return static_cast<std::uint8_t>(component * 255.0f);
}
