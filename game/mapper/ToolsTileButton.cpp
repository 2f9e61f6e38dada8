#include "game/mapper/ToolsTileButton.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

namespace dunnix {

const sf::Color ToolsTileButton::sColorBgNormal(100, 100, 100, 255);
const sf::Color ToolsTileButton::sColorBgActive(92, 132, 180, 255);
const sf::Color ToolsTileButton::sColorBgOutline(160, 160, 160, 255);

ToolsTileButton::ToolsTileButton(unsigned char tile) : tools::Activable(false), shape(tile)
{
    shape.setOrigin(0.5f, 0.5f);
    shape.setFillColor(sf::Color::Black);
}

bool ToolsTileButton::isInside(const math::Vector2<float>& point) const
{
    return position.x <= point.x && point.x <= position.x + size.x && position.y <= point.y &&
           point.y <= position.y + size.y;
}

void ToolsTileButton::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    states.transform.translate(position.x + 1.0f, position.y + 1.0f);
    sf::RectangleShape frame(sf::Vector2f(size.x - 2.0f, size.y - 2.0f));
    frame.setFillColor(isActive() ? sColorBgActive : sColorBgNormal);
    frame.setOutlineColor(sColorBgOutline);
    frame.setOutlineThickness(1.0f);
    target.draw(frame, states);

    // The tile in a square of the row's height, centred on the button.
    states.transform.translate(size.x * 0.5f - 1.0f, size.y * 0.5f - 1.0f);
    states.transform.scale(size.y - 2.0f, size.y - 2.0f);
    target.draw(shape, states);
}

} // namespace dunnix
