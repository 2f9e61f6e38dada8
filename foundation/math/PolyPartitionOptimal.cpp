#include "foundation/math/PolyPartition.hpp"

#include <cstddef>
#include <limits>
#include <list>
#include <new>
#include <utility>
#include <vector>

// The two dynamic programs keep one state per ordered vertex pair (i, j),
// i < j, in an n x n table; P(i, j) below is the sub-polygon i, i+1, ..., j
// closed by the segment from j back to i.

namespace {

std::size_t tableSize(long n)
{
    const std::size_t count = static_cast<std::size_t>(n);
    if (count != 0 && count > std::numeric_limits<std::size_t>::max() / count)
        throw std::bad_alloc();
    return count * count;
}

std::size_t at(long i, long j, long n)
{
    return static_cast<std::size_t>(i) * static_cast<std::size_t>(n) + static_cast<std::size_t>(j);
}

/// Whether the segment from p[i] to p[j] crosses an edge of the polygon.
bool crossesBoundary(const PartitionPoly& poly, long i, long j)
{
    const long n = poly.GetNumPoints();
    for (long k = 0; k < n; ++k)
        if (PolyPartition::Intersects(poly[i], poly[j], poly[k], poly[(k + 1) % n]))
            return true;
    return false;
}

struct TriangulationState {
    bool visible = false;
    double weight = 0.0;
    long bestvertex = -1;
};

} // namespace

int PolyPartition::Triangulate_OPT(const PartitionPoly* poly, PartitionPolyList* triangles)
{
    if (poly == nullptr || triangles == nullptr || !poly->IsFinite())
        return 0;
    const long n = poly->GetNumPoints();
    if (n < 3)
        return 0;

    std::vector<TriangulationState> states(tableSize(n));
    for (long i = 0; i < n - 1; ++i) {
        for (long j = i + 1; j < n; ++j) {
            TriangulationState& state = states[at(i, j, n)];
            if (j == i + 1 || (i == 0 && j == n - 1)) {
                state.visible = true; // polygon edge
                continue;
            }
            const PartitionPoint& pi = (*poly)[i];
            const PartitionPoint& pj = (*poly)[j];
            state.visible = InCone((*poly)[(i + n - 1) % n], pi, (*poly)[i + 1], pj) &&
                            InCone((*poly)[j - 1], pj, (*poly)[(j + 1) % n], pi) &&
                            !crossesBoundary(*poly, i, j);
        }
    }

    for (long gap = 2; gap < n; ++gap) {
        for (long i = 0; i < n - gap; ++i) {
            const long j = i + gap;
            TriangulationState& state = states[at(i, j, n)];
            if (!state.visible)
                continue;
            long best = -1;
            double minweight = 0.0;
            for (long k = i + 1; k < j; ++k) {
                const TriangulationState& left = states[at(i, k, n)];
                const TriangulationState& right = states[at(k, j, n)];
                if (!left.visible || !right.visible)
                    continue;
                double weight = left.weight + right.weight;
                if (k > i + 1)
                    weight += Distance((*poly)[i], (*poly)[k]);
                if (k < j - 1)
                    weight += Distance((*poly)[k], (*poly)[j]);
                if (best == -1 || weight < minweight) {
                    best = k;
                    minweight = weight;
                }
            }
            if (best == -1)
                return 0;
            state.bestvertex = best;
            state.weight = minweight;
        }
    }

    // Emit breadth first from the closing edge (0, n - 1).
    std::list<std::pair<long, long>> queue;
    queue.emplace_back(0, n - 1);
    while (!queue.empty()) {
        const auto [i, j] = queue.front();
        queue.pop_front();
        const long best = states[at(i, j, n)].bestvertex;
        if (best == -1)
            return 0;
        PartitionPoly triangle;
        triangle.Triangle((*poly)[i], (*poly)[best], (*poly)[j]);
        triangles->push_back(triangle);
        if (best > i + 1)
            queue.emplace_back(i, best);
        if (j > best + 1)
            queue.emplace_back(best, j);
    }
    return 1;
}

