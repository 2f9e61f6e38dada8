#include "terrain/model/TileMap.hpp"

#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <stdexcept>
#include <vector>

using U = math::Vector2<unsigned int>;
using I = math::Vector2<int>;

namespace {

/// Every cell, column by column.
std::vector<unsigned char> cells(const TileMap& map)
{
    std::vector<unsigned char> all;
    for (unsigned int x = 0; x < map.getSize().x; ++x)
        for (unsigned int y = 0; y < map.getSize().y; ++y)
            all.push_back(map.getTile(x, y));
    return all;
}

/// A map whose cell (x, y) holds 10 * x + y + 1.
TileMap numbered(unsigned int width, unsigned int height)
{
    TileMap map(width, height);
    for (unsigned int x = 0; x < width; ++x)
        for (unsigned int y = 0; y < height; ++y)
            map.getTile(x, y) = static_cast<unsigned char>(10 * x + y + 1);
    return map;
}

/// The cells a brush grid changed, with every brush cell full ground.
std::vector<I> touchedByFullBrush(const I& centre, std::size_t width, std::size_t height, const U& mapSize)
{
    TileMap map(mapSize);
    map.paint(centre, MapTileBrush(width, std::vector<unsigned char>(height, 1)));
    std::vector<I> touched;
    for (unsigned int x = 0; x < mapSize.x; ++x)
        for (unsigned int y = 0; y < mapSize.y; ++y)
            if (map.getTile(x, y) != 0)
                touched.emplace_back(static_cast<int>(x), static_cast<int>(y));
    return touched;
}

} // namespace

TEST(TileMapTest, NewMapIsEmptyWithDefaults)
{
    TileMap map(3, 2);
    EXPECT_EQ(map.getSize(), U(3, 2));
    EXPECT_EQ(map.getNumberOfTiles(), 6u);
    EXPECT_EQ(map.getTileSize(), 1.0f);
    EXPECT_EQ(map.getTilesPerTexture(), 1u);
    EXPECT_EQ(cells(map), std::vector<unsigned char>(6, 0));
    EXPECT_EQ(TileMap().getSize(), U(0, 0));
}

TEST(TileMapTest, ResizeKeepsTheOverlap)
{
    TileMap map = numbered(3, 3);
    map.resizeTo(3, 3);
    EXPECT_EQ(cells(map), cells(numbered(3, 3)));
    map.resizeTo(4, 2);
    EXPECT_EQ(cells(map), (std::vector<unsigned char>{1, 2, 11, 12, 21, 22, 0, 0}));
    map.resizeTo(1, 3);
    EXPECT_EQ(cells(map), (std::vector<unsigned char>{1, 2, 0}));
    for (const U& empty : {U(5, 0), U(0, 5)}) {
        TileMap other = numbered(2, 2);
        other.resizeTo(empty);
        EXPECT_EQ(other.getSize(), U(0, 0));
        EXPECT_TRUE(cells(other).empty());
    }
    map.clear();
    EXPECT_EQ(map.getSize(), U(0, 0));
    EXPECT_THROW(map.getTile(0, 0), std::out_of_range);
}

TEST(TileMapTest, SizesBeyondTheLimitAreClamped)
{
    velk_test::LogCapture log;
    TileMap map(UINT_MAX, 2);
    EXPECT_EQ(map.getSize(), U(TileMap::MaxSize, 2));
    EXPECT_TRUE(log.contains("[TileMap] Map size 4294967295 x 2 clamped to 4096 x 2"));
}

TEST(TileMapTest, SettersKeepValuesUsable)
{
    TileMap map;
    const std::vector<std::pair<float, float>> sizes = {{0.0f, 0.1f},
                                                        {-3.0f, 0.1f},
                                                        {0.25f, 0.25f},
                                                        {NAN, 0.1f},
                                                        {INFINITY, TileMap::MaxTileSize},
                                                        {1e30f, TileMap::MaxTileSize}};
    for (const auto& [given, stored] : sizes) {
        map.setTileSize(given);
        EXPECT_EQ(map.getTileSize(), stored) << given;
    }
    map.setTilesPerTexture(0);
    EXPECT_EQ(map.getTilesPerTexture(), 1u);
    map.setTilesPerTexture(8);
    EXPECT_EQ(map.getTilesPerTexture(), 8u);
    map.setTilesPerTexture(UINT_MAX);
    EXPECT_EQ(map.getTilesPerTexture(), TileMap::MaxTilesPerTexture);
}

