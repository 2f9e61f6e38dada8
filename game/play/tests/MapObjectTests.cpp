#include "game/play/MapObject.hpp"

#include "engine/GameWorld.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "terrain/MapComponent.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/terrain/TerrainTestSupport.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using velk_test::makeMap;
using V = math::Vector2<float>;

namespace {

// Without a display no texture may be made (SFML would need a GL context):
// the image map names a picture that does not exist, so the object has its
// rectangles but no texture.
const char* const ImageMap = R"({"ImageFile": "absent.png", "Images": {
    "texture1": [0, 0, 10, 10], "texture2": [10, 0, 10, 10], "texture3": [20, 0, 10, 10], "texture4": [30, 0, 10, 10],
    "texture1_bg": [0, 10, 5, 5], "texture2_bg": [5, 10, 5, 5], "texture3_bg": [10, 10, 5, 5], "texture4_bg": [15, 10, 5, 5],
    "foreground_border": [0, 20, 1, 1], "background_border": [1, 20, 1, 1]}})";

class MapObjectTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override
    {
        velk_test::writeFile(folder / "level" / "level.img.json", ImageMap);
        velk_test::writeFile(folder / "level" / "scene.json", R"({"gravity": {"x": 0, "y": -5}, "body": []})");
        velk_test::writeFile(folder / "level" / "level.obj.json",
                             R"({"Body": "scene.json", "ImageSet": "level.img.json", "Components": []})");
        object = static_cast<velk::MapObject*>(world.add(new velk::MapObject()));
    }

    /// Builds the level from a map of the given cells.
    void build(const TileMap& map)
    {
        const std::string path = (folder / "level.map.json").string();
        velk_test::writeMap(map, path);
        ASSERT_TRUE(object->build(path, (folder / "level" / "level.obj.json").string()));
    }

    /// The background layer: the first component.
    MapComponent* background() { return static_cast<MapComponent*>(object->getComponent(0)); }

    velk_test::LogCapture log;
    GameWorld world{b2Vec2(0.0f, 0.0f)};
    velk::MapObject* object = nullptr;
};

} // namespace

TEST_F(MapObjectTest, BuildCentresTwoLayers)
{
    build(makeMap(20, 10, 2.0f, 4, velk_test::plain(5)));
    EXPECT_TRUE(log.contains("Map: "));
    ASSERT_EQ(object->getNumberOfComponents(), 2);
    MapComponent* foreground = object->getMap();
    ASSERT_NE(foreground, nullptr);
    EXPECT_EQ(object->getComponent(1), foreground);
    EXPECT_EQ(object->getMainComponent(), foreground);
    EXPECT_EQ(object->getPosition(), V(-20.0f, -10.0f));
    EXPECT_EQ(foreground->getTilePosition(0, 0, 5), V(-20.0f, -10.0f));
    ASSERT_NE(foreground->getBody(), nullptr);
    for (b2Body* body : foreground->getBodies())
        EXPECT_EQ(body->GetPosition(), b2Vec2(-20.0f, -10.0f));
    EXPECT_EQ(background()->getBody(), nullptr);
    EXPECT_EQ(background()->getNumberOfChunks(), foreground->getNumberOfChunks());
    // Still there after the world has run.
    world.update(1.0f / 60.0f);
    EXPECT_EQ(object->getPosition(), V(-20.0f, -10.0f));
    EXPECT_EQ(foreground->getPosition(), V(-20.0f, -10.0f));
}

TEST_F(MapObjectTest, ChunksGetTheVariantsOfTheirLayer)
{
    std::srand(7);
    build(makeMap(64, 32, 1.0f, 4, velk_test::plain(5)));
    // Loading the object takes one pixel off each side of every rectangle.
    const std::set<int> foregroundLefts = {1, 11, 21, 31};
    const std::set<int> backgroundLefts = {1, 6, 11, 16};
    std::set<int> seen;
    for (unsigned i = 0; i < object->getMap()->getNumberOfChunks(); ++i) {
        const sf::IntRect rect = object->getMap()->getChunk(i)->getTextureRect();
        EXPECT_EQ(rect.top, 1);
        EXPECT_EQ(foregroundLefts.count(rect.left), 1u);
        seen.insert(rect.left);
        // No texture could be read: the outline falls back to black.
        EXPECT_EQ(object->getMap()->getChunk(i)->getBorderColor(), sf::Color::Black);
    }
    EXPECT_EQ(seen, foregroundLefts); // 128 chunks use all four
    for (unsigned i = 0; i < background()->getNumberOfChunks(); ++i) {
        const sf::IntRect rect = background()->getChunk(i)->getTextureRect();
        EXPECT_EQ(rect.top, 11);
        EXPECT_EQ(backgroundLefts.count(rect.left), 1u);
    }
}

