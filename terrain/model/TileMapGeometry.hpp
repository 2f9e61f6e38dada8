#pragma once

#include "foundation/math/Vector2.hpp"
#include "terrain/model/MapTile.hpp"

// Where cells of a map lie in the world, and the shapes a map's cells give to
// physics and to the outline. A map's placement is the world point of its
// top-left corner (y up); cell (x, y) spans x..x+1 tiles to the right of it
// and y..y+1 tiles below it.

class TileMap;

/// Alignment flags of getTilePosition: 1 and 2 horizontal, 4 and 8 vertical.
namespace TileAlign {
constexpr char TopLeft = 5;
constexpr char TopRight = 2;
constexpr char BottomRight = 10;
constexpr char BottomMiddle = 11;
constexpr char Centre = 15;
} // namespace TileAlign

/// World point of a cell at an alignment: x + 0.5 with flags 1 and 2, x + 1
/// with 2 alone, else x; -y - 0.5 with 4 and 8, -y - 1 with 8 alone, else -y;
/// times the tile size, plus the map's placement.
math::Vector2<float> getTilePosition(const math::Vector2<float>& placement, float tileSize, int x, int y, char align);

/// The cell under a world point, in float. Points too far out (or NaN) give
/// cells far outside any map instead of overflowing.
math::Vector2<int> getTileIndicesAt(const math::Vector2<float>& placement, float tileSize,
                                    const math::Vector2<float>& point);

/// The ball brush radius of a drill of `radius` cells: rounded up; -1 (no
/// brush) for NaN; at most MaxMapTileBrushRadius.
int getDrillBrushRadius(float radius);

/// The cell's ground polygon in the frame of a body at the map's top-left
/// corner (y up), ready for b2PolygonShape::Set; empty when the code is not
/// ground or Box2D would refuse the polygon.
MapTilePoints createFixturePolygon(unsigned char code, int x, int y, float tileSize);
/// The same for a cell of a map; empty outside the map.
MapTilePoints createFixturePolygon(const TileMap& map, int x, int y);

/// The half-edges of the cell's border that need an outline: those its
/// ground covers, less those facing the neighbours' ground and those on the
/// map's outer edge. 0 outside the map.
unsigned char getTileBorderMask(const TileMap& map, int x, int y);
