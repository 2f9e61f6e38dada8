#include "SceneTestSupport.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace scenetest;

namespace
{
class CustomPropertiesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        velk_test::LogCapture logs;
        world = loadFile(scene, "properties.json", error);
        output = logs.text();
        ASSERT_NE(world, nullptr) << error;
        first = scene.getBodyByName("first");
        second = scene.getBodyByName("second");
        third = scene.getBodyByName("third");
        ASSERT_TRUE(first && second && third);
    }

    B2Scene scene;
    std::string error;
    std::string output;
    std::unique_ptr<b2World> world;
    b2Body* first = nullptr;
    b2Body* second = nullptr;
    b2Body* third = nullptr;
};
} // namespace

TEST_F(CustomPropertiesTest, ValuesReadFromTheFile)
{
    EXPECT_EQ(scene.getCustomString(first, "kind", ""), "rock");
    // One entry with two value members gives two properties of one name.
    EXPECT_EQ(scene.getCustomInt(first, "mixed", 0), 3);
    EXPECT_EQ(scene.getCustomFloat(first, "mixed", 0.0f), 2.5f);
    EXPECT_FALSE(scene.hasCustomString(first, "mixed"));
    EXPECT_EQ(scene.getCustomInt(first, "", 0), 9); // no name: the empty name
    EXPECT_EQ(scene.getCustomVector(first, "spot", b2Vec2(0, 0)), b2Vec2(1, 2));
    EXPECT_TRUE(scene.getCustomBool(first, "solid", false));
    EXPECT_EQ(scene.getCustomFloat(scene.getFixtureByName("skin"), "grip", 0.0f), 0.5f);
    EXPECT_EQ(scene.getCustomInt(scene.getJointByName("glue"), "strength", 0), 12);
    EXPECT_EQ(scene.getCustomInt(scene.getImageByName("picture"), "layer", 0), 2);
    EXPECT_EQ(scene.getCustomInt(world.get(), "level", 0), 4);
    EXPECT_EQ(scene.getCustomString(world.get(), "title", ""), "Moon");
    // A null entry ends the list.
    EXPECT_EQ(scene.getCustomString(second, "kind", ""), "rock");
    EXPECT_FALSE(scene.hasCustomInt(second, "hidden"));
}

TEST_F(CustomPropertiesTest, ColoursAreReadBack)
{
    EXPECT_TRUE(scene.hasCustomColor(first, "tint"));
    EXPECT_EQ(scene.getCustomColor(first, "tint", B2SceneColor4{}), (B2SceneColor4{255, 128, 0, 255}));
    // A colour of another form is left out, with a line saying so.
    EXPECT_FALSE(scene.hasCustomColor(first, "brokenTint"));
    EXPECT_NE(output.find("Ignoring colour property 'brokenTint'"), std::string::npos);
}

TEST_F(CustomPropertiesTest, DefaultsAndCreation)
{
    b2BodyDef def;
    b2Body* plain = world->CreateBody(&def);
    EXPECT_EQ(scene.getCustomInt(plain, "missing", 7), 7);
    EXPECT_FALSE(scene.hasCustomInt(plain, "missing"));
    EXPECT_EQ(scene.getCustomPropertiesForItem(plain, false), nullptr); // get created nothing
    scene.setCustomInt(plain, "count", 5);
    ASSERT_NE(scene.getCustomPropertiesForItem(plain, false), nullptr);
    EXPECT_EQ(scene.getCustomInt(plain, "count", 0), 5);
    scene.setCustomInt(plain, "count", 6);
    EXPECT_EQ(scene.getCustomInt(plain, "count", 0), 6);
    // The maps are separate: an int does not answer for a float of the same name.
    EXPECT_EQ(scene.getCustomFloat(plain, "count", -1.0f), -1.0f);
}