TEST_F(MapObjectTest, StartAndPlatformPositions)
{
    // 40 x 20 cells of size 1: the map's top-left corner lands on (-20, -10).
    build(makeMap(40, 20, 1.0f, 8, [](unsigned x, unsigned y) -> unsigned char {
        if ((x == 3 && y == 9) || (x == 5 && y == 2))
            return MapTileCodes::Start;
        if ((x == 7 && y == 4) || (x == 7 && y == 6) || (x == 30 && y == 1))
            return MapTileCodes::Platform;
        return y >= 15 ? 1 : 0;
    }));
    EXPECT_EQ(object->getStartPosition(), V(-16.5f, -19.5f));
    const std::vector<V> platforms = object->getPlatformPositions();
    const std::vector<V> expected = {{-12.5f, -15.0f}, {-12.5f, -17.0f}, {10.5f, -12.0f}};
    EXPECT_EQ(platforms, expected);

    build(makeMap(10, 10, 1.0f, 8, velk_test::plain(5)));
    EXPECT_EQ(object->getStartPosition(), V(0.0f, 0.0f));
    EXPECT_TRUE(object->getPlatformPositions().empty());
    // Rebuilt from anywhere: placed the same way.
    EXPECT_EQ(object->getPosition(), V(-5.0f, -5.0f));
    EXPECT_EQ(object->getMap()->getBody()->GetPosition(), b2Vec2(-5.0f, -5.0f));
}

TEST_F(MapObjectTest, LimitCameraKeepsTheViewOverTheMap)
{
    sf::View untouched(rvec2svec(V(-30.0f, -50.0f)), sf::Vector2f(16, 12));
    object->limitCamera(untouched); // before build: nothing
    EXPECT_EQ(svec2rvec(untouched.getCenter()), V(-30.0f, -50.0f));

    build(makeMap(20, 10, 2.0f, 4, velk_test::plain(5))); // 40 x 20 units from (-20, -10)
    struct Case {
        V centre;
        sf::Vector2f size;
        V expected;
    };
    const std::vector<Case> cases = {
        {{-30.0f, -50.0f}, {16, 12}, {-12.0f, -24.0f}}, // left and below
        {{0.0f, 100.0f}, {16, 12}, {0.0f, 100.0f}},     // above is free
        {{50.0f, -20.0f}, {16, 12}, {12.0f, -20.0f}},   // right
        {{3.0f, -24.0f}, {16, 12}, {3.0f, -24.0f}},     // on the limits
        {{-30.0f, 0.0f}, {60, 12}, {-10.0f, 0.0f}},     // wider than the map: maxX
        {{30.0f, 0.0f}, {60, 12}, {-10.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        sf::View view(rvec2svec(c.centre), c.size);
        object->limitCamera(view);
        EXPECT_EQ(svec2rvec(view.getCenter()), c.expected) << c.centre.x << "," << c.centre.y;
        EXPECT_EQ(view.getSize(), c.size);
    }
}

TEST_F(MapObjectTest, BackgroundFollowsTheCameraAtATwentieth)
{
    build(makeMap(20, 10, 2.0f, 4, velk_test::plain(5)));
    // The map's centre: top-left (-20, -10) plus half of 40 x 20.
    const V centre(0.0f, -20.0f);
    struct Case {
        V camera;
        V shift;
    };
    const std::vector<Case> cases = {{centre, {0, 0}}, {centre + V(100, 0), {5, 0}}, {centre + V(-40, 60), {-2, 3}}};
    for (const Case& c : cases) {
        world.getCamera().setCenter(rvec2svec(c.camera));
        world.update(1.0f / 60.0f);
        // Drawn relative to the object: its world place is the sum.
        const V placed = object->getPosition() + background()->getPosition();
        const V expected = object->getMap()->getPosition() + c.shift;
        EXPECT_NEAR(placed.x, expected.x, 1e-4f) << c.camera.x;
        EXPECT_NEAR(placed.y, expected.y, 1e-4f) << c.camera.y;
    }
}

TEST_F(MapObjectTest, UnreadableMapLeavesNoLayers)
{
    velk_test::writeFile(folder / "broken.map.json", "not json");
    EXPECT_FALSE(object->build((folder / "broken.map.json").string(), (folder / "level" / "level.obj.json").string()));
    EXPECT_TRUE(log.contains("broken.map.json"));
    EXPECT_EQ(object->getMap(), nullptr);
    EXPECT_EQ(object->getNumberOfComponents(), 0);
    EXPECT_EQ(world.getB2World()->GetBodyCount(), 0);
    sf::View view(sf::Vector2f(1, 2), sf::Vector2f(16, 12));
    object->limitCamera(view);
    EXPECT_EQ(view.getCenter(), sf::Vector2f(1, 2));
    world.update(1.0f / 60.0f);
}

TEST_F(MapObjectTest, EndDropsTheLayers)
{
    build(makeMap(8, 8, 1.0f, 4, velk_test::plain(5)));
    object->onEnd();
    EXPECT_EQ(object->getMap(), nullptr);
    EXPECT_EQ(object->getNumberOfComponents(), 0);
    EXPECT_EQ(world.getB2World()->GetBodyCount(), 0);
    world.update(1.0f / 60.0f);
}
