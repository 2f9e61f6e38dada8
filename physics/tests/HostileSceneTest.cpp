#include "SceneTestSupport.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace scenetest;

namespace
{
class HostileSceneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        velk_test::LogCapture logs;
        world = loadFile(scene, "hostile.json", error);
        output = logs.text();
        ASSERT_NE(world, nullptr) << error;
    }

    bool printed(const char* line) const { return output.find(line) != std::string::npos; }

    B2Scene scene;
    std::string error;
    std::unique_ptr<b2World> world;
    std::string output;
};
} // namespace

TEST_F(HostileSceneTest, RefusedShapesAreSkippedAndTheRestLoads)
{
    EXPECT_EQ(world->GetBodyCount(), 3);
    b2Body* ground = scene.getBodyByName("ground");
    ASSERT_NE(ground, nullptr);
    // Only "good" and "negativeFriction" survive among the sixteen fixtures of the ground.
    EXPECT_EQ(fixtureCount(ground), 2);
    EXPECT_NE(scene.getFixtureByName("good"), nullptr);
    for (const char* name : {"nine", "collinear", "welded", "sliver", "notANumber", "farAway", "onePointChain",
             "repeatedChain", "shortLoop", "pointEdge", "negativeCircle", "infiniteCircle", "noShape", "nanFriction"})
        EXPECT_EQ(scene.getFixtureByName(name), nullptr) << name;
    EXPECT_TRUE(printed("Ignoring polygon fixture with too many vertices.\n"));
    EXPECT_TRUE(printed("Ignoring polygon fixture whose points have no proper convex hull.\n"));
    EXPECT_TRUE(printed("Ignoring chain fixture with fewer than two points or points too close together.\n"));
    EXPECT_TRUE(printed("Ignoring loop fixture with fewer than three points or points too close together.\n"));
    EXPECT_TRUE(printed("Ignoring edge fixture with invalid or too close vertices.\n"));
    EXPECT_TRUE(printed("Ignoring circle fixture with an invalid radius or centre.\n"));
    EXPECT_TRUE(printed("Ignoring fixture with a value that is not a finite number.\n"));
}

TEST_F(HostileSceneTest, NegativeFrictionAndDensityBecomeZero)
{
    const b2Fixture* friction = scene.getFixtureByName("negativeFriction");
    const b2Fixture* density = scene.getFixtureByName("negativeDensity");
    ASSERT_TRUE(friction != nullptr && density != nullptr);
    EXPECT_EQ(friction->GetFriction(), 0.0f);
    EXPECT_EQ(density->GetDensity(), 0.0f);
    EXPECT_EQ(density->GetShape()->m_radius, 1.0f);
    EXPECT_TRUE(printed("Using 0 for the negative friction of a fixture.\n"));
    EXPECT_TRUE(printed("Using 0 for the negative density of a fixture.\n"));
}

TEST_F(HostileSceneTest, BodyValuesBox2DWouldRefuseTakeDefaults)
{
    b2Body* odd = scene.getBodyByName("odd");
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->GetType(), b2_staticBody);
    EXPECT_EQ(odd->GetLinearDamping(), 0.0f);
    EXPECT_EQ(odd->GetAngularDamping(), 0.0f);
    EXPECT_EQ(odd->GetPosition(), b2Vec2(0.0f, 0.0f));
    EXPECT_TRUE(printed("Making a body of unknown type 7 static.\n"));
}

TEST_F(HostileSceneTest, MassThatWouldFailBox2DsCheckIsRefused)
{
    b2Body* heavy = scene.getBodyByName("heavy");
    ASSERT_NE(heavy, nullptr);
    // The tiny far circle would leave no inertia about the centre; the negative
    // density becomes 0 and adds no mass; the plain circle stays.
    EXPECT_EQ(fixtureCount(heavy), 2);
    EXPECT_NE(scene.getFixtureByName("body"), nullptr);
    // The mass data asks for I below m * |c|^2, so the fixtures' own mass stays: a
    // unit circle of density 1 weighs pi.
    EXPECT_NEAR(heavy->GetMass(), 3.14159265f, 1e-5f);
    EXPECT_TRUE(printed("Ignoring mass data of body 'heavy' that Box2D would refuse.\n"));
    world->Step(1.0f / 60.0f, 8, 3);
}

