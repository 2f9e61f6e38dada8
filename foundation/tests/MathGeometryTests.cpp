#include "foundation/math/Box.hpp"
#include "foundation/math/Grid2.hpp"
#include "foundation/math/Vector2.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using math::Box;
using math::Grid2;
using math::Vector2;
using V = Vector2<float>;

TEST(MathVector, DefaultsUnitsAndComponentwiseArithmetic)
{
    EXPECT_EQ(V(), V(0.0f, 0.0f));
    EXPECT_EQ(V::UnitI, V(1.0f, 0.0f));
    EXPECT_EQ(V::UnitJ, V(0.0f, 1.0f));

    const V a(1.5f, -2.0f);
    const V b(0.5f, 4.0f);
    EXPECT_EQ(a + b, V(2.0f, 2.0f));
    EXPECT_EQ(a - b, V(1.0f, -6.0f));
    EXPECT_EQ(-a, V(-1.5f, 2.0f));
    EXPECT_EQ(a * 2.0f, V(3.0f, -4.0f));
    EXPECT_EQ(2.0f * a, V(3.0f, -4.0f));
    EXPECT_EQ(b / 2.0f, V(0.25f, 2.0f));
    EXPECT_NE(a, V(1.5f, 2.0f));
    EXPECT_NE(a, V(-1.5f, -2.0f));

    V c = a;
    c += b;
    c -= V(1.0f, 1.0f);
    c *= 2.0f;
    c /= 4.0f;
    EXPECT_EQ(c, V(0.5f, 0.5f));
}

TEST(MathVector, IntegerTileIndicesAndConversion)
{
    const Vector2<int> tile(3, -2);
    EXPECT_EQ(tile + Vector2<int>::UnitJ, Vector2<int>(3, -1));
    EXPECT_EQ(Vector2<float>(tile), V(3.0f, -2.0f));
    EXPECT_EQ(Vector2<int>(V(2.9f, -1.9f)), Vector2<int>(2, -1)); // truncation, like a cast
}

TEST(MathBox, BoundariesOfPointLists)
{
    const auto empty = math::getPolygonBoundaries(std::vector<V>{});
    EXPECT_EQ(empty.min, V(0.0f, 0.0f));
    EXPECT_EQ(empty.max, V(0.0f, 0.0f));

    // A single point far from the origin must not pull the box to (0, 0).
    const auto single = math::getPolygonBoundaries(std::vector<V>{{5.0f, 7.0f}});
    EXPECT_EQ(single.min, V(5.0f, 7.0f));
    EXPECT_EQ(single.max, V(5.0f, 7.0f));

    // Extremes of x and y come from different points.
    const auto box = math::getPolygonBoundaries(
        std::vector<V>{{2.0f, 3.0f}, {-1.0f, 8.0f}, {4.0f, -6.0f}, {0.0f, 0.0f}});
    EXPECT_EQ(box.min, V(-1.0f, -6.0f));
    EXPECT_EQ(box.max, V(4.0f, 8.0f));

    const auto tiles = math::getPolygonBoundaries(std::vector<Vector2<int>>{{3, 1}, {1, 3}});
    EXPECT_EQ(tiles.min, Vector2<int>(1, 1));
    EXPECT_EQ(tiles.max, Vector2<int>(3, 3));
}

TEST(MathBox, CornersAreStoredAsGiven)
{
    Box<V> frame{{4.0f, 4.0f}, {1.0f, 2.0f}}; // a selection frame dragged up-left
    EXPECT_EQ(frame.min, V(4.0f, 4.0f));
    EXPECT_EQ(frame.max, V(1.0f, 2.0f));
}

class MathGrid : public ::testing::Test {
protected:
    Grid2<float> grid;
};

