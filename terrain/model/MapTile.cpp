#include "terrain/model/MapTile.hpp"

namespace {

// Row i holds the sums of code i with codes 0..i (the rest of a row is unused
// padding). An entry's ground covers both indices' ground; where no partial
// code does, it is full ground.
constexpr unsigned char sMapTileSums[34][34] = {
    {0},                                                                                                          // 0
    {1, 1},                                                                                                       // 1
    {2, 1, 2},                                                                                                    // 2
    {3, 1, 1, 3},                                                                                                 // 3
    {4, 1, 1, 1, 4},                                                                                              // 4
    {5, 1, 1, 1, 1, 5},                                                                                           // 5
    {6, 1, 1, 19, 1, 1, 6},                                                                                       // 6
    {7, 1, 1, 1, 20, 1, 1, 7},                                                                                    // 7
    {8, 1, 1, 1, 1, 21, 1, 1, 8},                                                                                 // 8
    {9, 1, 18, 1, 1, 1, 1, 1, 1, 9},                                                                              // 9
    {10, 1, 2, 19, 1, 1, 6, 1, 1, 9, 10},                                                                         // 10
    {11, 1, 1, 3, 20, 1, 6, 7, 1, 1, 6, 11},                                                                      // 11
    {12, 1, 1, 1, 4, 21, 1, 7, 8, 1, 1, 7, 12},                                                                   // 12
    {13, 1, 18, 1, 1, 5, 1, 1, 8, 9, 9, 1, 8, 13},                                                                // 13
    {14, 1, 2, 3, 1, 1, 6, 1, 1, 18, 26, 30, 1, 18, 14},                                                          // 14
    {15, 1, 1, 3, 4, 1, 19, 7, 1, 1, 19, 27, 31, 1, 3, 15},                                                       // 15
    {16, 1, 1, 1, 4, 5, 1, 20, 8, 1, 1, 20, 28, 32, 1, 4, 16},                                                    // 16
    {17, 1, 2, 1, 1, 5, 1, 1, 21, 9, 33, 1, 21, 29, 2, 1, 5, 17},                                                 // 17
    {18, 1, 18, 1, 1, 1, 1, 1, 1, 18, 18, 1, 1, 18, 18, 1, 1, 18, 18},                                            // 18
    {19, 1, 1, 19, 1, 1, 19, 1, 1, 1, 19, 19, 1, 1, 19, 19, 1, 1, 1, 19},                                         // 19
    {20, 1, 1, 1, 20, 1, 1, 20, 1, 1, 1, 20, 20, 1, 1, 20, 20, 1, 1, 1, 20},                                      // 20
    {21, 1, 1, 1, 1, 21, 1, 1, 21, 1, 1, 1, 21, 21, 1, 1, 21, 21, 1, 1, 1, 21},                                   // 21
    {22, 1, 2, 3, 20, 1, 6, 7, 1, 18, 26, 11, 7, 18, 14, 27, 20, 2, 18, 19, 20, 1, 22},                           // 22
    {23, 1, 1, 3, 4, 21, 19, 7, 8, 1, 19, 27, 12, 8, 3, 15, 28, 21, 1, 19, 20, 21, 27, 23},                       // 23
    {24, 1, 18, 1, 4, 5, 1, 20, 8, 9, 9, 20, 28, 13, 18, 4, 16, 29, 18, 1, 20, 21, 1, 28, 24},                    // 24
    {25, 1, 2, 19, 1, 5, 6, 1, 21, 9, 10, 6, 21, 29, 26, 19, 5, 17, 18, 19, 1, 21, 26, 1, 29, 25},                // 25
    {26, 1, 2, 1, 1, 1, 6, 1, 1, 1, 26, 6, 1, 18, 26, 19, 1, 2, 18, 19, 1, 1, 26, 19, 18, 26, 26},                // 26
    {27, 1, 1, 3, 1, 1, 1, 7, 1, 1, 19, 27, 7, 1, 3, 27, 20, 1, 1, 19, 20, 1, 27, 27, 20, 19, 19, 27},            // 27
    {28, 1, 1, 1, 4, 1, 1, 1, 8, 1, 1, 20, 28, 8, 1, 4, 28, 21, 1, 1, 20, 21, 20, 28, 28, 21, 1, 20, 28},         // 28
    {29, 1, 1, 1, 1, 5, 1, 1, 1, 9, 9, 1, 21, 29, 18, 1, 5, 29, 18, 1, 1, 21, 18, 21, 29, 29, 18, 1, 21, 29},     // 29
    {30, 1, 1, 3, 1, 1, 6, 1, 1, 1, 6, 30, 1, 1, 30, 3, 1, 1, 1, 19, 1, 1, 30, 3, 1, 6, 6, 3, 1, 1, 30},          // 30
    {31, 1, 1, 1, 4, 1, 1, 7, 1, 1, 1, 7, 31, 1, 1, 31, 4, 1, 1, 1, 20, 1, 7, 31, 4, 1, 1, 7, 4, 1, 1, 31},       // 31
    {32, 1, 1, 1, 1, 5, 1, 1, 8, 1, 1, 1, 8, 32, 1, 1, 32, 5, 1, 1, 1, 21, 1, 8, 32, 5, 1, 1, 8, 5, 1, 1, 32},    // 32
    {33, 1, 2, 1, 1, 1, 1, 1, 1, 9, 33, 1, 1, 9, 2, 1, 1, 33, 18, 1, 1, 1, 2, 1, 9, 33, 2, 1, 1, 9, 1, 1, 1, 33}, // 33
};

// Upper slope with lower slope two turns on, mirror groups alike, cut corner
// with corner one turn on, half and diagonal with themselves two turns on.
constexpr unsigned char sMapTileInverses[34] = {
    1, 0,  12, 13, 10, 11, 16, 17, 14, 15, 4,  5,  2,  3,  8,  9,  6,
    7, 23, 24, 25, 22, 21, 18, 19, 20, 28, 29, 26, 27, 32, 33, 30, 31,
};

enum Group { UpperSlope, UpperSlopeMirrored, LowerSlope, LowerSlopeMirrored, CutCorner, Corner, Half, Diagonal };

using P = math::Vector2<float>;

int groupOf(unsigned char t)
{
    return (t - 2) / 4;
}

int rotationOf(unsigned char t)
{
    return (t - 2) % 4;
}

bool isMirrored(int group)
{
    return group == UpperSlopeMirrored || group == LowerSlopeMirrored;
}

MapTilePoints basePolygon(int group)
{
    switch (group) {
    case UpperSlope:
    case UpperSlopeMirrored: return {P(-0.5f, 0.0f), P(0.5f, 0.5f), P(0.5f, -0.5f), P(-0.5f, -0.5f)};
    case LowerSlope:
    case LowerSlopeMirrored: return {P(-0.5f, -0.5f), P(0.5f, 0.0f), P(0.5f, -0.5f)};
    case CutCorner: return {P(-0.5f, 0.0f), P(0.0f, 0.5f), P(0.5f, 0.5f), P(0.5f, -0.5f), P(-0.5f, -0.5f)};
    case Corner: return {P(-0.5f, 0.0f), P(0.0f, -0.5f), P(-0.5f, -0.5f)};
    case Half: return {P(-0.5f, 0.0f), P(0.5f, 0.0f), P(0.5f, -0.5f), P(-0.5f, -0.5f)};
    default: return {P(-0.5f, 0.5f), P(0.5f, -0.5f), P(-0.5f, -0.5f)};
    }
}

MapTilePoints baseInnerLine(int group)
{
    switch (group) {
    case UpperSlope:
    case UpperSlopeMirrored: return {P(-0.5f, 0.0f), P(0.5f, 0.5f)};
    case LowerSlope:
    case LowerSlopeMirrored: return {P(-0.5f, -0.5f), P(0.5f, 0.0f)};
    case CutCorner: return {P(-0.5f, 0.0f), P(0.0f, 0.5f)};
    case Corner: return {P(-0.5f, 0.0f), P(0.0f, -0.5f)};
    case Half: return {P(-0.5f, 0.0f), P(0.5f, 0.0f)};
    default: return {P(-0.5f, 0.5f), P(0.5f, -0.5f)};
    }
}

constexpr unsigned char baseMasks[8] = {124, 124, 56, 56, 126, 96, 120, 240};

// Mirror images and facing half-edges of the eight side-mask bits.
constexpr unsigned char mirroredBit[8] = {1, 0, 7, 6, 5, 4, 3, 2};
constexpr unsigned char facingBit[8] = {5, 4, 7, 6, 1, 0, 3, 2};

/// Mirrors and turns the base points of a partial tile into place.
MapTilePoints placePartial(MapTilePoints points, unsigned char t)
{
    if (isMirrored(groupOf(t)))
        mirrorX(points);
    for (int i = 0; i < rotationOf(t); ++i)
        rot90(points);
    return points;
}

} // namespace

