#include "PolygonTestSupport.hpp"

#include "foundation/math/PolygonPartitioner.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace polytest;

namespace {

bool samePoint(const PartitionPoint& p, double x, double y)
{
    return p.x == x && p.y == y;
}

std::vector<Pt> square()
{
    return {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
}

} // namespace

TEST(PartitionPoly, OrientationInversionAndCopies)
{
    PartitionPoly poly = toPoly(square());
    EXPECT_EQ(poly.GetOrientation(), 1);
    poly.SetOrientation(-1);
    EXPECT_EQ(poly.GetOrientation(), -1);
    EXPECT_TRUE(samePoint(poly[0], 0, 1));
    poly.SetOrientation(-1);
    EXPECT_EQ(poly.GetOrientation(), -1) << "already clockwise: unchanged";

    PartitionPoly copy = poly;
    copy[0] = PartitionPoint(5, 5);
    EXPECT_TRUE(samePoint(poly[0], 0, 1)) << "copies are deep";

    PartitionPoly flat = toPoly({{0, 0}, {1, 1}, {2, 2}});
    EXPECT_EQ(flat.GetOrientation(), 0);
    flat.SetOrientation(1);
    EXPECT_TRUE(samePoint(flat[0], 0, 0)) << "zero area is never reversed";

    PartitionPoly none;
    EXPECT_EQ(none.GetOrientation(), 0);
    none.Init(-5);
    EXPECT_EQ(none.GetNumPoints(), 0);

    PartitionPoly triangle;
    triangle.SetHole(true);
    triangle.Triangle({0, 0}, {1, 0}, {0, 1});
    EXPECT_FALSE(triangle.IsHole());
    EXPECT_EQ(triangle.GetNumPoints(), 3);
    triangle.Clear();
    EXPECT_EQ(triangle.GetNumPoints(), 0);
}

TEST(PolygonPartitionerPredicates, CornersConesAndCrossings)
{
    const PartitionPoint a(0, 0), b(1, 0), left(1, 1), right(1, -1), on(2, 0);
    EXPECT_TRUE(PolygonPartitioner::IsConvex(a, b, left));
    EXPECT_TRUE(PolygonPartitioner::IsReflex(a, b, right));
    EXPECT_FALSE(PolygonPartitioner::IsConvex(a, b, on));
    EXPECT_FALSE(PolygonPartitioner::IsReflex(a, b, on)) << "collinear corners are neither";

    const PartitionPoint c(0, 1);
    EXPECT_TRUE(PolygonPartitioner::IsInside(a, b, c, {0.5, 0})) << "a point on an edge is inside";
    EXPECT_TRUE(PolygonPartitioner::IsInside(a, b, c, {0.2, 0.2}));
    EXPECT_FALSE(PolygonPartitioner::IsInside(a, b, c, {0.6, 0.6}));

    // Convex corner at b between the edges to a and to c.
    EXPECT_TRUE(PolygonPartitioner::InCone(a, b, c, {0.5, 0.2}));
    EXPECT_FALSE(PolygonPartitioner::InCone(a, b, c, {2, 2}));
    EXPECT_FALSE(PolygonPartitioner::InCone(a, b, c, {0.5, 0})) << "on an edge of a convex corner";
    // Reflex corner: only the wedge between the two edges is outside.
    EXPECT_TRUE(PolygonPartitioner::InCone(c, b, a, {2, 2}));
    EXPECT_FALSE(PolygonPartitioner::InCone(c, b, a, {0.5, 0.2}));

    EXPECT_TRUE(PolygonPartitioner::Intersects({0, 0}, {2, 2}, {0, 2}, {2, 0}));
    EXPECT_FALSE(PolygonPartitioner::Intersects({0, 0}, {2, 2}, {2, 2}, {3, 0})) << "shared end point";
    EXPECT_FALSE(PolygonPartitioner::Intersects({0, 0}, {1, 1}, {0, 2}, {2, 3}));
    EXPECT_TRUE(PolygonPartitioner::Intersects({0, 0}, {2, 0}, {1, 0}, {1, 1})) << "touching counts";
    EXPECT_FALSE(PolygonPartitioner::Intersects({0, 0}, {1, 0}, {2, 0}, {3, 0})) << "apart on one line";
    EXPECT_FALSE(PolygonPartitioner::Intersects({0, 0}, {0, 1}, {0, 3}, {0, 2})) << "apart on one line";
    EXPECT_TRUE(PolygonPartitioner::Intersects({0, 0}, {2, 0}, {1, 0}, {3, 0})) << "overlapping on one line";
    EXPECT_TRUE(PolygonPartitioner::Intersects({0, 0}, {3, 3}, {1, 1}, {2, 2})) << "one inside the other";

    const PartitionPoint unit = PolygonPartitioner::Normalize({3, 4});
    EXPECT_DOUBLE_EQ(unit.x, 0.6);
    EXPECT_DOUBLE_EQ(unit.y, 0.8);
    const PartitionPoint zero = PolygonPartitioner::Normalize({0, 0});
    EXPECT_EQ(zero.x, 0.0);
    EXPECT_EQ(zero.y, 0.0);
    EXPECT_DOUBLE_EQ(PolygonPartitioner::Distance({1, 1}, {4, 5}), 5.0);
}

TEST(PolygonPartitionerEarClipping, SquareEarOrder)
{
    // All four corners are ears with equal angles: the lowest index wins,
    // and after one clip the remaining triangle is centred on vertex 1.
    PolygonPartitioner pp;
    const PartitionPoly poly = toPoly(square());
    PartitionPolyList triangles;
    ASSERT_EQ(pp.Triangulate_EC(&poly, &triangles), 1);
    ASSERT_EQ(triangles.size(), 2u);
    const PartitionPoly& first = triangles.front();
    EXPECT_TRUE(samePoint(first[0], 0, 1) && samePoint(first[1], 0, 0) && samePoint(first[2], 1, 0));
    const PartitionPoly& last = triangles.back();
    EXPECT_TRUE(samePoint(last[0], 0, 1) && samePoint(last[1], 1, 0) && samePoint(last[2], 1, 1));
}

TEST(PolygonPartitionerEarClipping, SmallAndWronglyOrientedInput)
{
    PolygonPartitioner pp;
    PartitionPolyList out;

    PartitionPoly two = toPoly({{0, 0}, {1, 0}});
    EXPECT_EQ(pp.Triangulate_EC(&two, &out), 0);
    EXPECT_TRUE(out.empty());

    // Three points come back as they are, hole flag included, in any order.
    PartitionPoly clockwiseTriangle = toPoly({{0, 0}, {0, 1}, {1, 0}}, true);
    EXPECT_EQ(pp.Triangulate_EC(&clockwiseTriangle, &out), 1);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out.front().IsHole());
    EXPECT_TRUE(samePoint(out.front()[1], 0, 1));
    out.clear();

