#include "SceneTestSupport.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace scenetest;

namespace
{
constexpr float Pi = 3.14159265358979f;

class SceneLoadTest : public ::testing::Test
{
protected:
    B2Scene scene;
    std::string error;
};
} // namespace

TEST_F(SceneLoadTest, WorldSettingsAndBodiesOfEveryKind)
{
    auto world = loadFile(scene, "all_shapes.json", error);
    ASSERT_NE(world, nullptr) << error;
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(world->GetGravity(), b2Vec2(0.0f, -10.0f));
    EXPECT_TRUE(world->GetAllowSleeping());
    EXPECT_TRUE(world->GetAutoClearForces());
    EXPECT_TRUE(world->GetWarmStarting());
    EXPECT_TRUE(world->GetContinuousPhysics());
    EXPECT_FALSE(world->GetSubStepping());
    EXPECT_EQ(world->GetBodyCount(), 4);

    b2Body* ground = scene.getBodyByName("ground");
    b2Body* ball = scene.getBodyByName("ball");
    b2Body* box = scene.getBodyByName("box");
    b2Body* sleeper = scene.getBodyByName("sleeper");
    ASSERT_TRUE(ground && ball && box && sleeper);
    EXPECT_EQ(ground->GetType(), b2_staticBody);
    EXPECT_EQ(sleeper->GetType(), b2_kinematicBody);
    // The trailing comment after the type does not hide the value.
    EXPECT_EQ(ball->GetType(), b2_dynamicBody);
    EXPECT_EQ(ball->GetPosition(), b2Vec2(2.0f, 3.0f)); // x from the hex form 40000000
    EXPECT_TRUE(ball->IsAwake());
    EXPECT_TRUE(ball->IsBullet());
    EXPECT_FLOAT_EQ(ball->GetLinearDamping(), 0.125f);
    EXPECT_FLOAT_EQ(ball->GetGravityScale(), 0.5f);
    EXPECT_FLOAT_EQ(box->GetAngle(), 0.5f);
    EXPECT_EQ(box->GetPosition(), b2Vec2(-3.0f, 2.0f));
    // Missing keys: gravity scale 1, sleep allowed, enabled; "x" alone gives (1, 0).
    EXPECT_FLOAT_EQ(box->GetGravityScale(), 1.0f);
    EXPECT_TRUE(box->IsSleepingAllowed());
    EXPECT_TRUE(box->IsEnabled());
    EXPECT_EQ(sleeper->GetPosition(), b2Vec2(1.0f, 0.0f));
    EXPECT_FALSE(sleeper->IsSleepingAllowed());
    EXPECT_FALSE(sleeper->IsEnabled()); // "active" false
    EXPECT_EQ(sleeper->GetLinearVelocity(), b2Vec2(0.25f, -1.0f));
    EXPECT_FLOAT_EQ(sleeper->GetAngularVelocity(), 1.5f);

    EXPECT_EQ(scene.lookupBodyFromIndex(0), ground);
    EXPECT_EQ(scene.lookupBodyFromIndex(3), sleeper);
    EXPECT_EQ(scene.lookupBodyFromIndex(4), nullptr);
}

