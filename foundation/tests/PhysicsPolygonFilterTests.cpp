// The filter is checked against Box2D itself: whatever it keeps must pass
// b2PolygonShape::Set and the mass computation (Debian's Box2D keeps its
// assertions, so a wrong verdict aborts this program), and what it drops
// must really be something Box2D refuses.

#include "foundation/math/PhysicsPolygonFilter.hpp"
#include "foundation/math/Polygon.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using math::PhysicsPolygonFilter;
using V = math::Vector2<float>;
using Polygon = std::vector<V>;

namespace {

/// Feeds polygons to Box2D as the fixtures of one dynamic body; returns
/// false when Box2D's result is unusable.
bool box2dTakesBody(const std::vector<Polygon>& polygons, float density = 1.0f)
{
    b2World world(b2Vec2(0.0f, -10.0f));
    b2BodyDef bodyDef;
    bodyDef.type = b2_dynamicBody;
    b2Body* body = world.CreateBody(&bodyDef);
    bool usable = true;
    for (const Polygon& polygon : polygons) {
        std::vector<b2Vec2> points;
        for (const V& p : polygon)
            points.emplace_back(p.x, p.y);
        b2PolygonShape shape;
        shape.Set(points.data(), static_cast<int32>(points.size()));
        b2MassData mass;
        shape.ComputeMass(&mass, density);
        usable = usable && shape.m_count >= 3 && mass.mass > 0.0f && std::isfinite(mass.center.x) &&
                 std::isfinite(mass.center.y) && std::isfinite(mass.I);
        b2FixtureDef fixtureDef;
        fixtureDef.shape = &shape;
        fixtureDef.density = density;
        body->CreateFixture(&fixtureDef);
    }
    return usable && body->GetInertia() > 0.0f;
}

bool box2dTakes(const Polygon& polygon, float density = 1.0f)
{
    return box2dTakesBody({polygon}, density);
}

/// The shape alone, without a body: Set and the mass computation.
bool box2dTakesShape(const Polygon& polygon)
{
    std::vector<b2Vec2> points;
    for (const V& p : polygon)
        points.emplace_back(p.x, p.y);
    b2PolygonShape shape;
    shape.Set(points.data(), static_cast<int32>(points.size()));
    b2MassData mass;
    shape.ComputeMass(&mass, 1.0f);
    return shape.m_count >= 3 && mass.mass > 0.0f && std::isfinite(mass.I);
}

class DegenerateShapes {
public:
    explicit DegenerateShapes(unsigned seed) : rng(seed) {}

    float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }
    float logUniform(float loExp, float hiExp) { return std::pow(10.0f, uniform(loExp, hiExp)); }
    V point(float scale, const V& offset)
    {
        return {offset.x + uniform(-1, 1) * scale, offset.y + uniform(-1, 1) * scale};
    }
    V offset()
    {
        const float far = logUniform(0.0f, 7.0f);
        return {uniform(-1, 1) * far, uniform(-1, 1) * far};
    }

    /// Random triangle of any size, anywhere.
    Polygon anyTriangle()
    {
        const float scale = logUniform(-4.0f, 1.0f);
        const V o = offset();
        return {point(scale, o), point(scale, o), point(scale, o)};
    }

    /// Third point on (or a hair away from) the line through the first two.
    Polygon nearlyCollinear()
    {
        const float scale = logUniform(-3.0f, 1.0f);
        const V o = offset();
        const V a = point(scale, o);
        const V b = point(scale, o);
        const float t = uniform(-1.0f, 2.0f);
        const float hair = uniform(0, 1) < 0.3f ? 0.0f : logUniform(-9.0f, -2.0f);
        return {a, b, a + (b - a) * t + V(-(b - a).y, (b - a).x) * hair};
    }

    /// Two points about the merge distance apart.
    Polygon nearlyWelded()
    {
        const V o = offset();
        const V a = point(1.0f, o);
        const float angle = uniform(0.0f, 6.2831853f);
        const float distance = PhysicsPolygonFilter::weldDistance * uniform(0.0f, 2.0f);
        const V a2 = a + V(std::cos(angle), std::sin(angle)) * distance;
        return {a, a2, point(1.0f, o)};
    }

    /// Convex-ish polygon of 3 to 10 points with a duplicate now and then.
    Polygon manyPoints()
    {
        const int count = std::uniform_int_distribution<int>(3, 10)(rng);
        const float scale = logUniform(-3.0f, 1.0f);
        const V o = offset();
        Polygon polygon;
        for (int i = 0; i < count; ++i) {
            const float angle = 6.2831853f * (static_cast<float>(i) + uniform(0.0f, 0.5f)) / static_cast<float>(count);
            polygon.push_back(o + V(std::cos(angle), std::sin(angle)) * scale);
            if (uniform(0, 1) < 0.1f)
                polygon.push_back(polygon.back());
        }
        return polygon;
    }

private:
    std::mt19937 rng;
};

} // namespace

