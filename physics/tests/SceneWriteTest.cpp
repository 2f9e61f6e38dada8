#include "SceneTestSupport.hpp"
#include "physics/B2Mirror.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

using namespace scenetest;

namespace
{
Json::Value parse(const std::string& text)
{
    Json::Value root;
    Json::Reader reader;
    EXPECT_TRUE(reader.parse(text, root, true));
    return root;
}

/// Loads `text` into a fresh scene and writes it again.
std::string rewrite(const std::string& text, bool human)
{
    B2Scene scene(human);
    std::string error;
    auto world = loadText(scene, text, error);
    EXPECT_NE(world, nullptr) << error;
    return world ? scene.writeToString(world.get()) : std::string();
}

std::string fileText(const char* name)
{
    std::ifstream stream(dataPath(name));
    std::stringstream buffer;
    buffer << stream.rdbuf();
    return buffer.str();
}

const Json::Value* findByName(const Json::Value& list, const std::string& name)
{
    for (const Json::Value& item : list)
        if (item["name"].asString() == name)
            return &item;
    return nullptr;
}
} // namespace

TEST(SceneWriteTest, NullArguments)
{
    B2Scene scene;
    EXPECT_TRUE(scene.writeToValue(nullptr).isNull());
    EXPECT_EQ(scene.writeToString(nullptr), "");
    b2World world(b2Vec2(0, 0));
    EXPECT_FALSE(scene.writeToFile(nullptr, "x.json"));
    EXPECT_FALSE(scene.writeToFile(&world, nullptr));
}

TEST(SceneWriteTest, RoundTripsSettleOnTheSameText)
{
    // Box2D lists bodies, fixtures and joints newest first, so one round trip reverses
    // them and a second restores the first text exactly.
    for (const char* file : {"all_shapes.json", "all_joints.json"})
        for (bool human : {false, true})
        {
            const std::string first = rewrite(fileText(file), human);
            const std::string second = rewrite(first, human);
            const std::string third = rewrite(second, human);
            EXPECT_FALSE(first.empty());
            EXPECT_EQ(third, first) << file << (human ? " human" : " hex");
            EXPECT_EQ(parse(second)["body"].size(), parse(first)["body"].size());
        }
}

TEST(SceneWriteTest, WritingTheSameWorldTwiceGivesTheSameText)
{
    B2Scene scene;
    std::string error;
    auto world = loadFile(scene, "all_joints.json", error);
    ASSERT_NE(world, nullptr) << error;
    const std::string once = scene.writeToString(world.get());
    EXPECT_EQ(scene.writeToString(world.get()), once);
    // The writer's index tables are empty between writes.
    EXPECT_EQ(scene.lookupBodyIndex(scene.getBodyByName("ground")), -1);
    EXPECT_EQ(scene.lookupJointIndex(scene.getJointByName("axle")), -1);
}

TEST(SceneWriteTest, BodiesComeOutNewestFirst)
{
    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    b2Body* a = world.CreateBody(&def);
    def.type = b2_dynamicBody;
    b2Body* b = world.CreateBody(&def);
    b2WeldJointDef weld;
    weld.bodyA = a;
    weld.bodyB = b;
    world.CreateJoint(&weld);
    B2Scene scene;
    scene.setBodyName(a, "A");
    scene.setBodyName(b, "B");
    const Json::Value value = scene.writeToValue(&world);
    ASSERT_EQ(value["body"].size(), 2u);
    EXPECT_EQ(value["body"][0]["name"].asString(), "B");
    EXPECT_EQ(value["body"][1]["name"].asString(), "A");
    EXPECT_EQ(value["joint"][0]["bodyA"].asInt(), 1);
    EXPECT_EQ(value["joint"][0]["bodyB"].asInt(), 0);
    const std::string text = scene.writeToString(&world);
    EXPECT_NE(text.find("\"type\" : 2 //dynamic"), std::string::npos) << text;
    EXPECT_NE(text.find("\"type\" : 0 //static"), std::string::npos);
}

