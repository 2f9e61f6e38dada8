#include "SceneTestSupport.hpp"
#include "testsupport/TempFolder.hpp"

#include "physics/B2SceneJson.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace scenetest;

namespace
{
Json::Value parse(const std::string& text)
{
    Json::Value root;
    Json::Reader reader;
    EXPECT_TRUE(reader.parse(text, root, true)) << text;
    return root;
}

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
} // namespace

TEST(SceneValuesTest, HexadecimalFloats)
{
    EXPECT_EQ(B2Scene::hexToFloat("3F800000"), 1.0f);
    EXPECT_EQ(B2Scene::hexToFloat("BF000000"), -0.5f);
    EXPECT_EQ(B2Scene::hexToFloat("00000000"), 0.0f);
    EXPECT_EQ(B2Scene::floatToHex(0.5f), "3F000000");
    EXPECT_EQ(B2Scene::floatToHex(-2.0f), "C0000000");
    // Every bit pattern written comes back unchanged.
    for (float value : {0.1f, -123.456f, 1e-30f, 3.4e38f})
        EXPECT_EQ(bitsOf(B2Scene::hexToFloat(B2Scene::floatToHex(value))), bitsOf(value));
}

TEST(SceneValuesTest, MalformedHexTakesTheDefault)
{
    B2Scene scene;
    const Json::Value value = parse(R"({"lower": "3f800000", "short": "3F80000", "long": "3F8000000",
        "letters": "3G800000", "sign": "-3F80000", "good": "3F800000", "empty": ""})");
    for (const char* key : {"lower", "short", "long", "letters", "sign", "empty"})
        EXPECT_EQ(scene.jsonToFloat(key, value, -1, 7.0f), 7.0f) << key;
    EXPECT_EQ(scene.jsonToFloat("good", value, -1, 7.0f), 1.0f);
    EXPECT_FALSE(B2SceneJson::hexToFloat("3f800000").has_value());
}

TEST(SceneValuesTest, FloatsAndVectors)
{
    B2Scene scene;
    const Json::Value value = parse(R"({"int": 3, "real": 0.25, "null": null, "big": 4294967295,
        "zero": 0, "five": 5, "half": {"x": 2}, "full": {"x": "3F000000", "y": -1},
        "list": {"x": [1, "40000000", null], "y": [4]}})");
    EXPECT_EQ(scene.jsonToFloat("int", value), 3.0f);
    EXPECT_EQ(scene.jsonToFloat("real", value), 0.25f);
    EXPECT_EQ(scene.jsonToFloat("null", value, -1, 9.0f), 9.0f);
    EXPECT_EQ(scene.jsonToFloat("missing", value, -1, 9.0f), 9.0f);
    EXPECT_EQ(scene.jsonToFloat("big", value), 4294967295.0f);
    // Any integer stands for the zero vector; a missing member is 0.
    EXPECT_EQ(scene.jsonToVec("zero", value, -1, b2Vec2(1, 1)), b2Vec2(0, 0));
    EXPECT_EQ(scene.jsonToVec("five", value, -1, b2Vec2(1, 1)), b2Vec2(0, 0));
    EXPECT_EQ(scene.jsonToVec("half", value), b2Vec2(2, 0));
    EXPECT_EQ(scene.jsonToVec("full", value), b2Vec2(0.5f, -1));
    EXPECT_EQ(scene.jsonToVec("missing", value, -1, b2Vec2(1, 2)), b2Vec2(1, 2));
    // Point-list elements: missing or null elements read 0.
    EXPECT_EQ(scene.jsonToVec("list", value, 0), b2Vec2(1, 4));
    EXPECT_EQ(scene.jsonToVec("list", value, 1), b2Vec2(2, 0));
    EXPECT_EQ(scene.jsonToVec("list", value, 2), b2Vec2(0, 0));
}

TEST(SceneValuesTest, WrittenFloatForms)
{
    B2Scene hex(false);
    Json::Value target;
    hex.floatToJson("a", 0.5f, target);
    hex.floatToJson("b", 1.0f, target);
    hex.floatToJson("c", 0.0f, target);
    EXPECT_EQ(target["a"], Json::Value("3F000000"));
    EXPECT_TRUE(target["b"].isInt());
    EXPECT_EQ(target["b"].asInt(), 1);
    EXPECT_TRUE(target["c"].isInt());
    hex.vecToJson("v", b2Vec2(0.5f, 0.0f), target);
    EXPECT_EQ(target["v"]["x"], Json::Value("3F000000"));
    EXPECT_TRUE(target["v"]["y"].isInt());
    hex.vecToJson("zero", b2Vec2(0.0f, 0.0f), target);
    EXPECT_TRUE(target["zero"].isInt());

    B2Scene human(true);
    Json::Value plain;
    human.floatToJson("a", 0.5f, plain);
    human.floatToJson("b", 1.0f, plain);
    EXPECT_TRUE(plain["a"].isDouble());
    EXPECT_EQ(plain["a"].asFloat(), 0.5f);
    EXPECT_TRUE(plain["b"].isInt());
    // In point lists human-readable 0 and 1 are real numbers too.
    human.vecToJson("points", b2Vec2(0.0f, 1.0f), plain, 0);
    EXPECT_EQ(plain["points"]["x"][0].type(), Json::realValue);
    EXPECT_EQ(plain["points"]["y"][0].type(), Json::realValue);
    hex.vecToJson("points", b2Vec2(0.0f, 1.0f), target, 0);
    EXPECT_EQ(target["points"]["x"][0].type(), Json::intValue);
}

