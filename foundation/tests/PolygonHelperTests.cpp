#include "PolygonTestSupport.hpp"

#include "foundation/math/Polygon.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using V = math::Vector2<float>;
using Outline = std::vector<V>;

namespace {

double area(const Outline& pts)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const V& a = pts[i];
        const V& b = pts[(i + 1) % pts.size()];
        sum += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return sum / 2.0;
}

bool allFinite(const Outline& pts)
{
    for (const V& p : pts)
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
    return true;
}

const Outline square10 = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

Outline star(std::mt19937& rng, int n, double rmin, double rmax)
{
    Outline outline;
    for (const polytest::Pt& p : polytest::starPolygon(rng, n, rmin, rmax))
        outline.emplace_back(static_cast<float>(p.x), static_cast<float>(p.y));
    return outline;
}

} // namespace

TEST(RoundCorners, SharpCornersAreCopied)
{
    EXPECT_EQ(math::roundCorners(square10, {0, 0, 0, 0}), square10);
    EXPECT_EQ(math::roundCorners(square10, {0.01f, 0.01f, -3.0f, 0.0f}), square10) << "0.01 is still sharp";
    EXPECT_TRUE(math::roundCorners(Outline{}, {}).empty());
}

TEST(RoundCorners, UnitRadiiOnASquare)
{
    const Outline rounded = math::roundCorners(square10, {1, 1, 1, 1});
    ASSERT_EQ(rounded.size(), 44u);
    // Corner 0 runs from 1 unit towards its predecessor (0, 10) to 1 unit
    // towards its successor (10, 0).
    EXPECT_EQ(rounded[0], V(0, 1));
    EXPECT_EQ(rounded[10], V(1, 0));
    // Midway the quadratic curve is a quarter of each end plus half the corner.
    EXPECT_NEAR(rounded[5].x, 0.25f, 1e-5f);
    EXPECT_NEAR(rounded[5].y, 0.25f, 1e-5f);
    // t stops at 0.9 (in single precision) before the exit point.
    const float t = 0.900000095f;
    EXPECT_NEAR(rounded[9].x, t * t, 1e-5f);
    EXPECT_NEAR(rounded[9].y, (1 - t) * (1 - t), 1e-5f);
    // Corner 2 at (10, 10) enters from (10, 9) and leaves towards (9, 10).
    EXPECT_EQ(rounded[22], V(10, 9));
    EXPECT_EQ(rounded[32], V(9, 10));
    EXPECT_GT(area(rounded), 0.0) << "orientation is kept";
    EXPECT_LT(area(rounded), 100.0);
}

TEST(RoundCorners, NeighboursShareATooShortEdge)
{
    // Two corners of radius 6 on an edge of 10: each takes 6 * 0.9 / 12 * 10.
    const Outline rounded = math::roundCorners(square10, {6, 6, 6, 6});
    ASSERT_EQ(rounded.size(), 44u);
    EXPECT_NEAR(rounded[0].y, 4.5f, 1e-5f);
    EXPECT_NEAR(rounded[10].x, 4.5f, 1e-5f);
    EXPECT_NEAR(rounded[11].x, 5.5f, 1e-5f);

    // Only corner 1 rounded, its neighbours asking for little: entry and
    // exit lengths are clamped separately by each neighbour's radius.
    const Outline one = math::roundCorners(square10, {0.0f, 20.0f, 0.0f, 0.0f});
    ASSERT_EQ(one.size(), 3u + 11u);
    EXPECT_NEAR(one[1].x, 10.0f - 20.0f * 0.9f / 20.0f * 10.0f, 1e-4f);
    EXPECT_NEAR(one[11].y, 9.0f, 1e-4f);

    const Outline mixed = math::roundCorners(square10, {2.0f, 8.0f, 0.0f, 0.0f});
    // Corner 0 on edge 0-1 (length 10, radii 2 + 8): 2 * 0.9 / 10 * 10 = 1.8.
    EXPECT_NEAR(mixed[10].x, 1.8f, 1e-5f);
    // Towards its predecessor (radius 0) corner 0 takes its full radius.
    EXPECT_EQ(mixed[0], V(0, 2));
    // Corner 1 takes 8 * 0.9 / 10 * 10 = 7.2 of the same edge.
    EXPECT_NEAR(mixed[11].x, 10.0f - 7.2f, 1e-5f);
}

