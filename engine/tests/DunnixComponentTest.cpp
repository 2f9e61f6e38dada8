#include "engine/DunnixComponent.hpp"
#include "engine/SfmlB2Renderer.hpp"

#include <gtest/gtest.h>

namespace {

TEST(DunnixComponentTest, TileCountsAreOddAndAtLeastFive)
{
    // (view pixels, texture pixels, tiles)
    const struct {
        float view;
        float texture;
        unsigned tiles;
    } cases[] = {{1024, 256, 5}, {768, 256, 5}, {1280, 100, 15}, {720, 100, 9}, {1, 4096, 5}, {1000, 200, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(DunnixComponent::tileCount(static_cast<unsigned>(std::ceil(c.view / c.texture))), c.tiles)
            << c.view << " / " << c.texture;
}

TEST(DunnixComponentTest, SnappingKeepsTheGridOfFactorTimesCentre)
{
    // Camera at the origin: centred on the origin whatever the factor.
    EXPECT_FLOAT_EQ(DunnixComponent::snappedCentre(0, 0.98f, 10), 0);
    // Factor 1: the pattern stays put on the screen.
    EXPECT_FLOAT_EQ(DunnixComponent::snappedCentre(123.4f, 1.0f, 10), 123.4f);
    // Factor 0: the grid stays on world multiples of the tile.
    EXPECT_FLOAT_EQ(DunnixComponent::snappedCentre(123.4f, 0.0f, 10), 120.0f);
    EXPECT_FLOAT_EQ(DunnixComponent::snappedCentre(-126.0f, 0.0f, 10), -130.0f);
    // Half a tile away stays where it is.
    EXPECT_FLOAT_EQ(DunnixComponent::snappedCentre(5.0f, 0.0f, 10), 0.0f);
    const float snapped = DunnixComponent::snappedCentre(1000.0f, 0.5f, 7);
    EXPECT_LE(std::fabs(snapped - 1000.0f), 3.5f);
    EXPECT_NEAR(std::fmod(snapped - 500.0f, 7.0f), 0.0f, 1e-3f);
}

TEST(DunnixComponentTest, MissingImageAddsNoLayer)
{
    DunnixComponent component;
    component.addLayer("/nonexistent/stars.png", 0.98f);
    EXPECT_EQ(component.getLayerCount(), 0u);
}

/// A render target without a window: only its size and views, for the
/// renderer's culling arithmetic.
struct SizeOnlyTarget : sf::RenderTarget {
    sf::Vector2u size{200, 100};
    sf::Vector2u getSize() const override { return size; }
};

TEST(SfmlB2RendererTest, ColoursAndCircles)
{
    EXPECT_EQ(SfmlB2Renderer::b2color2sfcolor(b2Color(1, 0.5f, 0)), sf::Color(255, 127, 0, 255));
    EXPECT_EQ(SfmlB2Renderer::b2color2sfcolor(b2Color(2, -1, 1)), sf::Color(254, 1, 255, 255));
    const sf::CircleShape circle = SfmlB2Renderer::b2circle2sfcircle(b2Vec2(2, 3), 1.5f);
    EXPECT_EQ(circle.getPointCount(), 30u);
    EXPECT_EQ(circle.getOrigin(), sf::Vector2f(1.5f, 1.5f));
    EXPECT_EQ(circle.getPosition(), sf::Vector2f(2, -3));
    SizeOnlyTarget target;
    SfmlB2Renderer renderer(target);
    EXPECT_FLOAT_EQ(renderer.getAlpha(), 0.5f);
    EXPECT_EQ(renderer.GetFlags(), 0u);
}

TEST(SfmlB2RendererTest, CullingCountsMinimumEdgesInsideMaximumEdgesOut)
{
    SizeOnlyTarget target;
    // View (0, 0)-(200, 100) in world units with y negated, one unit per pixel.
    target.setView(sf::View(sf::FloatRect(0, 0, 200, 100)));
    SfmlB2Renderer renderer(target);
    const struct {
        b2Vec2 point;
        bool inside;
    } cases[] = {
        {{0, 0}, true},      {{199, -99}, true}, {{200, -50}, false},
        {{50, -100}, false}, {{-2, -50}, false}, {{50, 2}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(renderer.isInside(&c.point, 1), c.inside) << c.point.x << ", " << c.point.y;
    // A polygon larger than the view with every corner outside it is culled.
    const b2Vec2 huge[] = {{-10, 10}, {300, 10}, {300, -300}, {-10, -300}};
    EXPECT_FALSE(renderer.isInside(huge, 4));
    EXPECT_FALSE(renderer.isInside(huge, 0));
    renderer.setupConvex(huge, 4);
}

} // namespace