    // A convex polygon given clockwise has no convex corner, hence no ear.
    PartitionPoly clockwise = toPoly({{0, 0}, {0, 1}, {1, 1}, {1, 0}});
    EXPECT_EQ(pp.Triangulate_EC(&clockwise, &out), 0);
    EXPECT_TRUE(out.empty());

    EXPECT_EQ(pp.Triangulate_EC(static_cast<const PartitionPoly*>(nullptr), &out), 0);
    EXPECT_EQ(pp.Triangulate_EC(&clockwise, nullptr), 0);
}

TEST(PolygonPartitionerEarClipping, CollinearMiddlePointIsNeverAnEar)
{
    PolygonPartitioner pp;
    const PartitionPoly poly = toPoly({{0, 0}, {1, 0}, {2, 0}, {2, 1}, {0, 1}});
    PartitionPolyList triangles;
    ASSERT_EQ(pp.Triangulate_EC(&poly, &triangles), 1);
    EXPECT_EQ(triangles.size(), 3u);
    double area = 0.0;
    for (const PartitionPoly& t : triangles) {
        EXPECT_FALSE(samePoint(t[1], 1, 0) && &t != &triangles.back()) << "clipped the flat corner";
        area += signedArea(toPts(t));
        EXPECT_GE(signedArea(toPts(t)), 0.0);
    }
    EXPECT_DOUBLE_EQ(area, 2.0);
}