TEST_F(MathGrid, Defaults)
{
    EXPECT_EQ(grid.origin, V(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(grid.zoom, 1.0f);
    EXPECT_FLOAT_EQ(grid.zoomMin, 0.1f);
    EXPECT_FLOAT_EQ(grid.zoomMax, 10.0f);
    EXPECT_FLOAT_EQ(grid.snapDivisor, 1.0f);
    EXPECT_FALSE(grid.snapToGrid);
    EXPECT_FLOAT_EQ(grid.cellSize, 1.0f);
}

TEST_F(MathGrid, GridAndCanvasConversionsWithBothYConventions)
{
    grid.origin = {100.0f, 200.0f};
    grid.zoom = 2.0f;
    grid.cellSize = 50.0f;
    // 1 grid unit = 100 pixels.
    EXPECT_EQ(grid.gridToCanvas({1.5f, 2.0f}), V(250.0f, 400.0f));
    EXPECT_EQ(grid.gridToCanvas({1.5f, 2.0f}, true), V(250.0f, 0.0f));
    EXPECT_EQ(grid.canvasToGrid({250.0f, 400.0f}), V(1.5f, 2.0f));
    EXPECT_EQ(grid.canvasToGrid({250.0f, 0.0f}, true), V(1.5f, 2.0f));
}

TEST_F(MathGrid, ZeroScaleHasNoInverseButGivesFiniteValues)
{
    grid.cellSize = 0.0f;
    const V g = grid.canvasToGrid({10.0f, 10.0f});
    EXPECT_TRUE(std::isfinite(g.x) && std::isfinite(g.y));
}

TEST_F(MathGrid, ZoomKeepsTheGridPointUnderThePivot)
{
    grid.origin = {40.0f, -30.0f};
    grid.cellSize = 100.0f;
    grid.zoomMin = 0.45f;
    grid.zoomMax = 3.0f;
    const V pivot(320.0f, 240.0f);
    const V under = grid.canvasToGrid(pivot, true);

    grid.zoomAt(pivot, 1.1f);
    EXPECT_FLOAT_EQ(grid.zoom, 1.1f);
    const V after = grid.canvasToGrid(pivot, true);
    EXPECT_NEAR(after.x, under.x, 1e-4f);
    EXPECT_NEAR(after.y, under.y, 1e-4f);

    grid.zoomAt(pivot, 0.9090909f);
    EXPECT_NEAR(grid.zoom, 1.0f, 1e-6f);
    const V back = grid.canvasToGrid(pivot, true);
    EXPECT_NEAR(back.x, under.x, 1e-4f);
    EXPECT_NEAR(back.y, under.y, 1e-4f);
}

TEST_F(MathGrid, ZoomLimits)
{
    grid.origin = {10.0f, 20.0f};
    grid.zoom = 2.9f;
    grid.zoomMax = 3.0f;
    const V pivot(110.0f, 70.0f);

    // Reaching the limit moves the origin by the clamped ratio 3.0 / 2.9.
    grid.zoomAt(pivot, 1.1f);
    EXPECT_FLOAT_EQ(grid.zoom, 3.0f);
    const float ratio = 3.0f / 2.9f - 1.0f;
    EXPECT_NEAR(grid.origin.x, 10.0f + (10.0f - 110.0f) * ratio, 1e-4f);
    EXPECT_NEAR(grid.origin.y, 20.0f + (20.0f - 70.0f) * ratio, 1e-4f);

    // Clamped to the current zoom: nothing moves.
    const V origin = grid.origin;
    grid.zoomAt(pivot, 1.1f);
    EXPECT_FLOAT_EQ(grid.zoom, 3.0f);
    EXPECT_EQ(grid.origin, origin);

    grid.zoom = 0.1f;
    grid.zoomAt(pivot, 0.9090909f);
    EXPECT_FLOAT_EQ(grid.zoom, 0.1f);

    // A broken factor leaves the view alone.
    grid.zoomAt(pivot, std::nanf(""));
    EXPECT_FLOAT_EQ(grid.zoom, 0.1f);
}

TEST_F(MathGrid, Pan)
{
    grid.origin = {1.0f, 2.0f};
    grid.pan({-3.0f, 5.0f});
    EXPECT_EQ(grid.origin, V(-2.0f, 7.0f));
}

TEST_F(MathGrid, SnappingRoundsHalvesUp)
{
    grid.snapDivisor = 2.0f;
    EXPECT_EQ(grid.snap({0.25f, 0.24f}), V(0.25f, 0.24f)) << "snapping is off by default";

    grid.snapToGrid = true;
    EXPECT_EQ(grid.snap({0.25f, 0.24f}), V(0.5f, 0.0f));
    EXPECT_EQ(grid.snap({-0.25f, -0.26f}), V(0.0f, -0.5f));
    EXPECT_EQ(grid.snap({1.74f, -1.75f}), V(1.5f, -1.5f));

    grid.snapDivisor = 1.0f;
    EXPECT_EQ(grid.snap({2.5f, -2.5f}), V(3.0f, -2.0f));
}

TEST_F(MathGrid, UnusableSnapDivisorLeavesPositionsUnsnapped)
{
    grid.snapToGrid = true;
    for (float divisor : {0.0f, -2.0f, std::nanf(""), INFINITY}) {
        grid.snapDivisor = divisor;
        EXPECT_EQ(grid.snap({0.3f, -0.7f}), V(0.3f, -0.7f)) << divisor;
    }
}
