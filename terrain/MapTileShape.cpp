#include "terrain/MapTileShape.hpp"

#include "terrain/model/MapTile.hpp"

// Plain values, not sf::Color's named constants: those live in another
// library and may not be built yet while this table is.
const std::vector<sf::Color> MapTileShape::sCustomColors = {
    sf::Color(255, 255, 255, 255), // 34 start
    sf::Color(255, 0, 0, 255),     // 35 platform
    sf::Color(0, 255, 0, 255),     // 36
    sf::Color(0, 0, 255, 255),     // 37
    sf::Color(80, 40, 0, 255),     // 38
    sf::Color(0, 255, 255, 255),   // 39
    sf::Color(255, 0, 255, 255),   // 40
    sf::Color(255, 255, 0, 255),   // 41
};

MapTileShape::MapTileShape(unsigned char tile) : tile(tile)
{
    updateShape();
}

void MapTileShape::setTile(unsigned char code)
{
    if (code == tile)
        return;
    tile = code;
    updateShape();
}

void MapTileShape::updateShape()
{
    // Cell-local polygon (centre origin, y up) to the unit square, y down.
    const MapTilePoints polygon = createPolygon(tile);
    setPointCount(polygon.size());
    for (std::size_t i = 0; i < polygon.size(); ++i)
        setPoint(i, sf::Vector2f(0.5f + polygon[i].x, 0.5f - polygon[i].y));
    setFillColor(getColorForTile(tile));
}

sf::Color MapTileShape::getColorForTile(unsigned char tile)
{
    if (isMapTileMarker(tile))
        return sCustomColors[(tile - MapTileCodes::Start) % 8];
    return sf::Color(0, 0, 0, 255);
}

std::vector<MapTileShape>& MapTileShape::sharedShapes()
{
    // Built on first use, so no other static initialiser can see it half made.
    static std::vector<MapTileShape> shapes = genMapTileShapes();
    return shapes;
}

MapTileShape& MapTileShape::getShapeForTile(unsigned char tile)
{
    std::vector<MapTileShape>& shapes = sharedShapes();
    return shapes[tile < shapes.size() ? tile : 0];
}

std::vector<MapTileShape> genMapTileShapes()
{
    std::vector<MapTileShape> shapes(MapTileCodes::Count, MapTileShape(0));
    for (unsigned int i = 0; i < MapTileCodes::Count; ++i) {
        shapes[i].setTile(static_cast<unsigned char>(i));
        shapes[i].setFillColor(MapTileShape::getColorForTile(static_cast<unsigned char>(i)));
    }
    return shapes;
}
