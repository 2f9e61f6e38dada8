// Properties every partition method must keep on generated simple polygons:
// pieces cover the polygon exactly (areas add up, pieces lie inside), they
// have the promised shape, and the optimal methods are never beaten.

#include "PolygonTestSupport.hpp"

#include "foundation/math/PolygonPartitioner.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

using namespace polytest;

namespace {

struct Shape {
    std::vector<Pt> outer;
    std::vector<Pt> hole; // clockwise, empty when none
};

double perimeter(const std::vector<Pt>& pts)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const Pt& a = pts[i];
        const Pt& b = pts[(i + 1) % pts.size()];
        sum += std::hypot(b.x - a.x, b.y - a.y);
    }
    return sum;
}

/// Total length of the diagonals of a triangulation: every diagonal is an
/// edge of two triangles, every polygon edge of one.
double diagonalLength(const PartitionPolyList& triangles, const std::vector<Pt>& polygon)
{
    double sum = 0.0;
    for (const PartitionPoly& t : triangles)
        sum += perimeter(toPts(t));
    return (sum - perimeter(polygon)) / 2.0;
}

int reflexCount(const std::vector<Pt>& pts)
{
    int count = 0;
    const std::size_t n = pts.size();
    for (std::size_t i = 0; i < n; ++i)
        count += cross(pts[(i + n - 1) % n], pts[i], pts[(i + 1) % n]) < 0.0 ? 1 : 0;
    return count;
}

/// Pieces are counter-clockwise, lie inside the shape and add up to its
/// area. The inside test takes the mean of a piece's vertices, which lies
/// inside the piece only when the piece is convex.
void expectExactCover(const PartitionPolyList& pieces, const Shape& shape, bool convexPieces = true)
{
    const double area = signedArea(shape.outer) + signedArea(shape.hole);
    EXPECT_NEAR(totalArea(pieces), area, 1e-9 * std::fabs(area));
    for (const PartitionPoly& piece : pieces) {
        const std::vector<Pt> pts = toPts(piece);
        EXPECT_GT(signedArea(pts), 0.0);
        if (!convexPieces)
            continue;
        const Pt c = centroidOfVertices(pts);
        EXPECT_TRUE(pointInPolygon(shape.outer, c));
        if (!shape.hole.empty()) {
            EXPECT_FALSE(pointInPolygon(shape.hole, c));
        }
    }
}

/// No two edges meet except neighbours at their shared point, and no point
/// repeats.
bool isSimple(const std::vector<Pt>& pts)
{
    const std::size_t n = pts.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (pts[i].x == pts[j].x && pts[i].y == pts[j].y)
                return false;
            const Pt& a = pts[i];
            const Pt& b = pts[(i + 1) % n];
            const Pt& c = pts[j];
            const Pt& d = pts[(j + 1) % n];
            if (properlyCross(a, b, c, d))
                return false;
        }
        // A vertex lying on another edge.
        for (std::size_t e = 0; e < n; ++e) {
            const Pt& a = pts[e];
            const Pt& b = pts[(e + 1) % n];
            if (e == i || (e + 1) % n == i)
                continue;
            const Pt& q = pts[i];
            if (cross(a, b, q) == 0.0 && (q.x - a.x) * (q.x - b.x) + (q.y - a.y) * (q.y - b.y) <= 0.0)
                return false;
        }
    }
    return true;
}

// Fewest convex pieces by exhaustive search// Fewest convex pieces by exhaustive search over sets of diagonals, checked
// with the helpers above only.
class BruteForceConvexPartition {
public:
    explicit BruteForceConvexPartition(const std::vector<Pt>& pts) : pts_(pts)
    {
        const int n = static_cast<int>(pts.size());
        for (int i = 0; i < n; ++i)
            for (int j = i + 2; j < n; ++j)
                if (!(i == 0 && j == n - 1) && isDiagonal(i, j))
                    diagonals_.push_back({i, j});
    }

