#include "game/shell/Global.hpp"

#include "game/play/model/CheckpointKinds.hpp"

namespace velk {

sf::Color colorForMapTile(unsigned char tile)
{
    // One table for the editor and play mode: the play rules' marker colours.
    const Rgba c = markerColor(tile);
    return sf::Color(c.r, c.g, c.b, c.a);
}

} // namespace velk
