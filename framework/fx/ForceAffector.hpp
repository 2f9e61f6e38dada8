#pragma once

#include "framework/fx/Particle.hpp"

namespace fx {

/// Accelerates every particle by a constant vector (units per second squared).
class ForceAffector {
public:
    explicit ForceAffector(sf::Vector2f acceleration) : acceleration_(acceleration) {}
    void operator()(Particle& particle, sf::Time dt) const { particle.velocity += acceleration_ * dt.asSeconds(); }

private:
    sf::Vector2f acceleration_;
};

} // namespace fx