TEST(SceneWriteTest, GearJointsFollowTheJointsTheyLink)
{
    b2World world(b2Vec2(0, 0));
    b2Body* ground = velk_test::addBody(world, b2_staticBody);
    b2Body* wheel = velk_test::addBody(world, b2_dynamicBody, b2Vec2(0, 0), 1.0f);
    b2Body* slider = velk_test::addBody(world, b2_dynamicBody, b2Vec2(0, 0), 1.0f);
    b2PrismaticJointDef prismaticDef;
    prismaticDef.Initialize(ground, slider, b2Vec2(0, 0), b2Vec2(1, 0));
    b2Joint* prismatic = world.CreateJoint(&prismaticDef);
    b2Joint* revolute = velk_test::addRevoluteJoint(world, ground, wheel, b2Vec2(0, 0));
    b2GearJointDef gearDef;
    gearDef.bodyA = wheel;
    gearDef.bodyB = slider;
    gearDef.joint1 = revolute;
    gearDef.joint2 = prismatic;
    gearDef.ratio = 1.0f;
    world.CreateJoint(&gearDef); // the joint list is now [gear, revolute, prismatic]

    B2Scene scene;
    const Json::Value value = scene.writeToValue(&world);
    ASSERT_EQ(value["joint"].size(), 3u);
    EXPECT_EQ(value["joint"][0]["type"].asString(), "revolute");
    EXPECT_EQ(value["joint"][1]["type"].asString(), "prismatic");
    EXPECT_EQ(value["joint"][2]["type"].asString(), "gear");
    EXPECT_EQ(value["joint"][2]["joint1"].asInt(), 0);
    EXPECT_EQ(value["joint"][2]["joint2"].asInt(), 1);
    // A gear ratio of 1 is a real number; other floats of 1 are the integer 1.
    EXPECT_EQ(value["joint"][2]["ratio"].type(), Json::realValue);
    EXPECT_EQ(value["joint"][1]["localAxisA"]["x"].type(), Json::intValue);
    EXPECT_FALSE(value["joint"][1].isMember("localAxis1"));
    EXPECT_TRUE(value["joint"][0].isMember("jointSpeed"));
    EXPECT_TRUE(value["joint"][0].isMember("enableLimit"));
}

TEST(SceneWriteTest, EveryJointTypeWritesItsOwnKeys)
{
    B2Scene scene;
    std::string error;
    auto world = loadFile(scene, "all_joints.json", error);
    ASSERT_NE(world, nullptr) << error;
    const Json::Value value = scene.writeToValue(world.get());
    const Json::Value& joints = value["joint"];
    ASSERT_EQ(joints.size(), 14u);
    EXPECT_EQ(joints[12]["type"].asString(), "gear");
    EXPECT_EQ(joints[13]["type"].asString(), "gear");

    // The rope comes back as a rope, with its maximum length.
    const Json::Value* rope = findByName(joints, "rope");
    ASSERT_NE(rope, nullptr);
    EXPECT_EQ((*rope)["type"].asString(), "rope");
    EXPECT_EQ(B2Scene::hexToFloat((*rope)["maxLength"].asString()), 7.0f);

    // Spring values come back as the file gave them, not recomputed from stiffness.
    const Json::Value* spring = findByName(joints, "spring");
    ASSERT_NE(spring, nullptr);
    EXPECT_EQ((*spring)["type"].asString(), "distance");
    EXPECT_EQ(B2Scene::hexToFloat((*spring)["frequency"].asString()), 4.0f);
    EXPECT_EQ(B2Scene::hexToFloat((*spring)["dampingRatio"].asString()), 0.5f);
    const Json::Value* weld = findByName(joints, "weld");
    EXPECT_EQ(B2Scene::hexToFloat((*weld)["frequency"].asString()), 2.0f);
    EXPECT_EQ(B2Scene::hexToFloat((*weld)["dampingRatio"].asString()), 0.125f);
    const Json::Value* wheel = findByName(joints, "suspension");
    EXPECT_EQ(B2Scene::hexToFloat((*wheel)["springFrequency"].asString()), 4.0f);
    EXPECT_EQ(B2Scene::hexToFloat((*wheel)["springDampingRatio"].asString()), 0.75f);
    const Json::Value* rod = findByName(joints, "rod");
    EXPECT_EQ((*rod)["frequency"].asInt(), 0);
    EXPECT_TRUE((*rod)["collideConnected"].asBool());

    const Json::Value* motor = findByName(joints, "motor");
    ASSERT_NE(motor, nullptr);
    // The linear offset and correction factor are written where the loader reads
    // them, so the joint survives the round trip.
    EXPECT_EQ((*motor)["anchorA"]["x"].asInt(), 1);
    EXPECT_EQ((*motor)["anchorA"]["y"].asInt(), 0);
    EXPECT_EQ((*motor)["anchorB"].asInt(), 0);
    EXPECT_EQ(B2Scene::hexToFloat((*motor)["refAngle"].asString()), 0.5f);
    EXPECT_EQ(B2Scene::hexToFloat((*motor)["correctionFactor"].asString()), 0.25f);
    B2Scene reader;
    auto copy = loadText(reader, scene.writeToString(world.get()), error);
    ASSERT_NE(copy, nullptr) << error;
    auto* motorCopy = dynamic_cast<b2MotorJoint*>(reader.getJointByName("motor"));
    ASSERT_NE(motorCopy, nullptr);
    EXPECT_EQ(motorCopy->GetLinearOffset(), b2Vec2(1.0f, 0.0f));
    EXPECT_EQ(motorCopy->GetCorrectionFactor(), 0.25f);
    EXPECT_EQ(motorCopy->GetAngularOffset(), 0.5f);
    EXPECT_EQ(motorCopy->GetMaxForce(), 50.0f);

    const Json::Value* drag = findByName(joints, "drag");
    EXPECT_EQ((*drag)["anchorB"]["y"].asString(), B2Scene::floatToHex(4.0f)); // a world point
    EXPECT_EQ((*drag)["target"]["x"].asInt(), 1);

    const Json::Value* pulley = findByName(joints, "pulley");
    EXPECT_EQ(B2Scene::hexToFloat((*pulley)["lengthA"].asString()), 9.0f);
    EXPECT_EQ(B2Scene::hexToFloat((*pulley)["ratio"].asString()), 1.5f);

    // Gear indices are positions in the written array.
    for (unsigned g : {12u, 13u})
    {
        const int j1 = joints[g]["joint1"].asInt();
        const int j2 = joints[g]["joint2"].asInt();
        ASSERT_TRUE(j1 >= 0 && j1 < 12 && j2 >= 0 && j2 < 12);
        EXPECT_EQ(joints[j2]["name"].asString(), "rail");
        EXPECT_EQ(joints[j1]["name"].asString(), joints[g]["name"].asString() == "gearFront" ? "axle" : "axle2");
    }
}