TEST(PhysicsPolygonFilter, EverythingKeptIsAcceptedByBox2D)
{
    DegenerateShapes shapes(2024);
    int kept = 0;
    int dropped = 0;
    for (int round = 0; round < 4000; ++round) {
        for (const Polygon& polygon :
             {shapes.anyTriangle(), shapes.nearlyCollinear(), shapes.nearlyWelded(), shapes.manyPoints()}) {
            if (PhysicsPolygonFilter::acceptsShape(polygon)) {
                ASSERT_TRUE(box2dTakesShape(polygon)) << polygon[0].x << "," << polygon[0].y;
            }
            if (!PhysicsPolygonFilter::accepts(polygon)) {
                ++dropped;
                continue;
            }
            EXPECT_TRUE(PhysicsPolygonFilter::acceptsShape(polygon)) << "a safe body needs a safe shape";
            ++kept;
            ASSERT_TRUE(box2dTakes(polygon)) << polygon[0].x << "," << polygon[0].y;
            ASSERT_TRUE(box2dTakes(polygon, 0.01f));
            ASSERT_TRUE(box2dTakes(polygon, 1000.0f));
        }
    }
    // The generated shapes must exercise both verdicts.
    EXPECT_GT(kept, 1000);
    EXPECT_GT(dropped, 1000);
}

TEST(PhysicsPolygonFilter, ObviousVerdicts)
{
    EXPECT_TRUE(PhysicsPolygonFilter::accepts({{0, 0}, {1, 0}, {0, 1}}));
    EXPECT_TRUE(PhysicsPolygonFilter::accepts({{0, 0}, {0, 1}, {1, 0}})) << "Box2D orders the hull itself";
    EXPECT_TRUE(PhysicsPolygonFilter::accepts({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0.001f}}))
        << "a point within the merge distance is merged, not fatal";

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float big = std::numeric_limits<float>::max() / 2;
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({}));
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({{0, 0}, {1, 0}}));
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({{0, 0}, {1, 0}, {nan, 1}}));
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({{0, 0}, {inf, 0}, {0, 1}}));
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({{-big, -big}, {big, -big}, {0, big}})) << "area overflows";
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({{0, 0}, {1, 0}, {1, 0.0000001f}}));
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({{0, 0}, {0.001f, 0}, {0, 0.001f}})) << "all points merge";
    // Box2D survives this one, but its rotational inertia is rounding noise.
    EXPECT_FALSE(PhysicsPolygonFilter::accepts({{1000, 1000}, {1000.01f, 1000}, {1000, 1000.01f}}));
    EXPECT_TRUE(PhysicsPolygonFilter::accepts({{10, 10}, {11, 10}, {10, 11}}));

    Polygon nine;
    for (int i = 0; i < 9; ++i)
        nine.emplace_back(std::cos(i * 0.698f), std::sin(i * 0.698f));
    EXPECT_FALSE(PhysicsPolygonFilter::accepts(nine));
    nine.pop_back();
    EXPECT_TRUE(PhysicsPolygonFilter::accepts(nine));
}

TEST(PhysicsPolygonFilterDeathTest, DroppedShapesReallyAbortBox2D)
{
    // Each of these is refused by the filter because Box2D would abort on it.
    const std::vector<Polygon> fatal = {
        {{0, 0}, {1, 0}, {2, 0}},           // collinear
        {{0, 0}, {0.001f, 0}, {0, 0.001f}}, // merged into one point
        {{0, 0}, {1, 0}, {1, 0.0000001f}},  // area below FLT_EPSILON
        {{0, 0}, {0.001f, 0.0005f}, {0.002f, 0}, {0.003f, 0.0002f}},
        {{1000, 1000}, {1000.1f, 1000}, {1000, 1000.1f}}, // inertia cancels to nothing or less
    };
    for (const Polygon& polygon : fatal) {
        ASSERT_FALSE(PhysicsPolygonFilter::accepts(polygon));
        EXPECT_DEATH(box2dTakes(polygon), "");
    }
}

