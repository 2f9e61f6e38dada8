#include "engine/GameFloatingTextEmitter.hpp"

#include "engine/GameFloatingText.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/tools/Log.hpp"

GameFloatingTextEmitter::EmittingDescription::EmittingDescription()
    : font(nullptr),
      scale(1.0f, 1.0f),
      color(sf::Color::White),
      startAlpha(255),
      endAlpha(255),
      lifetime(sf::seconds(1.0f))
{}

GameFloatingTextEmitter::GameFloatingTextEmitter()
{
    defaultText.setCharacterSize(32);
}

GameFloatingTextEmitter::~GameFloatingTextEmitter() = default;

void GameFloatingTextEmitter::emittMessage(const EmittingDescription& description)
{
    auto* floating = new GameFloatingText();
    add(floating);
    sf::Text& text = floating->text();
    text.setString(sf::String::fromUtf8(description.text.begin(), description.text.end()));
    const sf::Font* font = description.font;
    if (!font && getWorld())
        font = getWorld()->getDefaultFont();
    if (font)
        text.setFont(*font);
    else
        tools::log("GameFloatingTextEmitter", "No font for the text \"" + description.text + "\": it is not shown");
    text.setScale(description.scale);
    text.setFillColor(description.color);
    floating->setPosition(math::Vector2<float>(description.position.x, description.position.y));
    floating->movement = math::Vector2<float>(description.movement.x, description.movement.y);
    floating->startAlpha = description.startAlpha;
    floating->endAlpha = description.endAlpha;
    floating->lifetime = description.lifetime;
    floating->update(0.0f);
}

void GameFloatingTextEmitter::onUpdate(float dt)
{
    GameObject::onUpdate(dt);
    std::vector<GameComponent*> expired;
    for (GameComponent* component : getResources()) {
        const auto* floating = dynamic_cast<const GameFloatingText*>(component);
        if (floating && floating->isExpired())
            expired.push_back(component);
    }
    for (GameComponent* component : expired)
        destroy(component);
}
