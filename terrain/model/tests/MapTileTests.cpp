// The tile tables are checked against the geometry they stand for: polygons
// are sampled on a grid, and sums, differences, inverses and side masks must
// agree with what the samples show.

#include "terrain/model/MapTile.hpp"
#include "terrain/model/tests/TileRaster.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using terrain_test::rasterize;
using terrain_test::TileRaster;
using V = math::Vector2<float>;

namespace {

constexpr int LastPartial = 33;

bool covers(const TileRaster& outer, const TileRaster& inner)
{
    return (inner & ~outer).none();
}

} // namespace

TEST(MapTileTest, ClassifiesEveryCode)
{
    for (int t = 0; t < 256; ++t) {
        const auto code = static_cast<unsigned char>(t);
        SCOPED_TRACE(t);
        EXPECT_EQ(isMapTileValid(code), t < 42);
        EXPECT_EQ(isMapTileEmpty(code), t == 0);
        EXPECT_EQ(isMapTileFull(code), t == 1);
        EXPECT_EQ(isMapTileCorner(code), t >= 2 && t <= 33);
        EXPECT_EQ(isMapTileMarker(code), t >= 34 && t <= 41);
        EXPECT_EQ(isMapTileGround(code), t >= 1 && t <= 33);
    }
}

TEST(MapTileTest, TileAndInverseTileTheCellExactly)
{
    const TileRaster full = rasterize(1);
    ASSERT_TRUE(full.all());
    for (int t = 0; t <= LastPartial; ++t) {
        SCOPED_TRACE(t);
        const auto code = static_cast<unsigned char>(t);
        const unsigned char inverse = getMapTileInverse(code);
        EXPECT_EQ(getMapTileInverse(inverse), code);
        const TileRaster a = rasterize(code);
        const TileRaster b = rasterize(inverse);
        EXPECT_TRUE((a & b).none());
        EXPECT_TRUE((a | b).all());
    }
    for (int t = 34; t < 256; ++t)
        EXPECT_EQ(getMapTileInverse(static_cast<unsigned char>(t)), 0) << t;
}

TEST(MapTileTest, SumsCoverBothTilesAndAreSymmetric)
{
    for (int a = 0; a <= LastPartial; ++a)
        for (int b = 0; b <= LastPartial; ++b) {
            SCOPED_TRACE(::testing::Message() << a << " + " << b);
            const unsigned char sum = addMapTiles(static_cast<unsigned char>(a), static_cast<unsigned char>(b));
            EXPECT_TRUE(isMapTileValid(sum) && !isMapTileMarker(sum));
            EXPECT_EQ(sum, addMapTiles(static_cast<unsigned char>(b), static_cast<unsigned char>(a)));
            const TileRaster covered = rasterize(sum);
            EXPECT_TRUE(covers(covered, rasterize(static_cast<unsigned char>(a))));
            EXPECT_TRUE(covers(covered, rasterize(static_cast<unsigned char>(b))));
        }
}

TEST(MapTileTest, SubtractingThenAddingBack)
{
    int exactSums = 0;
    for (int a = 0; a <= LastPartial; ++a)
        for (int b = 0; b <= LastPartial; ++b) {
            SCOPED_TRACE(::testing::Message() << a << " - " << b);
            const auto ca = static_cast<unsigned char>(a);
            const auto cb = static_cast<unsigned char>(b);
            const unsigned char rest = subMapTiles(ca, cb);
            const TileRaster restRaster = rasterize(rest);
            // Never more than was there, and nothing of what was taken away.
            EXPECT_TRUE(covers(rasterize(ca), restRaster));
            EXPECT_TRUE((restRaster & rasterize(cb)).none());
            // Where the sum behind the difference is exact, adding back
            // restores all of the ground there was.
            const unsigned char inverse = getMapTileInverse(ca);
            if (rasterize(addMapTiles(inverse, cb)) == (rasterize(inverse) | rasterize(cb))) {
                ++exactSums;
                EXPECT_TRUE(covers(rasterize(addMapTiles(rest, cb)), rasterize(ca)));
            }
        }
    EXPECT_GT(exactSums, 34 * 34 / 2);
    // Drilling then refilling full ground gives full ground again.
    for (int b = 0; b <= LastPartial; ++b)
        EXPECT_EQ(addMapTiles(subMapTiles(1, static_cast<unsigned char>(b)), static_cast<unsigned char>(b)), 1) << b;
}

TEST(MapTileTest, CombinationSpotChecks)
{
    struct Case {
        unsigned char a, b, result;
    };
    // Ground replaces a marker, a marker never replaces ground, and of two
    // codes without ground the second wins.
    const std::vector<Case> sums = {{0, 0, 0},  {34, 1, 1}, {1, 34, 1}, {34, 35, 35}, {50, 60, 60},
                                    {3, 6, 19}, {26, 3, 1}, {7, 7, 7},  {0, 9, 9},    {40, 0, 40}};
    for (const Case& c : sums)
        EXPECT_EQ(addMapTiles(c.a, c.b), c.result) << int(c.a) << " + " << int(c.b);
    // Only ground removes a marker.
    const std::vector<Case> differences = {{1, 1, 0},   {1, 0, 1},  {1, 30, 32}, {34, 5, 0},
                                           {34, 0, 34}, {5, 36, 5}, {0, 1, 0},   {35, 36, 35}};
    for (const Case& c : differences)
        EXPECT_EQ(subMapTiles(c.a, c.b), c.result) << int(c.a) << " - " << int(c.b);
}