TEST(PolygonPartitionerEarClipping, VertexOnTheCandidateEdgeBlocksTheEar)
{
    // The spike at (20, 0.5) is the sharpest corner, but the notch vertex W
    // lies exactly on the segment closing its ear.
    auto outline = [](double wx) { return toPoly({{0, 0}, {20, 0.5}, {0, 1}, {-5, 1}, {wx, 0.5}, {-5, 0}}); };
    PolygonPartitioner pp;

    PartitionPolyList blocked;
    const PartitionPoly onEdge = outline(0.0);
    ASSERT_EQ(pp.Triangulate_EC(&onEdge, &blocked), 1);
    ASSERT_EQ(blocked.size(), 4u);
    EXPECT_FALSE(samePoint(blocked.front()[1], 20, 0.5));

    PartitionPolyList free;
    const PartitionPoly offEdge = outline(-0.01);
    ASSERT_EQ(pp.Triangulate_EC(&offEdge, &free), 1);
    EXPECT_TRUE(samePoint(free.front()[1], 20, 0.5)) << "with the notch moved off the edge the spike goes first";
}

TEST(PolygonPartitionerEarClipping, ReflexOutline)
{
    // An L shape: one reflex corner.
    const std::vector<Pt> l = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
    PolygonPartitioner pp;
    const PartitionPoly poly = toPoly(l);
    PartitionPolyList triangles;
    ASSERT_EQ(pp.Triangulate_EC(&poly, &triangles), 1);
    EXPECT_EQ(triangles.size(), 4u);
    EXPECT_DOUBLE_EQ(totalArea(triangles), 3.0);
    for (const PartitionPoly& t : triangles) {
        EXPECT_GT(signedArea(toPts(t)), 0.0);
        EXPECT_TRUE(pointInPolygon(l, centroidOfVertices(toPts(t))));
    }
}

TEST(PolygonPartitionerEarClipping, NonFiniteCoordinatesFailCleanly)
{
    PolygonPartitioner pp;
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        const PartitionPoly poly = toPoly({{0, 0}, {1, 0}, {bad, 1}, {0, 1}});
        PartitionPolyList out;
        EXPECT_EQ(pp.Triangulate_EC(&poly, &out), 0);
        EXPECT_EQ(pp.Triangulate_OPT(&poly, &out), 0);
        EXPECT_EQ(pp.Triangulate_MONO(&poly, &out), 0);
        EXPECT_EQ(pp.ConvexPartition_HM(&poly, &out), 0);
        EXPECT_EQ(pp.ConvexPartition_OPT(&poly, &out), 0);
        EXPECT_EQ(pp.TriangulateMonotone(&poly, &out), 0);
        EXPECT_TRUE(out.empty());
    }
}

TEST(PolygonPartitionerHoles, RemoveHolesWithoutHolesCopiesTheInput)
{
    PolygonPartitioner pp;
    const PartitionPolyList in{toPoly(square()), toPoly({{5, 5}, {6, 5}, {5, 6}}), toPoly({{9, 9}})};
    PartitionPolyList out;
    ASSERT_EQ(pp.RemoveHoles(&in, &out), 1);
    ASSERT_EQ(out.size(), 3u);
    auto iter = out.begin();
    for (const PartitionPoly& original : in) {
        ASSERT_EQ(iter->GetNumPoints(), original.GetNumPoints());
        for (long i = 0; i < original.GetNumPoints(); ++i)
            EXPECT_EQ(iter->GetPoint(i), original.GetPoint(i));
        ++iter;
    }
}