bool isMapTileValid(unsigned char t)
{
    return t < MapTileCodes::Count;
}

bool isMapTileEmpty(unsigned char t)
{
    return t == MapTileCodes::Empty;
}

bool isMapTileFull(unsigned char t)
{
    return t == MapTileCodes::Full;
}

bool isMapTileCorner(unsigned char t)
{
    return t >= MapTileCodes::FirstPartial && t <= MapTileCodes::LastPartial;
}

bool isMapTileMarker(unsigned char t)
{
    return t >= MapTileCodes::Start && t <= MapTileCodes::LastMarker;
}

bool isMapTileGround(unsigned char t)
{
    return t >= MapTileCodes::Full && t <= MapTileCodes::LastPartial;
}

unsigned char getMapTileInverse(unsigned char t)
{
    return t <= MapTileCodes::LastPartial ? sMapTileInverses[t] : 0;
}

unsigned char addMapTiles(unsigned char a, unsigned char b)
{
    if (a == b || b == 0)
        return a;
    if (a == 0)
        return b;
    if (!isMapTileGround(a))
        return b;
    if (!isMapTileGround(b))
        return a;
    return a > b ? sMapTileSums[a][b] : sMapTileSums[b][a];
}

unsigned char subMapTiles(unsigned char a, unsigned char b)
{
    if (isMapTileMarker(a))
        return isMapTileGround(b) ? 0 : a;
    if (isMapTileMarker(b))
        return a;
    return getMapTileInverse(addMapTiles(getMapTileInverse(a), b));
}

