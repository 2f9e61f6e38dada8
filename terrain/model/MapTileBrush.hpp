#pragma once

#include "terrain/model/MapTile.hpp"

#include <vector>

/// A square grid of tile codes held as columns: brush[x][y], y downwards,
/// the same layout as a map.
using MapTileBrush = std::vector<std::vector<unsigned char>>;

/// Radii beyond this are clamped (with a log line): the brush grows with the
/// square of its radius, and no map is wider than this.
constexpr int MaxMapTileBrushRadius = 4096;

/// A disc of ground of 2r + 1 cells across, its rim shaped by partial tiles
/// along the slopes of the tile set. A negative radius gives no columns.
MapTileBrush genMapTileBall(int radius);
/// The ball with every cell replaced by its inverse.
MapTileBrush genMapTileHole(int radius);

/// Sets every edge-marked cell (34) with no neighbour equal to `from` to `to`,
/// judging all cells on the brush as it was before the call.
void smoothToNeigborhood(MapTileBrush& brush, unsigned char from, unsigned char to);
/// Resolves the edge marks by the neighbourhood pattern table; marks that no
/// pattern matches become full ground.
void applyRules(MapTileBrush& brush);

/// The codes around cell (x, y); cells outside the brush count as empty.
MapTileNeigborhood getNeigborhood(const MapTileBrush& brush, int x, int y);