TEST_F(CustomPropertiesTest, LookupsByValueSearchOnlyItemsFromTheFile)
{
    std::vector<b2Body*> rocks;
    EXPECT_EQ(scene.getBodiesByCustomString("kind", "rock", rocks), 2);
    EXPECT_NE(std::find(rocks.begin(), rocks.end(), first), rocks.end());
    EXPECT_NE(std::find(rocks.begin(), rocks.end(), second), rocks.end());
    EXPECT_EQ(std::find(rocks.begin(), rocks.end(), third), rocks.end()); // "rocks" differs
    EXPECT_EQ(scene.getBodyByCustomString("kind", "rock"), std::min(first, second));
    EXPECT_EQ(scene.getBodyByCustomBool("solid", false), third);
    EXPECT_EQ(scene.getBodyByCustomFloat("mixed", 2.5f), first);
    EXPECT_EQ(scene.getBodyByCustomInt("mixed", 2), nullptr);
    EXPECT_EQ(scene.getBodyByCustomVector("spot", b2Vec2(1, 2)), first);
    EXPECT_EQ(scene.getFixtureByCustomFloat("grip", 0.5f), scene.getFixtureByName("skin"));
    EXPECT_EQ(scene.getJointByCustomInt("strength", 12), scene.getJointByName("glue"));
    EXPECT_EQ(scene.getImageByCustomInt("layer", 2), scene.getImageByName("picture"));

    // Results are appended to what the vector held.
    std::vector<b2Body*> out{third, third, third};
    EXPECT_EQ(scene.getBodiesByCustomString("kind", "rock", out), 5);
    EXPECT_EQ(out[0], third);
    EXPECT_EQ(out[2], third);

    // A body whose properties were only given in code is not found by value; one
    // that had properties in the file is, also for those added later.
    b2BodyDef def;
    b2Body* plain = world->CreateBody(&def);
    scene.setCustomBool(plain, "flag", true);
    EXPECT_TRUE(scene.getCustomBool(plain, "flag", false));
    EXPECT_EQ(scene.getBodyByCustomBool("flag", true), nullptr);
    scene.setCustomBool(second, "flag", true);
    EXPECT_EQ(scene.getBodyByCustomBool("flag", true), second);
    // NaN never matches.
    scene.setCustomFloat(first, "nan", std::nanf(""));
    EXPECT_EQ(scene.getBodyByCustomFloat("nan", std::nanf("")), nullptr);
}

TEST_F(CustomPropertiesTest, WrittenInMapOrder)
{
    b2BodyDef def;
    b2Body* body = world->CreateBody(&def);
    scene.setCustomInt(body, "b", 2);
    scene.setCustomInt(body, "a", 1);
    scene.setCustomString(body, "c", "text");
    scene.setCustomColor(body, "tint", B2SceneColor4{255, 128, 0, 255});
    scene.setCustomFloat(body, "f", 0.5f);
    const Json::Value list = scene.writeCustomPropertiesToJson(body);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0]["name"].asString(), "a");
    EXPECT_EQ(list[0]["int"].asInt(), 1);
    EXPECT_EQ(list[1]["name"].asString(), "b");
    EXPECT_EQ(list[2]["string"].asString(), "text");
    EXPECT_EQ(list[3]["float"].asString(), "3F000000");
    EXPECT_EQ(list[4]["name"].asString(), "tint");
    EXPECT_EQ(list[4]["color"][1].asInt(), 128);
    EXPECT_TRUE(scene.writeCustomPropertiesToJson(world->CreateBody(&def)).isNull());
}

TEST_F(CustomPropertiesTest, PropertiesSurviveARoundTrip)
{
    const std::string text = scene.writeToString(world.get());
    B2Scene again;
    auto copy = loadText(again, text, error);
    ASSERT_NE(copy, nullptr) << error;
    b2Body* body = again.getBodyByName("first");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(again.getCustomString(body, "kind", ""), "rock");
    EXPECT_EQ(again.getCustomFloat(body, "mixed", 0.0f), 2.5f);
    EXPECT_EQ(again.getCustomVector(body, "spot", b2Vec2(0, 0)), b2Vec2(1, 2));
    EXPECT_EQ(again.getCustomColor(body, "tint", B2SceneColor4{}), (B2SceneColor4{255, 128, 0, 255}));
    EXPECT_EQ(again.getCustomInt(copy.get(), "level", 0), 4);
    EXPECT_EQ(again.getCustomInt(again.getJointByName("glue"), "strength", 0), 12);
    EXPECT_EQ(again.getCustomInt(again.getImageByName("picture"), "layer", 0), 2);
    EXPECT_EQ(again.getCustomFloat(again.getFixtureByName("skin"), "grip", 0.0f), 0.5f);
}