TEST(SceneValuesTest, WrongJsonTypesAreReportedNotThrown)
{
    const char* const scenes[] = {
        R"([1, 2])",
        R"({"body": 5})",
        R"({"body": [3]})",
        R"({"gravity": "down"})",
        R"({"allowSleep": "yes"})",
        R"({"body": [{"type": "dynamic"}]})",
        R"({"body": [{"position": [1, 2]}]})",
        R"({"body": [{"fixture": [{"density": [1], "circle": {"radius": 1}}]}]})",
        R"({"body": [{"fixture": [{"circle": 1}]}]})",
        R"({"body": [{"fixture": [{"polygon": {"vertices": {"x": 5, "y": [1]}}}]}]})",
        R"({"body": [{"fixture": [{"polygon": {"vertices": {"x": [[1], 2, 3], "y": [0, 0, 1]}}}]}]})",
        R"({"body": [{}], "joint": [{"type": "revolute", "bodyA": "0", "bodyB": 0}]})",
        R"({"body": [{}, {}], "joint": [{"type": "revolute", "bodyA": 1e20, "bodyB": 0}]})",
        R"({"body": [{}, {}], "joint": [{"type": "weld", "bodyA": 1, "bodyB": 0, "anchorA": true}]})",
        R"({"body": [{}, {}], "joint": [{"type": ["weld"], "bodyA": 1, "bodyB": 0}]})",
        R"({"body": [{"customProperties": [{"name": "n", "int": "x"}]}]})",
        R"({"customProperties": 3})",
        R"({"image": [{"center": "middle"}]})",
    };
    for (const char* text : scenes)
    {
        B2Scene scene;
        std::string error;
        b2World world(b2Vec2(0.0f, 0.0f));
        EXPECT_EQ(scene.readFromString(text, error, &world), nullptr) << text;
        EXPECT_EQ(error.rfind("Failed to load JSON:\n", 0), 0u) << text << " -> " << error;
        // Nothing is built from a scene that fails the check.
        EXPECT_EQ(world.GetBodyCount(), 0) << text;
    }
}

TEST(SceneValuesTest, WrongTypesFromAFileNameThePath)
{
    const velk_test::TempFolder temp;
    const std::string path = (temp / "wrong_type.json").string();
    velk_test::writeFile(path, R"({"body": [{}, {"fixture": [{"friction": {"x": 1}}]}]})");
    B2Scene scene;
    std::string error;
    EXPECT_EQ(scene.readFromFile(path.c_str(), error), nullptr);
    EXPECT_NE(error.find("body[1].fixture[0].friction"), std::string::npos) << error;
}

TEST(SceneValuesTest, ValuesJsonConvertsAreAccepted)
{
    // Numbers for booleans and whole reals for integers convert as JsonCpp converts them.
    B2Scene scene;
    std::string error;
    auto world = loadText(scene, R"({"allowSleep": 1, "body": [{"type": 2.0, "name": 12,
        "fixture": [{"sensor": 1, "circle": {"radius": 1}}]}]})",
        error);
    ASSERT_NE(world, nullptr) << error;
    EXPECT_TRUE(world->GetAllowSleeping());
    std::vector<b2Body*> bodies;
    scene.getAllBodies(bodies);
    ASSERT_EQ(bodies.size(), 1u);
    EXPECT_EQ(bodies[0]->GetType(), b2_dynamicBody);
    EXPECT_EQ(scene.getBodyName(bodies[0]), "12");
    EXPECT_TRUE(bodies[0]->GetFixtureList()->IsSensor());
}

TEST(SceneValuesTest, ReadFromValueNeverThrows)
{
    // Without the check, values of the wrong type take defaults.
    B2Scene scene;
    std::unique_ptr<b2World> world(scene.readFromValue(parse(R"({"body": [{"type": "x",
        "position": "y", "fixture": [{"density": [1], "circle": {"radius": {"a": 1}}}]}],
        "joint": 4})")));
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(world->GetBodyCount(), 1);
    EXPECT_EQ(world->GetBodyList()->GetType(), b2_staticBody);
}
