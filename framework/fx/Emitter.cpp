#include "framework/fx/Emitter.hpp"

#include <cmath>

namespace fx {

void Emitter::setEmissionRate(float particlesPerSecond)
{
    rate_ = (particlesPerSecond > 0.f && std::isfinite(particlesPerSecond)) ? particlesPerSecond : 0.f;
}

void Emitter::operator()(ParticleSink& sink, sf::Time dt)
{
    if (dt <= sf::Time::Zero)
        return;
    pending_ += rate_ * dt.asSeconds();
    const float whole = std::floor(pending_);
    pending_ -= whole;
    const auto count = static_cast<unsigned long>(whole);
    for (unsigned long i = 0; i < count; ++i) {
        Particle particle;
        particle.lifetime = lifetime_();
        particle.position = position_();
        particle.velocity = velocity_();
        particle.rotation = rotation_();
        particle.rotationSpeed = rotationSpeed_();
        particle.scale = scale_();
        particle.color = color_();
        particle.textureIndex = textureIndex_();
        sink.addParticle(particle);
    }
}

} // namespace fx
