#include "foundation/math/PolygonPartitioner.hpp"

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
        if (PolygonPartitioner::Intersects(poly[i], poly[j], poly[k], poly[(k + 1) % n]))
            return true;
    return false;
}

struct TriangulationState {
    bool visible = false;
    double weight = 0.0;
    long bestvertex = -1;
};

} // namespace

int PolygonPartitioner::Triangulate_OPT(const PartitionPoly* poly, PartitionPolyList* triangles)
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
                            InCone((*poly)[j - 1], pj, (*poly)[(j + 1) % n], pi) && !crossesBoundary(*poly, i, j);
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
// For a pair (i, j) whose state is searched, the state holds the fewest
// diagonals that cut P(i, j) into convex pieces, and the narrowest
// neighbour pairs (a, b) of such optimal cuttings: the piece holding the edge
// (i, j) runs i, a, ..., b, j. A larger a makes the piece's corner at i
// narrower, a smaller b its corner at j (vertices seen from one vertex of a
// simple polygon are in angular order along the boundary), so only pairs
// that no other pair beats on both ends are kept, best first. A cutting that
// is not optimal never has to be considered: one diagonal more always allows
// closing the piece at (i, j), which leaves the outer piece completely free.
//
// The piece at (i, j) is built through its vertex k just before j:
// - TypeA: it is the piece of P(i, k) at (i, k), grown across k by the
//   triangle (i, k, j); this needs convex or straight merged corners at i
//   and at k.
// - TypeB: it is the triangle (i, k, j) alone, and its side from i to k is a
//   diagonal or a polygon edge, or a row of them on one line.
// Either way (k, j) is a diagonal closing P(k, j), unless k = j - 1.
//
// Pieces may have straight corners at polygon vertices, and the segments from
// i to the vertices of such a side run along the piece's border instead of
// through it. Two kinds of segment stand in for diagonals there:
// - a row: the segment from i to k passes through vertices between them,
//   each pair of neighbours on it being an edge or a diagonal (the first side
//   of a piece, from i on);
// - a segment from i to k that passes through vertices after k, the last side
//   of the piece, which then goes on to those vertices and ends at j.

