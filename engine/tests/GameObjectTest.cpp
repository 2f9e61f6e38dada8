#include "engine/GameObject.hpp"
#include "engine/GameObjectDrawer.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameSimpleComponent.hpp"
#include "engine/GameWorld.hpp"
#include "engine/tests/WorldTestSupport.hpp"
#include "foundation/json/Parser.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using velk_test::writeFile;
using worldtest::BoxBody;
using worldtest::sceneText;

class GameObjectTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override
    {
        writeFile(folder / "parts" / "scene.json",
                  sceneText({{"Hull", 1, 1, 0.3f}, {"Wheel", 3, 0}, {"Wheel", -3, 0}}));
        writeFile(folder / "parts" / "items.img.json",
                  R"({"ImageFile": "missing.png", "Images": {"hull": [10, 20, 30, 40]}})");
    }

    /// Writes an object file beside the scene and the image map.
    std::string objectFile(const std::string& name, const std::string& text)
    {
        const auto path = folder / "parts" / name;
        writeFile(path, text);
        return path.string();
    }

    GameObject* addObject() { return world.add(new GameObject()); }

    GameWorld world{b2Vec2(0, 0)};
    velk_test::LogCapture log;
};

TEST_F(GameObjectTest, PlainTreeWithMissingKeysLogsBothInOrder)
{
    const std::string path = objectFile(
        "plain.obj.json", R"({"Components": [{"Id": "a"}, 5, {"Id": "b", "Components": [{"Id": "c"}]}]})");
    GameObject* object = addObject();
    object->loadFromFile(path);

    ASSERT_EQ(object->getNumberOfComponents(), 2);
    EXPECT_EQ(object->getComponent(0u)->getId(), "a");
    GameComponent* b = object->getComponent(1u);
    EXPECT_EQ(b->getId(), "b");
    ASSERT_EQ(b->getNumberOfComponents(), 1);
    EXPECT_EQ(b->getComponent(0u)->getId(), "c");
    EXPECT_EQ(b->getComponent(0u)->getObject(), object);
    EXPECT_EQ(b->getComponent(0u)->getWorld(), &world);

    const auto lines = log.lines();
    const auto body = std::find(lines.begin(), lines.end(), "[GameObject] NO BODY SET!");
    const auto image = std::find(lines.begin(), lines.end(), "[GameObject] IMAGESET NOT SET!");
    ASSERT_NE(body, lines.end());
    ASSERT_NE(image, lines.end());
    EXPECT_LT(body, image);
    // The object file is named after each warning.
    EXPECT_EQ(*(body + 1), "[GameObject] (in object file \"" + path + "\")");
}

TEST_F(GameObjectTest, BodyNameMakesOneComponentPerBody)
{
    GameObject* object = addObject();
    object->loadFromFile(objectFile("wheels.obj.json", R"({"Body": "scene.json", "Components": [
        {"Body": "Wheel", "Id": "w", "Components": [{"Id": "hub"}]},
        {"Body": "Nothing", "Id": "n", "Components": [{"Id": "lost"}]}]})"));
    ASSERT_EQ(object->getNumberOfComponents(), 2);
    for (unsigned i = 0; i < 2; ++i) {
        auto* wheel = dynamic_cast<GamePhisicsComponent*>(object->getComponent(i));
        ASSERT_NE(wheel, nullptr);
        EXPECT_EQ(wheel->getId(), "w");
        EXPECT_EQ(std::fabs(wheel->getPosition().x), 3.0f);
        ASSERT_EQ(wheel->getNumberOfComponents(), 1);
        EXPECT_EQ(wheel->getComponent(0u)->getId(), "hub");
    }
    EXPECT_EQ(object->getComponentById("n"), nullptr);
    EXPECT_EQ(object->getComponentById("lost"), nullptr);
    EXPECT_EQ(world.getB2World()->GetBodyCount(), 3);
}