TEST(SceneWriteTest, SpringsMadeInCodeAreWrittenFromTheirStiffness)
{
    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2Body* a = world.CreateBody(&def);
    def.position.Set(2, 0);
    b2Body* b = world.CreateBody(&def);
    b2CircleShape circle;
    circle.m_radius = 0.5f;
    a->CreateFixture(&circle, 1);
    b->CreateFixture(&circle, 3);
    b2DistanceJointDef distance;
    distance.Initialize(a, b, a->GetPosition(), b->GetPosition());
    b2LinearStiffness(distance.stiffness, distance.damping, 3.0f, 0.4f, a, b);
    world.CreateJoint(&distance);
    B2Scene scene(true);
    const Json::Value value = scene.writeToValue(&world);
    EXPECT_EQ(value["joint"][0]["type"].asString(), "distance");
    EXPECT_NEAR(value["joint"][0]["frequency"].asFloat(), 3.0f, 1e-4f);
    EXPECT_NEAR(value["joint"][0]["dampingRatio"].asFloat(), 0.4f, 1e-4f);
}

TEST(SceneWriteTest, ShapesAndTheirGhostVertices)
{
    B2Scene scene;
    std::string error;
    auto world = loadFile(scene, "all_shapes.json", error);
    ASSERT_NE(world, nullptr) << error;
    const Json::Value value = scene.writeToValue(world.get());
    const Json::Value* ground = findByName(value["body"], "ground");
    ASSERT_NE(ground, nullptr);
    const Json::Value& fixtures = (*ground)["fixture"];

    const Json::Value& floor = (*findByName(fixtures, "floor"))["edge"];
    EXPECT_FALSE(floor.isMember("hasVertex0"));
    EXPECT_FALSE(floor.isMember("hasVertex3"));
    const Json::Value& half = (*findByName(fixtures, "halfSmooth"))["edge"];
    EXPECT_TRUE(half["hasVertex0"].asBool());
    EXPECT_EQ(B2Scene::hexToFloat(half["vertex0"]["x"].asString()), 10.0f);
    EXPECT_FALSE(half.isMember("hasVertex3"));
    const Json::Value& smooth = (*findByName(fixtures, "smoothFloor"))["edge"];
    EXPECT_TRUE(smooth["hasVertex0"].asBool());
    EXPECT_TRUE(smooth["hasVertex3"].asBool());

    const Json::Value& terrain = (*findByName(fixtures, "terrain"))["chain"];
    EXPECT_FALSE(terrain.isMember("hasPrevVertex"));
    EXPECT_EQ(terrain["vertices"]["x"].size(), 3u);
    const Json::Value& ledge = (*findByName(fixtures, "ledge"))["chain"];
    EXPECT_TRUE(ledge["hasPrevVertex"].asBool());
    EXPECT_TRUE(ledge["hasNextVertex"].asBool());

    // A loop is written as a chain: first point repeated at the end, both ghosts set.
    const Json::Value* pen = findByName(fixtures, "pen");
    ASSERT_NE(pen, nullptr);
    EXPECT_FALSE(pen->isMember("loop"));
    const Json::Value& chain = (*pen)["chain"];
    ASSERT_EQ(chain["vertices"]["x"].size(), 5u);
    EXPECT_EQ(chain["vertices"]["x"][4], chain["vertices"]["x"][0]);
    EXPECT_EQ(chain["vertices"]["y"][4], chain["vertices"]["y"][0]);
    EXPECT_TRUE(chain["hasPrevVertex"].asBool());
    EXPECT_TRUE(chain["hasNextVertex"].asBool());

    const Json::Value* box = findByName(value["body"], "box");
    EXPECT_EQ((*box)["massData-mass"].asString(), B2Scene::floatToHex(4.0f));
    EXPECT_EQ((*box)["massData-I"].asString(), B2Scene::floatToHex(2.0f));
    EXPECT_FALSE(box->isMember("gravityScale"));
    const Json::Value& boxFix = (*findByName((*box)["fixture"], "boxFix"));
    EXPECT_EQ(boxFix["filter-maskBits"].asInt(), 65533);
    EXPECT_EQ(boxFix["polygon"]["vertices"]["x"].size(), 4u);
    const Json::Value* sleeper = findByName(value["body"], "sleeper");
    EXPECT_FALSE((*sleeper)["active"].asBool());
    EXPECT_FALSE((*sleeper)["allowSleep"].asBool());
}