namespace {

enum class ChordKind {
    None,       ///< leaves the polygon or crosses its boundary
    Edge,       ///< a polygon edge
    Open,       ///< a diagonal, touching the boundary only at its ends
    AlongOuter, ///< inside, but touching vertices after its second end
    AlongInner, ///< a row of edges and diagonals through vertices between its ends
};

struct Chord {
    ChordKind kind = ChordKind::None;
    /// AlongOuter: the touched vertex nearest the second end; AlongInner: the
    /// touched vertex nearest the first end.
    long link = -1;
};

/// Kinds of all segments (i, j), i < j, of a polygon.
std::vector<Chord> classifyChords(const PartitionPoly& poly,
                                  const std::vector<PolygonPartitioner::PartitionVertex>& vertices)
{
    const long n = poly.GetNumPoints();
    std::vector<Chord> chords(tableSize(n));
    // Touched vertices nearest the first and the second end of each segment.
    std::vector<long> nearFirst(chords.size(), -1);
    std::vector<long> nearSecond(chords.size(), -1);
    for (long i = 0; i < n - 1; ++i) {
        for (long j = i + 1; j < n; ++j) {
            Chord& chord = chords[at(i, j, n)];
            if (j == i + 1 || (i == 0 && j == n - 1)) {
                chord.kind = ChordKind::Edge;
                continue;
            }
            const PartitionPoint& pi = poly[i];
            const PartitionPoint& pj = poly[j];
            if (PolygonPartitioner::InCone(&vertices[static_cast<std::size_t>(i)], pj) &&
                PolygonPartitioner::InCone(&vertices[static_cast<std::size_t>(j)], pi) &&
                !crossesBoundary(poly, i, j)) {
                chord.kind = ChordKind::Open;
                continue;
            }
            const PartitionPoint dir = pj - pi;
            const double length = dir.x * dir.x + dir.y * dir.y;
            double first = 0.0;
            double second = 0.0;
            for (long v = 0; v < n; ++v) {
                const PartitionPoint& pv = poly[v];
                if (v == i || v == j || PolygonPartitioner::IsConvex(pi, pj, pv) ||
                    PolygonPartitioner::IsReflex(pi, pj, pv))
                    continue;
                const PartitionPoint offset = pv - pi;
                const double along = offset.x * dir.x + offset.y * dir.y;
                if (!(along > 0.0 && along < length))
                    continue; // on the line, but not between the ends
                if (nearFirst[at(i, j, n)] == -1 || along < first) {
                    nearFirst[at(i, j, n)] = v;
                    first = along;
                }
                if (nearSecond[at(i, j, n)] == -1 || along > second) {
                    nearSecond[at(i, j, n)] = v;
                    second = along;
                }
            }
        }
    }

    auto kind = [&](long i, long j) { return chords[at(i, j, n)].kind; };
    auto closes = [&](long i, long j) { return kind(i, j) == ChordKind::Edge || kind(i, j) == ChordKind::Open; };
    // A row from i to j: an edge or diagonal from i to the touched vertex d
    // nearest i, then a row, an edge or a diagonal from d to j. Later rows
    // first, as each builds on one that starts after it.
    for (long i = n - 3; i >= 0; --i) {
        for (long j = i + 2; j < n; ++j) {
            Chord& chord = chords[at(i, j, n)];
            const long d = nearFirst[at(i, j, n)];
            if (chord.kind != ChordKind::None || d <= i || d >= j)
                continue;
            if (closes(i, d) && (closes(d, j) || kind(d, j) == ChordKind::AlongInner))
                chord = {ChordKind::AlongInner, d};
        }
    }
    // The segment from i to j runs on along a piece's last side: the touched
    // vertex t nearest j comes after j, (j, t) is an edge or a diagonal, and
    // (i, t) is an edge, a diagonal or again such a segment. Longer segments
    // first, as each builds on a shorter one.
    for (long i = 0; i < n - 2; ++i) {
        for (long j = n - 1; j >= i + 2; --j) {
            Chord& chord = chords[at(i, j, n)];
            const long t = nearSecond[at(i, j, n)];
            if (chord.kind != ChordKind::None || t <= j)
                continue;
            if (closes(j, t) && (closes(i, t) || kind(i, t) == ChordKind::AlongOuter))
                chord = {ChordKind::AlongOuter, t};
        }
    }
    return chords;
}

} // namespace

void PolygonPartitioner::UpdateState(long a, long b, int w, long i, long j, std::vector<DPState2>& dpstates, long n)
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

void PolygonPartitioner::TypeA(long i, long k, long j, int closing, const std::vector<PartitionVertex>& vertices,
                               std::vector<DPState2>& dpstates, long n)
{
    const DPState2& left = dpstates[at(i, k, n)];
    if (left.weight == std::numeric_limits<int>::max())
        return;
    const PartitionPoint& pi = vertices[static_cast<std::size_t>(i)].p;
    const PartitionPoint& pk = vertices[static_cast<std::size_t>(k)].p;
    const PartitionPoint& pj = vertices[static_cast<std::size_t>(j)].p;
    // Best first means largest a first; offer the largest a that fits.
    for (const Diagonal& pair : left.pairs) {
        if (IsReflex(vertices[static_cast<std::size_t>(pair.index2)].p, pk, pj))
            continue;
        if (IsReflex(pj, pi, vertices[static_cast<std::size_t>(pair.index1)].p))
            continue;
        UpdateState(i, j, left.weight + closing, pair.index1, k, dpstates, n);
        return;
    }
}

void PolygonPartitioner::TypeB(long i, long a, long k, long j, int side, int closing, std::vector<DPState2>& dpstates,
                               long n)
{
    UpdateState(i, j, side + closing, a, k, dpstates, n);
}

