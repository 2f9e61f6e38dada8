#include "terrain/MapTileShape.hpp"
#include "terrain/model/MapTile.hpp"

#include <gtest/gtest.h>

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

TEST(MapTileShape, SharedShapesFollowTheCellPolygonsFlippedToYDown)
{
    EXPECT_EQ(MapTileShape::getShapeForTile(0).getPointCount(), 0u);
    const std::vector<sf::Vector2f> full{{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    EXPECT_EQ(pointsOf(MapTileShape::getShapeForTile(1)), full);
    const std::vector<sf::Vector2f> slope{{0, 0.5f}, {1, 0}, {1, 1}, {0, 1}};
    EXPECT_EQ(pointsOf(MapTileShape::getShapeForTile(2)), slope);
    EXPECT_EQ(MapTileShape::getShapeForTile(2).getFillColor(), sf::Color::Black);

    // Every shared shape holds its own code and lies inside the unit square.
    for (unsigned int code = 0; code < MapTileCodes::Count; ++code) {
        const MapTileShape& shape = MapTileShape::getShapeForTile(static_cast<unsigned char>(code));
        EXPECT_EQ(shape.getTile(), code);
        EXPECT_EQ(shape.getPointCount(), createPolygon(static_cast<unsigned char>(code)).size());
        for (const sf::Vector2f& p : pointsOf(shape)) {
            EXPECT_GE(p.x, 0.0f);
            EXPECT_LE(p.x, 1.0f);
            EXPECT_GE(p.y, 0.0f);
            EXPECT_LE(p.y, 1.0f);
        }
    }
}

TEST(MapTileShape, ColoursByCode)
{
    const struct {
        unsigned char code;
        sf::Color colour;
    } cases[] = {
        {0, sf::Color::Black},   {1, sf::Color::Black},    {33, sf::Color::Black},  {34, sf::Color::White},
        {35, sf::Color::Red},    {36, sf::Color::Green},   {37, sf::Color::Blue},   {38, sf::Color(80, 40, 0)},
        {39, sf::Color::Cyan},   {40, sf::Color::Magenta}, {41, sf::Color::Yellow}, {42, sf::Color::Black},
        {255, sf::Color::Black},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapTileShape::getColorForTile(c.code), c.colour) << int(c.code);
        if (c.code < MapTileCodes::Count) {
            EXPECT_EQ(MapTileShape::getShapeForTile(c.code).getFillColor(), c.colour) << int(c.code);
        }
    }
}

TEST(MapTileShape, InvalidCodesGiveTheEmptyShape)
{
    EXPECT_EQ(&MapTileShape::getShapeForTile(42), &MapTileShape::getShapeForTile(0));
    EXPECT_EQ(&MapTileShape::getShapeForTile(255), &MapTileShape::getShapeForTile(0));
    EXPECT_NE(&MapTileShape::getShapeForTile(41), &MapTileShape::getShapeForTile(0));
}

TEST(MapTileShape, SetTileRebuildsOnlyOnAChange)
{
    MapTileShape shape(1);
    shape.setPoint(0, sf::Vector2f(5, 5));
    shape.setFillColor(sf::Color::Red);
    shape.setTile(1);
    EXPECT_EQ(shape.getPoint(0), sf::Vector2f(5, 5));
    EXPECT_EQ(shape.getFillColor(), sf::Color::Red);

    shape.setTile(35);
    EXPECT_EQ(shape.getTile(), 35);
    EXPECT_EQ(shape.getPointCount(), 4u);
    EXPECT_EQ(shape.getFillColor(), sf::Color::Red);
    shape.setTile(0);
    EXPECT_EQ(shape.getPointCount(), 0u);
    EXPECT_EQ(shape.getFillColor(), sf::Color::Black);
}
