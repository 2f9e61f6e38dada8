#include "framework/sfml/SfmlState.hpp"

#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <iostream>

SfmlState::~SfmlState() = default;

sf::Color SfmlState::getBackgroundSfColor() const
{
    const std::vector<float> c = getBackgroundColor();
    return sf::Color(colorUnitToByte(c[0]), colorUnitToByte(c[1]), colorUnitToByte(c[2]), colorUnitToByte(c[3]));
}

void SfmlState::setBackgroundSfColor(const sf::Color& c)
{
    setBackgroundColor4ub(c.r, c.g, c.b, c.a);
}

bool SfmlState::handleEvents()
{
    if (!sfmlFramework) {
        std::cout << "[SfmlState] No window set up for this state; ending" << std::endl;
        return false;
    }
    return sfmlFramework->pollEvent();
}

void SfmlState::preRender()
{
    if (sfmlFramework)
        sfmlFramework->clear(getBackgroundSfColor());
}

void SfmlState::postRender()
{
    if (sfmlFramework)
        sfmlFramework->display();
}
