#pragma once

#include "framework/fx/Distribution.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>

#include <random>

namespace fx {

/// The random engine of the calling thread; every thread gets its own, seeded
/// from the system's entropy source, so emitters built on a loading thread and
/// run on the main thread never share state across threads.
std::mt19937& randomEngine();

/// Reseeds the calling thread's engine (reproducible sequences in tests).
void seedRandom(unsigned seed);

/// Uniform on [min, max]; the bounds may come in either order.
Distribution<float> uniform(float min, float max);
/// Uniform on the whole numbers min..max, both included.
Distribution<unsigned> uniform(unsigned min, unsigned max);
/// Uniform on [min, max] in whole microseconds.
Distribution<sf::Time> uniform(sf::Time min, sf::Time max);

/// The vector turned by a random angle of up to maxDegrees either way; its
/// length is kept.
Distribution<sf::Vector2f> deflect(sf::Vector2f vector, float maxDegrees);

/// Linear blend: t = 0 gives a, t = 1 gives b; t is clamped to [0, 1] and each
/// channel (alpha too) is rounded to the nearest value.
sf::Color blendColors(const sf::Color& a, const sf::Color& b, float t);

} // namespace fx
