#include "physics/B2SceneImage.hpp"

#include "SceneTestSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace scenetest;

namespace
{
constexpr float HalfPi = 1.57079632679f;

void expectNear(b2Vec2 actual, b2Vec2 expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
}
} // namespace

TEST(SceneImageTest, CornersAndTriangles)
{
    B2SceneImage image;
    EXPECT_EQ(image.scale, 1.0f);
    EXPECT_EQ(image.opacity, 1.0f);
    EXPECT_EQ(image.colorTint[3], 255);
    image.center.Set(1, 1);
    image.updateCorners(2);
    expectNear(image.corners[0], b2Vec2(0, 0.5f));
    expectNear(image.corners[1], b2Vec2(2, 0.5f));
    expectNear(image.corners[2], b2Vec2(2, 1.5f));
    expectNear(image.corners[3], b2Vec2(0, 1.5f));

    // A quarter turn and double size: (-0.5, -0.5) becomes (1, -1) about the centre.
    image.angle = HalfPi;
    image.scale = 2;
    image.updateUVs(1);
    expectNear(image.corners[0], b2Vec2(2, 0));
    ASSERT_EQ(image.numPoints, 4);
    ASSERT_EQ(image.numIndices, 6);
    for (int i = 0; i < 4; ++i)
        expectNear(b2Vec2(image.points[2 * i], image.points[2 * i + 1]), image.corners[i]);
    const float uv[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(image.uvCoords[i], uv[i]);
    const std::uint16_t order[6] = {0, 1, 2, 2, 3, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image.indices[i], order[i]);
}

TEST(SceneImageTest, BoundsFollowTheBody)
{
    B2SceneImage image;
    image.updateCorners(1); // unit square about the origin
    b2AABB box = image.getAABB();
    expectNear(box.lowerBound, b2Vec2(-0.5f, -0.5f));
    expectNear(box.upperBound, b2Vec2(0.5f, 0.5f));

    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    def.position.Set(10, 0);
    def.angle = HalfPi / 2; // 45 degrees: the square's half diagonal is sqrt(0.5)
    image.body = world.CreateBody(&def);
    box = image.getAABB();
    const float h = std::sqrt(0.5f);
    expectNear(box.lowerBound, b2Vec2(10 - h, -h));
    expectNear(box.upperBound, b2Vec2(10 + h, h));
}

TEST(SceneImageTest, MatrixHelpers)
{
    b2Mat33 t, r, s;
    _setMat33Translation(t, b2Vec2(1, 0));
    _setMat33Rotation(r, HalfPi);
    _setMat33Scale(s, 2, 3);
    expectNear(_b2Mul(t, b2Vec2(1, 1)), b2Vec2(2, 1));
    expectNear(_b2Mul(r, b2Vec2(1, 0)), b2Vec2(0, 1));
    expectNear(_b2Mul(s, b2Vec2(1, 1)), b2Vec2(2, 3));
    // The product applies B to A's columns: B·A. A translation by a rotation gives a
    // rotated translation column.
    const b2Mat33 rt = _b2Mul(t, r);
    EXPECT_NEAR(rt.ez.x, 0.0f, 1e-6f);
    EXPECT_NEAR(rt.ez.y, 1.0f, 1e-6f);
    expectNear(_b2Mul(rt, b2Vec2(0, 0)), b2Vec2(0, 1));
}

TEST(SceneImageTest, CopiesAreDeep)
{
    B2SceneImage original;
    original.name = "pic";
    original.file = "pic.bmp";
    original.renderOrder = 3;
    original.colorTint[0] = 10;
    original.flip = true;
    original.updateUVs(1.5f);
    B2SceneImage copy(&original);
    EXPECT_EQ(copy.name, "pic");
    EXPECT_EQ(copy.renderOrder, 3.0f);
    EXPECT_EQ(copy.colorTint[0], 10);
    EXPECT_TRUE(copy.flip);
    ASSERT_EQ(copy.numPoints, 4);
    EXPECT_NE(copy.points, original.points);
    EXPECT_NE(copy.indices, original.indices);
    original.points[0] = 99;
    EXPECT_NE(copy.points[0], 99);
    EXPECT_EQ(copy.indices[5], 0);
}

TEST(SceneImageTest, ImagesFromAScene)
{
    B2Scene scene;
    std::string error;
    auto world = loadText(scene, R"({"body": [{"name": "holder"}], "image": [
        {"name": "back", "body": 0, "file": "back.bmp", "center": {"x": 1, "y": 2}, "angle": 0.5,
         "aspectScale": 2, "opacity": 0.25, "renderOrder": 5, "colorTint": [10, "x", 30, 40],
         "flip": 1, "filter": 0, "corners": {"x": [0, 1, 1, 0], "y": [0, 0, 1, 1]},
         "glVertexPointer": [0, 0, 1, 0, 1, 1], "glTexCoordPointer": [0, 0, 1, 0, 1, 1],
         "glDrawElements": [0, 1, 2]},
        {"name": "front", "body": "0", "renderOrder": -1,
         "glVertexPointer": [0, 0], "glTexCoordPointer": [0, 0, 1, 1]},
        {"body": 7, "renderOrder": 2}]})",
        error);
    ASSERT_NE(world, nullptr) << error;
    B2SceneImage* back = scene.getImageByName("back");
    B2SceneImage* front = scene.getImageByName("front");
    ASSERT_TRUE(back && front);
    EXPECT_EQ(back->body, scene.getBodyByName("holder"));
    EXPECT_EQ(back->file, "back.bmp");
    EXPECT_EQ(back->center, b2Vec2(1, 2));
    EXPECT_EQ(back->aspectScale, 2.0f);
    EXPECT_EQ(back->opacity, 0.25f);
    EXPECT_EQ(back->colorTint[0], 10);
    EXPECT_EQ(back->colorTint[1], 255); // not an integer: the default stays
    EXPECT_FALSE(back->flip);           // not a boolean
    EXPECT_EQ(back->filter, 0);
    EXPECT_EQ(back->corners[2], b2Vec2(1, 1));
    EXPECT_EQ(back->numPoints, 3);
    EXPECT_EQ(back->numIndices, 3);
    EXPECT_EQ(front->body, nullptr); // a body index that is not an integer
    EXPECT_EQ(front->scale, 0.0f);   // missing scale reads 0
    EXPECT_EQ(front->aspectScale, 1.0f);
    EXPECT_EQ(front->numPoints, 0); // arrays of different lengths are not read

    std::vector<B2SceneImage*> all;
    ASSERT_EQ(scene.getAllImages(all), 3);
    EXPECT_EQ(all[0], front);
    EXPECT_EQ(all[2], back);
    EXPECT_EQ(all[1]->body, nullptr); // body 7 does not exist

    // Written back in the order of the image name table, which is by address;
    // "body" -1 without a body; tint only when not all 255.
    std::vector<B2SceneImage*> byAddress{back, front, all[1]};
    std::sort(byAddress.begin(), byAddress.end());
    const Json::Value value = scene.writeToValue(world.get());
    ASSERT_EQ(value["image"].size(), 3u);
    auto written = [&value, &byAddress](B2SceneImage* image) -> const Json::Value&
    {
        const auto position = std::find(byAddress.begin(), byAddress.end(), image) - byAddress.begin();
        return value["image"][static_cast<Json::ArrayIndex>(position)];
    };
    EXPECT_EQ(written(back)["name"].asString(), "back");
    EXPECT_EQ(written(front)["name"].asString(), "front");
    EXPECT_EQ(written(back)["body"].asInt(), 0);
    EXPECT_EQ(written(back)["colorTint"][1].asInt(), 255);
    EXPECT_EQ(written(back)["glVertexPointer"].size(), 6u);
    EXPECT_EQ(written(back)["glDrawElements"][2].asUInt(), 2u);
    EXPECT_EQ(written(all[1])["body"].asInt(), -1);
    EXPECT_FALSE(written(all[1]).isMember("colorTint"));
    EXPECT_FALSE(written(all[1]).isMember("flip"));
    EXPECT_EQ(written(all[1])["filter"].asInt(), 1);
    EXPECT_FALSE(written(all[1]).isMember("name"));

    // Images that callers add are written too.
    B2SceneImage added;
    added.name = "added";
    added.body = scene.getBodyByName("holder");
    scene.addImage(&added);
    EXPECT_EQ(scene.getImageByName("added"), &added);
    byAddress.push_back(&added);
    std::sort(byAddress.begin(), byAddress.end());
    const Json::Value more = scene.writeToValue(world.get());
    ASSERT_EQ(more["image"].size(), 4u);
    const auto addedAt = std::find(byAddress.begin(), byAddress.end(), &added) - byAddress.begin();
    EXPECT_EQ(more["image"][static_cast<Json::ArrayIndex>(addedAt)]["name"].asString(), "added");
    EXPECT_EQ(more["image"][static_cast<Json::ArrayIndex>(addedAt)]["body"].asInt(), 0);

    // clear forgets what was loaded and frees the records.
    scene.clear();
    EXPECT_EQ(scene.getImageByName("back"), nullptr);
    EXPECT_EQ(scene.getBodyByName("holder"), nullptr);
    all.clear();
    EXPECT_EQ(scene.getAllImages(all), 0);
}

TEST(SceneImageTest, ImageBodiesComeFromTheirOwnFile)
{
    // A second load into the same scene: an image's body index beyond this file's
    // bodies names no body, not a body of the first load.
    B2Scene scene;
    std::string error;
    b2World world(b2Vec2(0.0f, 0.0f));
    ASSERT_NE(scene.readFromString(R"({"body": [{}, {}, {"name": "old"}]})", error, &world), nullptr);
    world.DestroyBody(scene.getBodyByName("old"));
    ASSERT_NE(scene.readFromString(R"({"body": [{"name": "new"}], "image": [
        {"name": "stray", "body": 2}, {"name": "placed", "body": 0}, {"name": "negative", "body": -1}]})",
                  error, &world),
        nullptr)
        << error;
    EXPECT_EQ(scene.getImageByName("stray")->body, nullptr);
    EXPECT_EQ(scene.getImageByName("negative")->body, nullptr);
    EXPECT_EQ(scene.getImageByName("placed")->body, scene.getBodyByName("new"));
}
