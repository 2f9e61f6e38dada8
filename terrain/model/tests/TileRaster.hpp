#pragma once

#include "terrain/model/MapTile.hpp"

#include <bitset>

namespace terrain_test {

/// Samples per cell side. The sample grid is offset by odd fractions so that
/// no sample falls on a tile edge (edges run through corners and midpoints).
constexpr int RasterSide = 24;
using TileRaster = std::bitset<RasterSide * RasterSide>;

inline bool insideConvex(const MapTilePoints& polygon, float x, float y)
{
    if (polygon.size() < 3)
        return false;
    bool anyPositive = false;
    bool anyNegative = false;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const auto& a = polygon[i];
        const auto& b = polygon[(i + 1) % polygon.size()];
        const float cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
        anyPositive = anyPositive || cross > 0.0f;
        anyNegative = anyNegative || cross < 0.0f;
    }
    return !(anyPositive && anyNegative);
}

/// Which sample points of the cell a tile's ground covers, from its polygon.
inline TileRaster rasterize(unsigned char code)
{
    const MapTilePoints polygon = createPolygon(code);
    TileRaster raster;
    for (int i = 0; i < RasterSide; ++i)
        for (int j = 0; j < RasterSide; ++j) {
            const float x = (static_cast<float>(i) + 0.37f) / RasterSide - 0.5f;
            const float y = (static_cast<float>(j) + 0.61f) / RasterSide - 0.5f;
            raster[static_cast<std::size_t>(i * RasterSide + j)] = insideConvex(polygon, x, y);
        }
    return raster;
}

} // namespace terrain_test
