#include "terrain/MapChunk.hpp"

#include "terrain/MapTileShape.hpp"
#include "testsupport/terrain/TerrainTestSupport.hpp"

#include <gtest/gtest.h>

#include <vector>

using velk_test::makeMap;
using V = math::Vector2<float>;
using U = math::Vector2<unsigned int>;
using Box = math::Box<math::Vector2<int>>;

namespace {

/// Bounding box of the outline points.
math::Box<V> outlineBox(const MapChunk& chunk)
{
    return math::getPolygonBoundaries(chunk.getLines());
}

} // namespace

TEST(MapChunkTest, IntersectsBoxesWithinOneCell)
{
    TileMap map(16, 16);
    MapChunk chunk(&map);
    chunk.setRegion({4, 4}, {4, 4}); // cells 4..7
    struct Case {
        Box box;
        bool expected;
    };
    const std::vector<Case> cases = {
        {{{8, 8}, {9, 9}}, true},
        {{{9, 9}, {9, 9}}, false},
        {{{0, 0}, {3, 3}}, true},
        {{{0, 0}, {2, 2}}, false},
        {{{5, 5}, {5, 5}}, true},
        {{{0, 9}, {20, 12}}, false},
        {{{0, 8}, {20, 12}}, true},
        {{{-100, -100}, {100, 100}}, true},
        {{{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}}, true},
        {{{INT_MAX, 0}, {INT_MAX, 16}}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chunk.isIntersect(c.box), c.expected)
            << c.box.min.x << "," << c.box.min.y << " .. " << c.box.max.x << "," << c.box.max.y;
}

TEST(MapChunkTest, TilesAreTheGroundCellsInsideTheMap)
{
    // 6 x 5 map; ground everywhere except a marker and an empty cell.
    TileMap map = makeMap(6, 5, 2.0f, 4, [](unsigned x, unsigned y) -> unsigned char {
        if (x == 4 && y == 1)
            return 35;
        if (x == 5 && y == 4)
            return 0;
        return static_cast<unsigned char>(1 + (x + y) % 33);
    });
    MapChunk chunk(&map);
    chunk.setRegion({4, 0}, {4, 4}); // half outside on the right
    chunk.setUpdateNeeded(true);
    chunk.update();
    EXPECT_FALSE(chunk.isUpdateNeeded());
    // Columns 4 and 5, rows 0..3, less the marker.
    ASSERT_EQ(chunk.getTiles().size(), 7u);
    for (const MapChunk::ChunkTile& tile : chunk.getTiles()) {
        const unsigned gx = 4 + static_cast<unsigned>(tile.position.x);
        const unsigned gy = static_cast<unsigned>(tile.position.y);
        ASSERT_LT(gx, 6u);
        ASSERT_LT(gy, 4u);
        EXPECT_EQ(tile.shape, &MapTileShape::getShapeForTile(map.getTile(gx, gy)));
    }
}

TEST(MapChunkTest, OutlineFollowsTheSurfaceOnly)
{
    // One full cell alone in the middle of a 3 x 3 map: its whole border.
    TileMap lone = makeMap(3, 3, 1.0f, 3, [](unsigned x, unsigned y) -> unsigned char { return x == 1 && y == 1; });
    MapChunk chunk(&lone);
    chunk.setRegion({0, 0}, {3, 3});
    chunk.update();
    EXPECT_EQ(chunk.getLines().size(), 16u);
    const math::Box<V> box = outlineBox(chunk);
    EXPECT_FLOAT_EQ(box.min.x, 1.0f / 3);
    EXPECT_FLOAT_EQ(box.max.x, 2.0f / 3);
    EXPECT_FLOAT_EQ(box.min.y, -2.0f / 3);
    EXPECT_FLOAT_EQ(box.max.y, -1.0f / 3);

    // A full map has no outline: no edge between full cells, none on the map's edge.
    TileMap full = makeMap(3, 3, 1.0f, 3, [](unsigned, unsigned) -> unsigned char { return 1; });
    chunk.setMap(&full);
    chunk.update();
    EXPECT_EQ(chunk.getTiles().size(), 9u);
    EXPECT_TRUE(chunk.getLines().empty());

    // Ground in the bottom row only: just the top edge of that row, drawn by
    // the chunk that holds the row even though the chunk above is empty.
    TileMap floor = makeMap(4, 4, 1.0f, 2, velk_test::plain(3));
    MapChunk bottom(&floor);
    bottom.setRegion({0, 2}, {2, 2});
    bottom.update();
    ASSERT_EQ(bottom.getLines().size(), 8u); // two cells, two half-edges each
    for (const V& p : bottom.getLines())
        EXPECT_FLOAT_EQ(p.y, -0.5f); // the top of the chunk's second row
    MapChunk top(&floor);
    top.setRegion({0, 0}, {2, 2});
    top.update();
    EXPECT_TRUE(top.getLines().empty());

    // A diagonal gives its inner line.
    TileMap slope = makeMap(3, 3, 1.0f, 3,
                            [](unsigned x, unsigned y) -> unsigned char { return x == 1 && y == 1 ? 30 : 0; });
    chunk.setMap(&slope);
    chunk.update();
    EXPECT_EQ(chunk.getLines().size(), 2u * 4 + 2); // two sides (4 half-edges) and the diagonal
}

TEST(MapChunkTest, EmptyAndOversizedBlocks)
{
    TileMap map = makeMap(4, 4, 1.0f, 4, [](unsigned, unsigned) -> unsigned char { return 1; });
    MapChunk empty(&map);
    empty.update();
    EXPECT_TRUE(empty.getTiles().empty());
    EXPECT_TRUE(empty.getLines().empty());

    // A block far larger than the map costs only the map's cells.
    MapChunk huge(&map);
    huge.setRegion({2, 2}, {4000000000u, 4000000000u});
    huge.update();
    EXPECT_EQ(huge.getTiles().size(), 4u);

    MapChunk outside(&map);
    outside.setRegion({10, 10}, {4, 4});
    outside.update();
    EXPECT_TRUE(outside.getTiles().empty());

    MapChunk noMap(nullptr);
    noMap.setRegion({0, 0}, {4, 4});
    noMap.update();
    EXPECT_TRUE(noMap.getTiles().empty());
}
