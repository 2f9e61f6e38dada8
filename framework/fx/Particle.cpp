#include "framework/fx/Particle.hpp"

#include <algorithm>

namespace fx {

float remainingRatio(const Particle& particle)
{
    if (particle.lifetime <= sf::Time::Zero)
        return 0.f;
    const float ratio = (particle.lifetime - particle.elapsed).asSeconds() / particle.lifetime.asSeconds();
    return std::clamp(ratio, 0.f, 1.f);
}

} // namespace fx
