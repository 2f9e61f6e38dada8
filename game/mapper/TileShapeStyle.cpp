#include "game/mapper/TileShapeStyle.hpp"

#include "terrain/MapTileShape.hpp"

namespace dunnix {

TileShapeStyle::~TileShapeStyle()
{
    restore();
}

MapTileShape& TileShapeStyle::shape(unsigned char tile, const sf::Color& colour, const sf::Texture* texture,
                                    const sf::IntRect& rect)
{
    MapTileShape& shared = MapTileShape::getShapeForTile(tile);
    const unsigned char code = shared.getTile();
    Saved& entry = saved[code];
    if (!entry.styled) {
        entry.styled = true;
        entry.colour = shared.getFillColor();
        entry.texture = shared.getTexture();
        entry.rect = shared.getTextureRect();
        shared.setFillColor(colour);
        shared.setTexture(texture);
        shared.setTextureRect(rect);
    }
    return shared;
}

void TileShapeStyle::restore()
{
    for (unsigned int code = 0; code < saved.size(); ++code) {
        Saved& entry = saved[code];
        if (!entry.styled)
            continue;
        MapTileShape& shared = MapTileShape::getShapeForTile(static_cast<unsigned char>(code));
        shared.setFillColor(entry.colour);
        shared.setTexture(entry.texture);
        shared.setTextureRect(entry.rect);
        entry.styled = false;
    }
}

} // namespace dunnix