TEST(RoundCorners, DegenerateInputStaysFinite)
{
    // A repeated point has zero-length edges: the corner stays sharp.
    const Outline repeated = {{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}};
    const Outline rounded = math::roundCorners(repeated, {1, 1, 1, 1, 1});
    EXPECT_TRUE(allFinite(rounded));
    EXPECT_EQ(rounded.size(), 3u * 11u + 2u);
    EXPECT_EQ(rounded[11], V(10, 0));
    EXPECT_EQ(rounded[12], V(10, 0));

    // Too few radii: the missing ones count as 0.
    EXPECT_EQ(math::roundCorners(square10, {}), square10);
    EXPECT_EQ(math::roundCorners(square10, {1.0f}).size(), 11u + 3u);

    // Unusable radii keep their corner.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Outline broken = math::roundCorners(square10, {nan, inf, 1.0f, 1.0f});
    EXPECT_TRUE(allFinite(broken));
    EXPECT_EQ(broken.size(), 2u + 22u);

    // Edges longer than the float range allow.
    const float big = std::numeric_limits<float>::max() / 2;
    const Outline huge = math::roundCorners(Outline{{-big, -big}, {big, -big}, {big, big}, {-big, big}}, {1, 1, 1, 1});
    EXPECT_TRUE(allFinite(huge));

    const Outline single = math::roundCorners(Outline{{1, 1}}, {5});
    EXPECT_EQ(single, Outline({{1, 1}}));
}

TEST(IsPolygonSimple, KnownShapes)
{
    EXPECT_TRUE(math::isPolygonSimple(Outline{}));
    EXPECT_TRUE(math::isPolygonSimple(Outline{{0, 0}, {1, 1}}));
    EXPECT_TRUE(math::isPolygonSimple(Outline{{0, 0}, {1, 1}, {2, 2}})) << "a flat triangle still counts";
    EXPECT_TRUE(math::isPolygonSimple(square10));
    EXPECT_TRUE(math::isPolygonSimple(Outline{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}));

    EXPECT_FALSE(math::isPolygonSimple(Outline{{0, 0}, {1, 1}, {1, 0}, {0, 1}})) << "bow-tie";
    EXPECT_FALSE(math::isPolygonSimple(Outline{{0, 0}, {1, 0}, {1, 0}, {0, 1}})) << "repeated point";
    // A vertex touching a non-adjacent edge.
    EXPECT_FALSE(math::isPolygonSimple(Outline{{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}}));
    // Collinear non-adjacent edges that only touch at an end point.
    EXPECT_FALSE(math::isPolygonSimple(Outline{{0, 0}, {1, 0}, {1, -1}, {3, -1}, {3, 0}, {1, 0}, {2, 5}, {0, 5}}));
    // The same edges with a gap between their boxes are apart.
    EXPECT_TRUE(math::isPolygonSimple(Outline{{0, 0}, {1, 0}, {1, -1}, {3, -1}, {3, 0}, {2.5f, 0}, {2.5f, 5}, {0, 5}}));
}

TEST(IsPolygonSimple, NonFiniteOutlinesAreNotSimple)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(math::isPolygonSimple(Outline{{0, 0}, {1, 0}, {nan, 1}, {0, 1}}));
    EXPECT_FALSE(math::isPolygonSimple(Outline{{0, 0}, {1, 0}, {std::numeric_limits<float>::infinity(), 1}}));
}

TEST(IsPolygonSimple, StarsAreSimple)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        const Outline outline = star(rng, 3 + round, 1.0, 5.0);
        EXPECT_TRUE(math::isPolygonSimple(outline));
    }
}

