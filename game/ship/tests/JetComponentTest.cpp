// Jets on the shipped main engine: thrust direction, fuel use, brake roofs,
// sounds, flames, test mode, inactivity and mirroring.

#include "ShipTestSupport.hpp"

#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace shiptest;
using velk::JetComponent;
using velk::backend::ShipEntry;

namespace {

constexpr float Dt = 1.0f / 60.0f;

class JetComponentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shippedData();
        followJoystick(axis, input);
    }

    /// A box ship with one main engine turned by `angle`, driven by the test axis.
    JetComponent* build(float angle = 0.0f, bool testMode = false)
    {
        addBoxHull(entry);
        entry.insertPart(MainJet, 0.0f, 0.0f)->setRotation(angle);
        ship = addShip(world, entry, testMode);
        JetComponent* jet = ship->jets().at(0);
        jet->setupContol(&axis, false, GameAxis::Positive);
        return jet;
    }

    /// Frames with the axis at `value` (-1..1).
    void run(float value, int frames = 2)
    {
        input.joystickPosition = value * 100.0f;
        for (int i = 0; i < frames; ++i) {
            axis.update(Dt);
            world.update(Dt);
        }
    }

    b2Vec2 hullVelocity() const { return ship->hull()->getBody()->GetLinearVelocity(); }

    TestInput input;
    GameAxis axis;
    GameWorld world{b2Vec2(0.0f, 0.0f)};
    ShipEntry entry;
    TestShip* ship = nullptr;
};

} // namespace

TEST_F(JetComponentTest, PushesAlongItsBodysYAxisAndBurnsFuelForIt)
{
    JetComponent* jet = build(1.5707964f);
    EXPECT_FLOAT_EQ(jet->getStrength(), 1300.0f);
    run(1.0f, 1);
    EXPECT_FLOAT_EQ(jet->getAxisLevel(), 1.0f);
    EXPECT_FLOAT_EQ(jet->getAxisValue(), 1300.0f);
    EXPECT_NEAR(ship->getFuel(), 100.0f - 1300.0f * 0.0005f * Dt, 1e-4f);
    run(1.0f, 1);
    // Turned by 90 degrees a positive level pushes along world -X.
    EXPECT_LT(hullVelocity().x, -0.01f);
    EXPECT_NEAR(hullVelocity().y, 0.0f, 0.05f * std::fabs(hullVelocity().x));
}

TEST_F(JetComponentTest, NegativeLevelOpensTheRoofsAndRaisesTheBrakeSound)
{
    JetComponent* jet = build();
    jet->setupContol(&axis, false, GameAxis::Negative);
    ASSERT_EQ(jet->brakeJoints().size(), 2u);
    ASSERT_EQ(jet->getNumberOfSounds(), 2u);
    const float fuel = ship->getFuel();
    run(0.5f);
    EXPECT_FLOAT_EQ(jet->getAxisLevel(), -0.5f);
    for (b2RevoluteJoint* roof : jet->brakeJoints()) {
        EXPECT_TRUE(roof->IsMotorEnabled());
        // Each roof opens toward its limit away from 0.
        EXPECT_FLOAT_EQ(roof->GetMotorSpeed(), roof->GetLowerLimit() >= -0.01f ? 5.0f : -5.0f);
    }
    EXPECT_FLOAT_EQ(jet->getSound(0).getVolume(), 0.0f);
    EXPECT_NEAR(jet->getSound(1).getVolume(), 0.5f * 100.0f, 1e-3f);
    EXPECT_LT(hullVelocity().y, -0.001f);
    // A negative level burns as much as a positive one.
    EXPECT_NEAR(fuel - ship->getFuel(), 2.0f * 0.5f * 1300.0f * 0.0005f * Dt, 1e-4f);
}

