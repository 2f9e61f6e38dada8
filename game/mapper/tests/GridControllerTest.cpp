#include "game/mapper/tests/MapperTestSupport.hpp"

#include "terrain/model/MapTileBrush.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace mapper_test;

namespace {

const char* const BrushSpinner = "Toolbar/Tiles/__auto_contentpane__/Brush/Spinner";

/// Cells that are not empty.
int groundCells(const TileMap& map)
{
    int count = 0;
    for (unsigned int x = 0; x < map.getSize().x; ++x)
        for (unsigned int y = 0; y < map.getSize().y; ++y)
            count += map.getTile(x, y) != 0;
    return count;
}

} // namespace

class GridControllerTest : public MapperFixture {
protected:
    void SetUp() override
    {
        MapperFixture::SetUp();
        map().resizeTo(12, 10);
        tools().setDirty(false);
    }

    void setBrush(double size) { spinner(BrushSpinner)->setCurrentValue(size); }
};

TEST_F(GridControllerTest, LeftClickWithBrushOnePaintsOneFullCell)
{
    setBrush(1);
    clickAt(cellCentre(3, 4));
    EXPECT_EQ(map().getTile(3, 4), 1);
    EXPECT_EQ(groundCells(map()), 1);
    EXPECT_TRUE(tools().isDirty());
}

TEST_F(GridControllerTest, BrushSizeNPaintsABallOfRadiusNMinusOne)
{
    for (int size : {1, 2, 3, 4}) {
        map().clear();
        map().resizeTo(12, 10);
        setBrush(size);
        EXPECT_EQ(tools().getBrushSize(), size);
        EXPECT_EQ(grid().getBrush().size(), static_cast<size_t>(2 * size - 1));
        clickAt(cellCentre(5, 5));
        TileMap expected(12, 10);
        expected.paint({5, 5}, genMapTileBall(size - 1));
        for (unsigned int x = 0; x < 12; ++x)
            for (unsigned int y = 0; y < 10; ++y)
                EXPECT_EQ(map().getTile(x, y), expected.getTile(x, y)) << size << ": " << x << "," << y;
        // The ball reaches size - 1 cells from the centre and no further.
        EXPECT_EQ(map().getTile(5, 5), 1);
        EXPECT_NE(map().getTile(5, 5 - (size - 1)), 0);
        EXPECT_EQ(map().getTile(5, 5 - size), 0);
    }
}

TEST_F(GridControllerTest, ABrushJustOutsideTheMapPaintsTheCellsItCovers)
{
    setBrush(3);
    grid().getView().origin = {100.0f, 0.0f};
    clickAt(cellCentre(-1, 5));
    EXPECT_NE(map().getTile(0, 5), 0);
    EXPECT_EQ(map().getTile(2, 5), 0);
    EXPECT_TRUE(tools().isDirty());
}

TEST_F(GridControllerTest, EraserAndRightButtonEraseWithTheBrush)
{
    map().paint({6, 5}, genMapTileBall(5));
    const int ground = groundCells(map());
    ASSERT_EQ(map().getTile(3, 3), 1);
    setBrush(1);

    // Right button, whatever the tile type.
    palette().selectTool(36);
    clickAt(cellCentre(3, 3), CEGUI::RightButton);
    EXPECT_EQ(map().getTile(3, 3), 0);
    EXPECT_EQ(groundCells(map()), ground - 1);
    EXPECT_TRUE(tools().isDirty());

    // A right drag erases along its way.
    dragFromTo(cellCentre(4, 8), cellCentre(8, 8), CEGUI::RightButton);
    for (int x = 4; x <= 8; ++x)
        EXPECT_EQ(map().getTile(x, 8), 0) << x;

    // The eraser tile with the left button, by click and by drag.
    palette().selectTool(0);
    tools().setDirty(false);
    clickAt(cellCentre(6, 1));
    EXPECT_EQ(map().getTile(6, 1), 0);
    EXPECT_TRUE(tools().isDirty());
    dragFromTo(cellCentre(1, 4), cellCentre(1, 7), CEGUI::LeftButton);
    for (int y = 4; y <= 7; ++y)
        EXPECT_EQ(map().getTile(1, y), 0) << y;
    EXPECT_EQ(map().getTile(2, 4), 1);
}

