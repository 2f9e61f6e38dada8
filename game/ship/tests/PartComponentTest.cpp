// The part base (part object, weld, pose copy-back, test mode, sounds, end)
// and the cockpit, antenna and lamp parts, on the shipped part objects.

#include "ShipTestSupport.hpp"

#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace shiptest;
using velk::PartComponent;
using velk::backend::ShipEntry;

namespace {

class PartComponentTest : public ::testing::Test {
protected:
    void SetUp() override { shippedData(); }

    bool inWorld(const GameObject* object) const
    {
        const auto& list = world.getResources();
        return std::find(list.begin(), list.end(), object) != list.end();
    }

    static b2WeldJoint* weldBetween(b2Body* a, b2Body* b)
    {
        for (b2JointEdge* e = a->GetJointList(); e; e = e->next)
            if (e->other == b && e->joint->GetType() == e_weldJoint)
                return static_cast<b2WeldJoint*>(e->joint);
        return nullptr;
    }

    GameWorld world{b2Vec2(0.0f, 0.0f)};
    ShipEntry entry;
};

/// A part whose object names the same sound twice.
class TwiceSounding : public PartComponent {
public:
    using PartComponent::PartComponent;
    void onBegin() override
    {
        soundKeys = {"SoundTrack", "Missing", "SoundTrack"};
        PartComponent::onBegin();
    }
};

} // namespace

TEST_F(PartComponentTest, PartObjectIsWeldedToTheHullAndItsPoseCopiedBack)
{
    addBoxHull(entry);
    entry.insertPart(Antenna, 2.0f, 1.0f)->setRotation(0.3f);
    entry.setColor(velk::backend::ShipColor(10, 20, 30));
    world.getB2World()->SetGravity(b2Vec2(0.0f, -5.0f));
    TestShip* ship = addShip(world, entry);
    auto* antenna = static_cast<PartComponent*>(ship->backList().at(0));
    GameObject* object = antenna->partObject();
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(inWorld(object));
    EXPECT_FALSE(object->isVisible());
    EXPECT_FALSE(antenna->isVisible());
    EXPECT_TRUE(antenna->isPhisical());
    EXPECT_EQ(object->getMaskColor(), sf::Color(10, 20, 30));
    EXPECT_NEAR(object->getRotation(), 0.3f, 1e-5f);

    b2WeldJoint* weld = weldBetween(ship->hull()->getBody(), velk::mainBodyOf(object));
    ASSERT_NE(weld, nullptr);
    EXPECT_FLOAT_EQ(weld->GetLocalAnchorA().x, 2.0f);
    EXPECT_FLOAT_EQ(weld->GetLocalAnchorA().y, 1.0f);
    EXPECT_FLOAT_EQ(weld->GetLocalAnchorB().x, 0.0f);
    EXPECT_NEAR(weld->GetReferenceAngle(), 0.3f, 1e-5f);
    EXPECT_TRUE(ship->hasBody(velk::mainBodyOf(object)));

    ship->move(math::Vector2<float>(5.0f, 0.0f));
    EXPECT_FLOAT_EQ(antenna->getPosition().x, 7.0f);
    EXPECT_FLOAT_EQ(object->getPosition().x, 7.0f);
    for (int i = 0; i < 60; ++i)
        world.update(1.0f / 60.0f);
    // Falling together: the part follows its object, which stays on its anchor.
    EXPECT_LT(ship->getPosition().y, -1.0f);
    world.update(0.0f);
    EXPECT_EQ(antenna->getPosition(), object->getPosition());
    EXPECT_FLOAT_EQ(antenna->getRotation(), object->getRotation());
    EXPECT_LT((weld->GetAnchorA() - weld->GetAnchorB()).Length(), 0.01f);
}

TEST_F(PartComponentTest, PartWithoutObjectStillJoinsAndRuns)
{
    addBoxHull(entry);
    entry.insertPart(NoObjectLamp, 1.0f, 0.0f);
    velk_test::LogCapture log;
    TestShip* ship = addShip(world, entry);
    ASSERT_EQ(ship->lamps().size(), 1u);
    velk::LampComponent* lamp = ship->lamps()[0];
    EXPECT_EQ(lamp->partObject(), nullptr);
    EXPECT_FALSE(lamp->isPhisical());
    EXPECT_FALSE(lamp->hasBody(ship->hull()->getBody()));
    EXPECT_TRUE(log.contains("test.noobject"));
    lamp->turnLampOn();
    ship->move(math::Vector2<float>(1.0f, 1.0f));
    world.update(1.0f / 60.0f);
    EXPECT_TRUE(ship->isLampOn());
}