    int fewestPieces() const
    {
        for (std::size_t size = 0; size <= diagonals_.size(); ++size) {
            std::vector<std::pair<int, int>> chosen;
            if (search(0, size, chosen))
                return static_cast<int>(size) + 1;
        }
        return -1;
    }

private:
    bool isDiagonal(int i, int j) const
    {
        const int n = static_cast<int>(pts_.size());
        for (int k = 0; k < n; ++k) {
            const int k2 = (k + 1) % n;
            if (properlyCross(pts_[i], pts_[j], pts_[k], pts_[k2]))
                return false;
        }
        for (int k = 0; k < n; ++k) {
            if (k == i || k == j)
                continue;
            const Pt& q = pts_[k];
            const bool between = (q.x - pts_[i].x) * (q.x - pts_[j].x) + (q.y - pts_[i].y) * (q.y - pts_[j].y) < 0;
            if (std::fabs(cross(pts_[i], pts_[j], q)) < 1e-12 && between)
                return false;
        }
        return pointInPolygon(pts_, {(pts_[i].x + pts_[j].x) / 2, (pts_[i].y + pts_[j].y) / 2});
    }

    static bool crossing(const std::pair<int, int>& a, const std::pair<int, int>& b)
    {
        // Chords of a convex position ring cross when their ends interleave.
        auto strictlyInside = [](int x, int lo, int hi) { return lo < x && x < hi; };
        return (strictlyInside(b.first, a.first, a.second) && !strictlyInside(b.second, a.first, a.second) &&
                b.second != a.first && b.second != a.second) ||
               (strictlyInside(b.second, a.first, a.second) && !strictlyInside(b.first, a.first, a.second) &&
                b.first != a.first && b.first != a.second);
    }

    bool search(std::size_t start, std::size_t left, std::vector<std::pair<int, int>>& chosen) const
    {
        if (left == 0)
            return allConvex(chosen);
        for (std::size_t d = start; d < diagonals_.size(); ++d) {
            bool ok = true;
            for (const auto& c : chosen)
                ok = ok && !crossing(c, diagonals_[d]);
            if (!ok)
                continue;
            chosen.push_back(diagonals_[d]);
            if (search(d + 1, left - 1, chosen))
                return true;
            chosen.pop_back();
        }
        return false;
    }

    bool allConvex(const std::vector<std::pair<int, int>>& chosen) const
    {
        std::vector<int> ring(pts_.size());
        for (std::size_t i = 0; i < ring.size(); ++i)
            ring[i] = static_cast<int>(i);
        return facesConvex(ring, chosen);
    }

    bool facesConvex(const std::vector<int>& ring, std::vector<std::pair<int, int>> cuts) const
    {
        if (cuts.empty()) {
            std::vector<Pt> face;
            for (int i : ring)
                face.push_back(pts_[i]);
            return isConvexCcw(face);
        }
        const auto cut = cuts.back();
        cuts.pop_back();
        auto a = std::find(ring.begin(), ring.end(), cut.first) - ring.begin();
        auto b = std::find(ring.begin(), ring.end(), cut.second) - ring.begin();
        if (b < a)
            std::swap(a, b);
        std::vector<int> first(ring.begin() + a, ring.begin() + b + 1);
        std::vector<int> second(ring.begin() + b, ring.end());
        second.insert(second.end(), ring.begin(), ring.begin() + a + 1);
        std::vector<std::pair<int, int>> cuts1;
        std::vector<std::pair<int, int>> cuts2;
        for (const auto& c : cuts) {
            const bool in1 = std::count(first.begin(), first.end(), c.first) &&
                             std::count(first.begin(), first.end(), c.second);
            (in1 ? cuts1 : cuts2).push_back(c);
        }
        return facesConvex(first, cuts1) && facesConvex(second, cuts2);
    }

    std::vector<Pt> pts_;
    std::vector<std::pair<int, int>> diagonals_;
};

} // namespace

class PolygonProperties : public ::testing::TestWithParam<int> {
protected:
    std::mt19937 rng{static_cast<unsigned>(GetParam())};
    PolygonPartitioner pp;