// Optimal convex partition.
//
// For a visible pair (i, j) the state holds the fewest diagonals that cut
// P(i, j) into convex pieces, and the narrowest neighbour pairs (a, b) of
// such optimal cuttings: the piece holding the edge (i, j) runs
// i, a, ..., b, j. A larger a makes the piece's corner at i narrower, a
// smaller b its corner at j (vertices seen from one vertex of a simple polygon
// are in angular order along the boundary), so only pairs that no other pair
// beats on both ends are kept, best first. A cutting that is not optimal never
// has to be considered: one diagonal more always allows closing the piece at
// (i, j), which leaves the outer piece completely free.
//
// The piece at (i, j) is built through its vertex k just before j:
// - TypeA: it is the piece of P(i, k) at (i, k), grown across k by the
//   triangle (i, k, j); this needs convex merged corners at i and at k.
// - TypeB: it is the triangle (i, k, j) alone, and (i, k) is a diagonal
//   (or a polygon edge when k = i + 1).
// Either way (k, j) is a diagonal closing P(k, j), unless k = j - 1.

void PolyPartition::UpdateState(long a, long b, int w, long i, long j, std::vector<DPState2>& dpstates, long n)
{
    DPState2& state = dpstates[at(a, b, n)];
    if (w > state.weight)
        return;
    std::list<Diagonal>& pairs = state.pairs;
    const Diagonal newdiagonal{i, j};
    if (w < state.weight) {
        pairs.clear();
        pairs.push_front(newdiagonal);
        state.weight = w;
        return;
    }
    if (!pairs.empty() && i <= pairs.front().index1)
        return;
    while (!pairs.empty() && pairs.front().index2 >= j)
        pairs.pop_front();
    pairs.push_front(newdiagonal);
}

void PolyPartition::TypeA(long i, long k, long j, const std::vector<PartitionVertex>& vertices,
                          std::vector<DPState2>& dpstates, long n)
{
    const DPState2& left = dpstates[at(i, k, n)];
    if (left.weight == std::numeric_limits<int>::max())
        return;
    const int w = left.weight + (k < j - 1 ? dpstates[at(k, j, n)].weight + 1 : 0);
    const PartitionPoint& pi = vertices[static_cast<std::size_t>(i)].p;
    const PartitionPoint& pk = vertices[static_cast<std::size_t>(k)].p;
    const PartitionPoint& pj = vertices[static_cast<std::size_t>(j)].p;
    // Best first means largest a first; offer the largest a that fits.
    for (const Diagonal& pair : left.pairs) {
        if (IsReflex(vertices[static_cast<std::size_t>(pair.index2)].p, pk, pj))
            continue;
        if (IsReflex(pj, pi, vertices[static_cast<std::size_t>(pair.index1)].p))
            continue;
        UpdateState(i, j, w, pair.index1, k, dpstates, n);
        return;
    }
}

void PolyPartition::TypeB(long i, long k, long j, std::vector<DPState2>& dpstates, long n)
{
    int w = 0;
    if (k > i + 1) {
        const int left = dpstates[at(i, k, n)].weight;
        if (left == std::numeric_limits<int>::max())
            return;
        w += left + 1;
    }
    if (k < j - 1)
        w += dpstates[at(k, j, n)].weight + 1;
    UpdateState(i, j, w, k, k, dpstates, n);
}

