#include "game/play/model/BoreClock.hpp"
#include "game/play/model/CheckpointKinds.hpp"
#include "game/play/model/OneShotQueue.hpp"
#include "game/play/model/PlayRules.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace velk;
using Vec = math::Vector2<float>;

TEST(PlayRules, ModeIsTimeTrialOnlyWithPlatforms)
{
    EXPECT_EQ(rules::gameModeFor(0), 0);
    EXPECT_EQ(rules::gameModeFor(1), 1);
    EXPECT_EQ(rules::gameModeFor(3), 1);
}

TEST(PlayRules, CheckpointKindsByMarker)
{
    const std::vector<unsigned> tiles = {36, 37, 38, 39, 40};
    const std::vector<int> scores = {1000, 2000, 5000, 10000, 25000};
    const std::vector<float> fuels = {10, 12.5, 15, 17.5, 20};
    for (std::size_t i = 0; i < PointKindCount; ++i) {
        EXPECT_EQ(PointTile[i], tiles[i]);
        EXPECT_EQ(PointScores[i], scores[i]);
        EXPECT_FLOAT_EQ(PointFuels[i], fuels[i]);
        EXPECT_EQ(markerColor(PointTile[i]).a, 255);
    }
    const Rgba orange = markerColor(39);
    EXPECT_EQ((std::vector<int>{orange.r, orange.g, orange.b}), (std::vector<int>{255, 114, 0}));
    const Rgba none = markerColor(12);
    EXPECT_EQ((std::vector<int>{none.r, none.g, none.b, none.a}), (std::vector<int>{0, 0, 0, 255}));
}