TEST_F(SceneLoadTest, FixturesAndShapes)
{
    velk_test::LogCapture logs;
    auto world = loadFile(scene, "all_shapes.json", error);
    const std::string output = logs.text();
    ASSERT_NE(world, nullptr) << error;
    EXPECT_NE(output.find("Creating edge shape instead of polygon with two vertices.\n"), std::string::npos);
    EXPECT_EQ(fixtureCount(scene.getBodyByName("ground")), 6);

    auto* floor = dynamic_cast<b2EdgeShape*>(scene.getFixtureByName("floor")->GetShape());
    ASSERT_NE(floor, nullptr);
    EXPECT_FALSE(floor->m_oneSided); // no ghosts: two-sided as before
    EXPECT_FLOAT_EQ(scene.getFixtureByName("floor")->GetFriction(), 0.5f);

    auto* smooth = dynamic_cast<b2EdgeShape*>(scene.getFixtureByName("smoothFloor")->GetShape());
    ASSERT_NE(smooth, nullptr);
    EXPECT_TRUE(smooth->m_oneSided);
    EXPECT_EQ(smooth->m_vertex0, b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(smooth->m_vertex3, b2Vec2(30.0f, 0.0f));
    auto* half = dynamic_cast<b2EdgeShape*>(scene.getFixtureByName("halfSmooth")->GetShape());
    ASSERT_NE(half, nullptr);
    EXPECT_FALSE(half->m_oneSided);

    auto* terrain = dynamic_cast<b2ChainShape*>(scene.getFixtureByName("terrain")->GetShape());
    ASSERT_NE(terrain, nullptr);
    ASSERT_EQ(terrain->m_count, 3);
    // Without ghosts in the file the end segments are continued straight on.
    EXPECT_EQ(terrain->m_prevVertex, b2Vec2(-20.0f, 6.0f));
    EXPECT_EQ(terrain->m_nextVertex, b2Vec2(20.0f, 6.0f));
    auto* ledge = dynamic_cast<b2ChainShape*>(scene.getFixtureByName("ledge")->GetShape());
    ASSERT_NE(ledge, nullptr);
    EXPECT_EQ(ledge->m_prevVertex, b2Vec2(-1.0f, 8.0f));
    EXPECT_EQ(ledge->m_nextVertex, b2Vec2(2.0f, 8.0f));
    auto* pen = dynamic_cast<b2ChainShape*>(scene.getFixtureByName("pen")->GetShape());
    ASSERT_NE(pen, nullptr);
    ASSERT_EQ(pen->m_count, 5); // a loop stores its first point again at the end
    EXPECT_EQ(pen->m_vertices[4], pen->m_vertices[0]);

    b2Fixture* ballFix = scene.getFixtureByName("ballFix");
    auto* circle = dynamic_cast<b2CircleShape*>(ballFix->GetShape());
    ASSERT_NE(circle, nullptr);
    EXPECT_FLOAT_EQ(circle->m_radius, 0.5f);
    EXPECT_EQ(circle->m_p, b2Vec2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(ballFix->GetRestitution(), 0.5f); // hex 3F000000
    EXPECT_FLOAT_EQ(ballFix->GetFriction(), 0.0f);    // missing friction is 0, not 0.2
    EXPECT_EQ(ballFix->GetFilterData().categoryBits, 1);
    EXPECT_EQ(ballFix->GetFilterData().maskBits, 65535);
    EXPECT_EQ(ballFix->GetFilterData().groupIndex, 0);

    b2Fixture* boxFix = scene.getFixtureByName("boxFix");
    auto* polygon = dynamic_cast<b2PolygonShape*>(boxFix->GetShape());
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->m_count, 4);
    EXPECT_FLOAT_EQ(boxFix->GetDensity(), 2.0f);
    EXPECT_FLOAT_EQ(boxFix->GetFriction(), 0.25f);
    EXPECT_FALSE(boxFix->IsSensor());
    EXPECT_EQ(boxFix->GetFilterData().categoryBits, 2);
    EXPECT_EQ(boxFix->GetFilterData().maskBits, 65533);
    EXPECT_EQ(boxFix->GetFilterData().groupIndex, -3);
    b2Fixture* stick = scene.getFixtureByName("stick");
    EXPECT_EQ(stick->GetShape()->GetType(), b2Shape::e_edge);
    EXPECT_TRUE(stick->IsSensor());

    // Every fixture, body by body in file order, appended to what the vector held.
    std::vector<b2Fixture*> fixtures{nullptr};
    EXPECT_EQ(scene.getAllFixtures(fixtures), 10);
    EXPECT_EQ(fixtures[0], nullptr);
    EXPECT_EQ(fixtures[7], ballFix);
    EXPECT_EQ(fixtures[8]->GetBody(), scene.getBodyByName("box"));
}

TEST_F(SceneLoadTest, MassDataIsAppliedAfterTheFixtures)
{
    auto world = loadFile(scene, "all_shapes.json", error);
    ASSERT_NE(world, nullptr) << error;
    b2Body* box = scene.getBodyByName("box");
    EXPECT_FLOAT_EQ(box->GetMass(), 4.0f);
    EXPECT_FLOAT_EQ(box->GetInertia(), 2.0f);
    // Without mass keys a dynamic body ends with mass 1 and no rotational inertia,
    // whatever its fixtures' densities (here pi / 4).
    b2Body* ball = scene.getBodyByName("ball");
    EXPECT_FLOAT_EQ(ball->GetMass(), 1.0f);
    EXPECT_FLOAT_EQ(ball->GetInertia(), 0.0f);
    EXPECT_FLOAT_EQ(scene.getBodyByName("ground")->GetMass(), 0.0f);
}

TEST_F(SceneLoadTest, EmptyAndMinimalScenes)
{
    auto world = loadText(scene, "{}", error);
    ASSERT_NE(world, nullptr) << error;
    EXPECT_EQ(world->GetBodyCount(), 0);
    EXPECT_EQ(world->GetGravity(), b2Vec2(0.0f, 0.0f));
    EXPECT_FALSE(world->GetAllowSleeping()); // a missing world flag switches it off

    B2Scene second;
    auto again = loadText(second, R"({"body": [{"type": 2}, null, {"type": 2}]})", error);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetBodyCount(), 1); // a null element ends the list
}