TEST_F(JetComponentTest, PositiveOnlyEmptyTankAndInactivityGiveNoThrust)
{
    JetComponent* jet = build();
    ASSERT_EQ(jet->flames().size(), 2u);

    jet->setupContol(&axis, true, GameAxis::Positive);
    run(-1.0f);
    EXPECT_FLOAT_EQ(jet->getAxisLevel(), 0.0f);
    EXPECT_FLOAT_EQ(ship->getFuel(), 100.0f);
    EXPECT_FLOAT_EQ(jet->getSound(0).getVolume(), 0.0f);
    EXPECT_FLOAT_EQ(jet->getSound(1).getVolume(), 0.0f);
    for (b2RevoluteJoint* roof : jet->brakeJoints())
        EXPECT_FLOAT_EQ(roof->GetMotorSpeed(), roof->GetLowerLimit() >= -0.01f ? -5.0f : 5.0f);

    jet->setupContol(&axis, false, GameAxis::Positive);
    ship->setFuel(0.0f);
    run(1.0f);
    EXPECT_FLOAT_EQ(jet->getAxisLevel(), 0.0f);
    EXPECT_NEAR(hullVelocity().Length(), 0.0f, 1e-4f);

    ship->fillupFuel();
    jet->deactivate();
    run(1.0f);
    EXPECT_FLOAT_EQ(ship->getFuel(), 100.0f);
    EXPECT_NEAR(hullVelocity().Length(), 0.0f, 1e-4f);

    // Without a tank the level is 0 too.
    jet->activate();
    jet->setFuelTank(nullptr);
    run(1.0f);
    EXPECT_FLOAT_EQ(jet->getAxisLevel(), 0.0f);
}

TEST_F(JetComponentTest, TestModePushesButBurnsNothingAndHasNoFlamesOrSounds)
{
    JetComponent* jet = build(0.0f, true);
    EXPECT_TRUE(jet->flames().empty());
    EXPECT_EQ(jet->getNumberOfSounds(), 0u);
    for (GameComponent* c : jet->partObject()->getResources()) {
        if (c->getId() == "Flame+" || c->getId() == "Flame-") {
            EXPECT_EQ(c->getShape().getFillColor(), sf::Color::Transparent);
        }
    }
    run(1.0f, 3);
    EXPECT_GT(hullVelocity().y, 0.01f);
    EXPECT_FLOAT_EQ(ship->getFuel(), 100.0f);
}

TEST_F(JetComponentTest, FlamesFollowTheLevel)
{
    JetComponent* jet = build();
    const velk::JetFlame& forward = *jet->flames().at(0);
    const velk::JetFlame& brake = *jet->flames().at(1);
    EXPECT_EQ(forward.getDirection(), velk::JetFlame::Positive);
    EXPECT_EQ(brake.getDirection(), velk::JetFlame::Negative);
    run(1.0f);
    EXPECT_EQ(forward.animator()->getPlayingAnimation(), velk::JetFlame::Burning);
    EXPECT_FALSE(brake.animator()->isPlayingAnimation());
    run(0.0f, 1);
    EXPECT_EQ(forward.animator()->getPlayingAnimation(), velk::JetFlame::Dieout);
}

TEST_F(JetComponentTest, MissingOrBrokenFlameFilesMakeNoFlame)
{
    const fs::path folder = fs::path(velk::partObjectFolder) / "test.jet";
    velk_test::writeFile(folder / "test.jet.obj.json", R"({"Properties": {"Strength": "10"}, "Components": [
        {"Id": "Flame+", "Properties": {"Flame": "test.noflame"}},
        {"Id": "Flame-", "Properties": {"Flame": "test.brokenflame"}},
        {"Id": "Flame+"}]})");
    velk_test::writeFile(fs::path(velk::flameFolder) / "test.brokenflame" / "test.brokenflame.flame.json",
                         "{\"Levels\": [");
    addBoxHull(entry);
    entry.insertPart(SyntheticJet, 0.0f, 0.0f);
    velk_test::LogCapture log;
    ASSERT_NO_THROW(ship = addShip(world, entry));
    JetComponent* jet = ship->jets().at(0);
    EXPECT_TRUE(jet->flames().empty());
    EXPECT_EQ(log.count("[JetFlame]"), 2);
    EXPECT_FLOAT_EQ(jet->getStrength(), 10.0f);
    EXPECT_TRUE(jet->brakeJoints().empty());
    run(1.0f);
}

TEST_F(JetComponentTest, MirroringCollectsTheRebuiltRoofJoints)
{
    JetComponent* jet = build();
    jet->mirrorX();
    ASSERT_EQ(jet->brakeJoints().size(), 2u);
    for (b2RevoluteJoint* roof : jet->brakeJoints()) {
        EXPECT_TRUE(isLiveJoint(world, roof));
        EXPECT_TRUE(roof->IsMotorEnabled());
    }
    run(-1.0f);
}
