#pragma once

#include "framework/fx/Distribution.hpp"
#include "framework/fx/ParticleSink.hpp"

namespace fx {

/// Emits particles at a steady rate, each property drawn from its own
/// distribution. Copyable: a particle system may hold a copy, or a reference
/// (std::ref) so that later changes to this emitter apply at once.
class Emitter {
public:
    /// Particles per second; a negative rate counts as 0. Fractions carry over
    /// from one call to the next.
    void setEmissionRate(float particlesPerSecond);
    float getEmissionRate() const { return rate_; }

    void setParticleLifetime(Distribution<sf::Time> lifetime) { lifetime_ = std::move(lifetime); }
    void setParticlePosition(Distribution<sf::Vector2f> position) { position_ = std::move(position); }
    void setParticleVelocity(Distribution<sf::Vector2f> velocity) { velocity_ = std::move(velocity); }
    void setParticleRotation(Distribution<float> degrees) { rotation_ = std::move(degrees); }
    void setParticleRotationSpeed(Distribution<float> degreesPerSecond)
    {
        rotationSpeed_ = std::move(degreesPerSecond);
    }
    void setParticleScale(Distribution<sf::Vector2f> scale) { scale_ = std::move(scale); }
    void setParticleColor(Distribution<sf::Color> color) { color_ = std::move(color); }
    void setParticleTextureIndex(Distribution<unsigned> index) { textureIndex_ = std::move(index); }

    /// Emits the particles due in dt into the sink.
    void operator()(ParticleSink& sink, sf::Time dt);

private:
    float rate_ = 1.f;
    float pending_ = 0.f;
    Distribution<sf::Time> lifetime_{sf::seconds(1.f)};
    Distribution<sf::Vector2f> position_;
    Distribution<sf::Vector2f> velocity_;
    Distribution<float> rotation_{0.f};
    Distribution<float> rotationSpeed_{0.f};
    Distribution<sf::Vector2f> scale_{sf::Vector2f(1.f, 1.f)};
    Distribution<sf::Color> color_{sf::Color::White};
    Distribution<unsigned> textureIndex_{0u};
};

} // namespace fx
