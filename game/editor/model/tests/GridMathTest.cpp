// The builder's grid maths: levels by zoom, snapping steps and rounding, and
// the first grid line found with floor however far the view is panned.

#include "game/editor/model/GridMath.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(GridMathTest, LevelsAndSnapDivisorFollowTheZoom)
{
    struct Row {
        float zoom;
        unsigned levels;
        float divisor;
    };
    const Row rows[] = {
        {0.45f, 1, 1.0f}, {0.47f, 1, 1.0f},  {0.4999f, 1, 1.0f}, {0.5f, 2, 2.0f},  {0.99f, 2, 2.0f},
        {1.0f, 3, 10.0f}, {2.89f, 3, 10.0f}, {2.9f, 4, 20.0f},   {3.0f, 4, 20.0f},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(velk::getNumberOfLevels(row.zoom), row.levels) << row.zoom;
        EXPECT_FLOAT_EQ(velk::snapDivisorForZoom(row.zoom), row.divisor) << row.zoom;
    }
}

TEST(GridMathTest, LevelSpacingAndLineWidth)
{
    const float spacing[] = {1.0f, 0.5f, 0.1f, 0.05f, 1.0f, 1.0f};
    const float width[] = {2.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    for (unsigned level = 0; level < 6; ++level) {
        EXPECT_FLOAT_EQ(velk::getLevelZoom(level), spacing[level]) << level;
        EXPECT_FLOAT_EQ(velk::getLevelLineWidth(level), width[level]) << level;
    }
    EXPECT_FLOAT_EQ(velk::getLevelZoom(1000), 1.0f);
    // At zoom 2.9 the finest level lies 14.5 pixels apart at 100 pixels a unit.
    EXPECT_FLOAT_EQ(2.9f * 100.0f * velk::getLevelZoom(velk::getNumberOfLevels(2.9f) - 1), 14.5f);
}

TEST(GridMathTest, SnapExamples)
{
    struct Row {
        float divisor;
        float in;
        float out;
    };
    const Row rows[] = {
        {2.0f, 0.25f, 0.5f},  {2.0f, -0.25f, 0.0f}, {2.0f, 0.24f, 0.0f},   {1.0f, 0.5f, 1.0f},     {1.0f, -1.5f, -1.0f},
        {10.0f, 0.26f, 0.3f}, {10.0f, 0.24f, 0.2f}, {20.0f, 0.024f, 0.0f}, {20.0f, 0.026f, 0.05f},
    };
    math::Grid2<float> grid;
    grid.snapToGrid = true;
    for (const Row& row : rows) {
        grid.snapDivisor = row.divisor;
        const math::Vector2<float> snapped = grid.snap({row.in, -row.in});
        EXPECT_NEAR(snapped.x, row.out, 1e-6f) << row.divisor << " " << row.in;
    }
    grid.snapToGrid = false;
    EXPECT_FLOAT_EQ(grid.snap({0.26f, 0}).x, 0.26f);
}

TEST(GridMathTest, GapShiftFindsTheFirstLineNotBelowTheMinimum)
{
    struct Row {
        float start;
        float min;
        float gap;
        float expected;
    };
    const Row rows[] = {
        {0, 0, 10, 0},   {35, 0, 10, 5},   {-35, 0, 10, 5},        {5, 0, 10, 5},       {10, 0, 10, 0},
        {-10, 0, 10, 0}, {387, 0, 47, 11}, {0.5f, 0, 14.5f, 0.5f}, {100, 100, 20, 100}, {99, 100, 20, 119},
    };
    for (const Row& row : rows)
        EXPECT_NEAR(velk::gapShift(row.start, row.min, row.gap), row.expected, 1e-3f)
            << row.start << " " << row.min << " " << row.gap;
    const math::Vector2<float> both = velk::gapShift({35, -35}, {0, 0}, {10, 10});
    EXPECT_NEAR(both.x, 5.0f, 1e-4f);
    EXPECT_NEAR(both.y, 5.0f, 1e-4f);
}

TEST(GridMathTest, GapShiftStaysExactFarAway)
{
    // Far pans: one floor instead of millions of steps, and the rule still holds.
    const float gaps[] = {14.5f, 47.0f, 100.0f, 300.0f};
    const float starts[] = {1.0e6f, -1.0e6f, 3.3e7f, -7.77e7f, 123456.78f};
    for (float gap : gaps) {
        for (float start : starts) {
            const float first = velk::gapShift(start, 0.0f, gap);
            EXPECT_GE(first, 0.0f) << start << " " << gap;
            EXPECT_LT(first - gap, 0.0f) << start << " " << gap;
        }
    }
}

TEST(GridMathTest, GapShiftWithoutAUsableGapKeepsTheStart)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(velk::gapShift(12.0f, 0.0f, 0.0f), 12.0f);
    EXPECT_EQ(velk::gapShift(12.0f, 0.0f, -5.0f), 12.0f);
    EXPECT_EQ(velk::gapShift(12.0f, 0.0f, nan), 12.0f);
    EXPECT_EQ(velk::gapShift(12.0f, 0.0f, inf), 12.0f);
    EXPECT_TRUE(std::isnan(velk::gapShift(nan, 0.0f, 10.0f)));
}

TEST(GridMathTest, CanvasAndShipPositions)
{
    math::Grid2<float> grid;
    grid.origin = {400, 300};
    grid.cellSize = 100;
    grid.zoom = 0.5f;
    const math::Vector2<float> canvas = velk::shipToCanvas(grid, {2, 1});
    EXPECT_FLOAT_EQ(canvas.x, 500.0f);
    EXPECT_FLOAT_EQ(canvas.y, 250.0f);
    const math::Vector2<float> ship = velk::canvasToShip(grid, {300, 400});
    EXPECT_FLOAT_EQ(ship.x, -2.0f);
    EXPECT_FLOAT_EQ(ship.y, -2.0f);
}

} // namespace
