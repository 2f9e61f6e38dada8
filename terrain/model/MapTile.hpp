#pragma once

#include "foundation/math/Vector2.hpp"

#include <vector>

// Tile codes, one byte per map cell:
//   0 empty, 1 full ground,
//   2..33 partial ground (8 shape groups x 4 clockwise rotations, r = (t - 2) % 4):
//     2..5 upper slope, 6..9 its mirror, 10..13 lower slope, 14..17 its mirror,
//     18..21 cut corner, 22..25 corner, 26..29 half, 30..33 diagonal,
//   34..41 markers (no ground): 34 start, 35 platform, 36..40 checkpoints,
//   42 and above invalid.
// Geometry is cell-local: the cell centre is the origin, corners at +-0.5, y up.
// Every table here is constant data; nothing has state.

/// A cell's four sides; a side s owns bits 2s and 2s + 1 of a side mask.
enum MapTileSide : unsigned char {
    MapTileTop = 0,
    MapTileRight = 1,
    MapTileBottom = 2,
    MapTileLeft = 3,
};

/// The codes of a cell's neighbours in the order left, up, right, down.
struct MapTileNeigborhood {
    unsigned char left = 0;
    unsigned char up = 0;
    unsigned char right = 0;
    unsigned char down = 0;
};

using MapTilePoints = std::vector<math::Vector2<float>>;

namespace MapTileCodes {
constexpr unsigned char Empty = 0;
constexpr unsigned char Full = 1;
constexpr unsigned char FirstPartial = 2;
constexpr unsigned char LastPartial = 33;
constexpr unsigned char Start = 34;
constexpr unsigned char Platform = 35;
constexpr unsigned char FirstCheckpoint = 36;
constexpr unsigned char LastCheckpoint = 40;
constexpr unsigned char LastMarker = 41;
/// Number of valid codes (0..41).
constexpr unsigned int Count = 42;
} // namespace MapTileCodes

bool isMapTileValid(unsigned char t);
bool isMapTileEmpty(unsigned char t);
bool isMapTileFull(unsigned char t);
/// Partial ground, 2..33.
bool isMapTileCorner(unsigned char t);
bool isMapTileMarker(unsigned char t);
/// Any ground, 1..33.
bool isMapTileGround(unsigned char t);

/// The code whose ground is exactly the cell minus t's ground; 0 for t >= 34.
unsigned char getMapTileInverse(unsigned char t);
/// A cell holding a's ground that also receives b's. Ground replaces a
/// marker; a marker never replaces ground.
unsigned char addMapTiles(unsigned char a, unsigned char b);
/// Cell a after b's ground is taken away. Only ground removes a marker.
unsigned char subMapTiles(unsigned char a, unsigned char b);

/// The convex ground polygon of t; the full square for markers and invalid
/// codes, nothing for 0.
MapTilePoints createPolygon(unsigned char t);
/// The sloped or inner edge of a partial tile (two points); empty otherwise.
MapTilePoints createInnerLine(unsigned char t);
/// Two points per set bit of a side mask, in ascending bit order.
MapTilePoints createFrameLines(unsigned char mask);
/// Negates every x.
void mirrorX(MapTilePoints& points);
/// A quarter turn clockwise: (x, y) -> (y, -x).
void rot90(MapTilePoints& points);

/// Which half-edges of the cell border t's ground covers; bit 0 is the left
/// half of the top side and the bits run clockwise.
unsigned char createTileFrame(unsigned char t);
/// A quarter turn clockwise of a side mask.
unsigned char rot90(unsigned char mask);
/// The left-right mirror of a side mask.
unsigned char mirrorX(unsigned char mask);
/// Clears the side's two bits; a side above 3 leaves the mask as it is.
unsigned char clearSide(unsigned char mask, unsigned char side);
/// Clears those bits of the side whose facing half-edge the neighbour covers.
unsigned char diff(unsigned char mask, unsigned char neighbourMask, unsigned char side);