TEST(SceneWriteTest, ZeroAndPlainPositions)
{
    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    def.position.Set(0.5f, 0.0f);
    world.CreateBody(&def);
    def.position.SetZero();
    world.CreateBody(&def);
    B2Scene scene;
    const Json::Value value = scene.writeToValue(&world);
    EXPECT_TRUE(value["body"][0]["position"].isInt());
    EXPECT_EQ(value["body"][1]["position"]["x"].asString(), "3F000000");
    EXPECT_EQ(value["body"][1]["position"]["y"].asInt(), 0);
}

TEST(SceneWriteTest, MassDataIsAboutTheBodyOrigin)
{
    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2Body* body = world.CreateBody(&def);
    b2PolygonShape box;
    box.SetAsBox(1, 1, b2Vec2(2, 0), 0);
    body->CreateFixture(&box, 1);
    B2Scene scene(true);
    const Json::Value value = scene.writeToValue(&world);
    // A 2x2 box of density 1 centred at (2, 0): mass 4, I about its centre 8/3,
    // and 4 * 2^2 more about the origin.
    EXPECT_NEAR(value["body"][0]["massData-mass"].asFloat(), 4.0f, 1e-5f);
    EXPECT_NEAR(value["body"][0]["massData-I"].asFloat(), 8.0f / 3.0f + 16.0f, 1e-4f);
    EXPECT_NEAR(value["body"][0]["massData-center"]["x"].asFloat(), 2.0f, 1e-6f);

    // Loading it back gives the same mass and inertia.
    B2Scene again;
    std::string error;
    auto copy = loadText(again, scene.writeToString(&world), error);
    ASSERT_NE(copy, nullptr) << error;
    EXPECT_NEAR(copy->GetBodyList()->GetInertia(), body->GetInertia(), 1e-4f);
    EXPECT_NEAR(copy->GetBodyList()->GetMass(), body->GetMass(), 1e-5f);
}

TEST(SceneWriteTest, FilesAreWrittenWholeOrNotAtAll)
{
    velk_test::LogCapture logs;
    B2Scene scene;
    std::string error;
    auto world = loadFile(scene, "all_shapes.json", error);
    ASSERT_NE(world, nullptr) << error;
    const velk_test::TempFolder temp;
    const std::string path = (temp / "written.json").string();
    ASSERT_TRUE(scene.writeToFile(world.get(), path.c_str()));
    EXPECT_EQ(temp.names(), std::vector<std::string>{"written.json"}) << "no temporary file may stay behind";
    B2Scene reader;
    std::unique_ptr<b2World> copy(reader.readFromFile(path.c_str(), error));
    ASSERT_NE(copy, nullptr) << error;
    EXPECT_EQ(reader.writeToString(copy.get()), rewrite(scene.writeToString(world.get()), false));

    logs.clear();
    EXPECT_FALSE(scene.writeToFile(world.get(), "/nonexistent/folder/scene.json"));
    EXPECT_EQ(logs.text(), "Could not open file /nonexistent/folder/scene.json for writing\n");
}

