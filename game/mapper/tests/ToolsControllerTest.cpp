#include "game/mapper/tests/MapperTestSupport.hpp"

#include "game/mapper/TileShapeStyle.hpp"
#include "terrain/MapTileShape.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace mapper_test;

namespace {

const char* const Selector = "Toolbar/Tiles/__auto_contentpane__/Selector";
const char* const BrushSpinner = "Toolbar/Tiles/__auto_contentpane__/Brush/Spinner";

} // namespace

class ToolsControllerTest : public MapperFixture {
protected:
    float width() { return window(Selector)->getPixelSize().d_width; }

    void setSelectorHeight(float height) { window(Selector)->setHeight(CEGUI::UDim(0, height)); }

    std::vector<unsigned char> activeTiles()
    {
        std::vector<unsigned char> tiles;
        for (const auto& button : palette().getButtons())
            if (button->isActive())
                tiles.push_back(button->getTile());
        return tiles;
    }
};

TEST_F(ToolsControllerTest, IndexTable)
{
    const struct {
        unsigned int index;
        unsigned char tile;
    } cases[] = {{0, 2},  {1, 10}, {3, 26},  {4, 9},   {7, 33},  {8, 6},  {12, 3}, {16, 8},  {20, 5},
                 {24, 4}, {28, 7}, {31, 31}, {32, 34}, {38, 40}, {39, 0}, {40, 0}, {1000, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(palette().index2tile(c.index), c.tile) << c.index;
}

TEST_F(ToolsControllerTest, ButtonsCoverGroundPartialsPlayMarkersAndTheEraser)
{
    const auto& buttons = palette().getButtons();
    ASSERT_EQ(buttons.size(), 41u);
    std::set<int> tiles;
    for (const auto& button : buttons)
        tiles.insert(button->getTile());
    EXPECT_EQ(tiles.size(), 41u);
    for (int tile = 0; tile <= 40; ++tile)
        EXPECT_EQ(tiles.count(tile), 1u) << tile;
    EXPECT_EQ(tiles.count(41), 0u);

    const float w = width();
    const float h = palette().getItemHeight();
    EXPECT_EQ(h, 30.0f);
    EXPECT_EQ(buttons.front()->getTile(), 1);
    EXPECT_EQ(buttons.front()->getPosition(), (math::Vector2<float>(0, 0)));
    EXPECT_EQ(buttons.front()->getSize(), (math::Vector2<float>(w, h)));
    // Rows of four with a blank row after every two; the eraser ends the last.
    EXPECT_EQ(buttons[1]->getPosition(), (math::Vector2<float>(0, 2 * h)));
    EXPECT_EQ(buttons[5]->getPosition(), (math::Vector2<float>(0, 3 * h)));
    EXPECT_EQ(buttons[9]->getPosition(), (math::Vector2<float>(0, 5 * h)));
    EXPECT_EQ(buttons[33]->getTile(), 34);
    EXPECT_EQ(buttons[33]->getPosition(), (math::Vector2<float>(0, 14 * h)));
    EXPECT_EQ(buttons.back()->getTile(), 0);
    EXPECT_EQ(buttons.back()->getPosition(), (math::Vector2<float>(w * 0.75f, 15 * h)));
    EXPECT_EQ(buttons.back()->getSize(), (math::Vector2<float>(w * 0.25f, h)));
    EXPECT_EQ(palette().getContentBottom(), 480.0f);

    // Markers carry their game colours; ground stays black.
    EXPECT_EQ(buttons[35]->getColor(), sf::Color(216, 237, 255));
    EXPECT_EQ(buttons[1]->getColor(), sf::Color::Black);
    EXPECT_EQ(activeTiles(), std::vector<unsigned char>{1});
}

TEST_F(ToolsControllerTest, ClicksSelectTheButtonUnderTheMouse)
{
    const float w = width();
    const float h = palette().getItemHeight();
    clickAt(onWindow(Selector, w * 0.6f, 2.5f * h));
    EXPECT_EQ(tools().getTileType(), 18);
    EXPECT_EQ(activeTiles(), std::vector<unsigned char>{18});

    // A blank row, and beside the buttons: nothing changes.
    clickAt(onWindow(Selector, w * 0.5f, 1.5f * h));
    clickAt(onWindow(Selector, w * 0.5f, 4.5f * h));
    EXPECT_EQ(tools().getTileType(), 18);

    // Any button of the mouse selects.
    clickAt(onWindow(Selector, w * 0.1f, 3.5f * h), CEGUI::RightButton);
    EXPECT_EQ(tools().getTileType(), 9);
    clickAt(onWindow(Selector, w * 0.9f, 0.5f * h), CEGUI::MiddleButton);
    EXPECT_EQ(tools().getTileType(), 1);

    // On an edge shared by two buttons the later one wins.
    palette().selectToolAt({w * 0.25f, 2.5f * h});
    EXPECT_EQ(tools().getTileType(), 10);
}

TEST_F(ToolsControllerTest, WheelScrollsWithinTheContent)
{
    setSelectorHeight(300);
    const CEGUI::Vector2f at = onWindow(Selector, 10, 10);
    wheelAt(at, 1.0f);
    EXPECT_EQ(palette().getScrollOffset(), 0.0f);
    wheelAt(at, -1.0f);
    EXPECT_EQ(palette().getScrollOffset(), 20.0f);
    for (int i = 0; i < 20; ++i)
        wheelAt(at, -1.0f);
    EXPECT_EQ(palette().getScrollOffset(), 180.0f);

    // Scrolled: a click lands on the button shown there.
    const float w = width();
    clickAt(onWindow(Selector, w * 0.9f, 15.5f * 30.0f - 180.0f));
    EXPECT_EQ(tools().getTileType(), 0);

    setSelectorHeight(400);
    EXPECT_EQ(palette().getScrollOffset(), 80.0f);
    setSelectorHeight(600);
    EXPECT_EQ(palette().getScrollOffset(), 0.0f);
    wheelAt(at, -1.0f);
    EXPECT_EQ(palette().getScrollOffset(), 0.0f);
}

TEST_F(ToolsControllerTest, TheBrushSizeFollowsTheSpinner)
{
    EXPECT_EQ(tools().getBrushSize(), 1);
    spinner(BrushSpinner)->setCurrentValue(3.7);
    EXPECT_EQ(tools().getBrushSize(), 3);
    // Beyond a widened spinner range the size is still held to 1..20.
    spinner(BrushSpinner)->setMaximumValue(1e9);
    spinner(BrushSpinner)->setCurrentValue(5e8);
    EXPECT_EQ(tools().getBrushSize(), 20);
}

TEST_F(ToolsControllerTest, ThePaletteFollowsTileChangesAtItsUpdate)
{
    palette().update(0.0f);
    tools().setTileType(36);
    EXPECT_EQ(activeTiles(), std::vector<unsigned char>{1});
    palette().update(0.0f);
    EXPECT_EQ(activeTiles(), std::vector<unsigned char>{36});
    tools().setTileType(41);
    palette().update(0.0f);
    EXPECT_TRUE(activeTiles().empty());
    palette().setItemHeight(-4.0f);
    EXPECT_EQ(palette().getItemHeight(), 0.0f);
}

TEST_F(ToolsControllerTest, MarkerPicturesComeFromTheImageMap)
{
    using dunnix::MapperController;
    EXPECT_EQ(MapperController::getTextureRectForTile(34), sf::IntRect(0, 0, 64, 64));
    EXPECT_EQ(MapperController::getTextureRectForTile(35), sf::IntRect(64, 0, 64, 64));
    for (unsigned char checkpoint = 36; checkpoint <= 40; ++checkpoint)
        EXPECT_EQ(MapperController::getTextureRectForTile(checkpoint), sf::IntRect(128, 0, 64, 64));
    EXPECT_EQ(MapperController::getTextureRectForTile(41), sf::IntRect());
    EXPECT_EQ(MapperController::getTextureRectForTile(1), sf::IntRect());
    EXPECT_EQ(MapperController::getTextureRectForTile(200), sf::IntRect());
    EXPECT_EQ(MapperController::getTextureForTile(1), nullptr);
    EXPECT_STREQ(MapperController::getImageNameForTile(37), "NewImage");
}

TEST(TileShapeStyle, SharedShapesAreGivenBackAsTheyWere)
{
    MapTileShape& shape = MapTileShape::getShapeForTile(36);
    const sf::Color colour = shape.getFillColor();
    {
        dunnix::TileShapeStyle style;
        MapTileShape& styled = style.shape(36, sf::Color(1, 2, 3), nullptr, sf::IntRect(5, 6, 7, 8));
        EXPECT_EQ(&styled, &shape);
        EXPECT_EQ(shape.getFillColor(), sf::Color(1, 2, 3));
        EXPECT_EQ(shape.getTextureRect(), sf::IntRect(5, 6, 7, 8));
        // A second request in the same pass keeps the first style.
        style.shape(36, sf::Color(9, 9, 9), nullptr, sf::IntRect());
        EXPECT_EQ(shape.getFillColor(), sf::Color(1, 2, 3));
        // Codes beyond the table share the empty shape.
        EXPECT_EQ(&style.shape(99, sf::Color::Red, nullptr, sf::IntRect()), &MapTileShape::getShapeForTile(0));
    }
    EXPECT_EQ(shape.getFillColor(), colour);
    EXPECT_EQ(shape.getTexture(), nullptr);
    EXPECT_EQ(shape.getTextureRect(), sf::IntRect());
    EXPECT_EQ(MapTileShape::getShapeForTile(0).getFillColor(), sf::Color::Black);
}