TEST_F(SceneLoadTest, ExistingWorldKeepsGravityButTakesTheFlags)
{
    b2World world(b2Vec2(0.0f, -5.0f));
    world.SetAllowSleeping(true);
    world.SetWarmStarting(true);
    b2World* result = scene.readFromString(R"({"gravity": {"x": 3, "y": 3}, "warmStarting": true,
        "body": [{"type": 2}]})",
        error, &world);
    EXPECT_EQ(result, &world);
    EXPECT_EQ(world.GetGravity(), b2Vec2(0.0f, -5.0f));
    EXPECT_FALSE(world.GetAllowSleeping());
    EXPECT_TRUE(world.GetWarmStarting());
    EXPECT_EQ(world.GetBodyCount(), 1);
}

TEST_F(SceneLoadTest, EveryJointType)
{
    auto world = loadFile(scene, "all_joints.json", error);
    ASSERT_NE(world, nullptr) << error;
    EXPECT_EQ(world->GetJointCount(), 14);
    std::vector<b2Joint*> all;
    ASSERT_EQ(scene.getAllJoints(all), 14);
    // Creation order: every other joint in file order, then the gears.
    EXPECT_EQ(all[0], scene.getJointByName("axle"));
    EXPECT_EQ(all[11], scene.getJointByName("axle2"));
    EXPECT_EQ(all[12], scene.getJointByName("gearFront"));
    EXPECT_EQ(all[13], scene.getJointByName("gearBack"));

    auto* gearFront = dynamic_cast<b2GearJoint*>(scene.getJointByName("gearFront"));
    ASSERT_NE(gearFront, nullptr);
    EXPECT_EQ(gearFront->GetJoint1(), scene.getJointByName("axle"));
    EXPECT_EQ(gearFront->GetJoint2(), scene.getJointByName("rail"));
    EXPECT_FLOAT_EQ(gearFront->GetRatio(), 2.0f);
    auto* gearBack = dynamic_cast<b2GearJoint*>(scene.getJointByName("gearBack"));
    ASSERT_NE(gearBack, nullptr);
    EXPECT_EQ(gearBack->GetJoint1(), scene.getJointByName("axle2"));

    auto* axle = dynamic_cast<b2RevoluteJoint*>(scene.getJointByName("axle"));
    ASSERT_NE(axle, nullptr);
    EXPECT_EQ(axle->GetBodyA(), scene.getBodyByName("ground"));
    EXPECT_EQ(axle->GetBodyB(), scene.getBodyByName("wheelA"));
    EXPECT_EQ(axle->GetLocalAnchorA(), b2Vec2(0.0f, 1.0f));
    EXPECT_EQ(axle->GetReferenceAngle(), 0.1f); // hex 3DCCCCCD is the float nearest 0.1
    EXPECT_TRUE(axle->IsLimitEnabled());
    EXPECT_FLOAT_EQ(axle->GetLowerLimit(), -0.25f);
    EXPECT_FLOAT_EQ(axle->GetUpperLimit(), 1.25f);
    EXPECT_TRUE(axle->IsMotorEnabled());
    EXPECT_FLOAT_EQ(axle->GetMotorSpeed(), 2.0f);
    EXPECT_FLOAT_EQ(axle->GetMaxMotorTorque(), 10.0f);

    auto* rail = dynamic_cast<b2PrismaticJoint*>(scene.getJointByName("rail"));
    ASSERT_NE(rail, nullptr);
    EXPECT_EQ(rail->GetLocalAxisA(), b2Vec2(1.0f, 0.0f)); // from "localAxis1"
    EXPECT_FLOAT_EQ(rail->GetMaxMotorForce(), 40.0f);

    auto* rod = dynamic_cast<b2DistanceJoint*>(scene.getJointByName("rod"));
    ASSERT_NE(rod, nullptr);
    EXPECT_TRUE(rod->GetCollideConnected());
    // Without a spring the length is held rigidly, as in Box2D 2.3.
    EXPECT_FLOAT_EQ(rod->GetMinLength(), 3.0f);
    EXPECT_FLOAT_EQ(rod->GetMaxLength(), 3.0f);
    EXPECT_FLOAT_EQ(rod->GetStiffness(), 0.0f);

    auto* pulley = dynamic_cast<b2PulleyJoint*>(scene.getJointByName("pulley"));
    ASSERT_NE(pulley, nullptr);
    EXPECT_FLOAT_EQ(pulley->GetRatio(), 1.5f);
    EXPECT_EQ(pulley->GetGroundAnchorB(), b2Vec2(3.0f, 10.0f));

    auto* drag = dynamic_cast<b2MouseJoint*>(scene.getJointByName("drag"));
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(drag->GetTarget(), b2Vec2(1.0f, 5.0f));
    EXPECT_EQ(drag->GetAnchorB(), b2Vec2(0.0f, 4.0f));
    EXPECT_FLOAT_EQ(drag->GetMaxForce(), 100.0f);

    auto* motor = dynamic_cast<b2MotorJoint*>(scene.getJointByName("motor"));
    ASSERT_NE(motor, nullptr);
    EXPECT_EQ(motor->GetLinearOffset(), b2Vec2(1.0f, 0.0f));
    EXPECT_FLOAT_EQ(motor->GetAngularOffset(), 0.5f);
    EXPECT_FLOAT_EQ(motor->GetCorrectionFactor(), 0.25f);
    EXPECT_FLOAT_EQ(motor->GetMaxTorque(), 30.0f);

    auto* friction = dynamic_cast<b2FrictionJoint*>(scene.getJointByName("friction"));
    ASSERT_NE(friction, nullptr);
    EXPECT_FLOAT_EQ(friction->GetMaxForce(), 5.0f);
    EXPECT_FLOAT_EQ(friction->GetMaxTorque(), 6.0f);
}

