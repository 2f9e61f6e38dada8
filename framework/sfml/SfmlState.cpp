#include "framework/sfml/SfmlState.hpp"

#include "foundation/tools/Log.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlFramework.hpp"

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
        tools::log("SfmlState", "No window set up for this state; ending");
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
