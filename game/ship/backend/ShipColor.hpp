#pragma once

#include <cstdint>

namespace velk::backend {

/// The hull colour of a ship description, channel for channel as the drawing
/// layer's colour holds it; the model needs no graphics library for it.
struct ShipColor {
    std::uint8_t r = 255;
    std::uint8_t g = 255;
    std::uint8_t b = 255;
    std::uint8_t a = 255;

    constexpr ShipColor() = default;
    constexpr ShipColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 255)
        : r(red), g(green), b(blue), a(alpha)
    {}

    static const ShipColor White;
};

// Constant-initialised (constexpr constructor), so safe to use from other static initialisers.
inline const ShipColor ShipColor::White{255, 255, 255, 255};

constexpr bool operator==(const ShipColor& x, const ShipColor& y)
{
    return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
}
constexpr bool operator!=(const ShipColor& x, const ShipColor& y)
{
    return !(x == y);
}

} // namespace velk::backend