TEST_F(SceneLoadTest, RopeBecomesADistanceJointWithAMaximumLength)
{
    auto world = loadFile(scene, "all_joints.json", error);
    ASSERT_NE(world, nullptr) << error;
    auto* rope = dynamic_cast<b2DistanceJoint*>(scene.getJointByName("rope"));
    ASSERT_NE(rope, nullptr);
    EXPECT_FLOAT_EQ(rope->GetMaxLength(), 7.0f);
    EXPECT_LT(rope->GetMinLength(), 0.01f);
    EXPECT_FLOAT_EQ(rope->GetStiffness(), 0.0f);

    // Pulled apart, the bodies stop at the rope's length; pushed together they do not.
    b2Body* a = scene.getBodyByName("wheelA");
    b2Body* b = scene.getBodyByName("slider");
    std::vector<b2Joint*> all;
    scene.getAllJoints(all);
    for (b2Joint* joint : all)
        if (joint != rope)
            world->DestroyJoint(joint);
    world->SetGravity(b2Vec2(0.0f, 0.0f));
    b->SetTransform(b2Vec2(5.0f, 1.0f), 0.0f);
    b->SetLinearVelocity(b2Vec2(20.0f, 0.0f));
    for (int i = 0; i < 120; ++i)
        world->Step(1.0f / 60.0f, 8, 3);
    EXPECT_LT(b2Distance(a->GetPosition(), b->GetPosition()), 7.1f);
}