TEST(IsPolygonSimple, FoldedConvexOutlines)
{
    // On a convex outline the chords 0-3 and 1-4 interleave, so visiting
    // the points in the order 0, 3, 2, 1, 4, ... makes them cross.
    std::mt19937 rng(8);
    for (int round = 0; round < 50; ++round) {
        Outline outline = star(rng, 5 + round, 3.0, 3.0);
        ASSERT_TRUE(math::isPolygonSimple(outline));
        std::swap(outline[1], outline[3]);
        EXPECT_FALSE(math::isPolygonSimple(outline)) << round;
    }
}

TEST(TriangulatePolygon, CountsOrientationAndArea)
{
    const Outline quad = {{0, 0}, {3, 0}, {4, 2}, {0, 3}};
    EXPECT_EQ(math::triangulatePolygon(quad).size(), 2u);
    const Outline pentagon = {{0, 0}, {4, 0}, {4, 4}, {2, 1}, {0, 4}};
    const auto triangles = math::triangulatePolygon(pentagon);
    ASSERT_EQ(triangles.size(), 3u);
    double sum = 0.0;
    for (const Outline& t : triangles) {
        ASSERT_EQ(t.size(), 3u);
        EXPECT_GT(area(t), 0.0);
        sum += area(t);
    }
    EXPECT_DOUBLE_EQ(sum, area(pentagon));
}

TEST(TriangulatePolygon, ReversedOutlineGivesTheSameTriangles)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 30; ++round) {
        const Outline outline = star(rng, 3 + round, 1.0, 5.0);
        const auto forward = math::triangulatePolygon(outline);
        const auto backward = math::triangulatePolygon(Outline(outline.rbegin(), outline.rend()));
        EXPECT_EQ(forward, backward);
        EXPECT_EQ(forward.size(), outline.size() - 2);
        double sum = 0.0;
        for (const Outline& t : forward) {
            EXPECT_GT(area(t), 0.0);
            sum += area(t);
        }
        EXPECT_NEAR(sum, area(outline), 1e-9 * area(outline));
    }
}

TEST(TriangulatePolygon, ThreePointsComeBackAsOneTriangle)
{
    const Outline ccw = {{0, 0}, {1, 0}, {0, 1}};
    EXPECT_EQ(math::triangulatePolygon(ccw), std::vector<Outline>{ccw});
    const Outline cw = {{0, 0}, {0, 1}, {1, 0}};
    EXPECT_EQ(math::triangulatePolygon(cw), std::vector<Outline>({Outline{{1, 0}, {0, 1}, {0, 0}}}));
}

TEST(TriangulatePolygon, DegenerateOutlinesNeverCrashOrMakeNaN)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float big = std::numeric_limits<float>::max() / 4;
    const std::vector<Outline> outlines = {
        {},
        {{1, 1}},
        {{0, 0}, {1, 1}},
        {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}},         // all on one line
        {{0, 0}, {0, 0}, {0, 0}, {0, 0}},                 // one point
        {{0, 0}, {1, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 1}}, // repeated points
        {{0, 0}, {1, 1}, {1, 0}, {0, 1}},                 // bow-tie
        {{0, 0}, {2, 0}, {2, 2}, {1, -1}, {0, 2}},        // crossing edges
        {{0, 0}, {1, 0}, {nan, 1}, {0, 1}},
        {{0, 0}, {inf, 0}, {1, 1}, {0, 1}},
        {{-big, -big}, {big, -big}, {big, big}, {-big, big}},
        {{0, 0}, {1e-30f, 0}, {1e-30f, 1e-30f}, {0, 1e-30f}},
    };
    for (const Outline& outline : outlines) {
        const auto triangles = math::triangulatePolygon(outline);
        EXPECT_LE(triangles.size(), outline.size() < 3 ? 0 : outline.size() - 2);
        for (const Outline& t : triangles) {
            EXPECT_EQ(t.size(), 3u);
            EXPECT_TRUE(allFinite(t));
        }
    }
    EXPECT_EQ(math::triangulatePolygon(outlines[10]).size(), 2u) << "huge but valid";
    EXPECT_EQ(math::triangulatePolygon(outlines[11]).size(), 2u) << "tiny but valid";
    EXPECT_TRUE(math::triangulatePolygon(outlines[8]).empty());
}
