#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>

namespace fx {

/// One particle in drawing coordinates; rotation in degrees.
struct Particle {
    sf::Vector2f position;
    sf::Vector2f velocity;        ///< units per second
    float rotation = 0.f;         ///< degrees
    float rotationSpeed = 0.f;    ///< degrees per second
    sf::Vector2f scale{1.f, 1.f}; ///< times the size of its texture rectangle
    sf::Color color = sf::Color::White;
    unsigned textureIndex = 0;            ///< which texture rectangle of its system
    sf::Time elapsed;                     ///< lifetime passed so far
    sf::Time lifetime = sf::seconds(1.f); ///< total lifetime
};

/// Remaining lifetime divided by total lifetime: 1 when born, falling to 0.
/// A particle with no lifetime at all counts as spent (0).
float remainingRatio(const Particle& particle);

} // namespace fx
