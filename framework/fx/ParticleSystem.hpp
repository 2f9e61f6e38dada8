#pragma once

#include "framework/fx/ParticleSink.hpp"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace fx {

/// Called for each emitter once per update with the sink and the time step.
using EmitterFunction = std::function<void(ParticleSink&, sf::Time)>;
/// Called for each live particle once per update.
using AffectorFunction = std::function<void(Particle&, sf::Time)>;

/// Particles, their emitters and affectors, drawn as one vertex array of
/// textured quads. A particle's quad is its texture rectangle's size times its
/// scale, centred on its position and rotated by its rotation. Holds no GL
/// resource of its own, so it may be built on any thread.
class ParticleSystem : public sf::Drawable, private ParticleSink {
public:
    /// An emitter duration that never runs out.
    static constexpr sf::Int64 kForeverMicroseconds = std::numeric_limits<sf::Int64>::max();
    static sf::Time forever() { return sf::microseconds(kForeverMicroseconds); }

    /// The texture shared with its owner; null draws untextured quads.
    void setTexture(std::shared_ptr<const sf::Texture> texture);
    const sf::Texture* getTexture() const { return texture_.get(); }

    /// Adds a texture rectangle and returns its index. A particle whose index
    /// has no rectangle uses the whole texture.
    std::size_t addTextureRect(const sf::IntRect& rect);
    std::size_t getTextureRectCount() const { return rects_.size(); }

    void addAffector(AffectorFunction affector);

    /// Adds an emitter (held by value; wrap it in std::ref to keep using the
    /// caller's object) that emits for the given time, then is dropped.
    void addEmitter(EmitterFunction emitter, sf::Time duration = forever());
    void clearEmitters();
    std::size_t getEmitterCount() const { return emitters_.size(); }

    void clearParticles();

    /// Ages the particles and drops the spent ones, moves and affects the
    /// rest, then lets the emitters add new particles (which start at age 0).
    void update(sf::Time dt);

    const std::vector<Particle>& particles() const { return particles_; }
    std::size_t getParticleCount() const { return particles_.size(); }

    /// The quads (sf::Quads, four vertices per particle, in particle order),
    /// rebuilt when the particles have changed since the last call.
    const sf::VertexArray& vertices() const;

private:
    struct TimedEmitter {
        EmitterFunction function;
        sf::Time remaining;
    };

    void addParticle(const Particle& particle) override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    sf::IntRect rectFor(unsigned textureIndex) const;
    void rebuildVertices() const;

    std::shared_ptr<const sf::Texture> texture_;
    std::vector<sf::IntRect> rects_;
    std::vector<AffectorFunction> affectors_;
    std::vector<TimedEmitter> emitters_;
    std::vector<Particle> particles_;
    mutable sf::VertexArray vertices_{sf::Quads};
    mutable bool verticesDirty_ = true;
};

} // namespace fx