    Shape star(int n) { return {starPolygon(rng, n, 2.0, 10.0), {}}; }
    /// At least 8 outer points at radius 6 or more keep every outer edge
    /// further than 4 from the centre, so the hole (radius 4 at most) fits.
    Shape starWithHole(int n, int holePoints)
    {
        Shape shape{starPolygon(rng, n, 6.0, 10.0), starPolygon(rng, holePoints, 1.0, 4.0)};
        std::reverse(shape.hole.begin(), shape.hole.end());
        return shape;
    }
    int size(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
};

TEST_P(PolygonProperties, Triangulations)
{
    const Shape shape = star(size(3, 60));
    const PartitionPoly poly = toPoly(shape.outer);
    const std::size_t n = shape.outer.size();

    PartitionPolyList ec;
    ASSERT_EQ(pp.Triangulate_EC(&poly, &ec), 1);
    EXPECT_EQ(ec.size(), n - 2);
    expectExactCover(ec, shape);

    PartitionPolyList mono;
    ASSERT_EQ(pp.Triangulate_MONO(&poly, &mono), 1);
    EXPECT_EQ(mono.size(), n - 2);
    expectExactCover(mono, shape);

    PartitionPolyList opt;
    ASSERT_EQ(pp.Triangulate_OPT(&poly, &opt), 1);
    EXPECT_EQ(opt.size(), n - 2);
    expectExactCover(opt, shape);
    const double optimal = diagonalLength(opt, shape.outer);
    EXPECT_LE(optimal, diagonalLength(ec, shape.outer) + 1e-9);
    EXPECT_LE(optimal, diagonalLength(mono, shape.outer) + 1e-9);
}

TEST_P(PolygonProperties, MonotonePieces)
{
    const Shape shape = star(size(3, 60));
    const PartitionPolyList in{toPoly(shape.outer)};
    PartitionPolyList pieces;
    ASSERT_EQ(pp.MonotonePartition(&in, &pieces), 1);
    expectExactCover(pieces, shape, false);
    PartitionPolyList triangles;
    for (const PartitionPoly& piece : pieces) {
        EXPECT_TRUE(isYMonotone(toPts(piece)));
        const std::size_t before = triangles.size();
        ASSERT_EQ(pp.TriangulateMonotone(&piece, &triangles), 1);
        EXPECT_EQ(triangles.size() - before, static_cast<std::size_t>(piece.GetNumPoints() - 2));
    }
    expectExactCover(triangles, shape);
}

TEST_P(PolygonProperties, ConvexPartitions)
{
    const Shape shape = star(size(4, 40));
    const PartitionPoly poly = toPoly(shape.outer);

    PartitionPolyList hm;
    ASSERT_EQ(pp.ConvexPartition_HM(&poly, &hm), 1);
    expectExactCover(hm, shape);
    for (const PartitionPoly& piece : hm)
        EXPECT_TRUE(isConvexCcw(toPts(piece)));

    PartitionPolyList opt;
    ASSERT_EQ(pp.ConvexPartition_OPT(&poly, &opt), 1);
    expectExactCover(opt, shape);
    for (const PartitionPoly& piece : opt)
        EXPECT_TRUE(isConvexCcw(toPts(piece)));

    // Each diagonal removes at most two reflex corners.
    const std::size_t lowerBound = static_cast<std::size_t>((reflexCount(shape.outer) + 1) / 2 + 1);
    EXPECT_GE(opt.size(), lowerBound);
    EXPECT_LE(opt.size(), hm.size());
    // Hertel-Mehlhorn keeps at most two pieces per reflex corner.
    EXPECT_LE(hm.size(), 2u * static_cast<std::size_t>(reflexCount(shape.outer)) + 1u);
}

TEST_P(PolygonProperties, OptimalConvexPartitionMatchesExhaustiveSearch)
{
    const Shape shape = star(size(5, 9));
    const PartitionPoly poly = toPoly(shape.outer);
    PartitionPolyList opt;
    ASSERT_EQ(pp.ConvexPartition_OPT(&poly, &opt), 1);
    EXPECT_EQ(static_cast<int>(opt.size()), BruteForceConvexPartition(shape.outer).fewestPieces());
}

/// The optimal convex partition of an outline, started at each of its
/// vertices in turn, has as few pieces as the exhaustive search finds, and
/// they are convex and cover the outline.
void expectFewestConvexPieces(PolygonPartitioner& pp, const std::vector<Pt>& outline)
{
    const int fewest = BruteForceConvexPartition(outline).fewestPieces();
    for (std::size_t first = 0; first < outline.size(); ++first) {
        Shape shape;
        shape.outer.assign(outline.begin() + static_cast<long>(first), outline.end());
        shape.outer.insert(shape.outer.end(), outline.begin(), outline.begin() + static_cast<long>(first));
        const PartitionPoly poly = toPoly(shape.outer);
        PartitionPolyList opt;
        ASSERT_EQ(pp.ConvexPartition_OPT(&poly, &opt), 1) << "first vertex " << first;
        EXPECT_EQ(static_cast<int>(opt.size()), fewest) << "first vertex " << first;
        expectExactCover(opt, shape);
        std::size_t points = 0;
        for (const PartitionPoly& piece : opt) {
            EXPECT_TRUE(isConvexCcw(toPts(piece)));
            points += static_cast<std::size_t>(piece.GetNumPoints());
        }
        EXPECT_GE(points, outline.size()) << "every input point lies in some piece";
    }
}

// Outlines of unit cells have many vertices on one line: reflex corners whose
// edges point straight at other vertices, so that the best pieces have
// straight corners there, and diagonals in line with distant edges. An
// integer shear keeps every collinearity exact; some edges get their
// midpoint as a straight vertex.
TEST_P(PolygonProperties, OptimalConvexPartitionOfCellShapesMatchesExhaustiveSearch)
{
    for (int round = 0; round < 25; ++round) {
        std::vector<Pt> cells;
        while (cells.empty())
            cells = cellOutline(randomCells(rng, size(3, 8)));
        int a = 0, b = 0, c = 0, d = 0;
        while (a * d - b * c <= 0) { // the shear must keep the orientation
            a = size(1, 3);
            b = size(-2, 2);
            c = size(-2, 2);
            d = size(1, 3);
        }
        std::vector<Pt> outline;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const Pt& p = cells[i];
            const Pt& q = cells[(i + 1) % cells.size()];
            outline.push_back({2 * (a * p.x + b * p.y), 2 * (c * p.x + d * p.y)});
            if (size(0, 3) == 0)
                outline.push_back({a * (p.x + q.x) + b * (p.y + q.y), c * (p.x + q.x) + d * (p.y + q.y)});
        }
        expectFewestConvexPieces(pp, outline);
    }
}

