// The ship's controls, motion of its parts, health, death and camera.

#include "ShipTestSupport.hpp"

#include <SFML/Window/Joystick.hpp>
#include <gtest/gtest.h>

#include <cmath>

using namespace shiptest;
using velk::backend::ShipEntry;

namespace {

constexpr float Dt = 1.0f / 60.0f;

class ShipControlTest : public ::testing::Test {
protected:
    void SetUp() override { shippedData(); }

    TestInput input;
    GameWorld world{b2Vec2(0.0f, 0.0f)};
    ShipEntry entry;
};

bool anyJoystick()
{
    for (unsigned id = 0; id < sf::Joystick::Count; ++id)
        if (sf::Joystick::isConnected(id))
            return true;
    return false;
}

} // namespace

TEST_F(ShipControlTest, KeysDriveTheAxesWithTheirSigns)
{
    addBoxHull(entry);
    TestShip* ship = addShip(world, entry, false, input);
    if (!anyJoystick()) {
        EXPECT_EQ(ship->getJoystickId(), 8u);
        for (char key = 0; key < 4; ++key)
            EXPECT_EQ(ship->control().getAxis(key)->getJoystickId(), 8u);
    }
    const struct {
        sf::Keyboard::Key key;
        char axis;
        float value;
    } cases[] = {{sf::Keyboard::W, 0, 1.0f},      {sf::Keyboard::Down, 0, -1.0f}, {sf::Keyboard::A, 1, 1.0f},
                 {sf::Keyboard::Right, 1, -1.0f}, {sf::Keyboard::E, 2, 1.0f},     {sf::Keyboard::Q, 2, -1.0f}};
    for (const auto& c : cases) {
        input.held.keys = {c.key};
        world.update(Dt);
        EXPECT_FLOAT_EQ(ship->control().getAxis(c.axis)->getValue(), c.value) << int(c.key);
    }
}

TEST_F(ShipControlTest, TurningTwiceLiftsAndComesBackUnmirrored)
{
    addBoxHull(entry);
    entry.insertPart(SmallJet, 2.0f, 0.0f);
    TestShip* ship = addShip(world, entry, false, input);
    const GameAxis* side = ship->control().getAxis(1);
    EXPECT_TRUE(side->isInverted());
    pressOnce(world, *ship, sf::Keyboard::Space);
    EXPECT_TRUE(ship->isMirroredX());
    EXPECT_FALSE(side->isInverted());
    EXPECT_NEAR(ship->hull()->getBody()->GetPosition().y, 0.125f, 1e-4f);
    EXPECT_NEAR(ship->jets()[0]->partObject()->getPosition().x, -2.0f, 1e-3f);
    pressOnce(world, *ship, sf::Keyboard::Space);
    EXPECT_FALSE(ship->isMirroredX());
    EXPECT_TRUE(side->isInverted());
    EXPECT_NEAR(ship->hull()->getBody()->GetPosition().y, 0.25f, 1e-4f);
    EXPECT_NEAR(ship->jets()[0]->partObject()->getPosition().x, 2.0f, 1e-3f);
}

TEST_F(ShipControlTest, MirroringAndTurningCarryThePhysicalParts)
{
    addBoxHull(entry);
    entry.insertPart(Antenna, 1.0f, 0.0f)->setRotation(0.3f);
    TestShip* ship = addShip(world, entry);
    auto* antenna = static_cast<velk::PartComponent*>(ship->backList().at(0));
    ship->mirrorX();
    EXPECT_NEAR(antenna->getPosition().x, -1.0f, 1e-4f);
    EXPECT_NEAR(antenna->getPosition().y, 0.0f, 1e-4f);
    EXPECT_NEAR(antenna->getRotation(), -0.3f, 1e-4f);
    EXPECT_NEAR(antenna->partObject()->getPosition().x, -1.0f, 1e-4f);
    EXPECT_TRUE(antenna->isMirroredX());

    ship->rotate(1.5707964f);
    EXPECT_NEAR(antenna->getPosition().x, 0.0f, 1e-4f);
    EXPECT_NEAR(antenna->getPosition().y, -1.0f, 1e-4f);
    EXPECT_NEAR(antenna->getRotation(), -0.3f + 1.5707964f, 1e-4f);
    EXPECT_NEAR(antenna->partObject()->getPosition().y, -1.0f, 1e-4f);

    ship->move(math::Vector2<float>(2.0f, 3.0f));
    EXPECT_NEAR(antenna->partObject()->getPosition().x, 2.0f, 1e-4f);
    EXPECT_NEAR(antenna->partObject()->getPosition().y, 2.0f, 1e-4f);
    // Everything still welded where it stands.
    for (int i = 0; i < 30; ++i)
        world.update(Dt);
    EXPECT_NEAR(antenna->getPosition().x, 2.0f, 0.01f);
    EXPECT_NEAR(antenna->getPosition().y, 2.0f, 0.01f);
}

