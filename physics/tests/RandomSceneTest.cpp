#include "physics/B2Mirror.hpp"

#include "SceneTestSupport.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <random>

using namespace scenetest;

namespace
{
/// Builds scenes of random shapes and joints, many of them degenerate: tiny and
/// collinear outlines, repeated points, huge or negative values, bad indices.
class RandomScene
{
public:
    explicit RandomScene(unsigned seed) : rng(seed) {}

    Json::Value make()
    {
        Json::Value root;
        const int bodies = 1 + pick(5);
        for (int b = 0; b < bodies; ++b)
            root["body"].append(body());
        const int joints = pick(8);
        for (int j = 0; j < joints; ++j)
            root["joint"].append(joint(bodies, joints));
        return root;
    }

private:
    int pick(int count) { return static_cast<int>(rng() % static_cast<unsigned>(count)); }
    float uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(rng); }

    Json::Value number()
    {
        switch (pick(8))
        {
        case 0: return 0;
        case 1: return uniform(-1e-3f, 1e-3f);
        case 2: return uniform(-1e6f, 1e6f);
        case 3: return -1;
        case 4: return B2Scene::floatToHex(uniform(-1e-6f, 1e-6f));
        default: return uniform(-5.0f, 5.0f);
        }
    }

    Json::Value points(int count, float scale)
    {
        Json::Value list;
        for (int i = 0; i < count; ++i)
        {
            list["x"][i] = pick(7) == 0 ? number() : Json::Value(uniform(-scale, scale));
            list["y"][i] = pick(9) == 0 ? list["x"][i] : Json::Value(uniform(-scale, scale));
        }
        return list;
    }

    Json::Value body()
    {
        Json::Value value;
        value["type"] = pick(3);
        value["position"]["x"] = uniform(-3.0f, 3.0f);
        for (int f = pick(4); f > 0; --f)
        {
            Json::Value fixture;
            fixture["density"] = pick(3) != 0 ? Json::Value(uniform(0.0f, 5.0f)) : number();
            const float scale = pick(3) == 0 ? 0.004f : (pick(4) == 0 ? 1e-5f : 2.0f);
            switch (pick(5))
            {
            case 0:
                fixture["circle"]["radius"] = pick(2) != 0 ? Json::Value(uniform(0.0f, 2.0f)) : number();
                fixture["circle"]["center"]["x"] = number();
                break;
            case 1:
                fixture["edge"]["vertex1"]["x"] = number();
                fixture["edge"]["vertex2"]["x"] = number();
                fixture["edge"]["hasVertex0"] = pick(2) == 0;
                fixture["edge"]["hasVertex3"] = pick(2) == 0;
                break;
            case 2:
                fixture["chain"]["vertices"] = points(pick(5), scale);
                fixture["chain"]["hasPrevVertex"] = pick(2) == 0;
                break;
            case 3: fixture["loop"]["vertices"] = points(pick(6), scale); break;
            default: fixture["polygon"]["vertices"] = points(pick(10), scale); break;
            }
            value["fixture"].append(fixture);
        }
        if (pick(3) == 0)
        {
            value["massData-mass"] = number();
            value["massData-I"] = number();
            value["massData-center"]["x"] = number();
        }
        value["fixedRotation"] = pick(5) == 0;
        return value;
    }

    Json::Value joint(int bodies, int joints)
    {
        static const char* const types[] = {"revolute", "prismatic", "distance", "pulley", "mouse", "gear", "wheel",
            "motor", "weld", "friction", "rope"};
        Json::Value value;
        value["type"] = types[pick(11)];
        value["bodyA"] = pick(bodies + 1) - (pick(10) == 0 ? 1 : 0);
        value["bodyB"] = pick(bodies + 1);
        for (const char* key : {"refAngle", "lowerLimit", "upperLimit", "motorSpeed", "maxMotorTorque", "maxMotorForce",
                 "length", "frequency", "dampingRatio", "lengthA", "lengthB", "ratio", "maxForce", "maxTorque",
                 "correctionFactor", "springFrequency", "springDampingRatio", "maxLength"})
            if (pick(2) == 0)
                value[key] = number();
        for (const char* key : {"anchorA", "anchorB", "localAxisA", "groundAnchorA", "groundAnchorB", "target"})
            if (pick(2) == 0)
            {
                value[key]["x"] = number();
                value[key]["y"] = number();
            }
        value["enableLimit"] = pick(2) == 0;
        value["enableMotor"] = pick(2) == 0;
        value["joint1"] = pick(joints + 1) - 1;
        value["joint2"] = pick(joints + 1) - 1;
        return value;
    }

    std::mt19937 rng;
};
} // namespace

TEST(RandomSceneTest, DegenerateScenesLoadStepMirrorAndWriteWithoutAborting)
{
    // Box2D aborts the process on a value it refuses; reaching the end is the test.
    for (unsigned seed = 0; seed < 300; ++seed)
    {
        const velk_test::LogCapture quiet;
        const std::string text = Json::FastWriter().write(RandomScene(seed).make());
        B2Scene scene;
        std::string error;
        auto world = loadText(scene, text, error);
        ASSERT_NE(world, nullptr) << seed << ": " << error;
        world->SetGravity(b2Vec2(0.0f, -10.0f));
        for (int i = 0; i < 20; ++i)
            world->Step(1.0f / 60.0f, 8, 3);
        std::vector<b2Body*> bodies;
        scene.getAllBodies(bodies);
        for (b2Body* body : bodies)
            mirrorb2BodyX(body);
        world->Step(1.0f / 60.0f, 8, 3);

        // What was written loads again with the same bodies.
        B2Scene again;
        auto copy = loadText(again, scene.writeToString(world.get()), error);
        ASSERT_NE(copy, nullptr) << seed << ": " << error;
        EXPECT_EQ(copy->GetBodyCount(), world->GetBodyCount()) << seed;
    }
}

TEST(RandomSceneTest, LoadingDuringAStepIsRefused)
{
    struct Listener : b2ContactListener
    {
        B2Scene* scene = nullptr;
        b2World* world = nullptr;
        b2World* result = world;
        std::string error;
        bool called = false;
        void BeginContact(b2Contact*) override
        {
            called = true;
            result = scene->readFromString(R"({"body": [{"type": 2}]})", error, world);
        }
    };
    B2Scene scene;
    std::string error;
    auto world = loadText(scene, R"({"body": [
        {"type": 2, "awake": true, "fixture": [{"density": 1, "circle": {"radius": 1}}]},
        {"type": 0, "fixture": [{"circle": {"radius": 1}}]}]})",
        error);
    ASSERT_NE(world, nullptr) << error;
    Listener listener;
    listener.scene = &scene;
    listener.world = world.get();
    world->SetContactListener(&listener);
    world->Step(1.0f / 60.0f, 8, 3);
    ASSERT_TRUE(listener.called);
    EXPECT_EQ(listener.result, nullptr);
    EXPECT_EQ(listener.error, "Cannot load a scene into a world during its step");
    EXPECT_EQ(world->GetBodyCount(), 2);
}
