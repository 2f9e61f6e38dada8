#include "terrain/MapTileShape.hpp"

#include "terrain/model/MapTile.hpp"

namespace {

// Function-local statics: built on first use, so no other translation
// unit's static initialisation can see them half made; the shapes need the
// colours, which are therefore built first.
const std::vector<sf::Color>& markerColors()
{
    static const std::vector<sf::Color> colors = {
        sf::Color(255, 255, 255, 255), sf::Color(255, 0, 0, 255),   sf::Color(0, 255, 0, 255),
        sf::Color(0, 0, 255, 255),     sf::Color(80, 40, 0, 255),   sf::Color(0, 255, 255, 255),
        sf::Color(255, 0, 255, 255),   sf::Color(255, 255, 0, 255),
    };
    return colors;
}

const std::vector<MapTileShape>& sharedShapes()
{
    static const std::vector<MapTileShape> shapes = genMapTileShapes();
    return shapes;
}

// Both tables exist before main, as the rest of the terrain's tables do.
const bool builtBeforeMain = (markerColors(), sharedShapes(), true);

} // namespace

MapTileShape::MapTileShape(unsigned char tile_) : tile(tile_)
{
    updateShape();
}

void MapTileShape::setTile(unsigned char newTile)
{
    if (newTile == tile)
        return;
    tile = newTile;
    updateShape();
}

void MapTileShape::updateShape()
{
    const MapTilePoints polygon = createPolygon(tile);
    setPointCount(polygon.size());
    for (std::size_t i = 0; i < polygon.size(); ++i)
        setPoint(i, sf::Vector2f(0.5f + polygon[i].x, 0.5f - polygon[i].y));
    setFillColor(getColorForTile(tile));
}

sf::Color MapTileShape::getColorForTile(unsigned char tile)
{
    if (isMapTileMarker(tile))
        return markerColors()[(tile - MapTileCodes::Start) % 8];
    return sf::Color::Black;
}

const MapTileShape& MapTileShape::getShapeForTile(unsigned char tile)
{
    (void)builtBeforeMain;
    const std::vector<MapTileShape>& shapes = sharedShapes();
    return isMapTileValid(tile) ? shapes[tile] : shapes[MapTileCodes::Empty];
}

const std::vector<sf::Color>& MapTileShape::customColors()
{
    return markerColors();
}

std::vector<MapTileShape> genMapTileShapes()
{
    std::vector<MapTileShape> shapes(MapTileCodes::Count, MapTileShape(MapTileCodes::Empty));
    for (unsigned i = 0; i < MapTileCodes::Count; ++i) {
        shapes[i].setTile(static_cast<unsigned char>(i));
        shapes[i].setFillColor(MapTileShape::getColorForTile(static_cast<unsigned char>(i)));
    }
    return shapes;
}
