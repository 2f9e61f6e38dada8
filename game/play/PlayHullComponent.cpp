#include "game/play/PlayHullComponent.hpp"

#include "engine/GameWorld.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>
#include <filesystem>

namespace velk {

namespace {

const char* const kTextureFolder = "data/img/tex";

sf::Color toSf(const backend::ShipColor& c)
{
    return sf::Color(c.r, c.g, c.b, c.a);
}

} // namespace

PlayHullComponent::PlayHullComponent() = default;

PlayHullComponent::~PlayHullComponent() = default;

bool PlayHullComponent::build(const std::vector<math::Vector2<float>>& points,
                              const std::vector<std::vector<math::Vector2<float>>>& triangles)
{
    const bool built = HullComponent::build(points, triangles);
    mesh.clear();
    for (const auto& triangle : triangles)
        for (const math::Vector2<float>& corner : triangle) {
            const sf::Vector2f p = rvec2svec(corner);
            mesh.append(sf::Vertex(p, p));
        }
    const std::size_t n = points.size();
    outline.resize(n > 0 ? n + 1 : 0);
    for (std::size_t i = 0; i < outline.getVertexCount(); ++i)
        outline[i].position = rvec2svec(points[i % n]);
    buildOutlineBand();
    return built;
}

void PlayHullComponent::buildOutlineBand()
{
    outlineBand.clear();
    const float half = OutlineWidth * 0.5f;
    for (std::size_t i = 0; i + 1 < outline.getVertexCount(); ++i) {
        const sf::Vector2f a = outline[i].position;
        const sf::Vector2f b = outline[i + 1].position;
        const sf::Vector2f d = b - a;
        const float length = std::sqrt(d.x * d.x + d.y * d.y);
        if (length <= 0.0f)
            continue;
        // Extended by half the width at both ends, so corners close.
        const sf::Vector2f along = d * (half / length);
        const sf::Vector2f across(-along.y, along.x);
        const sf::Vector2f p0 = a - along + across, p1 = a - along - across;
        const sf::Vector2f p2 = b + along - across, p3 = b + along + across;
        for (const sf::Vector2f& p : {p0, p1, p2, p0, p2, p3})
            outlineBand.append(sf::Vertex(p, outline[i].color));
    }
}

bool PlayHullComponent::build(backend::ShipEntry* entry)
{
    if (!HullComponent::build(entry))
        return false;
    const std::string file = entry->getTextureFile();
    texture.reset();
    GameWorld* world = getWorld();
    if (!file.empty() && world) {
        const std::string path = (std::filesystem::path(kTextureFolder) / file).string();
        texture = world->texCache().acquire(fx::fileKey<sf::Texture>(path));
    }
    // Without a texture the hull shows its colour alone (as on white).
    if (texture) {
        texture->setSmooth(true);
        texture->setRepeated(true);
    }
    textureOffset = entry->getTextureOffset();
    textureScale = entry->getTextureScale();
    const sf::Color color = toSf(entry->getColor());
    for (std::size_t i = 0; i < mesh.getVertexCount(); ++i)
        mesh[i].color = color;
    const sf::Color edge = color * sf::Color(150, 150, 150, 255);
    for (std::size_t i = 0; i < outline.getVertexCount(); ++i)
        outline[i].color = edge;
    for (std::size_t i = 0; i < outlineBand.getVertexCount(); ++i)
        outlineBand[i].color = edge;
    applyTextureCoordinates();
    return true;
}

math::Vector2<float> PlayHullComponent::getTextureSample(const sf::Vector2f& point) const
{
    return math::Vector2<float>(textureScale * (point.x + textureOffset.x), textureScale * (point.y + textureOffset.y));
}

void PlayHullComponent::applyTextureCoordinates()
{
    // SFML samples in pixels; a repeated texture wraps, so the sample point
    // in texture widths times the texture's size is the pixel.
    const sf::Vector2f size = texture ? sf::Vector2f(texture->getSize()) : sf::Vector2f(1.0f, 1.0f);
    for (std::size_t i = 0; i < mesh.getVertexCount(); ++i) {
        const math::Vector2<float> s = getTextureSample(mesh[i].position);
        mesh[i].texCoords = sf::Vector2f(s.x * size.x, s.y * size.y);
    }
}

void PlayHullComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!isVisible())
        return;
    states.transform = sf::Transform::Identity;
    states.transform.translate(rvec2svec(getPosition()));
    states.transform.rotate(static_cast<float>(getRotation() * RadToScreenDeg));
    states.transform.scale(isMirroredX() ? -1.0f : 1.0f, 1.0f);
    // Under a colour filter plain colours need a texture to be filtered.
    const sf::Texture* plain = states.shader ? &SfmlFramework::sWhiteTexture.get() : nullptr;
    states.texture = texture ? texture.get() : plain;
    target.draw(mesh, states);
    states.texture = plain;
    target.draw(outlineBand, states);
}

} // namespace velk
