// Triangulation of simple polygons by ear clipping (the game's method) and
// through monotone pieces, at 50, 500 and 5,000 points. Ear clipping tests
// every vertex for each ear update, so it should grow about quadratically;
// the sweep about as n log n. Compare the two families and the sizes within
// one run. The optimal triangulation and convex partition run at 25, 50 and
// 100 points.

#include "foundation/math/PolygonPartitioner.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

/// Star-shaped polygon with random radii, counter-clockwise; about half of
/// its corners are reflex.
PartitionPoly starPolygon(long n)
{
    std::mt19937 rng(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> radius(2.0, 10.0);
    std::uniform_real_distribution<double> jitter(0.1, 0.9);
    PartitionPoly poly;
    poly.Init(n);
    const double step = 2.0 * 3.14159265358979323846 / static_cast<double>(n);
    for (long i = 0; i < n; ++i) {
        const double angle = (static_cast<double>(i) + jitter(rng)) * step;
        const double r = radius(rng);
        poly[i] = PartitionPoint(r * std::cos(angle), r * std::sin(angle));
    }
    return poly;
}

void triangulate(benchmark::State& state, int (PolygonPartitioner::*method)(const PartitionPoly*, PartitionPolyList*))
{
    const long n = static_cast<long>(state.range(0));
    const PartitionPoly poly = starPolygon(n);
    PolygonPartitioner partition;
    for (auto _ : state) {
        PartitionPolyList triangles;
        const int ok = (partition.*method)(&poly, &triangles);
        if (!ok || static_cast<long>(triangles.size()) != n - 2)
            state.SkipWithError("triangulation failed");
        benchmark::DoNotOptimize(triangles);
    }
    state.SetComplexityN(n);
    state.counters["triangles"] = static_cast<double>(n - 2);
}

void BM_TriangulateEarClipping(benchmark::State& state)
{
    triangulate(state, &PolygonPartitioner::Triangulate_EC);
}

void BM_TriangulateMonotone(benchmark::State& state)
{
    triangulate(state, &PolygonPartitioner::Triangulate_MONO);
}

/// The dynamic programs keep a table of n x n states and try every split
/// vertex for each, so they should grow about cubically.
void partitionOptimally(benchmark::State& state,
                        int (PolygonPartitioner::*method)(const PartitionPoly*, PartitionPolyList*))
{
    const long n = static_cast<long>(state.range(0));
    const PartitionPoly poly = starPolygon(n);
    PolygonPartitioner partition;
    for (auto _ : state) {
        PartitionPolyList pieces;
        if (!(partition.*method)(&poly, &pieces))
            state.SkipWithError("partition failed");
        benchmark::DoNotOptimize(pieces);
    }
    state.SetComplexityN(n);
}

void BM_TriangulateOptimal(benchmark::State& state)
{
    partitionOptimally(state, &PolygonPartitioner::Triangulate_OPT);
}

void BM_ConvexPartitionOptimal(benchmark::State& state)
{
    partitionOptimally(state, &PolygonPartitioner::ConvexPartition_OPT);
}

} // namespace

BENCHMARK(BM_TriangulateEarClipping)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_TriangulateMonotone)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_TriangulateOptimal)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_ConvexPartitionOptimal)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond)->Complexity();