MapTilePoints createPolygon(unsigned char t)
{
    if (t == MapTileCodes::Empty)
        return {};
    if (!isMapTileCorner(t)) {
        MapTilePoints square{P(-0.5f, -0.5f), P(0.5f, -0.5f), P(0.5f, 0.5f), P(-0.5f, 0.5f)};
        // Markers and invalid codes turn as partial codes do, which only
        // moves the square's first corner.
        if (t > MapTileCodes::LastPartial)
            for (int i = 0; i < rotationOf(t); ++i)
                rot90(square);
        return square;
    }
    return placePartial(basePolygon(groupOf(t)), t);
}

MapTilePoints createInnerLine(unsigned char t)
{
    if (!isMapTileCorner(t))
        return {};
    return placePartial(baseInnerLine(groupOf(t)), t);
}

MapTilePoints createFrameLines(unsigned char mask)
{
    MapTilePoints lines;
    for (int bit = 0; bit < 8; ++bit) {
        if (!(mask & (1u << bit)))
            continue;
        MapTilePoints segment = bit % 2 == 0 ? MapTilePoints{P(-0.5f, 0.5f), P(0.0f, 0.5f)}
                                             : MapTilePoints{P(0.0f, 0.5f), P(0.5f, 0.5f)};
        for (int i = 0; i < bit / 2; ++i)
            rot90(segment);
        lines.insert(lines.end(), segment.begin(), segment.end());
    }
    return lines;
}

void mirrorX(MapTilePoints& points)
{
    for (P& p : points)
        p.x = -p.x;
}

void rot90(MapTilePoints& points)
{
    for (P& p : points)
        p = P(p.y, -p.x);
}

unsigned char createTileFrame(unsigned char t)
{
    if (t == MapTileCodes::Full)
        return 255;
    if (!isMapTileCorner(t))
        return 0;
    unsigned char mask = baseMasks[groupOf(t)];
    if (isMirrored(groupOf(t)))
        mask = mirrorX(mask);
    for (int i = 0; i < rotationOf(t); ++i)
        mask = rot90(mask);
    return mask;
}

unsigned char rot90(unsigned char mask)
{
    return static_cast<unsigned char>((mask << 2) | (mask >> 6));
}

unsigned char mirrorX(unsigned char mask)
{
    unsigned char result = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (mask & (1u << mirroredBit[bit]))
            result |= static_cast<unsigned char>(1u << bit);
    return result;
}

unsigned char clearSide(unsigned char mask, unsigned char side)
{
    if (side > MapTileLeft)
        return mask;
    return static_cast<unsigned char>(mask & ~(3u << (2 * side)));
}

unsigned char diff(unsigned char mask, unsigned char neighbourMask, unsigned char side)
{
    if (side > MapTileLeft)
        return mask;
    for (int bit = 2 * side; bit <= 2 * side + 1; ++bit)
        if (neighbourMask & (1u << facingBit[bit]))
            mask = static_cast<unsigned char>(mask & ~(1u << bit));
    return mask;
}
