#pragma once

#include <SFML/Graphics/Color.hpp>

namespace velk {

// Colours of the ship editor, named after their use.
extern const sf::Color gridBgColor;
extern const sf::Color gridAxisColor;
extern const sf::Color outlineColor;
extern const sf::Color selectionFrameOutlineColor;
extern const sf::Color selectionFrameFillColor;
extern const sf::Color pointColorNormal;
extern const sf::Color pointColorSelected;
extern const sf::Color pointColorGrabbed;
extern const sf::Color partColorOutline;
extern const sf::Color partColorOutlineSelected;
extern const sf::Color partColorCross;
extern const sf::Color testGroundColor;
extern const sf::Color testShipOutlineColor;
extern const sf::Color testShipFillColor;
extern const sf::Color testJetLineColor;

/// Line colour of a grid level: level 0 teal, the finer ones grey-blue.
sf::Color getLevelLineColor(unsigned level);

} // namespace velk