// Simple outlines on a small grid of points: collinear vertices in every
// direction.
TEST_P(PolygonProperties, OptimalConvexPartitionOfGridOutlinesMatchesExhaustiveSearch)
{
    for (int round = 0; round < 25; ++round) {
        std::vector<Pt> outline;
        while (outline.empty()) {
            const int n = size(4, 8);
            for (int i = 0; i < n; ++i)
                outline.push_back({static_cast<double>(size(0, 4)), static_cast<double>(size(0, 4))});
            if (signedArea(outline) <= 0.0 || !isSimple(outline))
                outline.clear();
        }
        expectFewestConvexPieces(pp, outline);
    }
}

TEST_P(PolygonProperties, PolygonsWithAHole)
{
    const Shape shape = starWithHole(size(8, 30), size(3, 12));
    const PartitionPolyList in{toPoly(shape.outer), toPoly(shape.hole, true)};
    const std::size_t triangleCount = shape.outer.size() + shape.hole.size();

    PartitionPolyList ec;
    ASSERT_EQ(pp.Triangulate_EC(&in, &ec), 1);
    EXPECT_EQ(ec.size(), triangleCount);
    expectExactCover(ec, shape);

    PartitionPolyList mono;
    ASSERT_EQ(pp.Triangulate_MONO(&in, &mono), 1);
    EXPECT_EQ(mono.size(), triangleCount);
    expectExactCover(mono, shape);

    PartitionPolyList hm;
    ASSERT_EQ(pp.ConvexPartition_HM(&in, &hm), 1);
    expectExactCover(hm, shape);
    for (const PartitionPoly& piece : hm)
        EXPECT_TRUE(isConvexCcw(toPts(piece)));
}

TEST_P(PolygonProperties, FarFromTheOriginAndTiny)
{
    const Shape base = star(size(3, 40));
    for (const auto& [scale, offset] : {std::pair<double, double>{1.0, 1e6}, {1e-6, 0.0}, {1e-6, 3.0}}) {
        Shape shape;
        for (const Pt& p : base.outer)
            shape.outer.push_back({p.x * scale + offset, p.y * scale + offset});
        const PartitionPoly poly = toPoly(shape.outer);
        PartitionPolyList ec;
        ASSERT_EQ(pp.Triangulate_EC(&poly, &ec), 1) << scale << " " << offset;
        EXPECT_EQ(ec.size(), shape.outer.size() - 2);
        const double area = signedArea(shape.outer);
        EXPECT_NEAR(totalArea(ec), area, 1e-6 * area);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, PolygonProperties, ::testing::Range(1, 41));