TEST(PolygonPartitionerHoles, HoleIsBridgedToTheOuterPolygon)
{
    const std::vector<Pt> outer = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<Pt> hole = {{4, 4}, {4, 6}, {6, 6}, {6, 4}}; // clockwise
    PolygonPartitioner pp;
    const PartitionPolyList in{toPoly(outer), toPoly(hole, true)};

    PartitionPolyList joined;
    ASSERT_EQ(pp.RemoveHoles(&in, &joined), 1);
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_EQ(joined.front().GetNumPoints(), 4 + 4 + 2);
    EXPECT_FALSE(joined.front().IsHole());
    EXPECT_DOUBLE_EQ(signedArea(toPts(joined.front())), 100.0 - 4.0);

    PartitionPolyList triangles;
    ASSERT_EQ(pp.Triangulate_EC(&in, &triangles), 1);
    EXPECT_EQ(triangles.size(), 8u) << "n + 2h - 2 triangles";
    EXPECT_NEAR(totalArea(triangles), 96.0, 1e-9);
    for (const PartitionPoly& t : triangles) {
        const Pt c = centroidOfVertices(toPts(t));
        EXPECT_TRUE(pointInPolygon(outer, c) && !pointInPolygon(hole, c));
    }
}

TEST(PolygonPartitionerHoles, BridgeInLineWithADistantEdge)
{
    // The hole's rightmost point (4,4) sees (10,0) first and then (8,4),
    // straight to its right, whose direction has the larger x and so wins.
    // The notch edge from (0.5,4) to (0,4) lies on the same line far to the
    // left and must not block it.
    const std::vector<Pt> outer = {{0, 0},   {10, 0}, {10, 4}, {8, 4},   {8, 6},   {10, 6},
                                   {10, 10}, {0, 10}, {0, 6},  {0.5, 6}, {0.5, 4}, {0, 4}};
    const std::vector<Pt> hole = {{1, 3}, {1, 5}, {4, 4}}; // clockwise
    PolygonPartitioner pp;
    const PartitionPolyList in{toPoly(outer), toPoly(hole, true)};
    PartitionPolyList joined;
    ASSERT_EQ(pp.RemoveHoles(&in, &joined), 1);
    ASSERT_EQ(joined.size(), 1u);
    ASSERT_EQ(joined.front().GetNumPoints(), 12 + 3 + 2);
    EXPECT_TRUE(samePoint(joined.front()[3], 8, 4)) << "bridge point";
    EXPECT_TRUE(samePoint(joined.front()[4], 4, 4)) << "hole point";
    EXPECT_TRUE(samePoint(joined.front()[7], 4, 4)) << "back round the hole";
    EXPECT_TRUE(samePoint(joined.front()[8], 8, 4)) << "back to the bridge point";
    EXPECT_DOUBLE_EQ(signedArea(toPts(joined.front())), signedArea(outer) + signedArea(hole));
}

TEST(PolygonPartitionerHoles, HoleOutsideEveryOuterPolygonFails)
{
    PolygonPartitioner pp;
    // The hole lies right of the outer square: no outer point right of it.
    const PartitionPolyList in{toPoly(square()), toPoly({{5, 0}, {5, 1}, {6, 1}, {6, 0}}, true)};
    PartitionPolyList out;
    EXPECT_EQ(pp.RemoveHoles(&in, &out), 0);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(pp.Triangulate_EC(&in, &out), 0);
    EXPECT_EQ(pp.ConvexPartition_HM(&in, &out), 0);

    const PartitionPolyList degenerateHole{toPoly(square()), toPoly({{0.5, 0.5}}, true)};
    EXPECT_EQ(pp.RemoveHoles(&degenerateHole, &out), 0);
}

TEST(PolygonPartitionerListForms, StopAtTheFirstFailingPolygonAndKeepEarlierPieces)
{
    PolygonPartitioner pp;
    const PartitionPolyList in{toPoly(square()), toPoly({{0, 0}, {0, 1}, {1, 1}, {1, 0}}), toPoly(square())};
    PartitionPolyList out;
    EXPECT_EQ(pp.Triangulate_EC(&in, &out), 0);
    EXPECT_EQ(out.size(), 2u) << "the first square's triangles stay";
}

