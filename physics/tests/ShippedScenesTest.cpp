// Every object file, scene, image map, flame, image and sound that the game
// ships under data/ loads, and names only things that exist.

#include "ShippedContentSupport.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace content;

namespace
{
std::vector<fs::path> filesEndingWith(const fs::path& folder, const std::string& ending)
{
    std::vector<fs::path> out;
    if (!fs::is_directory(folder))
        return out;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
    {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() > ending.size()
            && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
            out.push_back(entry.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

/// Whether a fixture with this filter would touch the hull (category 0x0008, mask 0xF00F).
bool touchesHull(const b2Filter& f)
{
    return (f.categoryBits & 0xF00F) != 0 && (f.maskBits & 0x0008) != 0;
}

/// Whether it would touch the terrain and platforms (category 0x0001, mask 0xFFFF).
bool touchesGround(const b2Filter& f)
{
    return (f.maskBits & 0x0001) != 0 && f.categoryBits != 0;
}
} // namespace

TEST(ShippedScenesTest, EveryObjectFileLoadsItsSceneImagesAndComponents)
{
    const auto files = filesEndingWith(dataDir() / "obj", ".obj.json");
    // 15 part kinds, the moon, the checkpoint and the platform.
    EXPECT_GE(files.size(), 18u);
    for (const fs::path& file : files)
    {
        SCOPED_TRACE(file.string());
        const LoadedObject object = LoadedObject::load(file);
        // Each scene also sets the world-wide flags of the game's world again.
        EXPECT_TRUE(object.world->GetAutoClearForces());
        EXPECT_TRUE(object.world->GetAllowSleeping());
        EXPECT_TRUE(object.world->GetWarmStarting());
        EXPECT_TRUE(object.world->GetContinuousPhysics());
        for (const Component& c : object.all)
        {
            if (!c.body.empty())
            {
                std::vector<b2Body*> bodies;
                EXPECT_GT(object.scene->getBodiesByName(c.body, bodies), 0) << "no body " << c.body;
            }
            if (!c.image.empty())
            {
                EXPECT_TRUE(object.images.has(c.image)) << "no image " << c.image;
            }
        }
        // The image file's "_test" variant sits beside it (the ship editor's look).
        const fs::path image = object.images.image;
        if (file.string().find("/obj/parts/") != std::string::npos)
        {
            const fs::path test = image.parent_path() / (image.stem().string() + "_test" + image.extension().string());
            EXPECT_TRUE(pngSize(test).valid) << test;
        }
    }
}

TEST(ShippedScenesTest, PartBodiesTouchTheGroundButNeverTheHullTheyAreWeldedTo)
{
    const auto files = filesEndingWith(dataDir() / "obj" / "parts", ".obj.json");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files)
    {
        SCOPED_TRACE(file.string());
        const LoadedObject object = LoadedObject::load(file);
        int fixtures = 0;
        for (b2Body* b = object.world->GetBodyList(); b != nullptr; b = b->GetNext())
        {
            EXPECT_EQ(b->GetType(), b2_dynamicBody) << object.scene->getBodyName(b);
            // The loader applies the file's mass data over the fixtures' own, so
            // the two must agree (missing values would leave a unit mass that
            // cannot turn).
            float mass = 0.0f;
            float inertia = 0.0f;
            for (b2Fixture* f = b->GetFixtureList(); f != nullptr; f = f->GetNext())
            {
                b2MassData data;
                f->GetMassData(&data);
                mass += data.mass;
                inertia += data.I;
            }
            EXPECT_GT(mass, 0.0f) << object.scene->getBodyName(b);
            EXPECT_NEAR(b->GetMass(), mass, 1e-3f * mass) << object.scene->getBodyName(b);
            EXPECT_NEAR(b->GetInertia(), inertia, 1e-3f * inertia) << object.scene->getBodyName(b);
            for (b2Fixture* f = b->GetFixtureList(); f != nullptr; f = f->GetNext(), ++fixtures)
            {
                EXPECT_FALSE(touchesHull(f->GetFilterData())) << object.scene->getBodyName(b);
                EXPECT_TRUE(touchesGround(f->GetFilterData())) << object.scene->getBodyName(b);
            }
        }
        EXPECT_GT(fixtures, 0);
        const Component* main = object.mainComponent();
        ASSERT_NE(main, nullptr) << "a welded part needs a main body";
        EXPECT_FALSE(main->body.empty());
    }
}

TEST(ShippedScenesTest, FlamesNameTheirFramesAndLevelTextures)
{
    const auto files = filesEndingWith(dataDir() / "img" / "flames", ".flame.json");
    EXPECT_GE(files.size(), 2u);
    for (const fs::path& file : files)
    {
        SCOPED_TRACE(file.string());
        // The jets find a flame F at data/img/flames/F/F.flame.json.
        EXPECT_EQ(file.filename().string(), file.parent_path().filename().string() + ".flame.json");
        const json::Value root = parse(file);
        const ImageMap frames = ImageMap::load(file.parent_path() / stringMember(root, "ImageSet"));
        EXPECT_TRUE(frames.has("Frame1"));
        EXPECT_TRUE(frames.has("Dieoutframe1"));
        const json::Value* levels = member(root, "Levels");
        ASSERT_NE(levels, nullptr);
        EXPECT_GE(levels->arrayValue().size(), 2u);
        const PngSize first = pngSize(frames.image);
        for (const json::Value& level : levels->arrayValue())
        {
            ASSERT_TRUE(level.isString());
            // The frame rectangles are used on every level texture alike.
            const PngSize size = pngSize(file.parent_path() / level.stringValue());
            EXPECT_TRUE(size.valid) << level.stringValue();
            EXPECT_EQ(size.width, first.width);
            EXPECT_EQ(size.height, first.height);
        }
    }
}

TEST(ShippedScenesTest, LevelObjectsCarryTheNamesTheGameLooksUp)
{
    const LoadedObject moon = LoadedObject::load(dataDir() / "obj" / "moon" / "moon.obj.json");
    for (const char* name : {"texture1", "texture2", "texture3", "texture4", "texture1_bg", "texture2_bg",
             "texture3_bg", "texture4_bg", "foreground_border", "background_border"})
        EXPECT_TRUE(moon.images.has(name)) << name;

    const LoadedObject checkpoint = LoadedObject::load(dataDir() / "obj" / "checkpoint" / "checkpoint.obj.json");
    EXPECT_NE(checkpoint.component("Field"), nullptr);
    EXPECT_TRUE(checkpoint.images.has("Frame1"));
    EXPECT_TRUE(checkpoint.images.has("Frame2"));
    ASSERT_EQ(checkpoint.properties.count("Radius"), 1u);
    EXPECT_GT(number(checkpoint.properties.at("Radius")), 0.5f);

    const LoadedObject platform = LoadedObject::load(dataDir() / "obj" / "platform" / "platform.obj.json");
    const Component* deck = platform.mainComponent();
    ASSERT_NE(deck, nullptr);
    b2Body* body = platform.scene->getBodyByName(deck->body);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetType(), b2_staticBody);
    ASSERT_NE(body->GetFixtureList(), nullptr);
    // Ships land on it: wide enough for the landing window of 14 units either side.
    const b2AABB box = body->GetFixtureList()->GetAABB(0);
    EXPECT_GE(box.upperBound.x - box.lowerBound.x, 10.0f);
    EXPECT_NEAR(box.lowerBound.y, 0.0f, 0.05f); // stands on the marker cell's bottom edge
    for (const char* name : {"platform1", "platform2", "platform3"})
        EXPECT_TRUE(platform.images.has(name)) << name;
}

TEST(ShippedScenesTest, PlayImagesAndHullTexturesArePngsAtDrawnSize)
{
    std::vector<fs::path> images = {dataDir() / "img" / "particles" / "spark.png",
        dataDir() / "img" / "particles" / "smoke.png", dataDir() / "img" / "play" / "dunnnnnnnnix.png",
        dataDir() / "img" / "play" / "arnyekfilter.png"};
    const auto textures = filesEndingWith(dataDir() / "img" / "tex", ".png");
    EXPECT_GE(textures.size(), 3u);
    images.insert(images.end(), textures.begin(), textures.end());
    for (const fs::path& image : images)
    {
        const PngSize size = pngSize(image);
        EXPECT_TRUE(size.valid) << image;
        EXPECT_TRUE(size.width >= 8 && size.width <= 256 && size.height >= 8 && size.height <= 256) << image;
    }
}

TEST(ShippedScenesTest, SoundsAreShortMonoWavs)
{
    std::vector<fs::path> sounds = {dataDir() / "snd" / "ship" / "malfunction.wav"};
    for (const char* name : {"impact hull_ground.wav", "impact track_ground.wav", "impact ship_platform.wav",
             "drill_fall.wav", "score.wav", "furo kovet erint.wav"})
        sounds.push_back(dataDir() / "snd" / "impact" / name);
    const auto parts = filesEndingWith(dataDir() / "snd" / "parts", ".wav");
    EXPECT_GE(parts.size(), 4u);
    sounds.insert(sounds.end(), parts.begin(), parts.end());
    for (const fs::path& sound : sounds)
    {
        SCOPED_TRACE(sound.string());
        const WavInfo info = wavInfo(sound);
        ASSERT_TRUE(info.valid);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.bits, 16);
        EXPECT_TRUE(info.rate >= 22050 && info.rate <= 44100) << info.rate;
        EXPECT_TRUE(info.seconds > 0.1 && info.seconds <= 3.0) << info.seconds;
    }
}
