#include "terrain/model/TileMapGeometry.hpp"

#include "foundation/math/PhysicsPolygonFilter.hpp"
#include "terrain/model/MapTileBrush.hpp"
#include "terrain/model/TileMap.hpp"

#include <algorithm>
#include <cmath>

namespace {

/// Far beyond any map, yet safe to add a brush radius to.
constexpr float FarCell = 1 << 30;

int toCell(float value)
{
    if (std::isnan(value))
        return static_cast<int>(-FarCell);
    return static_cast<int>(std::clamp(std::floor(value), -FarCell, FarCell));
}

} // namespace

math::Vector2<float> getTilePosition(const math::Vector2<float>& placement, float tileSize, int x, int y, char align)
{
    float column = static_cast<float>(x);
    if ((align & 3) == 3)
        column += 0.5f;
    else if (align & 2)
        column += 1.0f;
    float row = -static_cast<float>(y);
    if ((align & 12) == 12)
        row -= 0.5f;
    else if (align & 8)
        row -= 1.0f;
    return {column * tileSize + placement.x, row * tileSize + placement.y};
}

math::Vector2<int> getTileIndicesAt(const math::Vector2<float>& placement, float tileSize,
                                    const math::Vector2<float>& point)
{
    return {toCell((point.x - placement.x) / tileSize), toCell(-(point.y - placement.y) / tileSize)};
}

int getDrillBrushRadius(float radius)
{
    if (std::isnan(radius))
        return -1;
    const float cells = std::ceil(std::clamp(radius, -1.0f, static_cast<float>(MaxMapTileBrushRadius)));
    return static_cast<int>(cells);
}

MapTilePoints createFixturePolygon(unsigned char code, int x, int y, float tileSize)
{
    if (!isMapTileGround(code))
        return {};
    MapTilePoints polygon = createPolygon(code);
    for (math::Vector2<float>& p : polygon)
        p = {(p.x + 0.5f) * tileSize + static_cast<float>(x) * tileSize,
             (p.y - 0.5f) * tileSize - static_cast<float>(y) * tileSize};
    if (!math::PhysicsPolygonFilter::acceptsShape(polygon))
        return {};
    return polygon;
}

MapTilePoints createFixturePolygon(const TileMap& map, int x, int y)
{
    if (!map.isValid(x, y))
        return {};
    return createFixturePolygon(map.getTile(static_cast<unsigned>(x), static_cast<unsigned>(y)), x, y,
                                map.getTileSize());
}

unsigned char getTileBorderMask(const TileMap& map, int x, int y)
{
    if (!map.isValid(x, y))
        return 0;
    unsigned char mask = createTileFrame(map.getTile(static_cast<unsigned>(x), static_cast<unsigned>(y)));
    // Top, right, bottom, left, as MapTileSide numbers them.
    constexpr int dx[4] = {0, 1, 0, -1};
    constexpr int dy[4] = {-1, 0, 1, 0};
    for (unsigned char side = MapTileTop; mask != 0 && side <= MapTileLeft; ++side) {
        const int nx = x + dx[side];
        const int ny = y + dy[side];
        if (!map.isValid(nx, ny))
            mask = clearSide(mask, side);
        else
            mask = diff(mask, createTileFrame(map.getTile(static_cast<unsigned>(nx), static_cast<unsigned>(ny))), side);
    }
    return mask;
}