TEST_F(GridControllerTest, OtherTilesOverwriteOneCellInsideTheMap)
{
    map().paint({6, 5}, genMapTileBall(5));
    const int ground = groundCells(map());
    palette().selectTool(36);
    setBrush(4);
    clickAt(cellCentre(2, 2));
    EXPECT_EQ(map().getTile(2, 2), 36);
    EXPECT_EQ(map().getTile(3, 2), 1);
    EXPECT_EQ(map().getTile(2, 3), 1);
    EXPECT_TRUE(tools().isDirty());

    tools().setDirty(false);
    clickAt(cellCentre(12, 3));
    clickAt(cellCentre(-1, 0));
    EXPECT_FALSE(tools().isDirty());
    EXPECT_EQ(groundCells(map()), ground);

    palette().selectTool(7);
    clickAt(cellCentre(11, 9));
    EXPECT_EQ(map().getTile(11, 9), 7);
}

TEST_F(GridControllerTest, MiddleClickPicksTheTileAndThePaletteFollows)
{
    map().getTile(4, 4) = 36;
    palette().update(0.0f);
    clickAt(cellCentre(4, 4), CEGUI::MiddleButton);
    EXPECT_EQ(tools().getTileType(), 36);
    EXPECT_FALSE(tools().isDirty());
    screen->update();
    for (const auto& button : palette().getButtons())
        EXPECT_EQ(button->isActive(), button->getTile() == 36) << int(button->getTile());

    clickAt(cellCentre(5, 4), CEGUI::MiddleButton);
    clickAt(cellCentre(30, 4), CEGUI::MiddleButton);
    EXPECT_EQ(tools().getTileType(), 36);

    // A marker without a button: none is active.
    map().getTile(5, 5) = 41;
    clickAt(cellCentre(5, 5), CEGUI::MiddleButton);
    screen->update();
    EXPECT_EQ(tools().getTileType(), 41);
    for (const auto& button : palette().getButtons())
        EXPECT_FALSE(button->isActive()) << int(button->getTile());
}

TEST_F(GridControllerTest, MiddleDragPansByTheMouseMovement)
{
    map().getTile(2, 2) = 1;
    const CEGUI::Vector2f from = onWindow("EditorArea", 300, 300);
    dragFromTo(from, CEGUI::Vector2f(from.d_x + 60, from.d_y + 40), CEGUI::MiddleButton);
    EXPECT_FLOAT_EQ(grid().getView().origin.x, 60.0f); // the first pixel included
    EXPECT_FLOAT_EQ(grid().getView().origin.y, 40.0f);
    EXPECT_EQ(groundCells(map()), 1);
    EXPECT_EQ(tools().getTileType(), 1);
    EXPECT_FALSE(tools().isDirty());
    // The cells moved with the view.
    EXPECT_EQ(grid().point2indices({60.0f + 2.5f * 50.0f, 40.0f + 2.5f * 50.0f}), (math::Vector2<int>(2, 2)));
}

