// The sample ships of data/ships assembled in a world as play mode does it:
// every part known and built, falling with their parts welded, climbing on
// their main engines.

#include "ShipTestSupport.hpp"

#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace shiptest;
using velk::backend::ShipEntry;

namespace {

constexpr float Dt = 1.0f / 60.0f;
constexpr float Deg = 3.14159265f / 180.0f;

std::vector<fs::path> sampleShips()
{
    std::vector<fs::path> ships;
    for (const auto& item : fs::directory_iterator(sourceData() / "ships"))
        if (item.path().extension() == ".json")
            ships.push_back(item.path());
    std::sort(ships.begin(), ships.end());
    return ships;
}

float worstWeldGap(GameWorld& world)
{
    float worst = 0.0f;
    for (b2Joint* j = world.getB2World()->GetJointList(); j; j = j->GetNext())
        if (j->GetType() == e_weldJoint)
            worst = std::max(worst, (j->GetAnchorA() - j->GetAnchorB()).Length());
    return worst;
}

struct Flight {
    GameWorld world{b2Vec2(0.0f, -5.0f)};
    ShipEntry entry;
    TestInput input;
    TestShip* ship = nullptr;

    explicit Flight(const fs::path& file)
    {
        EXPECT_TRUE(entry.loadFromFile(file.string()));
        entry.moveToCenter();
        ship = addShip(world, entry, false, input);
    }

    void run(float seconds)
    {
        for (float t = 0.0f; t < seconds; t += Dt)
            world.update(Dt);
    }
};

} // namespace

TEST(SampleShipTest, EverySampleShipAssemblesWithEveryPart)
{
    shippedData();
    const auto ships = sampleShips();
    ASSERT_GE(ships.size(), 3u);
    for (const fs::path& file : ships) {
        SCOPED_TRACE(file.filename().string());
        velk_test::LogCapture log;
        Flight flight(file);
        EXPECT_FALSE(log.contains("catalogue")) << log.text();
        EXPECT_FALSE(log.contains("[GameObject]")) << log.text();
        TestShip& ship = *flight.ship;
        ASSERT_NE(ship.hull()->getBody(), nullptr);
        EXPECT_EQ(ship.backList().size() + ship.frontList().size(), flight.entry.partSet().getResources().size());
        for (const GameComponent* c : ship.frontList())
            EXPECT_TRUE(static_cast<const velk::PartComponent*>(c)->isPhisical());
        for (const GameComponent* c : ship.backList())
            EXPECT_TRUE(static_cast<const velk::PartComponent*>(c)->isPhisical());
        for (const velk::DrillComponent* drill : ship.drills()) {
            EXPECT_NE(drill->drillHead(), nullptr);
            EXPECT_GT(drill->getDrillHeadRadius(), 0.0f);
            EXPECT_NE(drill->railJoint(), nullptr);
        }
        bool mainEngine = false;
        for (const velk::JetComponent* jet : ship.jets())
            mainEngine = mainEngine || jet->getAxis() == ship.control().getAxis(0);
        EXPECT_TRUE(mainEngine);
    }
}

TEST(SampleShipTest, SampleShipsFallWeldedAndClimbOnFullThrust)
{
    shippedData();
    for (const fs::path& file : sampleShips()) {
        SCOPED_TRACE(file.filename().string());
        Flight falling(file);
        falling.run(1.0f);
        EXPECT_LT(falling.ship->getPosition().y, -1.5f);
        EXPECT_LT(worstWeldGap(falling.world), 0.05f);
        EXPECT_LT(std::abs(falling.ship->getRotation()), 0.1f);

        Flight climbing(file);
        climbing.input.held.keys = {sf::Keyboard::W};
        climbing.run(2.0f);
        EXPECT_GT(climbing.ship->getPosition().y, 1.0f);
        EXPECT_LT(std::abs(climbing.ship->getRotation()), 0.35f);
        EXPECT_LT(worstWeldGap(climbing.world), 0.05f);
        EXPECT_LT(climbing.ship->getFuel(), 100.0f);
        // The parts came along.
        for (const velk::JetComponent* jet : climbing.ship->jets())
            EXPECT_GT(jet->getPosition().y, 0.0f);
    }
}

TEST(SampleShipTest, MainEngineLiftsEverySampleShipLevelAndSideJetsTurnIt)
{
    shippedData();
    for (const fs::path& file : sampleShips()) {
        SCOPED_TRACE(file.filename().string());
        // Full main thrust for 3 s of fixed steps: the thrust passes through
        // the centre of mass, so the craft climbs without turning.
        Flight climbing(file);
        climbing.input.held.keys = {sf::Keyboard::W};
        climbing.run(3.0f);
        EXPECT_GT(climbing.ship->getPosition().y, 5.0f);
        EXPECT_LE(std::abs(climbing.ship->getRotation()), 2.0f * Deg);

        // Under full main thrust the side jets turn the craft either way.
        for (const auto& turn : {std::make_pair(sf::Keyboard::A, 1.0f), std::make_pair(sf::Keyboard::D, -1.0f)}) {
            Flight steering(file);
            steering.input.held.keys = {sf::Keyboard::W, turn.first};
            steering.run(1.0f);
            EXPECT_GT(steering.ship->getRotation() * turn.second, 10.0f * Deg);
        }
    }
}
