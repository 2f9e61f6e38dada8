#include "terrain/model/TileMapGeometry.hpp"

#include "terrain/model/TileMap.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

using V = math::Vector2<float>;
using I = math::Vector2<int>;

TEST(TileMapGeometryTest, CellToWorldAtEachAlignment)
{
    const V placement(-10.0f, 4.0f);
    struct Case {
        char align;
        V expected;
    };
    // Cell (3, 2) of tile size 2 spans x -4..-2 and y -2..0.
    const std::vector<Case> cases = {{TileAlign::Centre, {-3.0f, -1.0f}},  {TileAlign::BottomMiddle, {-3.0f, -2.0f}},
                                     {TileAlign::TopLeft, {-4.0f, 0.0f}},  {0, {-4.0f, 0.0f}},
                                     {TileAlign::TopRight, {-2.0f, 0.0f}}, {TileAlign::BottomRight, {-2.0f, -2.0f}}};
    for (const Case& c : cases)
        EXPECT_EQ(getTilePosition(placement, 2.0f, 3, 2, c.align), c.expected) << int(c.align);
}

TEST(TileMapGeometryTest, WorldToCell)
{
    const V placement(-10.0f, 4.0f);
    const float size = 2.0f;
    EXPECT_EQ(getTileIndicesAt(placement, size, placement + V(0.5f, -0.5f) * size), I(0, 0));
    EXPECT_EQ(getTileIndicesAt(placement, size, placement + V(-0.01f, 0.0f)), I(-1, 0));
    EXPECT_EQ(getTileIndicesAt(placement, size, placement + V(0.0f, 0.01f)), I(0, -1));
    // Every cell's centre maps back to the cell.
    for (int x = -3; x < 5; ++x)
        for (int y = -3; y < 5; ++y)
            EXPECT_EQ(getTileIndicesAt(placement, size, getTilePosition(placement, size, x, y, TileAlign::Centre)),
                      I(x, y));
    // Far away or NaN: far outside, no overflow.
    const I far = getTileIndicesAt(placement, size, V(1e30f, -1e30f));
    EXPECT_GT(far.x, 1 << 29);
    EXPECT_GT(far.y, 1 << 29);
    const I nan = getTileIndicesAt(placement, size, V(NAN, NAN));
    EXPECT_LT(nan.x, -(1 << 29));
    EXPECT_LT(nan.y, -(1 << 29));
}

TEST(TileMapGeometryTest, DrillRadiusIsRoundedUpAndBounded)
{
    EXPECT_EQ(getDrillBrushRadius(0.2f), 1);
    EXPECT_EQ(getDrillBrushRadius(1.0f), 1);
    EXPECT_EQ(getDrillBrushRadius(2.01f), 3);
    EXPECT_EQ(getDrillBrushRadius(0.0f), 0);
    EXPECT_EQ(getDrillBrushRadius(-0.5f), 0);
    EXPECT_EQ(getDrillBrushRadius(-1e30f), -1);
    EXPECT_EQ(getDrillBrushRadius(NAN), -1);
    EXPECT_EQ(getDrillBrushRadius(1e30f), MaxMapTileBrushRadius);
    EXPECT_EQ(getDrillBrushRadius(INFINITY), MaxMapTileBrushRadius);
}

TEST(TileMapGeometryTest, FixturePolygonsSitOnTheirCellBelowTheMapsTopLeftCorner)
{
    EXPECT_EQ(createFixturePolygon(1, 0, 0, 1.0f), (MapTilePoints{{0, -1}, {1, -1}, {1, 0}, {0, 0}}));
    EXPECT_EQ(createFixturePolygon(1, 2, 3, 0.5f),
              (MapTilePoints{{1.0f, -2.0f}, {1.5f, -2.0f}, {1.5f, -1.5f}, {1.0f, -1.5f}}));
    // Upper slope: (-0.5, 0), (0.5, 0.5), (0.5, -0.5), (-0.5, -0.5) in cell (1, 0).
    EXPECT_EQ(createFixturePolygon(2, 1, 0, 2.0f), (MapTilePoints{{2, -1}, {4, 0}, {4, -2}, {2, -2}}));
    for (unsigned char code : {0, 34, 35, 41, 42, 200})
        EXPECT_TRUE(createFixturePolygon(code, 0, 0, 1.0f).empty()) << int(code);
}

