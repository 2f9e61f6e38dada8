#include "TestCatalogue.hpp"

#include "game/ship/backend/ShipEntry.hpp"
#include "game/ship/backend/ShipPart.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using velk::backend::PartEntry;
using velk::backend::PointEntry;
using velk::backend::ShipEntry;
using V = math::Vector2<float>;
using Box = ShipEntry::Box;

constexpr float kHalfPi = 1.57079632679f;

void expectBox(const Box& box, V min, V max)
{
    EXPECT_NEAR(box.min.x, min.x, 1e-5f);
    EXPECT_NEAR(box.min.y, min.y, 1e-5f);
    EXPECT_NEAR(box.max.x, max.x, 1e-5f);
    EXPECT_NEAR(box.max.y, max.y, 1e-5f);
}

class ShipEntryGeometry : public ::testing::Test {
protected:
    void SetUp() override { shiptest::loadTestCatalogue(); }
};

// Counts the point set's arrivals, as the ship editor's grid would.
struct Arrivals : velk::backend::EntrySet<PointEntry>::Listener {
    std::vector<PointEntry*> seen;
    void onResourceCreated(PointEntry* p) override { seen.push_back(p); }
};

TEST_F(ShipEntryGeometry, InsertPointAfterPlacesBehindAKnownPointElseAtTheEnd)
{
    Arrivals arrivals; // outlives the ship, which tells it of every departure
    ShipEntry ship;
    ship.pointSet().addListener(&arrivals);
    PointEntry* a = ship.insertPoint(0, 0, 0.8f);
    EXPECT_EQ(a->getRoundness(), 0.0f) << "corners stay sharp";
    PointEntry* c = ship.insertPointAfter(2, 0, 0, a);
    PointEntry* b = ship.insertPointAfter(V(1, 0), 0, a);
    PointEntry* d = ship.insertPointAfter(3, 0, 0, c);
    PointEntry stranger(V(9, 9), 0);
    PointEntry* e = ship.insertPointAfter(4, 0, 0, &stranger);
    PointEntry* f = ship.insertPointAfter(5, 0, 0, nullptr);
    EXPECT_EQ(ship.pointSet().getResources(), (std::vector<PointEntry*>{a, b, c, d, e, f}));
    EXPECT_EQ(arrivals.seen, (std::vector<PointEntry*>{a, c, b, d, e, f}));
    EXPECT_EQ(ship.getRoundedPoints(), (std::vector<V>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}));
    ship.pointSet().destroy(b);
    EXPECT_EQ(ship.getRoundedPoints().size(), 5u);
}