TEST(PolygonPartitionerConvex, HertelMehlhornOnKnownShapes)
{
    PolygonPartitioner pp;
    PartitionPolyList parts;
    const PartitionPoly convex = toPoly({{0, 0}, {2, 0}, {3, 1}, {1, 2}});
    ASSERT_EQ(pp.ConvexPartition_HM(&convex, &parts), 1);
    ASSERT_EQ(parts.size(), 1u) << "a convex polygon is its own partition";
    EXPECT_EQ(parts.front().GetNumPoints(), 4);

    parts.clear();
    const PartitionPoly l = toPoly({{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}});
    ASSERT_EQ(pp.ConvexPartition_HM(&l, &parts), 1);
    EXPECT_EQ(parts.size(), 2u);
    EXPECT_DOUBLE_EQ(totalArea(parts), 3.0);
    for (const PartitionPoly& piece : parts)
        EXPECT_TRUE(isConvexCcw(toPts(piece)));

    parts.clear();
    const PartitionPoly tooSmall = toPoly({{0, 0}, {1, 1}});
    EXPECT_EQ(pp.ConvexPartition_HM(&tooSmall, &parts), 0);
    EXPECT_TRUE(parts.empty());
}

TEST(PolygonPartitionerConvex, OptimalPartitionOfAnHourglass)
{
    // Two reflex corners facing each other: one diagonal joining them
    // resolves both, so two pieces (the lower bound for two reflex corners).
    const std::vector<Pt> hourglass = {{0, 0}, {4, 0}, {3, 2}, {4, 4}, {0, 4}, {1, 2}};
    PolygonPartitioner pp;
    const PartitionPoly poly = toPoly(hourglass);
    PartitionPolyList parts;
    ASSERT_EQ(pp.ConvexPartition_OPT(&poly, &parts), 1);
    EXPECT_EQ(parts.size(), 2u);
    EXPECT_DOUBLE_EQ(totalArea(parts), signedArea(hourglass));
    for (const PartitionPoly& piece : parts)
        EXPECT_TRUE(isConvexCcw(toPts(piece)));
}

TEST(PolygonPartitionerConvex, StraightCornersNeedNoCut)
{
    PolygonPartitioner pp;
    PartitionPolyList parts;
    const PartitionPoly convex = toPoly({{0, 0}, {1, 0}, {2, 0}, {2, 2}, {0, 2}});
    ASSERT_EQ(pp.ConvexPartition_OPT(&convex, &parts), 1);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts.front().GetNumPoints(), 5) << "the straight corner stays in its piece";

    // An L with a straight corner on its long bottom edge.
    parts.clear();
    const std::vector<Pt> l = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
    const PartitionPoly lPoly = toPoly(l);
    ASSERT_EQ(pp.ConvexPartition_OPT(&lPoly, &parts), 1);
    EXPECT_EQ(parts.size(), 2u);
    long points = 0;
    for (const PartitionPoly& piece : parts) {
        EXPECT_TRUE(isConvexCcw(toPts(piece)));
        points += piece.GetNumPoints();
    }
    EXPECT_EQ(points, 7 + 2) << "every input point is used once, plus both ends of the cut";
    EXPECT_DOUBLE_EQ(totalArea(parts), 3.0);

    parts.clear();
    const PartitionPoly flat = toPoly({{0, 0}, {1, 0}, {2, 0}});
    EXPECT_EQ(pp.ConvexPartition_OPT(&flat, &parts), 0);
}

TEST(PolygonPartitionerConvex, PlusSignIsABarAndTwoArms)
{
    // Four reflex corners and a diagonal resolves at most two, so three
    // pieces at least; only a bar and two arms reach that, and the bar's
    // sides run straight through two reflex corners each. Every vertex is
    // tried as the first one.
    const std::vector<Pt> plus = {{1, 0}, {2, 0}, {2, 1}, {3, 1}, {3, 2}, {2, 2},
                                  {2, 3}, {1, 3}, {1, 2}, {0, 2}, {0, 1}, {1, 1}};
    PolygonPartitioner pp;
    for (std::size_t first = 0; first < plus.size(); ++first) {
        std::vector<Pt> outline(plus.begin() + static_cast<long>(first), plus.end());
        outline.insert(outline.end(), plus.begin(), plus.begin() + static_cast<long>(first));
        const PartitionPoly poly = toPoly(outline);
        PartitionPolyList parts;
        ASSERT_EQ(pp.ConvexPartition_OPT(&poly, &parts), 1) << "first vertex " << first;
        ASSERT_EQ(parts.size(), 3u) << "first vertex " << first;
        std::vector<double> areas;
        for (const PartitionPoly& piece : parts) {
            EXPECT_TRUE(isConvexCcw(toPts(piece)));
            areas.push_back(signedArea(toPts(piece)));
        }
        std::sort(areas.begin(), areas.end());
        EXPECT_EQ(areas, (std::vector<double>{1.0, 1.0, 3.0})) << "first vertex " << first;
    }
}