TEST(TileMapTest, AccessIsBoundsTested)
{
    TileMap map(4, 3);
    EXPECT_THROW(map.getTile(4, 0), std::out_of_range);
    EXPECT_THROW(map.getTile(0, 3), std::out_of_range);
    const TileMap& constant = map;
    EXPECT_THROW(constant[U(4, 0)], std::out_of_range);
    map[U(3, 2)] = 7;
    EXPECT_EQ(constant.getTile(U(3, 2)), 7);
    EXPECT_TRUE(map.isValid(3, 2));
    EXPECT_FALSE(map.isValid(-1, 0));
    EXPECT_FALSE(map.isValid(I(0, 3)));
}

TEST(TileMapTest, CopiesAreIndependent)
{
    TileMap map = numbered(2, 2);
    map.setTileSize(2.0f);
    map.setTilesPerTexture(4);
    TileMap copy(map);
    copy.getTile(0, 0) = 99;
    EXPECT_EQ(map.getTile(0, 0), 1);
    TileMap assigned;
    assigned = map;
    EXPECT_EQ(cells(assigned), cells(map));
    EXPECT_EQ(assigned.getTileSize(), 2.0f);
    EXPECT_EQ(assigned.getTilesPerTexture(), 4u);
}

TEST(TileMapTest, BrushesArePlacedOnTheirMiddleAndClippedAtTheEdges)
{
    // 3 by 3 at (0, 0): only brush cells (1..2, 1..2) land on the map.
    EXPECT_EQ(touchedByFullBrush(I(0, 0), 3, 3, U(10, 10)), (std::vector<I>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    // An even brush has cell (r, r) on the centre: 4 by 4 at (5, 5) covers 3..6.
    std::vector<I> expected;
    for (int x = 3; x <= 6; ++x)
        for (int y = 3; y <= 6; ++y)
            expected.emplace_back(x, y);
    EXPECT_EQ(touchedByFullBrush(I(5, 5), 4, 4, U(10, 10)), expected);
    // At the far corner only the overlap is painted.
    EXPECT_EQ(touchedByFullBrush(I(9, 9), 3, 3, U(10, 10)), (std::vector<I>{{8, 8}, {8, 9}, {9, 8}, {9, 9}}));
    EXPECT_TRUE(touchedByFullBrush(I(-2, 4), 3, 3, U(10, 10)).empty());
    EXPECT_TRUE(touchedByFullBrush(I(INT_MAX, INT_MIN), 3, 3, U(10, 10)).empty());
}

TEST(TileMapTest, BallPaintedAtACornerIsTheBallsOverlap)
{
    TileMap map(6, 6);
    map.paint(I(0, 0), 2);
    const MapTileBrush ball = genMapTileBall(2);
    for (unsigned int x = 0; x < 6; ++x)
        for (unsigned int y = 0; y < 6; ++y) {
            const unsigned char expected = x <= 2 && y <= 2 ? ball[x + 2][y + 2] : 0;
            EXPECT_EQ(map.getTile(x, y), expected) << x << "," << y;
        }
}

TEST(TileMapTest, EraseTakesTheBallAwayAndPaintPutsItBack)
{
    TileMap map(9, 9);
    map.paint(I(4, 4), 9);
    EXPECT_EQ(cells(map), std::vector<unsigned char>(81, 1));
    map.erase(I(4, 4), 2);
    const MapTileBrush ball = genMapTileBall(2);
    for (unsigned int x = 2; x <= 6; ++x)
        for (unsigned int y = 2; y <= 6; ++y)
            EXPECT_EQ(map.getTile(x, y), getMapTileInverse(ball[x - 2][y - 2])) << x << "," << y;
    map.paint(I(4, 4), 2);
    EXPECT_EQ(cells(map), std::vector<unsigned char>(81, 1));
}

TEST(TileMapTest, NegativeRadiusAndEmptyBrushChangeNothing)
{
    TileMap map = numbered(4, 4);
    map.paint(I(1, 1), -1);
    map.erase(I(1, 1), -3);
    map.paint(I(1, 1), MapTileBrush());
    map.erase(I(1, 1), MapTileBrush());
    EXPECT_EQ(cells(map), cells(numbered(4, 4)));
}

TEST(TileMapTest, HugeBrushRadiusIsClampedToTheMap)
{
    velk_test::LogCapture log;
    TileMap map(8, 5);
    map.paint(I(3, 2), INT_MAX);
    EXPECT_EQ(cells(map), std::vector<unsigned char>(40, 1));
    EXPECT_TRUE(log.contains("[TileMap] Brush radius 2147483647 clamped to 7"));
    map.erase(I(3, 2), INT_MAX);
    EXPECT_EQ(cells(map), std::vector<unsigned char>(40, 0));
    // A ball wholly beside the map is not even built.
    log.clear();
    map.paint(I(-100, -100), 50);
    EXPECT_EQ(cells(map), std::vector<unsigned char>(40, 0));
    TileMap empty;
    empty.paint(I(0, 0), 3);
    EXPECT_EQ(empty.getSize(), U(0, 0));
}

TEST(TileMapTest, BallsWhollyAndPartlyOffTheMapChangeTheCellsTheyCover)
{
    const struct {
        I centre;
        int radius;
    } cases[] = {
        {{0, 0}, 100}, {{7, 7}, 9}, {{3, 4}, 6}, {{-10, 3}, 12}, {{3, -20}, 21}, {{-6, -6}, 9}, {{18, 18}, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        // Each map cell takes the whole ball's cell that lands on it, if any.
        const MapTileBrush ball = genMapTileBall(c.radius);
        std::vector<unsigned char> expected;
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y) {
                const int i = x - c.centre.x + c.radius;
                const int j = y - c.centre.y + c.radius;
                const bool covered = i >= 0 && j >= 0 && i <= 2 * c.radius && j <= 2 * c.radius;
                expected.push_back(covered ? ball[std::size_t(i)][std::size_t(j)] : 0);
            }
        TileMap painted(8, 8);
        painted.paint(c.centre, c.radius);
        EXPECT_EQ(cells(painted), expected);
        TileMap erased(8, 8);
        erased.paint(I(4, 4), 20);
        erased.erase(c.centre, c.radius);
        for (unsigned char& code : expected)
            code = getMapTileInverse(code);
        EXPECT_EQ(cells(erased), expected);
    }
}

TEST(TileMapTest, PaintingDoesNotCoverMarkersButErasingGroundRemovesThem)
{
    TileMap map(5, 5);
    map.getTile(2, 2) = 34;
    map.getTile(0, 0) = 36;
    map.paint(I(2, 2), 0);
    EXPECT_EQ(map.getTile(2, 2), 1);
    map.getTile(2, 2) = 35;
    map.erase(I(2, 2), 0);
    EXPECT_EQ(map.getTile(2, 2), 0);
    map.erase(I(0, 0), MapTileBrush{{36}});
    EXPECT_EQ(map.getTile(0, 0), 36);
}

TEST(TileMapTest, MarkersAreFoundColumnByColumn)
{
    TileMap map(8, 12);
    map.getTile(5, 2) = 34;
    map.getTile(3, 9) = 34;
    map.getTile(3, 1) = 36;
    map.getTile(7, 0) = 1;
    EXPECT_EQ(map.getMarkers(34), (std::vector<U>{{3, 9}, {5, 2}}));
    EXPECT_EQ(map.getMarkers(36), (std::vector<U>{{3, 1}}));
    EXPECT_TRUE(map.getMarkers(35).empty());
    EXPECT_TRUE(map.getMarkers(1).empty());
    EXPECT_TRUE(map.getMarkers(0).empty());
    EXPECT_TRUE(map.getMarkers(42).empty());
}