TEST_F(ShipEntryGeometry, BoundsOfOutlineAndPlacedParts)
{
    struct PartCase {
        unsigned int id;
        V at;
        float rotation;
        bool mirrored;
    };
    struct Case {
        const char* name;
        std::vector<V> points;
        std::vector<PartCase> parts;
        V hullMin, hullMax, fullMin, fullMax;
    };
    const std::vector<Case> cases = {
        {"empty", {}, {}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
        {"hull only", {{-1, -2}, {3, -2}, {3, 4}}, {}, {-1, -2}, {3, 4}, {-1, -2}, {3, 4}},
        {"no points, a part far away takes in the origin",
         {},
         {{90001, {5, 5}, 0, false}},
         {0, 0},
         {0, 0},
         {0, 0},
         {6, 6}},
        {"a part without body takes in the origin",
         {{2, 2}, {4, 2}, {4, 3}},
         {{90003, {3, 3}, 0, false}},
         {2, 2},
         {4, 3},
         {0, 0},
         {4, 3}},
        {"rotated a quarter turn",
         {{1, 1}, {2, 1}, {2, 2}},
         {{90002, {1, 0}, kHalfPi, false}},
         {1, 1},
         {2, 2},
         {1, 1},
         {2, 2}},
        {"mirrored, then rotated",
         {{1, 0}, {2, 0}, {2, 2}},
         {{90002, {1, 0}, kHalfPi, true}},
         {1, 0},
         {2, 2},
         {1, -1},
         {2, 2}},
        {"square mirrored sticks out left",
         {{0, 0}, {1, 0}, {1, 1}},
         {{90001, {0, 0}, 0, true}},
         {0, 0},
         {1, 1},
         {-1, 0},
         {1, 1}},
        {"unknown id is left out",
         {{0, 0}, {1, 0}, {1, 1}},
         {{shiptest::kUnknownId, {50, 50}, 0, false}},
         {0, 0},
         {1, 1},
         {0, 0},
         {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShipEntry ship;
        for (const V& p : c.points)
            ship.insertPoint(p, 0);
        for (const PartCase& p : c.parts) {
            PartEntry* entry = ship.insertPart(p.id, p.at);
            entry->setRotation(p.rotation);
            entry->setMirroredX(p.mirrored);
        }
        expectBox(ship.getHullBoundaries(), c.hullMin, c.hullMax);
        expectBox(ship.getFullBoundaries(), c.fullMin, c.fullMax);
        const float hullM = std::max(std::fabs(c.hullMin.x), std::fabs(c.hullMax.x));
        expectBox(ship.getXSymmetricHullBoundaries(), {-hullM, c.hullMin.y}, {hullM, c.hullMax.y});
        const float fullM = std::max(std::fabs(c.fullMin.x), std::fabs(c.fullMax.x));
        expectBox(ship.getXSymmetricFullBoundaries(), {-fullM, c.fullMin.y}, {fullM, c.fullMax.y});
    }
    expectBox(velk::backend::makeXSymmetric(Box{{-1, -2}, {3, 4}}), {-3, -2}, {3, 4});
    expectBox(velk::backend::makeXSymmetric(Box{{-5, 0}, {-2, 1}}), {-5, 0}, {5, 1});
}

TEST_F(ShipEntryGeometry, UnknownPartIdsAreSkippedWithALogLineAndKept)
{
    ShipEntry ship;
    ASSERT_TRUE(ship.loadFromString(R"({"Points": {"X": [0, 2, 2], "Y": [0, 0, 2], "R": [0, 0, 0]},
        "Parts": [{"Id": 123456, "Transform": {"X": 40}}, {"Id": 90001}]})"));
    const PartEntry& unknown = *ship.partSet().getResources()[0];
    EXPECT_EQ(unknown.getShipPart(), nullptr);
    EXPECT_EQ(ship.partSet().getResources()[1]->getShipPart()->getCode(), "test.square");

    velk_test::LogCapture log;
    expectBox(ship.getFullBoundaries(), {0, 0}, {2, 2});
    EXPECT_EQ(log.lines(), std::vector<std::string>{"[ShipEntry] Unknown part id 123456 left out of the bounds"});
    ship.moveToCenter();
    EXPECT_EQ(log.lines().size(), 2u);
    expectBox(ship.getHullBoundaries(), {-1, -1}, {1, 1});

    // Saving keeps the unknown part for a catalogue that knows it.
    std::string text;
    ASSERT_TRUE(ship.saveToString(text));
    ShipEntry reread;
    ASSERT_TRUE(reread.loadFromString(text));
    ASSERT_EQ(reread.partSet().getResources().size(), 2u);
    EXPECT_EQ(reread.partSet().getResources()[0]->getPartId(), 123456u);
    EXPECT_EQ(reread.partSet().getResources()[0]->getPosition(), V(39, -1));
}

// Records the displacements a move hands to the position hook.
struct TracedPoint : PointEntry {
    using PointEntry::PointEntry;
    std::vector<V>* moves = nullptr;
    void onMoved(const V& d) override { moves->push_back(d); }
};

TEST_F(ShipEntryGeometry, MoveToCenterCentresTheFullBoxOnce)
{
    ShipEntry ship;
    std::vector<V> moves;
    auto* traced = new TracedPoint(V(2, 1), 0);
    traced->moves = &moves;
    ship.pointSet().add(traced);
    ship.insertPoint(6, 1, 0);
    ship.insertPoint(6, 3, 0);
    PartEntry* square = ship.insertPart(90001, 6, 3); // reaches (7, 4)
    square->setRotation(0.0f);
    ship.setTextureOffset(V(0.5f, 0.5f));

    ship.moveToCenter();
    expectBox(ship.getFullBoundaries(), {-2.5f, -1.5f}, {2.5f, 1.5f});
    EXPECT_EQ(moves, std::vector<V>{V(-4.5f, -2.5f)});
    EXPECT_EQ(square->getPosition(), V(1.5f, 0.5f));
    EXPECT_EQ(ship.getTextureOffset(), V(0.5f, 0.5f));
    EXPECT_EQ(square->getRotation(), 0.0f);

    ship.moveToCenter();
    expectBox(ship.getFullBoundaries(), {-2.5f, -1.5f}, {2.5f, 1.5f});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_NEAR(moves[1].x, 0.0f, 1e-6f);
    EXPECT_NEAR(moves[1].y, 0.0f, 1e-6f);
}

} // namespace