TEST(MapTileTest, SideMasksMatchThePolygonsAndTheKnownList)
{
    const std::vector<unsigned char> expected = {0,   255, 124, 241, 199, 31, 248, 227, 143, 62,  56, 224,
                                                 131, 14,  112, 193, 7,   28, 126, 249, 231, 159, 96, 129,
                                                 6,   24,  120, 225, 135, 30, 240, 195, 15,  60};
    // A point just inside the cell next to the middle of each half-edge, clockwise from the top left.
    const V probes[8] = {{-0.25f, 0.49f}, {0.25f, 0.49f},   {0.49f, 0.25f},   {0.49f, -0.25f},
                         {0.25f, -0.49f}, {-0.25f, -0.49f}, {-0.49f, -0.25f}, {-0.49f, 0.25f}};
    for (int t = 0; t <= LastPartial; ++t) {
        SCOPED_TRACE(t);
        const auto code = static_cast<unsigned char>(t);
        const unsigned char mask = createTileFrame(code);
        EXPECT_EQ(mask, expected[static_cast<std::size_t>(t)]);
        const MapTilePoints polygon = createPolygon(code);
        for (int bit = 0; bit < 8; ++bit)
            EXPECT_EQ((mask >> bit) & 1, terrain_test::insideConvex(polygon, probes[bit].x, probes[bit].y) ? 1 : 0)
                << "bit " << bit;
    }
    for (int t = 34; t < 256; ++t)
        EXPECT_EQ(createTileFrame(static_cast<unsigned char>(t)), 0) << t;
}

TEST(MapTileTest, MaskOperations)
{
    EXPECT_EQ(mirrorX(static_cast<unsigned char>(124)), 248);
    EXPECT_EQ(rot90(static_cast<unsigned char>(124)), 241);
    for (int m = 0; m < 256; ++m) {
        const auto mask = static_cast<unsigned char>(m);
        EXPECT_EQ(rot90(rot90(rot90(rot90(mask)))), mask);
        EXPECT_EQ(mirrorX(mirrorX(mask)), mask);
    }
    EXPECT_EQ(clearSide(255, MapTileTop), 252);
    EXPECT_EQ(clearSide(255, MapTileLeft), 63);
    EXPECT_EQ(clearSide(255, 4), 255);
    // The top-left half faces the neighbour's bottom-left half (bit 5).
    EXPECT_EQ(diff(255, 32, MapTileTop), 254);
    EXPECT_EQ(diff(255, 255, MapTileRight), 243);
    EXPECT_EQ(diff(255, 0, MapTileBottom), 255);
    EXPECT_EQ(diff(255, 255, 7), 255);
}

TEST(MapTileTest, PolygonsAreConvexAndPlaced)
{
    EXPECT_TRUE(createPolygon(0).empty());
    EXPECT_EQ(createPolygon(1), (MapTilePoints{{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}}));
    EXPECT_EQ(createPolygon(2), (MapTilePoints{{-0.5f, 0.0f}, {0.5f, 0.5f}, {0.5f, -0.5f}, {-0.5f, -0.5f}}));
    // Mirrored: only x changes sign, the order stays.
    EXPECT_EQ(createPolygon(6), (MapTilePoints{{0.5f, 0.0f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}}));
    // Markers and invalid codes are full squares (only the first corner turns).
    for (int t : {34, 35, 41, 42, 255})
        EXPECT_TRUE(rasterize(static_cast<unsigned char>(t)).all()) << t;
    EXPECT_TRUE(createInnerLine(1).empty());
    EXPECT_TRUE(createInnerLine(34).empty());
    for (int t = 2; t <= LastPartial; ++t) {
        SCOPED_TRACE(t);
        const MapTilePoints polygon = createPolygon(static_cast<unsigned char>(t));
        ASSERT_GE(polygon.size(), 3u);
        float turn = 0.0f;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const V& a = polygon[i];
            const V& b = polygon[(i + 1) % polygon.size()];
            const V& c = polygon[(i + 2) % polygon.size()];
            const float cross = (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
            EXPECT_NE(cross, 0.0f);
            if (turn == 0.0f)
                turn = cross;
            EXPECT_GT(cross * turn, 0.0f) << "corner " << i;
        }
        // The inner edge joins two corners of the polygon.
        const MapTilePoints line = createInnerLine(static_cast<unsigned char>(t));
        ASSERT_EQ(line.size(), 2u);
        for (const V& p : line)
            EXPECT_NE(std::find(polygon.begin(), polygon.end(), p), polygon.end());
    }
}

TEST(MapTileTest, FrameLinesRunClockwiseAroundTheBorder)
{
    const MapTilePoints all = createFrameLines(255);
    ASSERT_EQ(all.size(), 16u);
    EXPECT_EQ(all[0], V(-0.5f, 0.5f));
    EXPECT_EQ(all[1], V(0.0f, 0.5f));
    EXPECT_EQ(all[4], V(0.5f, 0.5f));
    EXPECT_EQ(all[5], V(0.5f, 0.0f));
    for (std::size_t i = 1; i + 1 < all.size(); i += 2)
        EXPECT_EQ(all[i], all[(i + 1) % all.size()]) << i;
    EXPECT_EQ(all[15], all[0]);
    EXPECT_TRUE(createFrameLines(0).empty());
    // Bit 6: left side, lower half, after three quarter turns.
    EXPECT_EQ(createFrameLines(64), (MapTilePoints{{-0.5f, -0.5f}, {-0.5f, 0.0f}}));
}