TEST_F(HostileSceneTest, RefusedJointsLeaveNullEntries)
{
    EXPECT_EQ(world->GetJointCount(), 3);
    std::vector<b2Joint*> all;
    ASSERT_EQ(scene.getAllJoints(all), 16);
    int made = 0;
    for (b2Joint* joint : all)
        made += joint != nullptr ? 1 : 0;
    EXPECT_EQ(made, 3);
    EXPECT_EQ(all[7], scene.getJointByName("weld"));
    EXPECT_EQ(all[8], scene.getJointByName("hinge"));
    EXPECT_EQ(all[9], scene.getJointByName("hingeToGround"));
    for (const char* name : {"farBody", "negativeBody", "selfWeld", "unknown", "upsideDown", "noRatio", "nanAnchor",
             "gearOnWeld", "gearOnMissing", "gearOutOfRange", "gearNegative", "gearNull", "gearOnStatic"})
        EXPECT_EQ(scene.getJointByName(name), nullptr) << name;
    EXPECT_TRUE(printed("Ignoring joint whose body index is out of range.\n"));
    EXPECT_TRUE(printed("Ignoring joint that connects a body with itself.\n"));
    EXPECT_TRUE(printed("Ignoring joint of unknown type 'spring'.\n"));
    EXPECT_TRUE(printed("Ignoring prismatic joint whose lower limit is above its upper limit.\n"));
    EXPECT_TRUE(printed("Ignoring pulley joint with a ratio of 0.\n"));
    EXPECT_TRUE(printed("Ignoring revolute joint with a value that is not a finite number.\n"));
    EXPECT_TRUE(printed("Ignoring gear joint whose joints are missing or neither revolute nor prismatic.\n"));
    EXPECT_TRUE(printed("Ignoring gear joint whose joints do not move a dynamic body B.\n"));
    for (int i = 0; i < 10; ++i)
        world->Step(1.0f / 60.0f, 8, 3);
}

TEST_F(HostileSceneTest, TheFileIsNamedOnceBeforeItsWarnings)
{
    // The warnings name no file, so a line of its own says which one it is.
    const std::string header = "While loading scene file '" + dataPath("hostile.json") + "':\n";
    EXPECT_EQ(output.find(header), 0u) << output;
    EXPECT_EQ(output.find(header, 1), std::string::npos) << output;

    // Text that is no file names none, also after a file was read; a file without
    // problems gives no line at all.
    velk_test::LogCapture logs;
    B2Scene other;
    auto fromText = loadText(other, R"({"body": [{"type": 7}]})", error);
    ASSERT_NE(fromText, nullptr) << error;
    auto again = loadText(scene, R"({"body": [{"type": 7}]})", error);
    ASSERT_NE(again, nullptr) << error;
    EXPECT_EQ(logs.lines(), std::vector<std::string>(2, "Making a body of unknown type 7 static."));
    logs.clear();
    auto clean = loadFile(other, "all_joints.json", error);
    ASSERT_NE(clean, nullptr) << error;
    EXPECT_EQ(logs.text(), "");
}

TEST(HostileSceneGearTest, GearIndicesCountFromThisLoadsJoints)
{
    // A second load into the same scene: gear positions name this file's joints, not
    // those of the first load (which the world may have destroyed since).
    B2Scene scene;
    std::string error;
    b2World world(b2Vec2(0.0f, 0.0f));
    const char* first = R"({"body": [{}, {"type": 2}], "joint": [{"type": "weld", "bodyA": 0, "bodyB": 1}]})";
    ASSERT_NE(scene.readFromString(first, error, &world), nullptr);
    world.DestroyJoint(world.GetJointList());
    const char* second = R"({"body": [{}, {"type": 2}, {"type": 2}], "joint": [
        {"type": "gear", "bodyA": 1, "bodyB": 2, "joint1": 0, "joint2": 1, "ratio": 1},
        {"type": "revolute", "name": "r", "bodyA": 0, "bodyB": 1},
        {"type": "prismatic", "name": "p", "bodyA": 0, "bodyB": 2, "localAxisA": {"x": 1, "y": 0}}]})";
    ASSERT_NE(scene.readFromString(second, error, &world), nullptr);
    EXPECT_EQ(world.GetJointCount(), 3);
    auto* gear = dynamic_cast<b2GearJoint*>(world.GetJointList());
    ASSERT_NE(gear, nullptr);
    EXPECT_EQ(gear->GetJoint1(), scene.getJointByName("r"));
    EXPECT_EQ(gear->GetJoint2(), scene.getJointByName("p"));
}

TEST(HostileSceneGearTest, GearWithoutAReferenceLinksNothing)
{
    velk_test::LogCapture logs;
    // Joint 0 is a revolute joint a gear could link; a missing or null reference
    // must not be taken as position 0.
    B2Scene scene;
    std::string error;
    logs.clear();
    auto world = loadText(scene, R"({"body": [{}, {"type": 2}, {"type": 2}], "joint": [
        {"type": "revolute", "bodyA": 0, "bodyB": 1},
        {"type": "revolute", "bodyA": 0, "bodyB": 2},
        {"type": "gear", "name": "nullFirst", "bodyA": 1, "bodyB": 2, "joint1": null, "joint2": 1},
        {"type": "gear", "name": "noSecond", "bodyA": 1, "bodyB": 2, "joint1": 1},
        {"type": "gear", "name": "linked", "bodyA": 1, "bodyB": 2, "joint1": 0, "joint2": 1}]})",
        error);
    const std::string output = logs.text();
    ASSERT_NE(world, nullptr) << error;
    EXPECT_EQ(scene.getJointByName("nullFirst"), nullptr);
    EXPECT_EQ(scene.getJointByName("noSecond"), nullptr);
    EXPECT_NE(scene.getJointByName("linked"), nullptr);
    EXPECT_EQ(world->GetJointCount(), 3);
    EXPECT_NE(output.find("Ignoring gear joint whose joints are missing or neither revolute nor prismatic.\n"),
        std::string::npos);
}
