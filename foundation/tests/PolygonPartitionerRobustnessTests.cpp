// Outlines that are not simple, not counter-clockwise, or degenerate must
// give 0 or a partial result through every entry point: never a crash, a
// hang or a coordinate that was not in the input.

#include "PolygonTestSupport.hpp"

#include "foundation/math/PolygonPartitioner.hpp"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

using namespace polytest;

namespace {

std::vector<Pt> randomOutline(std::mt19937& rng, int kind)
{
    const int n = std::uniform_int_distribution<int>(0, 14)(rng);
    std::uniform_real_distribution<double> coord(-5.0, 5.0);
    std::uniform_int_distribution<int> grid(-2, 2);
    std::vector<Pt> pts;
    for (int i = 0; i < n; ++i) {
        switch (kind) {
        case 0: // anything: crossing edges, either orientation
            pts.push_back({coord(rng), coord(rng)});
            break;
        case 1: // on a small grid: repeated points, collinear runs, touching edges
            pts.push_back({static_cast<double>(grid(rng)), static_cast<double>(grid(rng))});
            break;
        default: // all on one line
            pts.push_back({static_cast<double>(i % 3), 2.0 * (i % 3)});
            break;
        }
    }
    return pts;
}

/// Every output point must be one of the input points.
void expectInputPoints(const PartitionPolyList& out, const std::set<std::pair<double, double>>& input)
{
    for (const PartitionPoly& piece : out)
        for (long i = 0; i < piece.GetNumPoints(); ++i)
            EXPECT_TRUE(input.count({piece[i].x, piece[i].y})) << piece[i].x << "," << piece[i].y;
}

} // namespace

TEST(PolygonPartitionerRobustness, DegenerateAndTangledOutlines)
{
    std::mt19937 rng(4242);
    PolygonPartitioner pp;
    for (int round = 0; round < 3000; ++round) {
        const std::vector<Pt> outline = randomOutline(rng, round % 3);
        std::set<std::pair<double, double>> input;
        for (const Pt& p : outline)
            input.insert({p.x, p.y});
        const PartitionPoly poly = toPoly(outline);
        const PartitionPolyList list{poly};
        const PartitionPolyList withHole{poly, toPoly(randomOutline(rng, round % 2), true)};
        for (const PartitionPoly& piece : withHole)
            for (long i = 0; i < piece.GetNumPoints(); ++i)
                input.insert({piece[i].x, piece[i].y});

        PartitionPolyList out;
        const int ec = pp.Triangulate_EC(&poly, &out);
        if (ec == 1 && outline.size() >= 3) {
            EXPECT_EQ(out.size(), outline.size() - 2);
        }
        pp.Triangulate_OPT(&poly, &out);
        pp.Triangulate_MONO(&poly, &out);
        pp.Triangulate_MONO(&withHole, &out);
        pp.ConvexPartition_HM(&poly, &out);
        pp.ConvexPartition_HM(&withHole, &out);
        pp.ConvexPartition_OPT(&poly, &out);
        pp.MonotonePartition(&list, &out);
        pp.MonotonePartition(&withHole, &out);
        pp.TriangulateMonotone(&poly, &out);
        pp.Triangulate_EC(&withHole, &out);
        pp.RemoveHoles(&withHole, &out);
        expectInputPoints(out, input);
        if (HasFailure())
            FAIL() << "round " << round;
    }
}