TEST(SceneWriteTest, OneLoadAndWriteListsEverythingNewestFirst)
{
    // Box2D keeps bodies, fixtures and joints newest first, and the writer walks those
    // lists: the file's order comes out reversed, with gears after every other joint
    // and every index renumbered to the written positions.
    const std::string text = R"({"body": [
        {"name": "b0", "type": 0},
        {"name": "b1", "type": 2, "fixture": [
            {"name": "f0", "circle": {"radius": 1}}, {"name": "f1", "circle": {"radius": 2}}]},
        {"name": "b2", "type": 2}],
      "joint": [
        {"type": "gear", "name": "g", "bodyA": 1, "bodyB": 2, "joint1": 0, "joint2": 1, "ratio": 3},
        {"type": "revolute", "name": "j0", "bodyA": 0, "bodyB": 1},
        {"type": "prismatic", "name": "j1", "bodyA": 0, "bodyB": 2, "localAxisA": {"x": 1, "y": 0}},
        {"type": "weld", "name": "j2", "bodyA": 1, "bodyB": 2}]})";
    B2Scene scene;
    std::string error;
    auto world = loadText(scene, text, error);
    ASSERT_NE(world, nullptr) << error;
    const Json::Value value = scene.writeToValue(world.get());

    const Json::Value& bodies = value["body"];
    ASSERT_EQ(bodies.size(), 3u);
    EXPECT_EQ(bodies[0]["name"].asString(), "b2");
    EXPECT_EQ(bodies[1]["name"].asString(), "b1");
    EXPECT_EQ(bodies[2]["name"].asString(), "b0");
    ASSERT_EQ(bodies[1]["fixture"].size(), 2u);
    EXPECT_EQ(bodies[1]["fixture"][0]["name"].asString(), "f1");
    EXPECT_EQ(bodies[1]["fixture"][1]["name"].asString(), "f0");

    const Json::Value& joints = value["joint"];
    ASSERT_EQ(joints.size(), 4u);
    EXPECT_EQ(joints[0]["name"].asString(), "j2");
    EXPECT_EQ(joints[1]["name"].asString(), "j1");
    EXPECT_EQ(joints[2]["name"].asString(), "j0");
    EXPECT_EQ(joints[3]["name"].asString(), "g");
    // File body 0 is written last (2), file body 2 first (0).
    EXPECT_EQ(joints[2]["bodyA"].asInt(), 2);
    EXPECT_EQ(joints[2]["bodyB"].asInt(), 1);
    EXPECT_EQ(joints[1]["bodyB"].asInt(), 0);
    // The gear linked file joints j0 and j1, now at positions 2 and 1.
    EXPECT_EQ(joints[3]["joint1"].asInt(), 2);
    EXPECT_EQ(joints[3]["joint2"].asInt(), 1);
}

TEST(SceneWriteTest, RopesAreTheJointsLoadedAsRopes)
{
    // A rope shorter than Box2D's slop, which Box2D stores with equal minimum and
    // maximum lengths, like a rigid distance joint.
    B2Scene scene;
    std::string error;
    auto world = loadText(scene, R"({ "body" : [ { "type" : 2, "name" : "Győző" }, { "type" : 2 } ],
        "joint" : [ { "type" : "rope", "name" : "kötél", "bodyA" : 0, "bodyB" : 1, "maxLength" : 0.001 } ] })",
        error);
    ASSERT_NE(world, nullptr) << error;
    b2Body* gyozo = scene.getBodyByName("Győző");
    b2Joint* rope = scene.getJointByName("kötél");
    // A distance joint made in code with a range of lengths, as a rope would have.
    b2DistanceJointDef def;
    def.Initialize(gyozo, scene.lookupBodyFromIndex(1), b2Vec2(0.5f, 0.0f), b2Vec2(0.0f, 2.0f));
    def.minLength = 1.0f;
    def.maxLength = 3.0f;
    b2Joint* ranged = world->CreateJoint(&def);

    const Json::Value joints = scene.writeToValue(world.get())["joint"];
    ASSERT_EQ(joints.size(), 2u);
    const Json::Value* written = findByName(joints, "kötél");
    ASSERT_NE(written, nullptr);
    EXPECT_EQ((*written)["type"].asString(), "rope");
    EXPECT_EQ(B2Scene::hexToFloat((*written)["maxLength"].asString()), 0.001f);
    EXPECT_EQ(joints[written == &joints[0] ? 1 : 0]["type"].asString(), "distance");

    // Mirroring leaves the rope alone and rebuilds the other distance joint.
    EXPECT_EQ(joint2jointDef(gyozo, rope, &scene), nullptr);
    EXPECT_NE(joint2jointDef(gyozo, ranged, &scene), nullptr);
}