TEST_F(PartComponentTest, TestModeUsesTestTexturesAndNoMaskColourOrSounds)
{
    EXPECT_EQ(velk::testTextureName("jet.png"), "jet_test.png");
    EXPECT_EQ(velk::testTextureName("some/folder/jet.mkiii.png"), "jet.mkiii_test.png");

    addBoxHull(entry);
    entry.insertPart(MainJet, 0.0f, -1.0f);
    entry.insertPart(Cockpit, 0.0f, 1.0f);
    entry.setColor(velk::backend::ShipColor(200, 0, 0));
    TestShip* ship = addShip(world, entry, true);
    velk::JetComponent* jet = ship->jets().at(0);
    ASSERT_NE(jet->partObject(), nullptr);
    EXPECT_TRUE(jet->isTest());
    const std::string key = jet->partObject()->getTextureKey().path();
    EXPECT_EQ(key.substr(key.size() - std::string("jet.mkiii_test.png").size()), "jet.mkiii_test.png");
    EXPECT_EQ(jet->getNumberOfSounds(), 0u);
    EXPECT_EQ(jet->partObject()->getMaskColor(), sf::Color::White);
    EXPECT_TRUE(jet->isPhisical());

    // The cockpit is set up as in normal mode, and shows "Test".
    velk::CockpitComponent* cockpit = ship->cockpits().at(0);
    GameObject* object = cockpit->partObject();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->getMaskColor(), sf::Color(200, 0, 0));
    const sf::IntRect test = object->imageMap().images().at("Test");
    EXPECT_EQ(object->getComponent(0)->getShape().getTextureRect(), test);
    cockpit->turnOff();
    EXPECT_FALSE(cockpit->isTurnedOn());
    EXPECT_EQ(object->getComponent(0)->getShape().getTextureRect(), test);
}

TEST_F(PartComponentTest, SoundsComeFromTheObjectsPropertiesAndFade)
{
    addBoxHull(entry);
    velk::backend::PartEntry* track = entry.insertPart(LightTrack, 0.0f, -1.0f);
    TestShip* ship = addShip(world, entry);
    auto* part = static_cast<PartComponent*>(ship->add(new TwiceSounding(track)));
    EXPECT_EQ(part->getNumberOfSounds(), 2u);

    part->setSoundVolumeFactor(2.0f);
    EXPECT_FLOAT_EQ(part->getSoundVolumeFactor(), 1.0f);
    part->setSoundVolumeFactor(-1.0f);
    EXPECT_FLOAT_EQ(part->getSoundVolumeFactor(), 0.0f);
    part->setSoundVolumeFactor(0.25f);
    EXPECT_FLOAT_EQ(part->getSoundVolumeFactor(), 0.25f);

    PartComponent::Sound& sound = part->getSound(0);
    EXPECT_FLOAT_EQ(sound.sound().getAttenuation(), 0.1f);
    EXPECT_FALSE(sound.sound().isRelativeToListener());
    sound.setVolume(40.0f); // no fading: at once
    EXPECT_FLOAT_EQ(sound.sound().getVolume(), 40.0f);
    sound.setFadingSpeed(50.0f);
    sound.setVolume(52.0f);
    EXPECT_FLOAT_EQ(sound.sound().getVolume(), 40.0f);
    const float expected[] = {45.0f, 50.0f, 52.0f, 52.0f};
    for (float v : expected) {
        sound.update(0.1f);
        EXPECT_NEAR(sound.sound().getVolume(), v, 1e-4f);
    }
    sound.setVolume(0.0f);
    sound.update(0.1f);
    EXPECT_NEAR(sound.sound().getVolume(), 47.0f, 1e-4f);
}

