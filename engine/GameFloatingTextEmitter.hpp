#pragma once

#include "engine/GameObject.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Time.hpp>

#include <string>

/// The world's source of floating texts: each emitted text is one of its
/// components and is removed in the first update after it expires.
class GameFloatingTextEmitter : public GameObject {
public:
    /// What to show; copied by the emitter.
    struct EmittingDescription {
        EmittingDescription();

        /// UTF-8 text.
        std::string text;
        /// Null means the world's default font.
        const sf::Font* font;
        sf::Vector2f scale;
        /// The alpha is replaced while the text lives.
        sf::Color color;
        /// World units.
        sf::Vector2f position;
        /// The whole drift over the lifetime, world units, y up.
        sf::Vector2f movement;
        sf::Uint8 startAlpha;
        sf::Uint8 endAlpha;
        sf::Time lifetime;
    };

    GameFloatingTextEmitter();
    ~GameFloatingTextEmitter() override;

    void emittMessage(const EmittingDescription& description);
    /// Updates the texts, then removes every expired one.
    void onUpdate(float dt) override;

    sf::Text& getDefaultText() { return defaultText; }
    const sf::Text& getDefaultText() const { return defaultText; }

private:
    sf::Text defaultText;
};