TEST(PlayRules, ScoreDrainsFiftyPerWholeSecondAndStopsAtZero)
{
    struct Case {
        int score;
        std::int64_t clock;
        std::int64_t dt;
        int expectedScore;
        std::int64_t expectedClock;
    };
    const std::vector<Case> cases = {
        {1000, 0, 1000000, 950, 0},      // one active second
        {1000, 0, 1500000, 950, 500000}, // the half second carries over
        {1000, 500000, 500000, 950, 0},  // and completes the next drain
        {1000, 0, 999999, 1000, 999999}, // just short of a second
        {30, 0, 1000000, 0, 0},          // floor at 0, not -20
        {1000, 0, 3200000, 850, 200000}, // a long frame drains for each second
        {0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::int64_t clock = c.clock;
        EXPECT_EQ(rules::drainScore(c.score, clock, c.dt), c.expectedScore) << c.score << " " << c.dt;
        EXPECT_EQ(clock, c.expectedClock) << c.score << " " << c.dt;
    }
}

TEST(PlayRules, EachLandingConditionAlone)
{
    const rules::LandingProbe resting{{10, 5}, {0, 0}, {0.5f, 0.5f}, 0.05f};
    ASSERT_TRUE(rules::isResting(resting));
    struct Case {
        std::string what;
        rules::LandingProbe probe;
        bool landed;
    };
    auto with = [&](auto change) {
        rules::LandingProbe p = resting;
        change(p);
        return p;
    };
    const std::vector<Case> cases = {
        {"dx 13.99", with([](auto& p) { p.shipPosition.x = 13.99f; }), true},
        {"dx 14", with([](auto& p) { p.shipPosition.x = 14.0f; }), false},
        {"dx -14", with([](auto& p) { p.shipPosition.x = -14.0f; }), false},
        {"dx -13.99", with([](auto& p) { p.shipPosition.x = -13.99f; }), true},
        {"level with it", with([](auto& p) { p.shipPosition.y = 0.0f; }), false},
        {"below it", with([](auto& p) { p.shipPosition.y = -1.0f; }), false},
        {"speed exactly 1", with([](auto& p) { p.hullVelocity = Vec(0.6f, 0.8f); }), false},
        {"speed 1 sideways", with([](auto& p) { p.hullVelocity = Vec(-1.0f, 0.0f); }), false},
        {"speed 0.99", with([](auto& p) { p.hullVelocity = Vec(0.0f, -0.99f); }), true},
        {"turning 0.1", with([](auto& p) { p.hullAngularVelocity = 0.1f; }), false},
        {"turning -0.1", with([](auto& p) { p.hullAngularVelocity = -0.1f; }), false},
        {"turning -0.099", with([](auto& p) { p.hullAngularVelocity = -0.099f; }), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rules::isResting(c.probe), c.landed) << c.what;
}

TEST(PlayRules, ImpactFactorsAndDamage)
{
    EXPECT_FALSE(rules::isImpact(2.5f));
    EXPECT_TRUE(rules::isImpact(2.5001f));
    // The hull alone at 10: factor 0.5 and 2.5 damage.
    EXPECT_FLOAT_EQ(rules::impactVolume(10.0f), 0.5f);
    EXPECT_FLOAT_EQ(rules::hullDamage(10.0f), 2.5f);
    EXPECT_FLOAT_EQ(rules::hullDamage(4.0f), 0.4f);
    struct Case {
        std::size_t queued;
        float part;
        float platform;
    };
    const std::vector<Case> cases = {
        {0, 1.0f, 0.5f},        // max(0.12, 2) x 0.5
        {1, 0.5f, 0.25f},       // 2/2
        {7, 0.125f, 0.0625f},   // 2/8 = 0.25 of the volume
        {20, 0.06f, 0.5f / 21}, // the 0.12 floor
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(rules::partImpactFactor(0.5f, c.queued), c.part) << c.queued;
        EXPECT_FLOAT_EQ(rules::platformImpactFactor(0.5f, c.queued), c.platform) << c.queued;
    }
    EXPECT_FLOAT_EQ(rules::platformImpactFactor(rules::impactVolume(4.0f), 0), 0.2f);
    // Factors above 1 play at the full setting, never louder.
    EXPECT_FLOAT_EQ(rules::oneShotVolume(3.0f, 80.0f), 80.0f);
    EXPECT_FLOAT_EQ(rules::oneShotVolume(0.25f, 80.0f), 20.0f);
    EXPECT_FLOAT_EQ(rules::oneShotVolume(-1.0f, 80.0f), 0.0f);
}

TEST(PlayRules, SparkIndexBands)
{
    const std::vector<std::pair<float, unsigned>> table = {
        {0, 1}, {19.99f, 1}, {20, 2}, {39.9f, 2}, {40, 3}, {59.9f, 3}, {60, 0}, {100, 0},
    };
    for (const auto& [x, index] : table)
        EXPECT_EQ(rules::sparkIndexFor(x), index) << x;
}

TEST(PlayRules, DustFollowsEachHolesRadius)
{
    EXPECT_FLOAT_EQ(rules::dustLifetimeBase(4.0f), 0.5f);
    EXPECT_FLOAT_EQ(rules::dustLifetimeBase(1.0f), 0.25f);
    EXPECT_FLOAT_EQ(rules::dustLifetimeBase(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(rules::dustEmissionRate(2.0f), 100.0f);
}

TEST(PlayRules, CameraIsFiftyHighOrAsWideAsANarrowMap)
{
    const Vec wide = rules::cameraSize(Vec(1600, 800), 500.0f);
    EXPECT_FLOAT_EQ(wide.x, 100.0f);
    EXPECT_FLOAT_EQ(wide.y, 50.0f);
    const Vec narrow = rules::cameraSize(Vec(1600, 800), 40.0f);
    EXPECT_FLOAT_EQ(narrow.x, 40.0f);
    EXPECT_FLOAT_EQ(narrow.y, 20.0f);
    const Vec exact = rules::cameraSize(Vec(1000, 1000), 50.0f);
    EXPECT_FLOAT_EQ(exact.x, 50.0f);
    EXPECT_FLOAT_EQ(exact.y, 50.0f);
}

TEST(PlayRules, ShadowCoversTheCamera)
{
    // Shape (1, 0.5) under a 100 x 50 camera: max(50/0.5, 100/1) = 100.
    EXPECT_FLOAT_EQ(rules::shadowScale(Vec(100, 50), Vec(1, 0.5f), false), 200.0f);
    EXPECT_FLOAT_EQ(rules::shadowScale(Vec(100, 50), Vec(1, 0.5f), true), 300.0f);
    EXPECT_FLOAT_EQ(rules::shadowScale(Vec(40, 50), Vec(1, 0.25f), false), 400.0f);
    EXPECT_FLOAT_EQ(rules::shadowScale(Vec(40, 50), Vec(0, 0), false), 0.0f);
}

TEST(BoreClock, OneHolePerDrillTime)
{
    BoreClock clock;
    int holes = 0;
    for (int frame = 0; frame < 100; ++frame) {
        clock.advance(0.1f);
        holes += clock.takeHole(0.95f) ? 1 : 0;
    }
    // 10 s of contact at 0.95 s per hole (each hole waits 10 frames).
    EXPECT_EQ(holes, 10);

    BoreClock immediate;
    immediate.advance(0.0f);
    EXPECT_TRUE(immediate.takeHole(0.0f));

    BoreClock never;
    never.advance(1e30f);
    EXPECT_FALSE(never.takeHole(std::numeric_limits<float>::max()));
    EXPECT_FLOAT_EQ(never.getElapsed(), 1e30f);
}

struct Beep {
    Beep(int id, bool playing) : id(id), playing(playing) {}
    int id;
    bool playing;
};

TEST(OneShotQueue, FinishedSoundsGoWhereverTheyStandAndTheCountIsCapped)
{
    OneShotQueue<Beep> queue(3);
    auto push = [&](int id, bool playing) { queue.push(std::make_unique<Beep>(id, playing)); };
    push(1, true);
    push(2, false);
    push(3, true);
    queue.dropFinished([](const Beep& b) { return !b.playing; });
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue.front().id, 1);
    EXPECT_EQ(queue.back().id, 3);
    push(4, true);
    push(5, true); // full: 1 goes
    EXPECT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue.front().id, 3);
    EXPECT_EQ(queue.back().id, 5);
    queue.push(nullptr);
    EXPECT_EQ(queue.size(), 3u);

    OneShotQueue<Beep> bounded(8);
    for (int frame = 0; frame < 10000; ++frame) {
        bounded.push(std::make_unique<Beep>(frame, true));
        bounded.dropFinished([](const Beep& b) { return !b.playing; });
        EXPECT_LE(bounded.size(), 8u);
    }
    EXPECT_EQ(bounded.back().id, 9999);
}

} // namespace
