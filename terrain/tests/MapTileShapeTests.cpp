#include "terrain/MapTileShape.hpp"

#include "terrain/model/MapTile.hpp"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace {

std::vector<sf::Vector2f> pointsOf(const sf::ConvexShape& shape)
{
    std::vector<sf::Vector2f> points;
    for (std::size_t i = 0; i < shape.getPointCount(); ++i)
        points.push_back(shape.getPoint(i));
    return points;
}

} // namespace

// Play mode only reads the shared shapes: they cannot be changed through the
// accessor, so no drawing pass can leave a colour or texture on them.
static_assert(std::is_same_v<decltype(MapTileShape::getShapeForTile(0)), const MapTileShape&>);

TEST(MapTileShapeTest, SharedShapesFollowTheTilePolygons)
{
    EXPECT_EQ(MapTileShape::getShapeForTile(0).getPointCount(), 0u);
    const std::vector<sf::Vector2f> full = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    EXPECT_EQ(pointsOf(MapTileShape::getShapeForTile(1)), full);
    const std::vector<sf::Vector2f> upperSlope = {{0, 0.5f}, {1, 0}, {1, 1}, {0, 1}};
    EXPECT_EQ(pointsOf(MapTileShape::getShapeForTile(2)), upperSlope);
    // Every valid code: its own code, and the polygon flipped to y down.
    for (unsigned t = 0; t < MapTileCodes::Count; ++t) {
        const MapTileShape& shape = MapTileShape::getShapeForTile(static_cast<unsigned char>(t));
        EXPECT_EQ(shape.getTile(), t);
        const MapTilePoints polygon = createPolygon(static_cast<unsigned char>(t));
        ASSERT_EQ(shape.getPointCount(), polygon.size()) << t;
        for (std::size_t i = 0; i < polygon.size(); ++i)
            EXPECT_EQ(shape.getPoint(i), sf::Vector2f(0.5f + polygon[i].x, 0.5f - polygon[i].y)) << t;
    }
}

TEST(MapTileShapeTest, ColoursOfGroundAndMarkers)
{
    struct Case {
        unsigned char tile;
        sf::Color color;
    };
    const std::vector<Case> cases = {{0, sf::Color::Black},          {1, sf::Color::Black},
                                     {2, sf::Color::Black},          {33, sf::Color::Black},
                                     {34, sf::Color::White},         {35, sf::Color::Red},
                                     {36, sf::Color::Green},         {37, sf::Color::Blue},
                                     {38, sf::Color(80, 40, 0)},     {39, sf::Color::Cyan},
                                     {40, sf::Color::Magenta},       {41, sf::Color::Yellow},
                                     {42, sf::Color::Black},         {255, sf::Color::Black}};
    for (const Case& c : cases) {
        EXPECT_EQ(MapTileShape::getColorForTile(c.tile), c.color) << int(c.tile);
        if (isMapTileValid(c.tile)) {
            EXPECT_EQ(MapTileShape::getShapeForTile(c.tile).getFillColor(), c.color) << int(c.tile);
        }
    }
    EXPECT_EQ(MapTileShape::customColors().size(), 8u);
}

TEST(MapTileShapeTest, InvalidCodesGiveTheEmptyShape)
{
    EXPECT_EQ(&MapTileShape::getShapeForTile(42), &MapTileShape::getShapeForTile(0));
    EXPECT_EQ(&MapTileShape::getShapeForTile(255), &MapTileShape::getShapeForTile(0));
}

TEST(MapTileShapeTest, SettingTheSameCodeKeepsTheShape)
{
    MapTileShape shape(5);
    shape.setPoint(0, sf::Vector2f(7, 7));
    shape.setFillColor(sf::Color::Blue);
    shape.setTile(5);
    EXPECT_EQ(shape.getPoint(0), sf::Vector2f(7, 7));
    EXPECT_EQ(shape.getFillColor(), sf::Color::Blue);
    shape.setTile(35);
    EXPECT_EQ(shape.getPointCount(), 4u);
    EXPECT_EQ(shape.getFillColor(), sf::Color::Red);
    shape.setTile(0);
    EXPECT_EQ(shape.getPointCount(), 0u);
}