TEST_F(GameObjectTest, ImagesShrinkAndBadImagesAreLoggedNotThrown)
{
    GameObject* object = addObject();
    EXPECT_NO_THROW(object->loadFromFile(objectFile("img.obj.json", R"({"ImageSet": "items.img.json",
        "Body": "scene.json",
        "Components": [{"Id": "good", "Image": "hull"}, {"Id": "unknown", "Image": "nope"},
                       {"Id": "number", "Image": 5}, {"Id": "last", "Body": "Hull", "Main": true}]})")));
    EXPECT_EQ(object->imageMap().images().at("hull"), sf::IntRect(11, 21, 28, 38));
    EXPECT_EQ(object->getComponentById("good")->getShape().getTextureRect(), sf::IntRect(11, 21, 28, 38));
    EXPECT_EQ(object->getComponentById("unknown")->getShape().getTextureRect(), sf::IntRect());
    EXPECT_TRUE(log.contains("image \"nope\" is not in the image map"));
    EXPECT_TRUE(log.contains("'Image' is not a string"));
    // Loading went on after the bad names and finished with the object's update.
    ASSERT_NE(object->getComponentById("last"), nullptr);
    EXPECT_EQ(object->getPosition(), math::Vector2<float>(1, 1));
    // The image file does not exist: no texture, and the shapes have none.
    EXPECT_EQ(object->getTexture(), nullptr);
    EXPECT_EQ(object->getComponentById("good")->getShape().getTexture(), nullptr);
    EXPECT_EQ(object->getTextureKey().path(), (folder / "parts" / "missing.png").string());
}

TEST_F(GameObjectTest, ImageShrinkHoldsAtTheEndsOfInt)
{
    writeFile(folder / "parts" / "edges.img.json", R"({"ImageFile": "missing.png", "Images": {
        "max": [2147483647, 2147483647, -2147483648, -2147483648], "huge": [1e308, -1e308, 1e308, -1e308]}})");
    GameObject* object = addObject();
    object->loadFromFile(objectFile("edges.obj.json", R"({"ImageSet": "edges.img.json"})"));
    const int top = std::numeric_limits<int>::max();
    const int bottom = std::numeric_limits<int>::min();
    EXPECT_EQ(object->imageMap().images().at("max"), sf::IntRect(top, top, bottom, bottom));
    EXPECT_EQ(object->imageMap().images().at("huge"), sf::IntRect(top, bottom + 1, top - 2, bottom));
}