TEST(TileMapGeometryTest, PolygonsBox2DWouldRefuseAreNeverGiven)
{
    // Every ground code at the extreme tile sizes, at both ends of the largest
    // map, becomes a fixture of a static body (Box2D aborts on a bad polygon).
    b2World world(b2Vec2(0.0f, -5.0f));
    b2BodyDef definition;
    b2Body* body = world.CreateBody(&definition);
    for (int code = 1; code <= 33; ++code)
        for (float size : {TileMap::MinTileSize, TileMap::MaxTileSize})
            for (int cell : {0, static_cast<int>(TileMap::MaxSize) - 1}) {
                const MapTilePoints polygon = createFixturePolygon(static_cast<unsigned char>(code), cell, cell, size);
                ASSERT_FALSE(polygon.empty()) << code << " at " << cell;
                std::vector<b2Vec2> points;
                for (const V& p : polygon)
                    points.emplace_back(p.x, p.y);
                b2PolygonShape shape;
                shape.Set(points.data(), static_cast<int32>(points.size()));
                EXPECT_EQ(shape.m_count, static_cast<int32>(points.size()));
                body->CreateFixture(&shape, 0.0f);
            }
    // Specks, and tiles too small for their distance from the body, are dropped.
    EXPECT_TRUE(createFixturePolygon(22, 0, 0, 1e-4f).empty());
    EXPECT_TRUE(createFixturePolygon(22, 1 << 24, 0, 0.1f).empty());
    EXPECT_TRUE(createFixturePolygon(1, 0, 0, NAN).empty());
}

TEST(TileMapGeometryTest, MapCellPolygonsUseTheMapsTileSize)
{
    TileMap map(3, 3);
    map.setTileSize(2.0f);
    map.getTile(1, 2) = 1;
    EXPECT_EQ(createFixturePolygon(map, 1, 2), createFixturePolygon(1, 1, 2, 2.0f));
    EXPECT_TRUE(createFixturePolygon(map, 0, 0).empty());
    EXPECT_TRUE(createFixturePolygon(map, 3, 0).empty());
    EXPECT_TRUE(createFixturePolygon(map, -1, 2).empty());
}

TEST(TileMapGeometryTest, BorderMasksHideSharedEdgesAndTheMapsOuterEdge)
{
    TileMap map(4, 3);
    map.getTile(1, 1) = 1;
    map.getTile(2, 1) = 1;
    map.getTile(1, 0) = 26; // bottom half above (1, 1)
    map.getTile(0, 2) = 1;  // on the map's left and bottom edges
    // (1, 1): top covered by the half tile above, right by (2, 1); left and bottom open.
    EXPECT_EQ(getTileBorderMask(map, 1, 1), 0b11110000);
    // (2, 1): only its left side is shared.
    EXPECT_EQ(getTileBorderMask(map, 2, 1), 0b00111111);
    // The half tile: its lower side halves rest on (1, 1); left and right halves stay.
    EXPECT_EQ(getTileBorderMask(map, 1, 0), createTileFrame(26) & ~0b00110000);
    // On the map's edge no outline faces outwards.
    EXPECT_EQ(getTileBorderMask(map, 0, 2), 0b00001111);
    EXPECT_EQ(getTileBorderMask(map, 3, 2), 0);
    EXPECT_EQ(getTileBorderMask(map, 4, 0), 0);
    EXPECT_EQ(getTileBorderMask(map, -1, 0), 0);
}
