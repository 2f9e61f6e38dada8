#include "game/shell/Global.hpp"

namespace velk {

namespace {

const unsigned char kFirstMarker = 34;
const unsigned char kLastMarker = 41;

/// Marker colours from the start marker (34) to the last marker (41).
const sf::Color kMarkerColors[] = {
    sf::Color(255, 255, 255, 255), // 34 start
    sf::Color(255, 255, 255, 255), // 35 platform
    sf::Color(216, 237, 255, 255), // 36 first checkpoint kind
    sf::Color(61, 255, 248, 255),
    sf::Color(253, 255, 125, 255),
    sf::Color(255, 114, 0, 255),
    sf::Color(241, 87, 255, 255), // 40 fifth checkpoint kind
    sf::Color(255, 255, 255, 255), // 41
};

} // namespace

sf::Color colorForMapTile(unsigned char tile)
{
    if (tile < kFirstMarker || tile > kLastMarker)
        return sf::Color(0, 0, 0, 255);
    return kMarkerColors[tile - kFirstMarker];
}

} // namespace velk