TEST_F(ShipControlTest, DeathSilencesTheControlsAndLeavesNoJointToAnyPart)
{
    addBoxHull(entry, 4.0f, 1.0f);
    entry.insertPart(MainJet, 0.0f, -1.0f);
    entry.insertPart(SmallJet, 3.5f, 0.0f);
    entry.insertPart(LightTrack, -2.0f, -1.5f);
    entry.insertPart(LightDrill, 3.0f, -0.5f)->properties()["drillhead"] = "drillhead.standard";
    entry.insertPart(Cockpit, 0.0f, 1.0f);
    entry.insertPart(Lamp, -2.0f, 1.0f);
    world.getB2World()->SetGravity(b2Vec2(0.0f, -5.0f));
    TestShip* ship = addShip(world, entry, false, input);
    velk::DrillComponent* drill = ship->drills().at(0);
    drill->setOut(true);
    drill->turnHeadOn();
    ship->lamps().at(0)->turnLampOn();
    input.held.keys = {sf::Keyboard::W, sf::Keyboard::E};
    world.update(Dt);
    EXPECT_FLOAT_EQ(ship->control().getAxis(0)->getValue(), 1.0f);
    ASSERT_GT(jointsOn(world, *ship), 0);

    ship->damageShip(150.0f);
    EXPECT_FLOAT_EQ(ship->getHealthRatio(), -0.5f);
    world.update(Dt);
    EXPECT_FALSE(ship->isAlive());
    EXPECT_EQ(ship->deadSound().getStatus(), sf::Sound::Playing);
    for (char key = 0; key < 4; ++key)
        EXPECT_FLOAT_EQ(ship->control().getAxis(key)->getValue(), 0.0f);
    EXPECT_FALSE(ship->isLampOn());
    EXPECT_FALSE(drill->isHeadTurnedOn());
    EXPECT_FALSE(ship->cockpits().at(0)->isTurnedOn());
    EXPECT_EQ(jointsOn(world, *ship), 0);
    // No part keeps a destroyed joint.
    for (velk::JetComponent* jet : ship->jets())
        EXPECT_TRUE(jet->brakeJoints().empty());
    EXPECT_TRUE(ship->tracks().at(0)->wheelJoints().empty());
    EXPECT_EQ(drill->railJoint(), nullptr);
    EXPECT_EQ(drill->headJoint(), nullptr);

    // Frames and commands after death touch no destroyed joint (the sanitizer run checks).
    const float fuel = ship->getFuel();
    for (int i = 0; i < 30; ++i)
        world.update(Dt);
    drill->setOut(false);
    drill->setOut(true);
    pressOnce(world, *ship, sf::Keyboard::C);
    for (velk::JetComponent* jet : ship->jets()) {
        jet->openBrakeRoofs();
        jet->mirrorX();
    }
    world.update(Dt);
    EXPECT_FLOAT_EQ(ship->getFuel(), fuel);

    // Health again makes it alive; the actions work, the axes stay dead.
    ship->setHealth(50.0f);
    world.update(Dt);
    EXPECT_TRUE(ship->isAlive());
    pressOnce(world, *ship, sf::Keyboard::L);
    EXPECT_TRUE(ship->isLampOn());
    EXPECT_FLOAT_EQ(ship->control().getAxis(0)->getValue(), 0.0f);
}

TEST_F(ShipControlTest, CameraIsDraggedWithinThreeUnitsThenEased)
{
    addBoxHull(entry);
    TestShip* ship = addShip(world, entry);
    ship->move(math::Vector2<float>(10.0f, 4.0f));
    const struct {
        float left;
        float expected;
    } cases[] = {{5.0f, 1.95f}, {2.0f, 1.3f}, {0.0f, 0.0f}};
    for (const auto& c : cases) {
        sf::View view;
        view.setCenter(10.0f - c.left, -4.0f); // drawing coordinates: y down
        ship->moveCamera(view, 0.1f);
        EXPECT_NEAR(view.getCenter().x, 10.0f - c.expected, 1e-4f) << c.left;
        EXPECT_NEAR(view.getCenter().y, -4.0f, 1e-4f);
    }
}