TEST(PolygonPartitionerConvex, DiagonalInLineWithADistantEdge)
{
    // A bar with a block on the lower left and a square on the upper left.
    // Its four reflex corners all lie on the line x = 0, as do two edges;
    // the three pieces (the lower bound for four reflex corners) need the
    // diagonals (0,-4)-(0,0) and (0,4)-(0,8) on that line.
    const std::vector<Pt> outline = {{-4, -8}, {0, -8}, {0, -4}, {4, -4}, {4, 12}, {0, 12},
                                     {0, 8},   {-4, 8}, {-4, 4}, {0, 4},  {0, 0},  {-4, 0}};
    PolygonPartitioner pp;
    const PartitionPoly poly = toPoly(outline);
    PartitionPolyList parts;
    ASSERT_EQ(pp.ConvexPartition_OPT(&poly, &parts), 1);
    EXPECT_EQ(parts.size(), 3u);
    EXPECT_DOUBLE_EQ(totalArea(parts), signedArea(outline));
    for (const PartitionPoly& piece : parts)
        EXPECT_TRUE(isConvexCcw(toPts(piece)));
}

TEST(PolygonPartitionerConvex, DiagonalToAStraightVertex)
{
    // One reflex corner at (2,1), so two pieces at least. Its only diagonal
    // that leaves both pieces convex runs straight down to (2,0), a vertex in
    // the middle of the bottom edge.
    const std::vector<Pt> outline = {{2, 4}, {2, 1}, {0, 4}, {0, 0}, {2, 0}, {4, 0}, {4, 2}};
    PolygonPartitioner pp;
    const PartitionPoly poly = toPoly(outline);
    PartitionPolyList parts;
    ASSERT_EQ(pp.ConvexPartition_OPT(&poly, &parts), 1);
    EXPECT_EQ(parts.size(), 2u);
    EXPECT_DOUBLE_EQ(totalArea(parts), signedArea(outline));
    for (const PartitionPoly& piece : parts)
        EXPECT_TRUE(isConvexCcw(toPts(piece)));
}

TEST(PolygonPartitionerOptimalTriangulation, DiagonalInLineWithADistantEdge)
{
    // The corner at (4,0) is so narrow that every triangulation holds the
    // triangle (3,0), (4,0), (3,1); its diagonal from (3,0) to (3,1) lies in
    // line with the distant edge from (3,4) to (3,3), which must not block it.
    const std::vector<Pt> outline = {{3, 0}, {4, 0}, {3, 1}, {4, 2}, {3, 4}, {3, 3}, {2, 4}};
    PolygonPartitioner pp;
    const PartitionPoly poly = toPoly(outline);
    PartitionPolyList triangles;
    ASSERT_EQ(pp.Triangulate_OPT(&poly, &triangles), 1);
    EXPECT_EQ(triangles.size(), outline.size() - 2);
    EXPECT_DOUBLE_EQ(totalArea(triangles), signedArea(outline));
    for (const PartitionPoly& t : triangles)
        EXPECT_GT(signedArea(toPts(t)), 0.0);
}

