#pragma once

#include "foundation/math/Vector2.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstdint>

// Conversions between SFML's vectors and math::Vector2. World coordinates have
// y pointing up, screen coordinates y pointing down.

math::Vector2<float> svec2mvec(const sf::Vector2f& v);
sf::Vector2f mvec2svec(const math::Vector2<float>& v);
/// Screen to world: y negated.
math::Vector2<float> svec2rvec(const sf::Vector2f& v);
/// World to screen: y negated.
sf::Vector2f rvec2svec(const math::Vector2<float>& v);
math::Vector2<float> ssize2mvec(const sf::Vector2u& v);
/// Each component truncated toward zero; negative or not-a-number components
/// give 0 and components beyond the range of unsigned give its maximum.
sf::Vector2u mvec2ssize(const math::Vector2<float>& v);

/// A colour component meant in 0..1 as a byte: times 255, truncated toward
/// zero. Components outside 0..1 are clamped first (2.0 gives 255, -0.5 and
/// not-a-number give 0) instead of keeping the low byte of the product.
std::uint8_t colorUnitToByte(float component);
