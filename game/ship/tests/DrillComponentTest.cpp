// Drills on the shipped drill parts and heads: rail out and in, the head's
// on/off invariant, its spin, animation, properties and pose.

#include "ShipTestSupport.hpp"

#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

using namespace shiptest;
using velk::DrillComponent;
using velk::backend::ShipEntry;

namespace {

constexpr float Dt = 1.0f / 60.0f;

class DrillComponentTest : public ::testing::Test {
protected:
    void SetUp() override { shippedData(); }

    DrillComponent* build(const std::string& head, bool mirrored = false, bool testMode = false)
    {
        addBoxHull(entry);
        velk::backend::PartEntry* part = entry.insertPart(LightDrill, 2.0f, 0.0f);
        part->setMirroredX(mirrored);
        if (!head.empty())
            part->properties()["drillhead"] = head;
        ship = addShip(world, entry, testMode, input);
        return ship->drills().at(0);
    }

    TestInput input;
    GameWorld world{b2Vec2(0.0f, 0.0f)};
    ShipEntry entry;
    TestShip* ship = nullptr;
};

} // namespace

TEST_F(DrillComponentTest, HeadIsOnlyOnWhileTheDrillIsOut)
{
    DrillComponent* drill = build("drillhead.standard");
    ASSERT_NE(drill->drillHead(), nullptr);
    ASSERT_NE(drill->railJoint(), nullptr);
    ASSERT_NE(drill->headJoint(), nullptr);
    ASSERT_NE(drill->headAnimator(), nullptr);
    EXPECT_FALSE(drill->isOut());
    EXPECT_FALSE(drill->isHeadTurnedOn());

    drill->turnHead(true);
    EXPECT_FALSE(drill->isHeadTurnedOn());
    drill->turnHeadOn();
    EXPECT_FALSE(drill->isHeadTurnedOn());
    drill->turnHeadSwitch();
    EXPECT_FALSE(drill->isHeadTurnedOn());

    drill->setOut(true);
    EXPECT_TRUE(drill->railJoint()->IsMotorEnabled());
    EXPECT_FLOAT_EQ(drill->railJoint()->GetMotorSpeed(), 10.0f);
    drill->railJoint()->SetMotorSpeed(3.0f);
    drill->setOut(true); // no change: the rail is left alone
    EXPECT_FLOAT_EQ(drill->railJoint()->GetMotorSpeed(), 3.0f);
    EXPECT_EQ(drill->getDrillHeadFixture(), nullptr);

    drill->turnHeadOn();
    EXPECT_TRUE(drill->isHeadTurnedOn());
    EXPECT_TRUE(drill->headAnimator()->isPlayingAnimation());
    ASSERT_NE(drill->getDrillHeadFixture(), nullptr);
    EXPECT_TRUE(drill->drillHead()->hasBody(drill->getDrillHeadFixture()->GetBody()));
    EXPECT_EQ(ship->getActiveDrills().count(drill), 1u);

    drill->setOut(false);
    EXPECT_FLOAT_EQ(drill->railJoint()->GetMotorSpeed(), -10.0f);
    EXPECT_FALSE(drill->isHeadTurnedOn());
    EXPECT_FALSE(drill->headAnimator()->isPlayingAnimation());
    EXPECT_EQ(drill->getDrillHeadFixture(), nullptr);
    EXPECT_TRUE(ship->getActiveDrills().empty());

    drill->switchOut();
    drill->turnHeadSwitch();
    EXPECT_TRUE(drill->isHeadTurnedOn());
    drill->turnHeadOff();
    EXPECT_FALSE(drill->isHeadTurnedOn());
}

TEST_F(DrillComponentTest, ShipActionsMoveTheRailAndTheHead)
{
    DrillComponent* drill = build("drillhead.standard");
    pressOnce(world, *ship, sf::Keyboard::F); // still in: no head
    EXPECT_FALSE(drill->isHeadTurnedOn());
    pressOnce(world, *ship, sf::Keyboard::C);
    EXPECT_TRUE(drill->isOut());
    pressOnce(world, *ship, sf::Keyboard::F);
    EXPECT_TRUE(drill->isHeadTurnedOn());
    for (int i = 0; i < 60; ++i)
        world.update(Dt);
    EXPECT_GT(drill->railJoint()->GetJointTranslation(), 0.5f * drill->railJoint()->GetUpperLimit());
    pressOnce(world, *ship, sf::Keyboard::C);
    EXPECT_FALSE(drill->isOut());
    EXPECT_FALSE(drill->isHeadTurnedOn());
}

