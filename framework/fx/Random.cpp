#include "framework/fx/Random.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace fx {

namespace {
constexpr float kRadiansPerDegree = 3.14159265358979f / 180.f;

std::uint8_t mixChannel(std::uint8_t a, std::uint8_t b, float t)
{
    // t is in [0, 1], so the value lies between a and b, within 0..255: adding
    // one half and truncating rounds it to nearest (halves up).
    const float value = static_cast<float>(a) + (static_cast<float>(b) - static_cast<float>(a)) * t;
    return static_cast<std::uint8_t>(std::min(value + 0.5f, 255.f));
}
} // namespace

std::mt19937& randomEngine()
{
    thread_local std::mt19937 engine{std::random_device{}()};
    return engine;
}

void seedRandom(unsigned seed)
{
    randomEngine().seed(seed);
}

Distribution<float> uniform(float min, float max)
{
    const auto [lo, hi] = std::minmax(min, max);
    return [lo = lo, hi = hi] {
        // The standard distribution may round up to hi itself, so clamp to
        // keep the promise of a closed range.
        return std::clamp(std::uniform_real_distribution<float>(lo, hi)(randomEngine()), lo, hi);
    };
}

Distribution<unsigned> uniform(unsigned min, unsigned max)
{
    const auto [lo, hi] = std::minmax(min, max);
    return [lo = lo, hi = hi] { return std::uniform_int_distribution<unsigned>(lo, hi)(randomEngine()); };
}

Distribution<sf::Time> uniform(sf::Time min, sf::Time max)
{
    const sf::Int64 lo = std::min(min, max).asMicroseconds();
    const sf::Int64 hi = std::max(min, max).asMicroseconds();
    return [lo, hi] { return sf::microseconds(std::uniform_int_distribution<sf::Int64>(lo, hi)(randomEngine())); };
}

Distribution<sf::Vector2f> deflect(sf::Vector2f vector, float maxDegrees)
{
    const float limit = std::abs(maxDegrees);
    return [vector, limit] {
        const float angle = std::uniform_real_distribution<float>(-limit, limit)(randomEngine()) * kRadiansPerDegree;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        return sf::Vector2f(vector.x * c - vector.y * s, vector.x * s + vector.y * c);
    };
}

sf::Color blendColors(const sf::Color& a, const sf::Color& b, float t)
{
    t = std::isnan(t) ? 0.f : std::clamp(t, 0.f, 1.f);
    return sf::Color(mixChannel(a.r, b.r, t), mixChannel(a.g, b.g, t), mixChannel(a.b, b.b, t),
                     mixChannel(a.a, b.a, t));
}

} // namespace fx