TEST_F(GridControllerTest, WheelZoomsAboutTheCursorWithinItsLimits)
{
    const CEGUI::Vector2f at = onWindow("EditorArea", 333, 222);
    const math::Vector2<float> point(333, 222);
    const math::Vector2<int> cell = grid().point2indices(point);
    float expected = 1.0f;
    for (int step = 0; step < 24; ++step) {
        wheelAt(at, 1.0f);
        expected *= 1.1f;
    }
    EXPECT_NEAR(grid().getView().zoom, std::pow(1.1, 24), 1e-3);
    EXPECT_FLOAT_EQ(grid().getView().zoom, expected);
    EXPECT_EQ(grid().point2indices(point), cell);
    wheelAt(at, 1.0f);
    EXPECT_FLOAT_EQ(grid().getView().zoom, 10.0f);
    const math::Vector2<float> origin = grid().getView().origin;
    wheelAt(at, 1.0f);
    wheelAt(at, 3.0f);
    EXPECT_FLOAT_EQ(grid().getView().zoom, 10.0f);
    EXPECT_EQ(grid().getView().origin, origin);
    EXPECT_EQ(grid().point2indices(point), cell);

    // Down to the lower limit.
    for (int step = 0; step < 60; ++step)
        wheelAt(at, -1.0f);
    EXPECT_FLOAT_EQ(grid().getView().zoom, 0.1f);
    EXPECT_EQ(grid().point2indices(point), cell);
    EXPECT_FLOAT_EQ(grid().getPitch(), 5.0f);
}

TEST_F(GridControllerTest, ShiftWheelChangesTheBrushThroughItsSpinner)
{
    setBrush(1);
    const CEGUI::Vector2f at = onWindow("EditorArea", 100, 100);
    wheelAt(at, 1.0f, true);
    EXPECT_EQ(spinner(BrushSpinner)->getCurrentValue(), 2.0);
    EXPECT_EQ(tools().getBrushSize(), 2);
    EXPECT_FLOAT_EQ(grid().getView().zoom, 1.0f);
    wheelAt(at, 30.0f, true);
    EXPECT_EQ(tools().getBrushSize(), 20);
    wheelAt(at, -100.0f, true);
    EXPECT_EQ(tools().getBrushSize(), 1);
}

TEST_F(GridControllerTest, BrushesOfStraySizesStaySmall)
{
    const struct {
        int size;
        size_t width;
    } cases[] = {{-3, 1}, {0, 1}, {1, 1}, {2, 3}, {20, 39}, {1000000, 39}};
    for (const auto& c : cases) {
        tools().setBrushSize(c.size);
        EXPECT_EQ(grid().getBrush().size(), c.width) << c.size;
    }
}

TEST_F(GridControllerTest, FarPanningNeitherLoopsNorOverflows)
{
    const float far[] = {1e9f, -1e9f, 3e38f, -3e38f};
    for (float origin : far) {
        const std::vector<float> lines = dunnix::GridController::gridLinePositions(origin, 50.0f, 800.0f);
        ASSERT_EQ(lines.size(), 16u) << origin;
        EXPECT_GE(lines.front(), 0.0f);
        EXPECT_LT(lines.front(), 50.0f);
        EXPECT_LT(lines.back(), 800.0f);
        for (size_t i = 1; i < lines.size(); ++i)
            EXPECT_FLOAT_EQ(lines[i] - lines[i - 1], 50.0f);

        grid().getView().origin = {origin, origin};
        const math::Vector2<int> cell = grid().point2indices({10.0f, 10.0f});
        EXPECT_FALSE(grid().isIndicesValid(cell)) << origin;
        clickAt(onWindow("EditorArea", 10, 10));
    }
    EXPECT_EQ(groundCells(map()), 0);

    // Lines from an origin near the canvas.
    EXPECT_EQ(dunnix::GridController::gridLinePositions(-20.0f, 50.0f, 200.0f),
              (std::vector<float>{30.0f, 80.0f, 130.0f, 180.0f}));
    EXPECT_EQ(dunnix::GridController::gridLinePositions(120.0f, 50.0f, 200.0f),
              (std::vector<float>{20.0f, 70.0f, 120.0f, 170.0f}));
    EXPECT_TRUE(
        dunnix::GridController::gridLinePositions(std::numeric_limits<float>::quiet_NaN(), 50.0f, 100.0f).size() == 2u);
    EXPECT_TRUE(dunnix::GridController::gridLinePositions(0.0f, 0.0f, 100.0f).empty());
}
