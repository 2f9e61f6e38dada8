// Assembly of a ship from its description in a real world: hull, parts by
// category, lists, sound balance, sensor, fuel, unknown parts and ending.

#include "ShipTestSupport.hpp"

#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace shiptest;
using velk::backend::ShipEntry;

namespace {

class ShipAssemblyTest : public ::testing::Test {
protected:
    void SetUp() override { shippedData(); }

    GameWorld world{b2Vec2(0.0f, 0.0f)};
    ShipEntry entry;

    /// Codes of the parts of a list, in order.
    static std::vector<std::string> codes(const std::vector<GameComponent*>& list)
    {
        std::vector<std::string> out;
        for (GameComponent* c : list)
            out.push_back(static_cast<velk::PartComponent*>(c)->shipPart()->getCode());
        return out;
    }
};

} // namespace

TEST_F(ShipAssemblyTest, ShipWithoutPartsHasHullTankSensorAndFullTank)
{
    addBoxHull(entry);
    TestShip* ship = addShip(world, entry);
    ASSERT_NE(ship->hull(), nullptr);
    EXPECT_EQ(ship->getMainComponent(), ship->hull());
    ASSERT_NE(ship->hull()->getBody(), nullptr);
    EXPECT_EQ(ship->fuelTanks().size(), 1u);
    EXPECT_EQ(ship->fuelTanks()[0]->partEntry(), nullptr);
    EXPECT_FALSE(ship->fuelTanks()[0]->isVisible());
    EXPECT_TRUE(ship->backList().empty());
    EXPECT_TRUE(ship->frontList().empty());
    EXPECT_FLOAT_EQ(ship->getFuel(), 100.0f);
    EXPECT_TRUE(ship->isAlive());
    EXPECT_FLOAT_EQ(ship->getHealth(), 100.0f);
    ASSERT_NE(ship->turnSensor(), nullptr);
    EXPECT_TRUE(ship->turnSensor()->IsSensor());
    EXPECT_EQ(ship->turnSensor()->GetBody(), ship->hull()->getBody());
    EXPECT_EQ(ship->turnSensor()->GetFilterData().categoryBits, 0x0004);
    EXPECT_EQ(ship->turnSensor()->GetFilterData().maskBits, 0x0007);
    EXPECT_NE(ship->deadSound().getBuffer(), nullptr);
}

TEST_F(ShipAssemblyTest, UnusableOutlineStopsAfterTheHull)
{
    entry.insertPoint(0, 0, 0);
    entry.insertPoint(1, 0, 0);
    entry.insertPart(MainJet, 0, 0);
    TestShip* ship = addShip(world, entry);
    ASSERT_NE(ship->hull(), nullptr);
    EXPECT_EQ(ship->hull()->getBody(), nullptr);
    EXPECT_TRUE(ship->fuelTanks().empty());
    EXPECT_TRUE(ship->jets().empty());
    EXPECT_EQ(ship->turnSensor(), nullptr);
    EXPECT_FLOAT_EQ(ship->getFuel(), 0.0f);
    EXPECT_EQ(world.getB2World()->GetBodyCount(), 0);
    world.update(1.0f / 60.0f); // and it runs
}

TEST_F(ShipAssemblyTest, PartsAreBuiltByCategoryAndDrawnBehindOrInFront)
{
    addBoxHull(entry, 6.0f, 2.0f);
    // File order mixed on purpose.
    entry.insertPart(SmallJet, -4, 0);
    entry.insertPart(LightDrill, 3, -1);
    entry.insertPart(Lamp, 2, 1);
    entry.insertPart(LightTrack, -3, -2);
    entry.insertPart(MainJet, 0, -2);
    entry.insertPart(Antenna, -2, 2);
    entry.insertPart(Cockpit, 0, 2);
    entry.insertPart(LightDrill, -3, -1);
    entry.insertPart(LightTrack, 3, -2);
    entry.insertPart(SmallJet, 4, 0);
    entry.insertPart(OtherAntenna, 1, 1);   // category antenna, other code: nothing
    entry.insertPart(AntennaCockpit, 1, 1); // code antenna: an antenna
    TestShip* ship = addShip(world, entry);

    // The antenna of category "cockpit" is made with the cockpits, after the lamps.
    EXPECT_EQ(codes(ship->backList()),
              (std::vector<std::string>{"drill.light", "drill.light", "antenna", "lamp.spot", "antenna"}));
    EXPECT_EQ(codes(ship->frontList()), (std::vector<std::string>{"cockpit.bubble", "track.light", "track.light",
                                                                  "jet.mki", "jet.mkiii", "jet.mki"}));
    EXPECT_EQ(ship->jets().size(), 3u);
    EXPECT_EQ(ship->drills().size(), 2u);
    EXPECT_EQ(ship->tracks().size(), 2u);
    EXPECT_EQ(ship->cockpits().size(), 1u);
    EXPECT_EQ(ship->lamps().size(), 1u);
    // Within a kind, part-set order.
    EXPECT_FLOAT_EQ(ship->drills()[0]->partEntry()->getPosition().x, 3.0f);
    EXPECT_FLOAT_EQ(ship->jets()[1]->partEntry()->getPosition().y, -2.0f);
    EXPECT_NE(dynamic_cast<velk::AntennaComponent*>(ship->backList()[4]), nullptr);

    for (velk::JetComponent* jet : ship->jets()) {
        EXPECT_FLOAT_EQ(jet->getSoundVolumeFactor(), 1.0f / 3.0f);
        EXPECT_EQ(jet->getFuelTank(), ship);
    }
    for (velk::DrillComponent* drill : ship->drills()) {
        EXPECT_FLOAT_EQ(drill->getSoundVolumeFactor(), 0.5f);
        EXPECT_EQ(drill->getHeadAxis(), ship->control().getAxis(3));
    }
    for (velk::TrackComponent* track : ship->tracks()) {
        EXPECT_FLOAT_EQ(track->getSoundVolumeFactor(), 0.5f);
        EXPECT_EQ(track->getControl(), ship->control().getAxis(2));
        EXPECT_EQ(track->getFuelTank(), ship);
    }
    // Every part with a physics main body is welded to the hull.
    for (GameComponent* c : ship->frontList())
        EXPECT_TRUE(static_cast<velk::PartComponent*>(c)->isPhisical());
}

