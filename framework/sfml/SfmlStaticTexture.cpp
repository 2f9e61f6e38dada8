#include "framework/sfml/SfmlStaticTexture.hpp"

#include <utility>

SfmlStaticTexture::SfmlStaticTexture(std::function<sf::Texture()> make_) : make(std::move(make_)) {}

const sf::Texture& SfmlStaticTexture::get() const
{
    std::call_once(once, [this] {
        texture = std::make_unique<sf::Texture>(make());
        created = true;
    });
    return *texture;
}

bool SfmlStaticTexture::isCreated() const
{
    return created;
}
