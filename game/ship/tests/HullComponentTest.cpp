// The hull body made from a ship description's outline, in a real b2World.

#include "ShipTestSupport.hpp"

#include "testsupport/LogCapture.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using velk::HullComponent;
using velk::backend::ShipEntry;

namespace {

struct HullHolder {
    GameWorld world{b2Vec2(0.0f, 0.0f)};
    GameObject* object = world.add(new GameObject());
    HullComponent* hull = static_cast<HullComponent*>(object->add(new HullComponent()));

    int bodies() const { return world.getB2World()->GetBodyCount(); }
};

int fixtures(const b2Body* body)
{
    int n = 0;
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext())
        ++n;
    return n;
}

} // namespace

TEST(HullComponentTest, UnusableOutlinesBuildNothing)
{
    struct Case {
        const char* name;
        std::vector<math::Vector2<float>> points;
    };
    const std::vector<Case> cases = {
        {"no points", {}},
        {"two points", {{0, 0}, {1, 0}}},
        {"bow tie", {{0, 0}, {2, 2}, {2, 0}, {0, 2}}},
        {"a point not a number", {{0, 0}, {2, 0}, {std::nanf(""), 2}}},
        {"small and far from the centre", {{1000, 1000}, {1000.1f, 1000}, {1000, 1000.1f}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HullHolder holder;
        ShipEntry entry;
        for (const auto& p : c.points)
            entry.insertPoint(p, 0.0f);
        EXPECT_FALSE(holder.hull->build(&entry));
        EXPECT_EQ(holder.hull->getBody(), nullptr);
        EXPECT_EQ(holder.bodies(), 0);
    }
}

TEST(HullComponentTest, SquareGivesOneDynamicBodyOfTwoTrianglesAtTheComponentsPosition)
{
    HullHolder holder;
    holder.hull->setPosition(math::Vector2<float>(4.0f, -2.0f));
    ShipEntry entry;
    shiptest::addBoxHull(entry, 1.0f, 1.0f);
    ASSERT_TRUE(holder.hull->build(&entry));
    const b2Body* body = holder.hull->getBody();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetType(), b2_dynamicBody);
    EXPECT_FLOAT_EQ(body->GetPosition().x, 4.0f);
    EXPECT_FLOAT_EQ(body->GetPosition().y, -2.0f);
    ASSERT_EQ(fixtures(body), 2);
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        EXPECT_EQ(f->GetType(), b2Shape::e_polygon);
        EXPECT_EQ(static_cast<const b2PolygonShape*>(f->GetShape())->m_count, 3);
        EXPECT_FLOAT_EQ(f->GetDensity(), 5.0f);
        EXPECT_FLOAT_EQ(f->GetFriction(), 0.2f);
        EXPECT_FALSE(f->IsSensor());
        EXPECT_EQ(f->GetFilterData().categoryBits, 0x0008);
        EXPECT_EQ(f->GetFilterData().maskBits, 0xF00F);
    }
    // Area 4 at density 5.
    EXPECT_NEAR(body->GetMass(), 20.0f, 1e-3f);
    EXPECT_FALSE(holder.hull->isVisible());
}

TEST(HullComponentTest, BuildingAgainReplacesTheBody)
{
    HullHolder holder;
    ShipEntry entry;
    shiptest::addBoxHull(entry);
    ASSERT_TRUE(holder.hull->build(&entry));
    ASSERT_TRUE(holder.hull->build(&entry));
    EXPECT_EQ(holder.bodies(), 1);
}

TEST(HullComponentTest, SliverTrianglesNeverReachTheEngine)
{
    // Collinear runs and points closer than Box2D's weld distance make
    // triangles Box2D would abort on; they are dropped and the rest is built.
    HullHolder holder;
    ShipEntry entry;
    for (const math::Vector2<float>& p : std::vector<
             math::Vector2<float>>{{0, 0}, {1, 0}, {2, 0}, {2.0005f, 0.0f}, {3, 0}, {3, 1}, {1.5f, 1.0f}, {0, 1}})
        entry.insertPoint(p, 0.0f);
    velk_test::LogCapture log;
    ASSERT_TRUE(holder.hull->build(&entry));
    ASSERT_NE(holder.hull->getBody(), nullptr);
    EXPECT_GE(fixtures(holder.hull->getBody()), 1);
    EXPECT_LT(fixtures(holder.hull->getBody()), 6);
    EXPECT_TRUE(log.contains("left out"));
    EXPECT_NEAR(holder.hull->getBody()->GetMass(), 15.0f, 0.05f);
}

TEST(HullComponentTest, ALargeFineCircleIsBuiltThoughItsTrianglesAreThinAndFar)
{
    // Box2D checks the body's inertia after every fixture; alone, each thin
    // triangle far from the centre leaves only rounding noise.
    HullHolder holder;
    ShipEntry entry;
    for (int i = 10000; i > 0; --i) {
        const float a = 6.2831853f * static_cast<float>(i) / 10000.0f + 0.3f;
        entry.insertPoint(math::Vector2<float>(500.0f * std::cos(a), 500.0f * std::sin(a)), 0.0f);
    }
    ASSERT_TRUE(holder.hull->build(&entry));
    const b2Body* body = holder.hull->getBody();
    EXPECT_NEAR(body->GetMass(), 5.0f * 3.14159265f * 500.0f * 500.0f, 1e-3f * body->GetMass());
    EXPECT_GT(body->GetInertia(), 0.0f);
}
