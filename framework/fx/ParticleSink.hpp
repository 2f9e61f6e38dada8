#pragma once

#include "framework/fx/Particle.hpp"

namespace fx {

/// Receives the particles that an emitter creates.
class ParticleSink {
public:
    virtual void addParticle(const Particle& particle) = 0;

protected:
    ~ParticleSink() = default;
};

} // namespace fx