TEST(PolygonPartitionerOptimalTriangulation, PicksTheShorterDiagonal)
{
    // A rhombus: the vertical diagonal (length 2) beats the horizontal one (4).
    PolygonPartitioner pp;
    for (const std::vector<Pt>& rhombus :
         {std::vector<Pt>{{-2, 0}, {0, -1}, {2, 0}, {0, 1}}, std::vector<Pt>{{0, -1}, {2, 0}, {0, 1}, {-2, 0}}}) {
        const PartitionPoly poly = toPoly(rhombus);
        PartitionPolyList triangles;
        ASSERT_EQ(pp.Triangulate_OPT(&poly, &triangles), 1);
        ASSERT_EQ(triangles.size(), 2u);
        for (const PartitionPoly& t : triangles) {
            EXPECT_GT(signedArea(toPts(t)), 0.0);
            int onAxis = 0;
            for (long i = 0; i < 3; ++i)
                onAxis += t[i].x == 0.0 ? 1 : 0;
            EXPECT_EQ(onAxis, 2) << "each triangle holds both ends of the vertical diagonal";
        }
    }
}

TEST(PolygonPartitionerOptimalTriangulation, ClockwiseInputFails)
{
    PolygonPartitioner pp;
    const PartitionPoly clockwise = toPoly({{0, 0}, {0, 1}, {1, 2}, {2, 1}, {1, 0}});
    PartitionPolyList out;
    EXPECT_EQ(pp.Triangulate_OPT(&clockwise, &out), 0);
    EXPECT_EQ(pp.ConvexPartition_OPT(&clockwise, &out), 0);
}

TEST(PolygonPartitionerMonotone, MonotonePiecesAndTheirTriangles)
{
    // A "W" shaped outline: two split-free dents from above make merge corners.
    const std::vector<Pt> w = {{0, 0}, {4, 0}, {4, 4}, {3, 4}, {2, 1}, {1, 4}, {0, 4}};
    PolygonPartitioner pp;
    const PartitionPolyList in{toPoly(w)};
    PartitionPolyList pieces;
    ASSERT_EQ(pp.MonotonePartition(&in, &pieces), 1);
    EXPECT_EQ(pieces.size(), 2u);
    EXPECT_NEAR(totalArea(pieces), signedArea(w), 1e-12);
    for (const PartitionPoly& piece : pieces)
        EXPECT_TRUE(isYMonotone(toPts(piece)));

    PartitionPolyList triangles;
    ASSERT_EQ(pp.Triangulate_MONO(&in, &triangles), 1);
    EXPECT_EQ(triangles.size(), w.size() - 2);
    EXPECT_NEAR(totalArea(triangles), signedArea(w), 1e-12);
}

TEST(PolygonPartitionerMonotone, NonMonotoneAndClockwiseInputIsRefused)
{
    PolygonPartitioner pp;
    PartitionPolyList out;
    const PartitionPoly w = toPoly({{0, 0}, {4, 0}, {4, 4}, {3, 4}, {2, 1}, {1, 4}, {0, 4}});
    EXPECT_EQ(pp.TriangulateMonotone(&w, &out), 0);
    const PartitionPoly clockwise = toPoly({{0, 0}, {0, 1}, {1, 1}, {1, 0}});
    EXPECT_EQ(pp.TriangulateMonotone(&clockwise, &out), 0);
    EXPECT_TRUE(out.empty());

    const PartitionPolyList tooSmall{toPoly({{0, 0}, {1, 1}})};
    EXPECT_EQ(pp.MonotonePartition(&tooSmall, &out), 0);
    EXPECT_TRUE(out.empty());
}

TEST(PolygonPartitionerMonotone, HolesAreHandledByTheSweep)
{
    const std::vector<Pt> outer = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<Pt> hole = {{4, 4}, {4, 6}, {6, 6}, {6, 4}};
    PolygonPartitioner pp;
    const PartitionPolyList in{toPoly(outer), toPoly(hole, true)};
    PartitionPolyList triangles;
    ASSERT_EQ(pp.Triangulate_MONO(&in, &triangles), 1);
    EXPECT_EQ(triangles.size(), 8u);
    EXPECT_NEAR(totalArea(triangles), 96.0, 1e-9);
    for (const PartitionPoly& t : triangles) {
        EXPECT_GT(signedArea(toPts(t)), 0.0);
        const Pt c = centroidOfVertices(toPts(t));
        EXPECT_TRUE(pointInPolygon(outer, c) && !pointInPolygon(hole, c));
    }
}
