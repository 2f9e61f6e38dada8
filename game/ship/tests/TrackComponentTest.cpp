// Tracks on the shipped track parts: wheel speed, fuel, sound pitch, test
// mode, own wheels only, and mirroring.

#include "ShipTestSupport.hpp"

#include "engine/GamePhisicsComponent.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace shiptest;
using velk::TrackComponent;
using velk::backend::ShipEntry;

namespace {

constexpr float Dt = 1.0f / 60.0f;

class TrackComponentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shippedData();
        followJoystick(axis, input);
    }

    void build(int tracks, bool testMode = false)
    {
        addBoxHull(entry);
        for (int i = 0; i < tracks; ++i)
            entry.insertPart(LightTrack, i == 0 ? -2.0f : 2.0f, -1.5f);
        ship = addShip(world, entry, testMode);
        for (TrackComponent* track : ship->tracks())
            track->setControl(&axis);
    }

    void run(float value)
    {
        input.joystickPosition = value * 100.0f;
        axis.update(Dt);
        world.update(Dt);
    }

    TestInput input;
    GameAxis axis;
    GameWorld world{b2Vec2(0.0f, 0.0f)};
    ShipEntry entry;
    TestShip* ship = nullptr;
};

} // namespace

TEST_F(TrackComponentTest, WheelSpeedFuelAndPitchFollowTheAxis)
{
    build(1);
    TrackComponent* track = ship->tracks().at(0);
    ASSERT_EQ(track->wheelJoints().size(), 3u);
    ASSERT_EQ(track->getNumberOfSounds(), 1u);
    const struct {
        float axis;
        float speed;
    } cases[] = {{1.0f, -10.0f}, {-0.5f, 5.0f}, {0.0f, 0.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.axis);
        const float fuel = ship->getFuel();
        run(c.axis);
        for (b2WheelJoint* wheel : track->wheelJoints()) {
            EXPECT_TRUE(wheel->IsMotorEnabled());
            EXPECT_FLOAT_EQ(wheel->GetMotorSpeed(), c.speed);
        }
        EXPECT_FLOAT_EQ(track->getAxisValue(), c.speed);
        EXPECT_NEAR(fuel - ship->getFuel(), std::abs(c.speed) * 0.01f * Dt, 1e-5f);
        const sf::Sound& sound = track->getSound(0).sound();
        EXPECT_FLOAT_EQ(sound.getPitch(), std::max(std::abs(c.axis), TrackComponent::MinimumPitch));
        EXPECT_FLOAT_EQ(track->getSound(0).getVolume(), 100.0f * std::abs(c.axis));
    }
}

TEST_F(TrackComponentTest, EmptyTankStopsTheWheelsAndNeverZeroesThePitch)
{
    build(1);
    TrackComponent* track = ship->tracks().at(0);
    run(1.0f);
    ship->setFuel(0.0f);
    run(1.0f);
    for (b2WheelJoint* wheel : track->wheelJoints())
        EXPECT_FLOAT_EQ(wheel->GetMotorSpeed(), 0.0f);
    EXPECT_FLOAT_EQ(ship->getFuel(), 0.0f);
    EXPECT_FLOAT_EQ(track->getAxisLevel(), 0.0f);
    EXPECT_GT(track->getSound(0).sound().getPitch(), 0.0f);
    EXPECT_FLOAT_EQ(track->getSound(0).getVolume(), 0.0f);
}

TEST_F(TrackComponentTest, TestModeTurnsTheWheelsWithoutBurningFuel)
{
    build(1, true);
    TrackComponent* track = ship->tracks().at(0);
    run(1.0f);
    EXPECT_FLOAT_EQ(track->wheelJoints().at(0)->GetMotorSpeed(), -10.0f);
    EXPECT_FLOAT_EQ(ship->getFuel(), 100.0f);
    EXPECT_EQ(track->getNumberOfSounds(), 0u);
}

TEST_F(TrackComponentTest, EachTrackDrivesOnlyItsOwnWheels)
{
    // A wheel joint of another object, made before the ship.
    GameObject* other = world.add(new GameObject());
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2Body* a = world.getB2World()->CreateBody(&def);
    b2Body* b = world.getB2World()->CreateBody(&def);
    other->add(new GamePhisicsComponent(a));
    other->add(new GamePhisicsComponent(b));
    b2WheelJointDef wheelDef;
    wheelDef.Initialize(a, b, b2Vec2(0, 0), b2Vec2(0, 1));
    auto* foreign = static_cast<b2WheelJoint*>(world.getB2World()->CreateJoint(&wheelDef));

    build(2);
    const auto& first = ship->tracks()[0]->wheelJoints();
    const auto& second = ship->tracks()[1]->wheelJoints();
    ASSERT_EQ(first.size(), 3u);
    ASSERT_EQ(second.size(), 3u);
    for (b2WheelJoint* w : first)
        EXPECT_EQ(std::count(second.begin(), second.end(), w), 0);
    run(1.0f);
    EXPECT_FALSE(foreign->IsMotorEnabled());
    EXPECT_FLOAT_EQ(foreign->GetMotorSpeed(), 0.0f);
    for (b2WheelJoint* w : second)
        EXPECT_FLOAT_EQ(w->GetMotorSpeed(), -10.0f);
}

TEST_F(TrackComponentTest, MirroringCollectsTheRebuiltWheels)
{
    build(1);
    TrackComponent* track = ship->tracks().at(0);
    track->mirrorX();
    ASSERT_EQ(track->wheelJoints().size(), 3u);
    for (b2WheelJoint* w : track->wheelJoints())
        EXPECT_TRUE(isLiveJoint(world, w));
    run(1.0f);
}