TEST_F(DrillComponentTest, HeadPropertiesComeFromTheHeadObject)
{
    DrillComponent* drill = build("drillhead.wide");
    ASSERT_NE(drill->drillHeadPart(), nullptr);
    EXPECT_EQ(drill->drillHeadPart()->getCode(), "drillhead.wide");
    EXPECT_FLOAT_EQ(drill->getDrillHeadRadius(), 2.4f);
    EXPECT_FLOAT_EQ(drill->getDrillTime(), 1.5f);
    EXPECT_FALSE(drill->drillHead()->isVisible());
    EXPECT_TRUE(drill->hasBody(velk::mainBodyOf(drill->drillHead())));
    EXPECT_TRUE(ship->hasBody(velk::mainBodyOf(drill->drillHead())));
    // The head sits on the mount, across the drill.
    EXPECT_NEAR(drill->drillHead()->getRotation(), 1.5707964f, 1e-4f);
}

TEST_F(DrillComponentTest, NoHeadMeansNoRadiusEndlessDrillTimeAndSilence)
{
    struct Case {
        const char* name;
        bool named;
        std::string head;
        bool testMode;
    };
    const Case cases[] = {{"no property", false, "", false},
                          {"empty", true, "", false},
                          {"test mode", true, "drillhead.standard", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShipEntry own;
        addBoxHull(own);
        velk::backend::PartEntry* part = own.insertPart(LightDrill, 2.0f, 0.0f);
        if (c.named)
            part->properties()["drillhead"] = c.head;
        TestShip* s = addShip(world, own, c.testMode);
        DrillComponent* drill = s->drills().at(0);
        EXPECT_EQ(drill->drillHead(), nullptr);
        EXPECT_FLOAT_EQ(drill->getDrillHeadRadius(), 0.0f);
        EXPECT_EQ(drill->getDrillTime(), FLT_MAX);
        drill->setOut(true);
        drill->turnHeadOn();
        EXPECT_TRUE(drill->isHeadTurnedOn());
        EXPECT_EQ(drill->getDrillHeadFixture(), nullptr);
        world.update(Dt);
        for (std::size_t i = 0; i < drill->getNumberOfSounds(); ++i)
            EXPECT_FLOAT_EQ(drill->getSound(i).sound().getVolume(), 0.0f);
    }
}

TEST_F(DrillComponentTest, UnknownHeadCodeGivesNoHead)
{
    velk_test::LogCapture log;
    DrillComponent* drill = build("drillhead.nosuch");
    EXPECT_EQ(drill->drillHead(), nullptr);
    EXPECT_EQ(drill->drillHeadPart(), nullptr);
    EXPECT_TRUE(log.contains("drillhead.nosuch"));
    world.update(Dt);
}

TEST_F(DrillComponentTest, HeadAnimatesItsFramesUpToTheFirstGap)
{
    const fs::path folder = fs::path(velk::partObjectFolder) / "test.head";
    velk_test::writeFile(folder / "h.json", R"({"body": [{"name": "Head", "type": 2, "position": {"x": 0, "y": 0},
        "fixture": [{"name": "HeadFix", "density": 1, "polygon": {"vertices": {"x": [-0.3, 0.3, 0.3, -0.3], "y": [-0.3, -0.3, 0.3, 0.3]}}}]}]})");
    velk_test::writeFile(folder / "h.img.json", R"({"ImageFile": "h.png", "Images": {
        "Frame1": [0, 0, 10, 10], "Frame2": [10, 0, 10, 10], "Frame4": [30, 0, 10, 10]}})");
    velk_test::writeFile(folder / "test.head.obj.json", R"({"Body": "h.json", "ImageSet": "h.img.json",
        "Properties": {"Frametime": "0.05", "Radius": "1.25abc"},
        "Components": [{"Body": "Head", "Main": true, "Image": "Frame1"}]})");
    DrillComponent* drill = build("test.head");
    ASSERT_NE(drill->drillHead(), nullptr);
    EXPECT_EQ(drill->drillHeadPart(), nullptr); // not in the catalogue
    EXPECT_FLOAT_EQ(drill->getDrillHeadRadius(), 1.25f);
    drill->setOut(true);
    drill->turnHeadOn();
    EXPECT_NE(drill->getDrillHeadFixture(), nullptr);
    world.update(0.025f);
    // Two frames of 0.05 s: a quarter of the loop.
    EXPECT_NEAR(drill->headAnimator()->getProgress(), 0.25f, 1e-4f);
    const sf::RectangleShape& shape = drill->drillHead()->getMainComponent()->getShape();
    EXPECT_EQ(shape.getTextureRect(), drill->drillHead()->imageMap().images().at("Frame1"));
    world.update(0.05f);
    EXPECT_EQ(shape.getTextureRect(), drill->drillHead()->imageMap().images().at("Frame2"));
    world.update(0.05f); // wrapped
    EXPECT_TRUE(drill->headAnimator()->isPlayingAnimation());
    EXPECT_EQ(shape.getTextureRect(), drill->drillHead()->imageMap().images().at("Frame1"));
}