int PolyPartition::ConvexPartition_OPT(const PartitionPoly* input, PartitionPolyList* parts)
{
    if (input == nullptr || parts == nullptr || !input->IsFinite())
        return 0;
    const long count = input->GetNumPoints();
    if (count < 3)
        return 0;

    // A vertex on the straight line between its neighbours needs no cut, but
    // a piece can only be grown across it through a diagonal lying on that
    // line, which is never visible. Such vertices are left out of the search
    // and put back on their edge afterwards.
    std::vector<long> kept;
    for (long i = 0; i < count; ++i) {
        const PartitionPoint& prev = (*input)[(i + count - 1) % count];
        const PartitionPoint& here = (*input)[i];
        const PartitionPoint& next = (*input)[(i + 1) % count];
        const PartitionPoint in = here - prev;
        const PartitionPoint out = next - here;
        const bool straight = !IsConvex(prev, here, next) && !IsReflex(prev, here, next) &&
                              in.x * out.x + in.y * out.y > 0.0;
        if (!straight)
            kept.push_back(i);
    }
    const long n = static_cast<long>(kept.size());
    if (n < 3)
        return 0;
    PartitionPoly reduced;
    reduced.Init(n);
    for (long i = 0; i < n; ++i)
        reduced[i] = (*input)[kept[static_cast<std::size_t>(i)]];
    const PartitionPoly* poly = &reduced;

    std::vector<PartitionVertex> vertices(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) {
        PartitionVertex& v = vertices[static_cast<std::size_t>(i)];
        v.p = (*poly)[i];
        v.previous = &vertices[static_cast<std::size_t>((i + n - 1) % n)];
        v.next = &vertices[static_cast<std::size_t>((i + 1) % n)];
    }
    for (PartitionVertex& v : vertices)
        UpdateVertexReflexity(&v);

    const int none = std::numeric_limits<int>::max();
    std::vector<DPState2> dpstates(tableSize(n));
    for (long i = 0; i < n - 1; ++i) {
        for (long j = i + 1; j < n; ++j) {
            DPState2& state = dpstates[at(i, j, n)];
            state.weight = none;
            if (j == i + 1 || (i == 0 && j == n - 1)) {
                state.visible = true; // polygon edge
                continue;
            }
            state.visible = InCone(&vertices[static_cast<std::size_t>(i)], (*poly)[j]) &&
                            InCone(&vertices[static_cast<std::size_t>(j)], (*poly)[i]) &&
                            !crossesBoundary(*poly, i, j);
        }
        dpstates[at(i, i + 1, n)].weight = 0;
    }

    for (long gap = 2; gap < n; ++gap) {
        for (long i = 0; i < n - gap; ++i) {
            const long j = i + gap;
            if (!dpstates[at(i, j, n)].visible)
                continue;
            // k ascending keeps the narrowest-pair list ordered.
            for (long k = i + 1; k < j; ++k) {
                if (!dpstates[at(i, k, n)].visible || !dpstates[at(k, j, n)].visible)
                    continue;
                if (k < j - 1 && dpstates[at(k, j, n)].weight == none)
                    continue;
                if (k > i + 1)
                    TypeA(i, k, j, vertices, dpstates, n);
                TypeB(i, k, j, dpstates, n);
            }
        }
    }

    // Recover the pieces. Each task builds the piece at the edge (i, j) of
    // P(i, j); a closing diagonal starts a task of its own.
    std::vector<std::pair<long, long>> tasks{{0, n - 1}};
    std::vector<PartitionPoly> pieces;
    while (!tasks.empty()) {
        auto [i, j] = tasks.back();
        tasks.pop_back();
        const DPState2& top = dpstates[at(i, j, n)];
        if (top.weight == none || top.pairs.empty())
            return 0;
        long a = top.pairs.front().index1;
        long b = top.pairs.front().index2;

        std::vector<long> chain{j}; // piece vertices from j back towards i
        for (;;) {
            const long k = b;
            chain.push_back(k);
            if (k < j - 1)
                tasks.emplace_back(k, j);
            if (a == k) {
                // TypeB: the triangle (i, k, j) closes the piece.
                if (k > i + 1)
                    tasks.emplace_back(i, k);
                break;
            }
            // TypeA: continue inside P(i, k) with a pair that starts with a
            // and fits the merged corners at i and k.
            const DPState2& left = dpstates[at(i, k, n)];
            bool found = false;
            for (const Diagonal& pair : left.pairs) {
                if (pair.index1 != a)
                    continue;
                if (IsReflex(vertices[static_cast<std::size_t>(pair.index2)].p, (*poly)[k], (*poly)[j]))
                    continue;
                b = pair.index2;
                found = true;
                break;
            }
            if (!found)
                return 0;
            j = k;
        }
        chain.push_back(i);

        // Back to input indices, with the straight vertices of boundary
        // edges put back in place.
        std::vector<long> indices;
        for (auto iter = chain.rbegin(); iter != chain.rend(); ++iter) {
            const long here = *iter;
            const long after = iter + 1 == chain.rend() ? chain.back() : *(iter + 1);
            indices.push_back(kept[static_cast<std::size_t>(here)]);
            if (after == (here + 1) % n) {
                const long to = kept[static_cast<std::size_t>(after)];
                for (long v = (indices.back() + 1) % count; v != to; v = (v + 1) % count)
                    indices.push_back(v);
            }
        }
        PartitionPoly piece;
        piece.Init(static_cast<long>(indices.size()));
        for (std::size_t k = 0; k < indices.size(); ++k)
            piece[static_cast<long>(k)] = (*input)[indices[k]];
        pieces.push_back(piece);
    }

    for (const PartitionPoly& piece : pieces)
        parts->push_back(piece);
    return 1;
}