TEST_F(SceneLoadTest, SpringsBecomeStiffnessAndDamping)
{
    auto world = loadFile(scene, "all_joints.json", error);
    ASSERT_NE(world, nullptr) << error;
    const float twoPi = 2.0f * Pi;
    // Linear springs: k = m w^2 and c = 2 m zeta w with m the reduced mass of the bodies.
    auto* spring = dynamic_cast<b2DistanceJoint*>(scene.getJointByName("spring"));
    ASSERT_NE(spring, nullptr);
    const float massSpring = 2.0f * 6.0f / (2.0f + 6.0f); // wheelB 2, arm 6
    const float w = twoPi * 4.0f;
    EXPECT_NEAR(spring->GetStiffness(), massSpring * w * w, 1e-3f * massSpring * w * w);
    EXPECT_NEAR(spring->GetDamping(), 2.0f * massSpring * 0.5f * w, 1e-3f);
    EXPECT_FLOAT_EQ(spring->GetMinLength(), b2_linearSlop); // free to stretch
    EXPECT_GT(spring->GetMaxLength(), 1e30f);

    auto* wheel = dynamic_cast<b2WheelJoint*>(scene.getJointByName("suspension"));
    ASSERT_NE(wheel, nullptr);
    const float massWheel = 4.0f * 2.0f / (4.0f + 2.0f);
    EXPECT_NEAR(wheel->GetStiffness(), massWheel * w * w, 1e-3f * massWheel * w * w);
    EXPECT_NEAR(wheel->GetDamping(), 2.0f * massWheel * 0.75f * w, 1e-3f);

    auto* drag = dynamic_cast<b2MouseJoint*>(scene.getJointByName("drag"));
    const float wd = twoPi * 5.0f; // ground is static: the arm's mass alone
    EXPECT_NEAR(drag->GetStiffness(), 6.0f * wd * wd, 1e-3f * 6.0f * wd * wd);
    EXPECT_NEAR(drag->GetDamping(), 2.0f * 6.0f * 0.75f * wd, 1e-2f);

    // The weld spring is angular: the bodies' rotational inertias about their centres.
    auto* weld = dynamic_cast<b2WeldJoint*>(scene.getJointByName("weld"));
    ASSERT_NE(weld, nullptr);
    const float inertia = 2.0f * 3.0f / (2.0f + 3.0f);
    const float ww = twoPi * 2.0f;
    EXPECT_NEAR(weld->GetStiffness(), inertia * ww * ww, 1e-3f * inertia * ww * ww);
    EXPECT_NEAR(weld->GetDamping(), 2.0f * inertia * 0.125f * ww, 1e-3f);
    EXPECT_FLOAT_EQ(weld->GetReferenceAngle(), 0.25f);
}

TEST_F(SceneLoadTest, NameLookups)
{
    auto world = loadText(scene, R"({"body": [{"name": "Rail", "type": 2}, {"name": "Rail", "type": 2},
        {"name": "other"}]})",
        error);
    ASSERT_NE(world, nullptr);
    std::vector<b2Body*> all;
    scene.getAllBodies(all);
    ASSERT_EQ(all.size(), 3u);
    b2Body* lower = std::min(all[0], all[1]);
    EXPECT_EQ(scene.getBodyByName("Rail"), lower);
    std::vector<b2Body*> found{all[2]};
    EXPECT_EQ(scene.getBodiesByName("Rail", found), 3);
    EXPECT_EQ(found[0], all[2]);
    EXPECT_EQ(found[1], lower);
    EXPECT_EQ(scene.getBodyByName("rail"), nullptr);
    EXPECT_EQ(scene.getBodyName(all[2]), "other");

    // getAllBodies puts the loaded bodies in front of what the vector held.
    b2Body* extra = all[2];
    std::vector<b2Body*> front{extra};
    EXPECT_EQ(scene.getAllBodies(front), 4);
    EXPECT_EQ(front[0], all[0]);
    EXPECT_EQ(front[3], extra);

    scene.setBodyName(all[2], "renamed");
    EXPECT_EQ(scene.getBodyByName("renamed"), all[2]);
    EXPECT_EQ(scene.getBodyByName("other"), nullptr);
}

TEST_F(SceneLoadTest, FailuresReportThroughTheMessage)
{
    error = "earlier";
    EXPECT_EQ(scene.readFromFile(nullptr, error), nullptr);
    EXPECT_EQ(error, "earlier");
    EXPECT_EQ(scene.readFromFile("/nonexistent/scene.json", error), nullptr);
    EXPECT_EQ(error, "Could not open file '/nonexistent/scene.json' for reading");
    EXPECT_EQ(scene.readFromString("{ \"body\": [ ", error), nullptr);
    EXPECT_EQ(error.rfind("Failed to parse JSON:\n", 0), 0u);

    // Success leaves an earlier message in place.
    error = "kept";
    auto world = loadText(scene, "{}", error);
    EXPECT_NE(world, nullptr);
    EXPECT_EQ(error, "kept");
}

TEST_F(SceneLoadTest, DeepNestingIsAParseErrorNotACrash)
{
    const std::string deep(100000, '[');
    EXPECT_EQ(scene.readFromString(deep, error), nullptr);
    EXPECT_FALSE(error.empty());
}