TEST_F(DrillComponentTest, MirroredDrillSpinsItsHeadTheOtherWay)
{
    addBoxHull(entry);
    entry.insertPart(LightDrill, 2.0f, 0.0f)->properties()["drillhead"] = "drillhead.standard";
    velk::backend::PartEntry* mirrored = entry.insertPart(LightDrill, -2.0f, 0.0f);
    mirrored->setMirroredX(true);
    mirrored->properties()["drillhead"] = "drillhead.standard";
    ship = addShip(world, entry, false, input);
    GameAxis axis;
    followJoystick(axis, input);
    input.joystickPosition = 50.0f;
    axis.update(Dt);
    for (DrillComponent* drill : ship->drills())
        drill->setHeadAxis(&axis);
    world.update(Dt);
    ASSERT_NE(ship->drills()[0]->headJoint(), nullptr);
    ASSERT_NE(ship->drills()[1]->headJoint(), nullptr);
    EXPECT_FLOAT_EQ(ship->drills()[0]->headJoint()->GetMotorSpeed(), -2.0f);
    EXPECT_FLOAT_EQ(ship->drills()[1]->headJoint()->GetMotorSpeed(), 2.0f);
    EXPECT_NEAR(ship->drills()[1]->drillHead()->getRotation(), -1.5707964f, 1e-4f);
}

TEST_F(DrillComponentTest, HeadFollowsTurnsMovesAndMirrorsOfTheDrill)
{
    DrillComponent* drill = build("drillhead.standard");
    GameObject* head = drill->drillHead();
    const math::Vector2<float> offset = head->getPosition() - drill->getPosition();
    EXPECT_NEAR(offset.x, 1.0f, 1e-4f); // the mount of drill.light
    EXPECT_NEAR(offset.y, 0.0f, 1e-4f);

    drill->rotate(1.5707964f);
    EXPECT_NEAR(head->getPosition().x - drill->getPosition().x, 0.0f, 1e-4f);
    EXPECT_NEAR(head->getPosition().y - drill->getPosition().y, 1.0f, 1e-4f);
    EXPECT_NEAR(head->getRotation(), 3.1415927f, 1e-4f);

    drill->move(math::Vector2<float>(1.0f, 2.0f));
    EXPECT_NEAR(head->getPosition().x, 3.0f, 1e-4f);
    EXPECT_NEAR(head->getPosition().y, 3.0f, 1e-4f);

    // Mirrored across the drill's own (turned) Y axis: that is the head's line,
    // so the head stays; its angle becomes 2a - angle.
    drill->mirrorX();
    EXPECT_NEAR(head->getPosition().x, 3.0f, 1e-4f);
    EXPECT_NEAR(head->getRotation(), 2.0f * 1.5707964f - 3.1415927f, 1e-4f);
    ASSERT_NE(drill->railJoint(), nullptr);
    EXPECT_TRUE(isLiveJoint(world, drill->railJoint()));
    EXPECT_TRUE(isLiveJoint(world, drill->headJoint()));
}