TEST(PhysicsPolygonFilter, ShapeCheckLeavesTheBodyToTheCaller)
{
    // Alone on a dynamic body this triangle's inertia is rounding noise, but
    // Box2D takes it as a shape.
    const Polygon farSmall = {{1000, 1000}, {1000.1f, 1000}, {1000, 1000.1f}};
    EXPECT_TRUE(PhysicsPolygonFilter::acceptsShape(farSmall));
    EXPECT_FALSE(PhysicsPolygonFilter::accepts(farSmall));
    EXPECT_TRUE(box2dTakesShape(farSmall));

    EXPECT_FALSE(PhysicsPolygonFilter::acceptsShape({{0, 0}, {1, 0}, {2, 0}})) << "collinear";
    EXPECT_FALSE(PhysicsPolygonFilter::acceptsShape({{0, 0}, {0.001f, 0}, {0, 0.001f}})) << "merged";
    EXPECT_FALSE(PhysicsPolygonFilter::acceptsShape({{0, 0}, {1, 0}, {1, 0.0000001f}})) << "no area";
    EXPECT_FALSE(PhysicsPolygonFilter::acceptsShape({{0, 0}, {1, 0}})) << "two points";
}

TEST(PhysicsPolygonFilter, DropRejectedKeepsOrderAndCounts)
{
    std::vector<Polygon> polygons = {
        {{0, 0}, {1, 0}, {0, 1}},
        {{0, 0}, {1, 0}, {2, 0}},
        {{5, 5}, {6, 5}, {5, 6}},
        {{0, 0}, {0, 0}, {0, 0}},
    };
    EXPECT_EQ(PhysicsPolygonFilter::dropRejected(polygons), 2u);
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0][0], V(0, 0));
    EXPECT_EQ(polygons[1][0], V(5, 5));

    std::vector<Polygon> none;
    EXPECT_EQ(PhysicsPolygonFilter::dropRejected(none), 0u);
}

TEST(PhysicsPolygonFilter, SmallPiecesOfALargeBodyStay)
{
    // Far from the origin a small triangle alone would leave only rounding
    // noise as inertia, but next to a large piece the body is fine.
    const Polygon small = {{1000, 1000}, {1000.1f, 1000}, {1000, 1000.1f}};
    const Polygon large = {{980, 980}, {1020, 980}, {1000, 1020}};
    EXPECT_FALSE(PhysicsPolygonFilter::accepts(small));
    std::vector<Polygon> body = {large, small};
    EXPECT_EQ(PhysicsPolygonFilter::dropRejected(body), 0u);
    EXPECT_TRUE(box2dTakesBody(body));
    EXPECT_TRUE(box2dTakesBody(body, 0.01f));

    // Only small pieces far away: the whole body goes.
    std::vector<Polygon> tiny = {small, {{1000.1f, 1000}, {1000.1f, 1000.1f}, {1000, 1000.1f}}};
    EXPECT_EQ(PhysicsPolygonFilter::dropRejected(tiny), 2u);
    EXPECT_TRUE(tiny.empty());
}

TEST(PhysicsPolygonFilter, TrianglesOfDegenerateOutlinesBecomeSafeFixtures)
{
    // Outlines an editor can produce: points on a line, doubled points,
    // points a hair apart, slivers, far from the origin.
    std::mt19937 rng(99);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    int triangles = 0;
    for (int round = 0; round < 500; ++round) {
        const float scale = std::pow(10.0f, 3.0f * unit(rng) - 1.0f);
        const V offset(unit(rng) * 1e3f, unit(rng) * 1e3f);
        Polygon outline;
        const int count = 3 + round % 12;
        for (int i = 0; i < count; ++i) {
            const float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(count);
            float radius = scale * (1.5f + unit(rng));
            if (i % 4 == 1)
                radius = scale * 1e-4f; // a sliver towards the centre
            outline.push_back(offset + V(std::cos(angle), std::sin(angle)) * radius);
            if (round % 3 == 0 && i % 3 == 0)
                outline.push_back(outline.back() + V(scale * 1e-4f, 0)); // a hair apart
        }
        auto pieces = math::triangulatePolygon(outline);
        const std::size_t before = pieces.size();
        const std::size_t dropped = math::PhysicsPolygonFilter::dropRejected(pieces);
        EXPECT_EQ(dropped, before - pieces.size());
        // The hull becomes one body with a fixture per triangle.
        if (!pieces.empty()) {
            ASSERT_TRUE(box2dTakesBody(pieces));
            ASSERT_TRUE(box2dTakesBody(pieces, 0.01f));
        }
        for (const Polygon& triangle : pieces) {
            ++triangles;
            std::vector<b2Vec2> points;
            for (const V& p : triangle)
                points.emplace_back(p.x, p.y);
            b2PolygonShape shape;
            shape.Set(points.data(), 3);
            EXPECT_EQ(shape.m_count, 3);
        }
    }
    EXPECT_GT(triangles, 500);
}
