#include "game/ship/backend/FuelConsumer.hpp"
#include "game/ship/backend/FuelTank.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using velk::FuelConsumer;
using velk::FuelTank;

TEST(FuelTank, EveryOperationKeepsTheLevelWithinTheCapacity)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        float capacity;
        std::function<void(FuelTank&)> act;
        float capacityAfter, fuelAfter;
    };
    const std::vector<Case> cases = {
        {"new tank is empty", 100, [](FuelTank&) {}, 100, 0},
        {"zero capacity", 0, [](FuelTank& t) { t.fillupFuel(); }, 0, 0},
        {"negative capacity", -5, [](FuelTank& t) { t.setFuel(3); }, 0, 0},
        {"NaN capacity", nan, [](FuelTank& t) { t.fillFuel(1); }, 0, 0},
        {"shrinking cuts the level", 100,
         [](FuelTank& t) {
             t.setFuel(80);
             t.setCapacity(50);
         },
         50, 50},
        {"growing keeps the level", 100,
         [](FuelTank& t) {
             t.setFuel(80);
             t.setCapacity(50);
             t.setCapacity(200);
         },
         200, 50},
        {"ratio above 1 fills", 40, [](FuelTank& t) { t.setFuelRatio(1.5f); }, 40, 40},
        {"negative ratio empties", 40,
         [](FuelTank& t) {
             t.fillupFuel();
             t.setFuelRatio(-1);
         },
         40, 0},
        {"half ratio", 40, [](FuelTank& t) { t.setFuelRatio(0.5f); }, 40, 20},
        {"overdrawn", 100,
         [](FuelTank& t) {
             t.setFuel(30);
             t.consumeFuel(1000);
         },
         100, 0},
        {"negative consumption fills", 100,
         [](FuelTank& t) {
             t.setFuel(30);
             t.consumeFuel(-500);
         },
         100, 100},
        {"negative fill drains", 100,
         [](FuelTank& t) {
             t.setFuel(30);
             t.fillFuel(-10);
         },
         100, 20},
        {"overfilled", 100, [](FuelTank& t) { t.fillFuel(250); }, 100, 100},
        {"NaN and infinite amounts", 100,
         [nan, inf](FuelTank& t) {
             t.setFuel(30);
             t.consumeFuel(nan);
             t.fillFuel(inf);
         },
         100, 100},
        {"NaN fuel", 100, [nan](FuelTank& t) { t.setFuel(nan); }, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FuelTank tank(c.capacity);
        c.act(tank);
        EXPECT_EQ(tank.getCapacity(), c.capacityAfter);
        EXPECT_EQ(tank.getFuel(), c.fuelAfter);
        EXPECT_EQ(tank.hasFuel(), c.fuelAfter > 0);
        EXPECT_EQ(tank.isEmpty(), c.fuelAfter <= 0);
        EXPECT_EQ(tank.getFuelRatio(), c.capacityAfter > 0 ? c.fuelAfter / c.capacityAfter : 0.0f);
    }
}

TEST(FuelTank, ConsumerForwardsToItsTankAndIsEmptyWithoutOne)
{
    FuelConsumer consumer;
    EXPECT_EQ(consumer.getFuelTank(), nullptr);
    EXPECT_TRUE(consumer.isTankEmpty());
    EXPECT_FALSE(consumer.hasTankFuel());
    consumer.consumeFuel(5);
    consumer.fillFuel(5);
    consumer.fillupFuel();
    EXPECT_TRUE(consumer.isTankEmpty());

    FuelTank tank(10);
    consumer.setFuelTank(&tank);
    EXPECT_EQ(consumer.getFuelTank(), &tank);
    consumer.fillupFuel();
    EXPECT_EQ(tank.getFuel(), 10.0f);
    consumer.consumeFuel(4);
    EXPECT_EQ(tank.getFuel(), 6.0f);
    consumer.fillFuel(1);
    EXPECT_EQ(tank.getFuel(), 7.0f);
    EXPECT_TRUE(consumer.hasTankFuel());
    consumer.consumeFuel(7);
    EXPECT_TRUE(consumer.isTankEmpty());
    EXPECT_FALSE(consumer.hasTankFuel());
}

} // namespace