TEST_F(ShipAssemblyTest, SideJetsPushTowardTheMiddle)
{
    addBoxHull(entry, 2.0f, 1.0f);
    entry.insertPart(SmallJet, 0.0f, 0.0f);    // the exact middle: negative
    entry.insertPart(SmallJet, 0.0001f, 0.0f); // a hair right: positive
    entry.insertPart(SmallJet, -1.5f, 0.0f);
    entry.insertPart(MainJet, 1.5f, 0.0f); // the main engine anywhere: axis 0, positive
    TestShip* ship = addShip(world, entry);
    ASSERT_EQ(ship->jets().size(), 4u);
    const GameAxis* side = ship->control().getAxis(1);
    EXPECT_EQ(ship->jets()[0]->getAxis(), side);
    EXPECT_EQ(ship->jets()[0]->getDirection(), GameAxis::Negative);
    EXPECT_EQ(ship->jets()[1]->getDirection(), GameAxis::Positive);
    EXPECT_EQ(ship->jets()[2]->getDirection(), GameAxis::Negative);
    EXPECT_EQ(ship->jets()[3]->getAxis(), ship->control().getAxis(0));
    EXPECT_EQ(ship->jets()[3]->getDirection(), GameAxis::Positive);
    for (velk::JetComponent* jet : ship->jets())
        EXPECT_FALSE(jet->isPositiveOnly());
}

TEST_F(ShipAssemblyTest, UnknownPartIdsAreSkippedWithOneLineEach)
{
    addBoxHull(entry);
    entry.insertPart(UnknownId, 0, 0);
    entry.insertPart(Antenna, 1, 0);
    velk_test::LogCapture log;
    TestShip* ship = nullptr;
    ASSERT_NO_THROW(ship = addShip(world, entry));
    EXPECT_EQ(log.count("[ShipObject] Part id 4000000"), 1);
    EXPECT_EQ(ship->backList().size(), 1u);
    EXPECT_EQ(entry.partSet().getResources().size(), 2u); // the description keeps it
    EXPECT_FLOAT_EQ(ship->getFuel(), 100.0f);
    ASSERT_NO_THROW(world.update(1.0f / 60.0f));

    // A ship none of whose parts the catalogue knows (as with an empty one) is a bare hull.
    ShipEntry unknown;
    addBoxHull(unknown);
    unknown.insertPart(UnknownId + 1, 0, 0);
    unknown.insertPart(UnknownId + 2, 0, 0);
    TestShip* bare = addShip(world, unknown);
    EXPECT_TRUE(bare->backList().empty());
    EXPECT_TRUE(bare->frontList().empty());
    EXPECT_NE(bare->hull()->getBody(), nullptr);
}

TEST_F(ShipAssemblyTest, EndingLeavesNoPartObjectsAndEmptyLists)
{
    addBoxHull(entry);
    entry.insertPart(MainJet, 0, -1);
    entry.insertPart(LightDrill, 2, 0)->properties()["drillhead"] = "drillhead.standard";
    entry.insertPart(Cockpit, 0, 1);
    const int before = objectsInWorld(world);
    TestShip* ship = addShip(world, entry);
    // The ship, three part objects and the drill head.
    EXPECT_EQ(objectsInWorld(world), before + 5);
    ship->finish();
    EXPECT_EQ(ship->hull(), nullptr);
    EXPECT_TRUE(ship->backList().empty());
    EXPECT_TRUE(ship->frontList().empty());
    EXPECT_TRUE(ship->jets().empty());
    EXPECT_EQ(objectsInWorld(world), before + 1);
    EXPECT_EQ(world.getB2World()->GetBodyCount(), 0);
    EXPECT_EQ(world.getB2World()->GetJointCount(), 0);
}
