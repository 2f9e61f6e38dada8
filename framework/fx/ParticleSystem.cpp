#include "framework/fx/ParticleSystem.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace fx {

namespace {
constexpr float kRadiansPerDegree = 3.14159265358979f / 180.f;
}

void ParticleSystem::setTexture(std::shared_ptr<const sf::Texture> texture)
{
    texture_ = std::move(texture);
    verticesDirty_ = true;
}

std::size_t ParticleSystem::addTextureRect(const sf::IntRect& rect)
{
    rects_.push_back(rect);
    verticesDirty_ = true;
    return rects_.size() - 1;
}

void ParticleSystem::addAffector(AffectorFunction affector)
{
    if (affector)
        affectors_.push_back(std::move(affector));
}

void ParticleSystem::addEmitter(EmitterFunction emitter, sf::Time duration)
{
    if (emitter && duration > sf::Time::Zero)
        emitters_.push_back({std::move(emitter), duration});
}

void ParticleSystem::clearEmitters()
{
    emitters_.clear();
}

void ParticleSystem::clearParticles()
{
    particles_.clear();
    verticesDirty_ = true;
}

void ParticleSystem::update(sf::Time dt)
{
    if (dt < sf::Time::Zero)
        dt = sf::Time::Zero;
    const float seconds = dt.asSeconds();

    auto spent = [dt](Particle& p) {
        p.elapsed += dt;
        return p.elapsed >= p.lifetime;
    };
    particles_.erase(std::remove_if(particles_.begin(), particles_.end(), spent), particles_.end());

    for (Particle& p : particles_) {
        p.position += p.velocity * seconds;
        p.rotation += p.rotationSpeed * seconds;
        for (const AffectorFunction& affector : affectors_)
            affector(p, dt);
    }

    // An emitter only runs for what is left of its time, so an emitter added
    // for 0.1 s emits for exactly 0.1 s whatever the frame steps are.
    for (TimedEmitter& emitter : emitters_) {
        const sf::Time step = std::min(dt, emitter.remaining);
        emitter.function(*this, step);
        if (emitter.remaining.asMicroseconds() != kForeverMicroseconds)
            emitter.remaining -= step;
    }
    emitters_.erase(std::remove_if(emitters_.begin(), emitters_.end(),
                                   [](const TimedEmitter& e) { return e.remaining <= sf::Time::Zero; }),
                    emitters_.end());
    verticesDirty_ = true;
}

void ParticleSystem::addParticle(const Particle& particle)
{
    particles_.push_back(particle);
    particles_.back().elapsed = sf::Time::Zero;
}

sf::IntRect ParticleSystem::rectFor(unsigned textureIndex) const
{
    if (textureIndex < rects_.size())
        return rects_[textureIndex];
    if (texture_) {
        const sf::Vector2u size = texture_->getSize();
        return sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y));
    }
    return sf::IntRect();
}

const sf::VertexArray& ParticleSystem::vertices() const
{
    if (verticesDirty_)
        rebuildVertices();
    return vertices_;
}

void ParticleSystem::rebuildVertices() const
{
    vertices_.resize(particles_.size() * 4);
    std::size_t v = 0;
    for (const Particle& p : particles_) {
        const sf::IntRect rect = rectFor(p.textureIndex);
        const float left = static_cast<float>(rect.left);
        const float top = static_cast<float>(rect.top);
        const float right = left + static_cast<float>(rect.width);
        const float bottom = top + static_cast<float>(rect.height);
        const float hx = 0.5f * static_cast<float>(rect.width) * p.scale.x;
        const float hy = 0.5f * static_cast<float>(rect.height) * p.scale.y;
        const float angle = p.rotation * kRadiansPerDegree;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        // Corners relative to the centre, turned like sf::Transform::rotate.
        const sf::Vector2f ax(hx * c, hx * s);  // half width along the turned x axis
        const sf::Vector2f ay(-hy * s, hy * c); // half height along the turned y axis
        // Fields are written one by one: sf::Vertex's constructors are not
        // inline, and this loop runs for every particle of every frame.
        sf::Vertex* quad = &vertices_[v];
        quad[0].position = p.position - ax - ay;
        quad[1].position = p.position + ax - ay;
        quad[2].position = p.position + ax + ay;
        quad[3].position = p.position - ax + ay;
        quad[0].texCoords = sf::Vector2f(left, top);
        quad[1].texCoords = sf::Vector2f(right, top);
        quad[2].texCoords = sf::Vector2f(right, bottom);
        quad[3].texCoords = sf::Vector2f(left, bottom);
        for (int corner = 0; corner < 4; ++corner)
            quad[corner].color = p.color;
        v += 4;
    }
    verticesDirty_ = false;
}

void ParticleSystem::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    const sf::VertexArray& quads = vertices();
    if (quads.getVertexCount() == 0)
        return;
    states.texture = texture_.get();
    target.draw(quads, states);
}

} // namespace fx
