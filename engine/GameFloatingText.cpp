#include "engine/GameFloatingText.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

GameFloatingText::GameFloatingText() = default;

GameFloatingText::~GameFloatingText() = default;

float GameFloatingText::getProgress() const
{
    return elapsed.asSeconds() / lifetime.asSeconds();
}

void GameFloatingText::onUpdate(float dt)
{
    elapsed += sf::seconds(dt);
    // Clamped: past the end (the update that removes the text) and a zero
    // lifetime must not give an alpha outside 0..255.
    float p = getProgress();
    if (!(p >= 0.0f))
        p = 1.0f;
    p = std::min(p, 1.0f);
    const float alpha = static_cast<float>(startAlpha) * (1.0f - p) + static_cast<float>(endAlpha) * p;
    sf::Color color = label.getFillColor();
    color.a = static_cast<sf::Uint8>(alpha);
    label.setFillColor(color);
    const sf::FloatRect bounds = label.getLocalBounds();
    label.setOrigin(bounds.width / 2.0f, bounds.height / 2.0f);
}

void GameFloatingText::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    float p = getProgress();
    if (!std::isfinite(p))
        p = 1.0f; // a zero lifetime
    const math::Vector2<float> point = getPosition() + p * movement;
    const float unit = 1.0f / static_cast<float>(label.getCharacterSize());
    states.transform.translate(point.x, -point.y).scale(unit, unit);
    target.draw(label, states);
}
