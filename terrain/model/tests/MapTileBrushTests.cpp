#include "terrain/model/MapTileBrush.hpp"
#include "terrain/model/tests/TileRaster.hpp"

#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

/// Rows from top to bottom, as a brush is printed; turned into columns.
MapTileBrush fromRows(const std::vector<std::vector<int>>& rows)
{
    MapTileBrush brush(rows.front().size(), std::vector<unsigned char>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            brush[x][y] = static_cast<unsigned char>(rows[y][x]);
    return brush;
}

} // namespace

TEST(MapTileBrushTest, BallsOfRadiusZeroToThree)
{
    const std::vector<MapTileBrush> golden = {
        fromRows({{1}}),
        fromRows({{33, 1, 30}, {1, 1, 1}, {32, 1, 31}}),
        fromRows({{0, 33, 1, 30, 0}, {33, 1, 1, 1, 30}, {1, 1, 1, 1, 1}, {32, 1, 1, 1, 31}, {0, 32, 1, 31, 0}}),
        fromRows({{0, 10, 2, 1, 6, 14, 0},
                  {17, 1, 1, 1, 1, 1, 11},
                  {9, 1, 1, 1, 1, 1, 3},
                  {1, 1, 1, 1, 1, 1, 1},
                  {5, 1, 1, 1, 1, 1, 7},
                  {13, 1, 1, 1, 1, 1, 15},
                  {0, 16, 8, 1, 4, 12, 0}}),
    };
    for (int r = 0; r <= 3; ++r)
        EXPECT_EQ(genMapTileBall(r), golden[static_cast<std::size_t>(r)]) << "radius " << r;
}

TEST(MapTileBrushTest, NegativeRadiusGivesNoBrush)
{
    EXPECT_TRUE(genMapTileBall(-1).empty());
    EXPECT_TRUE(genMapTileHole(-5).empty());
}

TEST(MapTileBrushTest, LargerBallsHoldOnlyGroundCodesAndStayRound)
{
    for (int r = 0; r <= 24; ++r) {
        SCOPED_TRACE(r);
        const MapTileBrush ball = genMapTileBall(r);
        const std::size_t n = 2 * static_cast<std::size_t>(r) + 1;
        ASSERT_EQ(ball.size(), n);
        for (std::size_t x = 0; x < n; ++x) {
            ASSERT_EQ(ball[x].size(), n);
            for (std::size_t y = 0; y < n; ++y) {
                const unsigned char code = ball[x][y];
                EXPECT_LE(code, 33) << x << "," << y;
                // Left-right and top-bottom the ball looks the same: a cell
                // and its mirror image are both ground or both not.
                EXPECT_EQ(code == 0, ball[n - 1 - x][y] == 0);
                EXPECT_EQ(code == 0, ball[x][n - 1 - y] == 0);
                const float d = std::hypot(static_cast<float>(x) - r, static_cast<float>(y) - r);
                if (d <= r - 1.5f) {
                    EXPECT_EQ(code, 1) << x << "," << y;
                }
                if (d > r + 1.0f) {
                    EXPECT_EQ(code, 0) << x << "," << y;
                }
            }
        }
    }
}

TEST(MapTileBrushTest, HoleIsTheInverseOfTheBall)
{
    const MapTileBrush ball = genMapTileBall(3);
    const MapTileBrush hole = genMapTileHole(3);
    ASSERT_EQ(hole.size(), ball.size());
    for (std::size_t x = 0; x < ball.size(); ++x)
        for (std::size_t y = 0; y < ball[x].size(); ++y) {
            EXPECT_TRUE((terrain_test::rasterize(ball[x][y]) ^ terrain_test::rasterize(hole[x][y])).all());
            EXPECT_EQ(hole[x][y], getMapTileInverse(ball[x][y]));
        }
}

TEST(MapTileBrushTest, SmoothingJudgesTheBrushAsItWasBeforeTheCall)
{
    // Two marks side by side, neither touching full ground: both turn full,
    // although the first one's change would otherwise stop the second's.
    MapTileBrush brush = fromRows({{34, 34}});
    smoothToNeigborhood(brush, 1, 1);
    EXPECT_EQ(brush, fromRows({{1, 1}}));
    brush = fromRows({{1, 1, 1, 1}, {1, 34, 34, 1}, {1, 1, 1, 1}});
    smoothToNeigborhood(brush, 0, 1);
    EXPECT_EQ(brush, fromRows({{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}}));
    // A neighbour outside the brush counts as empty.
    brush = fromRows({{1, 34, 1}});
    smoothToNeigborhood(brush, 0, 1);
    EXPECT_EQ(brush, fromRows({{1, 34, 1}}));
}

TEST(MapTileBrushTest, RulesTurnDiagonalMarksIntoDiagonalsAndLeftoversIntoGround)
{
    MapTileBrush brush = fromRows({{0, 0, 0}, {0, 34, 1}, {0, 1, 1}});
    applyRules(brush);
    EXPECT_EQ(brush, fromRows({{0, 0, 0}, {0, 33, 1}, {0, 1, 1}}));
    brush = fromRows({{0, 1, 0}, {0, 34, 0}, {0, 1, 0}});
    applyRules(brush);
    EXPECT_EQ(brush[1][1], 1);
}

TEST(MapTileBrushTest, HugeRadiusIsClampedWithALogLine)
{
    velk_test::LogCapture log;
    const MapTileBrush ball = genMapTileBall(MaxMapTileBrushRadius + 1000);
    EXPECT_EQ(ball.size(), 2 * static_cast<std::size_t>(MaxMapTileBrushRadius) + 1);
    EXPECT_TRUE(log.contains("[MapTile] Brush radius"));
}
