#include "engine/DunnixComponent.hpp"

#include "engine/GameFramework.hpp"
#include "engine/GameWorld.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>

unsigned DunnixComponent::tileCount(unsigned k)
{
    if (k <= 3)
        return 5;
    return (k + 1) % 2 == 1 ? k + 1 : k + 2;
}

float DunnixComponent::snappedCentre(float centre, float factor, float tile)
{
    const float start = factor * centre;
    if (!(tile > 0.0f))
        return start;
    // The whole number of tiles that brings the start within half a tile.
    // A distance of exactly half a tile stays, as a step-by-step walk would.
    const float distance = centre - start;
    const float steps = std::ceil(std::fabs(distance) / tile - 0.5f);
    return start + std::copysign(steps, distance) * tile;
}

DunnixComponent::DunnixComponent() = default;

DunnixComponent::~DunnixComponent() = default;

void DunnixComponent::addLayer(const std::string& path, float factor)
{
    // The pixels first: a missing file then needs no GL context.
    sf::Image image;
    if (!fx::loadImage(image, path))
        return;
    auto layer = std::make_unique<Layer>();
    if (!layer->texture.loadFromImage(image))
        return;
    layer->texture.setRepeated(true);
    layer->texture.setSmooth(true);
    layer->factor = factor;
    layers.push_back(std::move(layer));
}

void DunnixComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    for (const auto& layer : layers)
        drawDunnix(target, states, layer->texture, layer->factor);
    GameComponent::draw(target, states);
}

void DunnixComponent::drawDunnix(sf::RenderTarget& target, sf::RenderStates states, const sf::Texture& texture,
                                 float factor) const
{
    const GameWorld* world = getWorld();
    if (!world)
        return;
    const sf::View& camera = world->getCamera();
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    const sf::Vector2u window = sfml && sfml->getWindow() ? sfml->getRenderTarget().getSize() : target.getSize();
    const float pw = static_cast<float>(window.x) * camera.getViewport().width;
    const float ph = static_cast<float>(window.y) * camera.getViewport().height;
    const sf::Vector2u size = texture.getSize();
    if (size.x == 0 || size.y == 0 || !(pw > 0.0f) || !(ph > 0.0f))
        return;
    const float tw = static_cast<float>(size.x);
    const float th = static_cast<float>(size.y);
    const unsigned nx = tileCount(static_cast<unsigned>(std::ceil(pw / tw)));
    const unsigned ny = tileCount(static_cast<unsigned>(std::ceil(ph / th)));
    const float s = 1.1f * camera.getSize().x / pw;

    sf::RectangleShape rect(sf::Vector2f(tw * static_cast<float>(nx) * s, th * static_cast<float>(ny) * s));
    rect.setOrigin(rect.getSize() / 2.0f);
    const sf::Vector2f centre = camera.getCenter();
    rect.setPosition(snappedCentre(centre.x, factor, tw * s), snappedCentre(centre.y, factor, th * s));
    rect.setTexture(&texture, false);
    rect.setTextureRect(sf::IntRect(0, 0, static_cast<int>(size.x * nx), static_cast<int>(size.y * ny)));
    target.draw(rect, states);
}
