#pragma once

#include "engine/GameComponent.hpp"

#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Time.hpp>

/// A short message in the world: it starts at the component's position,
/// drifts by `movement` over its lifetime and fades from `startAlpha` to
/// `endAlpha`. One character size is drawn as one world unit.
class GameFloatingText : public GameComponent {
public:
    GameFloatingText();
    ~GameFloatingText() override;

    /// Ages the text, sets its alpha for the new progress and centres it.
    void onUpdate(float dt) override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    sf::Text& text() { return label; }
    const sf::Text& text() const { return label; }
    /// Elapsed over lifetime; not clamped.
    float getProgress() const;
    /// Past its lifetime; a text exactly at its lifetime is still shown.
    bool isExpired() const { return elapsed > lifetime; }

    math::Vector2<float> movement;
    sf::Uint8 startAlpha = 255;
    sf::Uint8 endAlpha = 255;
    sf::Time lifetime;
    sf::Time elapsed;

private:
    sf::Text label;
};