TEST_F(PartComponentTest, EndingAPartTakesItsObjectOutOfTheWorld)
{
    addBoxHull(entry);
    entry.insertPart(Antenna, 1.0f, 1.0f);
    TestShip* ship = addShip(world, entry);
    auto* antenna = static_cast<PartComponent*>(ship->backList().at(0));
    const GameObject* object = antenna->partObject();
    ASSERT_TRUE(inWorld(object));
    ship->destroy(antenna);
    EXPECT_FALSE(inWorld(object));
    EXPECT_TRUE(ship->backList().empty());
    EXPECT_EQ(jointsOn(world, *ship), 0);
    world.update(1.0f / 60.0f);
}

TEST_F(PartComponentTest, CockpitShowsOnlineAndOfflineAndFollowsAtOnce)
{
    addBoxHull(entry);
    entry.insertPart(Cockpit, 0.0f, 1.0f);
    TestShip* ship = addShip(world, entry);
    velk::CockpitComponent* cockpit = ship->cockpits().at(0);
    GameObject* object = cockpit->partObject();
    ASSERT_NE(object, nullptr);
    const auto& rects = object->imageMap().images();
    sf::RectangleShape& picture = object->getComponent(0)->getShape();
    EXPECT_TRUE(cockpit->isTurnedOn());
    cockpit->turnOff();
    EXPECT_EQ(picture.getTextureRect(), rects.at("Offline"));
    cockpit->switchTurnedOn();
    EXPECT_EQ(picture.getTextureRect(), rects.at("Online"));
    picture.setTextureRect(sf::IntRect(1, 2, 3, 4));
    cockpit->turnOn(); // already on: nothing changes
    EXPECT_EQ(picture.getTextureRect(), sf::IntRect(1, 2, 3, 4));

    cockpit->move(math::Vector2<float>(0.5f, -0.25f));
    EXPECT_EQ(cockpit->getPosition(), object->getPosition());
    EXPECT_FLOAT_EQ(cockpit->getPosition().x, 0.5f);
}

TEST_F(PartComponentTest, CockpitWithoutPicturesKeepsItsPicture)
{
    const fs::path folder = fs::path(velk::partObjectFolder) / "test.cockpit";
    velk_test::writeFile(folder / "test.cockpit.img.json",
                         R"({"ImageFile": "c.png", "Images": {"Online": [0, 0, 10, 10]}})");
    velk_test::writeFile(
        folder / "test.cockpit.obj.json",
        R"({"ImageSet": "test.cockpit.img.json", "Components": [{"Image": "Online", "Size": [1, 1]}]})");
    addBoxHull(entry);
    entry.insertPart(SyntheticCockpit, 0.0f, 0.0f);
    TestShip* ship = addShip(world, entry);
    velk::CockpitComponent* cockpit = ship->cockpits().at(0);
    ASSERT_NE(cockpit->partObject(), nullptr);
    EXPECT_FALSE(cockpit->isPhisical()); // no physics main component: no weld
    const sf::IntRect before = cockpit->partObject()->getComponent(0)->getShape().getTextureRect();
    velk_test::LogCapture log;
    ASSERT_NO_THROW(cockpit->turnOff());
    EXPECT_EQ(cockpit->partObject()->getComponent(0)->getShape().getTextureRect(), before);
    EXPECT_TRUE(log.contains("\"Offline\""));

    // Not physical: the ship does not carry it along.
    ship->move(math::Vector2<float>(3.0f, 0.0f));
    EXPECT_FLOAT_EQ(cockpit->getPosition().x, 0.0f);
}

TEST_F(PartComponentTest, LampShowsItsLightsOnlyWhileOn)
{
    addBoxHull(entry);
    entry.insertPart(Lamp, 1.0f, 1.0f);
    TestShip* ship = addShip(world, entry);
    velk::LampComponent* lamp = ship->lamps().at(0);
    const GameComponent* light = lamp->partObject()->getComponentById("Light");
    ASSERT_NE(light, nullptr);
    EXPECT_FALSE(lamp->isLampOn());
    EXPECT_FALSE(light->isVisible());
    lamp->turnLampOn();
    EXPECT_TRUE(light->isVisible());
    EXPECT_TRUE(ship->isLampOn());
    lamp->turnLampOff();
    EXPECT_FALSE(light->isVisible());
    EXPECT_FALSE(ship->isLampOn());
}
