#include "game/editor/EditorColors.hpp"

namespace velk {

const sf::Color gridBgColor(27, 42, 54, 255);
const sf::Color gridAxisColor(192, 226, 255, 255);
const sf::Color outlineColor(192, 226, 255, 255);
const sf::Color selectionFrameOutlineColor(114, 253, 255, 255);
const sf::Color selectionFrameFillColor(114, 253, 255, 36);
const sf::Color pointColorNormal(192, 226, 255, 255);
const sf::Color pointColorSelected(28, 148, 172, 255);
const sf::Color pointColorGrabbed(10, 19, 26, 255);
const sf::Color partColorOutline(119, 205, 255, 255);
const sf::Color partColorOutlineSelected(255, 0, 0, 255);
const sf::Color partColorCross(191, 226, 255, 255);
const sf::Color testGroundColor(66, 63, 71, 255);
const sf::Color testShipOutlineColor(114, 253, 255, 255);
const sf::Color testShipFillColor(31, 52, 55, 255);
const sf::Color testJetLineColor(114, 253, 255, 255);

sf::Color getLevelLineColor(unsigned level)
{
    return level == 0 ? sf::Color(87, 151, 152, 255) : sf::Color(95, 113, 127, 255);
}

} // namespace velk