TEST_F(GameObjectTest, FileErrorsGiveLogLinesAndSafeTrees)
{
    struct Case {
        const char* name;
        const char* text; // null: no file at all
        const char* expectedLine;
        int components;
    };
    const Case cases[] = {
        {"absent.obj.json", nullptr, "Error loading json (", 0},
        {"broken.obj.json", R"({"Components": [)", "Error loading json (", 0},
        {"array.obj.json", R"([{"Id": "a"}])", "not a JSON object", 0},
        {"body.obj.json", R"({"Body": 5, "Components": [{"Id": "a"}]})", "Error: 'Body' not string!", 1},
        {"imageset.obj.json", R"({"ImageSet": [], "Components": [{"Id": "a"}]})", "Error: ImageSet is not string!", 1},
        {"noset.obj.json", R"({"ImageSet": "none.img.json"})", "Error: ImagesSet is not exists!", 0},
        {"badscene.obj.json", R"({"Body": "nothere.json"})", "Error loading phisics json: ", 0},
        {"compbody.obj.json", R"({"Body": "scene.json", "Components": [{"Body": 1, "Id": "x"}, {"Id": "y"}]})",
         "a component's 'Body' is not a string", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        const std::string path = c.text ? objectFile(c.name, c.text) : (folder / c.name).string();
        GameObject* object = addObject();
        EXPECT_NO_THROW(object->loadFromFile(path));
        EXPECT_TRUE(log.contains(c.expectedLine)) << log.text();
        EXPECT_EQ(object->getNumberOfComponents(), c.components);
        world.destroy(object);
    }
}

TEST_F(GameObjectTest, MissingFileLineHasPathAndParserText)
{
    GameObject* object = addObject();
    const std::string path = (folder / "absent.obj.json").string();
    object->loadFromFile(path);
    EXPECT_TRUE(log.contains("[GameObject] Error loading json (" + path + "): Json parse error ()")) << log.text();
}

TEST_F(GameObjectTest, LoadingOutsideAWorldIsLoggedAndSafe)
{
    GameObject object;
    EXPECT_NO_THROW(object.loadFromFile(objectFile("full.obj.json", R"({"Body": "scene.json",
        "ImageSet": "items.img.json", "Components": [{"Body": "Hull", "Id": "h"}, {"Id": "p", "Image": "hull"}]})")));
    EXPECT_TRUE(log.contains("not in a world, so the bodies of"));
    EXPECT_TRUE(log.contains("not in a world, so the texture"));
    EXPECT_EQ(object.getComponentById("h"), nullptr);
    ASSERT_NE(object.getComponentById("p"), nullptr);
    EXPECT_EQ(object.getComponentById("p")->getShape().getTextureRect(), sf::IntRect(11, 21, 28, 38));
    EXPECT_EQ(object.getTexture(), nullptr);
    EXPECT_EQ(object.getWorld(), nullptr);
    EXPECT_EQ(object.getComponentById("p")->getWorld(), nullptr);
}

TEST_F(GameObjectTest, MainBodyPoseWinsOverPositionAndFollowsOnlyWhileActive)
{
    GameObject* object = addObject();
    object->loadFromFile(objectFile("main.obj.json", R"({"Body": "scene.json",
        "Components": [{"Body": "Hull", "Main": true, "Position": [5, 0]}]})"));
    GameComponent* hull = object->getMainComponent();
    ASSERT_NE(hull, nullptr);
    EXPECT_EQ(hull->getPosition(), math::Vector2<float>(1, 1));
    EXPECT_EQ(object->getPosition(), math::Vector2<float>(1, 1));
    EXPECT_FLOAT_EQ(object->getRotation(), 0.3f);

    b2Body* body = static_cast<GamePhisicsComponent*>(hull)->getBody();
    body->SetTransform(b2Vec2(2, 2), 0.1f);
    object->update(0.0f);
    EXPECT_EQ(object->getPosition(), math::Vector2<float>(2, 2));
    object->deactivate();
    body->SetTransform(b2Vec2(3, 3), 0.2f);
    object->update(0.0f);
    EXPECT_EQ(object->getPosition(), math::Vector2<float>(2, 2));
}

TEST_F(GameObjectTest, MainComponentPointerIsClearedWheneverItGoes)
{
    const std::string withMain = objectFile(
        "m.obj.json", R"({"Components": [{"Id": "p", "Components": [{"Id": "c", "Main": true}]}]})");
    const std::string withoutMain = objectFile("n.obj.json", R"({"Components": [{"Id": "q"}]})");
    GameObject* object = addObject();

    object->loadFromFile(withMain);
    ASSERT_EQ(object->getMainComponent(), object->getComponentById("c"));
    object->loadFromFile(withoutMain); // reload
    EXPECT_EQ(object->getMainComponent(), nullptr);
    object->update(0.1f);

    object->loadFromFile(withMain);
    object->destroy(object->getComponentById("p")); // the main one was a nested child
    EXPECT_EQ(object->getMainComponent(), nullptr);

    object->loadFromFile(withMain);
    object->finish(); // the object's end
    EXPECT_EQ(object->getMainComponent(), nullptr);
    EXPECT_EQ(object->getNumberOfComponents(), 0);
}

TEST_F(GameObjectTest, LoadingTwiceKeepsOneTreeAndMergesProperties)
{
    const std::string path = objectFile("twice.obj.json", R"({"Properties": {"a": "1", "n": 2},
        "Components": [{"Id": "x"}, {"Id": "y"}]})");
    GameObject* object = addObject();
    object->loadFromFile(path);
    object->loadFromFile(path);
    EXPECT_EQ(object->getNumberOfComponents(), 2);
    EXPECT_TRUE(object->isPropertyExists("a"));
    EXPECT_FALSE(object->isPropertyExists("n"));
    EXPECT_EQ(object->getProperty("a"), "1");
    EXPECT_THROW(object->getProperty("n"), std::out_of_range);
}

TEST_F(GameObjectTest, ReloadingWithABodyBindsOnlyTheNewBodies)
{
    writeFile(folder / "parts" / "egy.json", sceneText({{"Hull", 0, 0}}));
    const std::string components = R"("Components": [{"Body": "Wheel", "Id": "w"}, {"Body": "Hull", "Main": true}]})";
    GameObject* object = addObject();
    object->loadFromFile(objectFile("győző.obj.json", R"({"Body": "scene.json", )" + components));
    object->loadFromFile(objectFile("egy.obj.json", R"({"Body": "egy.json", )" + components));
    // The wheels went with the first load: nothing may bind to them now.
    EXPECT_EQ(object->getComponentById("w"), nullptr);
    EXPECT_EQ(object->getNumberOfComponents(), 1);
    world.update(1.0f / 60);
    object->move(math::Vector2<float>(1, 0));
    world.update(1.0f / 60);
    world.destroy(object);
    EXPECT_EQ(world.getB2World()->GetBodyCount(), 0);
}

TEST_F(GameObjectTest, MovingAndMirroringTreatBodiesAndPlainPartsApart)
{
    GameObject* object = addObject();
    object->loadFromFile(objectFile("move.obj.json", R"({"Body": "scene.json", "Components": [
        {"Body": "Hull", "Id": "hull"}, {"Id": "plain", "Position": [2, 3], "Rotation": 0.3}]})"));
    auto* hull = static_cast<GamePhisicsComponent*>(object->getComponentById("hull"));
    GameComponent* plain = object->getComponentById("plain");

    object->move({1, 0});
    EXPECT_EQ(hull->getPosition(), math::Vector2<float>(2, 1));
    EXPECT_FLOAT_EQ(hull->getBody()->GetPosition().x, 2.0f);
    EXPECT_EQ(plain->getPosition(), math::Vector2<float>(2, 3));

    object->setPosition({0, 0});
    hull->getBody()->SetTransform(b2Vec2(2, 3), 0.3f);
    hull->update(0.0f);
    object->mirrorX();
    EXPECT_NEAR(hull->getPosition().x, -2.0f, 1e-5f);
    EXPECT_NEAR(hull->getPosition().y, 3.0f, 1e-5f);
    EXPECT_NEAR(hull->getBody()->GetAngle(), -0.3f, 1e-5f);
    EXPECT_NEAR(hull->getRotation(), -0.3f, 1e-5f);
    EXPECT_EQ(plain->getPosition(), math::Vector2<float>(-2, 3));
    EXPECT_FLOAT_EQ(plain->getRotation(), -0.3f);
    EXPECT_TRUE(plain->isMirroredX());
}