int PolygonPartitioner::ConvexPartition_OPT(const PartitionPoly* poly, PartitionPolyList* parts)
{
    if (poly == nullptr || parts == nullptr || !poly->IsFinite())
        return 0;
    const long n = poly->GetNumPoints();
    if (n < 3)
        return 0;

    std::vector<PartitionVertex> vertices(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) {
        PartitionVertex& v = vertices[static_cast<std::size_t>(i)];
        v.p = (*poly)[i];
        v.previous = &vertices[static_cast<std::size_t>((i + n - 1) % n)];
        v.next = &vertices[static_cast<std::size_t>((i + 1) % n)];
    }
    for (PartitionVertex& v : vertices)
        UpdateVertexReflexity(&v);
    const std::vector<Chord> chords = classifyChords(*poly, vertices);
    auto chord = [&](long i, long j) -> const Chord& { return chords[at(i, j, n)]; };

    const int none = std::numeric_limits<int>::max();
    std::vector<DPState2> dpstates(tableSize(n));
    for (long i = 0; i < n - 1; ++i) {
        for (long j = i + 1; j < n; ++j) {
            DPState2& state = dpstates[at(i, j, n)];
            state.weight = none;
            const ChordKind kind = chord(i, j).kind;
            state.visible = kind == ChordKind::Edge || kind == ChordKind::Open || kind == ChordKind::AlongOuter;
        }
        dpstates[at(i, i + 1, n)].weight = 0;
    }
    // Diagonals behind a side (i, j) of a piece: none for a polygon edge; for
    // a diagonal, itself and those that cut P(i, j).
    auto closingWeight = [&](long i, long j) {
        const ChordKind kind = chord(i, j).kind;
        const int w = dpstates[at(i, j, n)].weight;
        if (kind == ChordKind::Edge)
            return 0;
        return kind == ChordKind::Open && w != none ? w + 1 : none;
    };
    // The same for a side that may be a row: the sum over its parts.
    auto sideWeight = [&](long i, long j) {
        int sum = 0;
        while (chord(i, j).kind == ChordKind::AlongInner) {
            const long d = chord(i, j).link;
            const int w = closingWeight(i, d);
            if (w == none)
                return none;
            sum += w;
            i = d;
        }
        const int w = closingWeight(i, j);
        return w == none ? none : sum + w;
    };

    for (long gap = 2; gap < n; ++gap) {
        for (long i = 0; i < n - gap; ++i) {
            const long j = i + gap;
            if (!dpstates[at(i, j, n)].visible)
                continue;
            // k ascending keeps the narrowest-pair list ordered.
            for (long k = i + 1; k < j; ++k) {
                const int closing = closingWeight(k, j);
                if (closing == none)
                    continue;
                const Chord& left = chord(i, k);
                const bool triangle = IsConvex((*poly)[i], (*poly)[k], (*poly)[j]);
                if (k > i + 1 && ((left.kind == ChordKind::Open && triangle) ||
                                  (left.kind == ChordKind::AlongOuter && left.link == j)))
                    TypeA(i, k, j, closing, vertices, dpstates, n);
                if (!triangle)
                    continue;
                const int side = sideWeight(i, k);
                if (side != none)
                    TypeB(i, left.kind == ChordKind::AlongInner ? left.link : k, k, j, side, closing, dpstates, n);
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
            if (a == k || chord(i, k).kind == ChordKind::AlongInner) {
                // TypeB: the triangle (i, k, j) closes the piece; its side
                // from i to k may be a row through further vertices.
                std::vector<long> row;
                for (long u = i;;) {
                    const long to = chord(u, k).kind == ChordKind::AlongInner ? chord(u, k).link : k;
                    if (to > u + 1)
                        tasks.emplace_back(u, to);
                    if (to == k)
                        break;
                    row.push_back(to);
                    u = to;
                }
                chain.insert(chain.end(), row.rbegin(), row.rend());
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

        PartitionPoly piece;
        piece.Init(static_cast<long>(chain.size()));
        for (std::size_t k = 0; k < chain.size(); ++k)
            piece[static_cast<long>(k)] = (*poly)[chain[chain.size() - 1 - k]];
        pieces.push_back(piece);
    }

    for (const PartitionPoly& piece : pieces)
        parts->push_back(piece);
    return 1;
}