TEST_F(GameObjectTest, ContactListsBothComponentsOfOneObject)
{
    writeFile(folder / "parts" / "touch.json", sceneText({{"A", 0, 0}, {"B", 0.5f, 0}}));
    GameObject* object = addObject();
    object->loadFromFile(objectFile("touch.obj.json", R"({"Body": "touch.json",
        "Components": [{"Body": "A"}, {"Id": "plain"}, {"Body": "B"}]})"));
    world.getB2World()->Step(1.0f / 60, 8, 3);
    b2Contact* contact = world.getB2World()->GetContactList();
    ASSERT_NE(contact, nullptr);
    const auto found = object->getComponentsByContact(contact);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], object->getComponent(0u));
    EXPECT_EQ(found[1], object->getComponent(2u));
    EXPECT_TRUE(object->isContactedIn(contact));
    EXPECT_TRUE(object->getComponentsByContact(nullptr).empty());
    auto* byFixture = dynamic_cast<GamePhisicsComponent*>(object->getComponentByFixture(contact->GetFixtureA()));
    ASSERT_NE(byFixture, nullptr);
    EXPECT_EQ(byFixture->getBody(), contact->GetFixtureA()->GetBody());
    EXPECT_EQ(object->getComponentByBody(nullptr), nullptr);
    EXPECT_FALSE(object->hasFixture(nullptr));
}

TEST_F(GameObjectTest, DrawersAndMainComponentGuards)
{
    GameObject* object = addObject();
    GameObject* other = addObject();
    GameObjectDrawer drawer;
    object->addDrawer(&drawer);
    object->addDrawer(&drawer);
    object->addDrawer(nullptr);
    GameObjectDrawer absent;
    object->removeDrawer(&absent);
    object->removeDrawer(nullptr);
    object->removeDrawer(&drawer);
    object->removeDrawer(&drawer); // kept once, so one removal empties the list
    object->addDrawer(&drawer);

    GameComponent* mine = object->add(new GameSimpleComponent());
    GameComponent* theirs = other->add(new GameSimpleComponent());
    object->setMainComponent(theirs);
    EXPECT_EQ(object->getMainComponent(), nullptr);
    object->setMainComponent(mine);
    EXPECT_EQ(object->getMainComponent(), mine);
    object->setMainComponent(nullptr);
    EXPECT_EQ(object->getMainComponent(), mine);
}

TEST_F(GameObjectTest, MaskColourReachesMaskedShapesOfTheWholeTree)
{
    GameObject* object = addObject();
    object->loadFromFile(objectFile("mask.obj.json", R"({"Components": [{"Id": "a", "Mask": true,
        "Components": [{"Id": "b", "Mask": true}, {"Id": "c"}]}]})"));
    object->setMaskColor(sf::Color::Red);
    EXPECT_EQ(object->getComponentById("a")->getShape().getFillColor(), sf::Color::Red);
    EXPECT_EQ(object->getComponentById("b")->getShape().getFillColor(), sf::Color::Red);
    EXPECT_EQ(object->getComponentById("c")->getShape().getFillColor(), sf::Color::White);
    setMaskColorInSet(nullptr, sf::Color::Blue);
}

TEST(JsonValue2IntRectTest, ElementsTruncateAndDefault)
{
    EXPECT_EQ(jsonValue2IntRect(json::parseFromString("[3.9, -2.5, 10]")), sf::IntRect(3, -2, 10, 0));
    EXPECT_EQ(jsonValue2IntRect(json::parseFromString(R"(["a", 1, 2, 3, 4])")), sf::IntRect(0, 1, 2, 3));
    EXPECT_EQ(jsonValue2IntRect(json::parseFromString("[1e30, -1e30, 0, 0]")),
              sf::IntRect(2147483647, -2147483647 - 1, 0, 0));
    EXPECT_EQ(jsonValue2IntRect(json::parseFromString(R"({"x": 1})")), sf::IntRect());
}

} // namespace
