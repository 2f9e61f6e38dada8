#include "foundation/math/PolygonPartitioner.hpp"

#include <algorithm>
#include <cstddef>
#include <new>
#include <set>
#include <vector>

namespace {

std::size_t idx(long i)
{
    return static_cast<std::size_t>(i);
}

} // namespace

bool PolygonPartitioner::Below(const PartitionPoint& a, const PartitionPoint& b)
{
    return a.y < b.y || (a.y == b.y && a.x < b.x);
}

bool PolygonPartitioner::VertexSorter::operator()(long index1, long index2) const
{
    const PartitionPoint& a = (*vertices)[idx(index1)].p;
    const PartitionPoint& b = (*vertices)[idx(index2)].p;
    if (a.y != b.y)
        return a.y > b.y;
    return a.x > b.x;
}

bool PolygonPartitioner::ScanLineEdge::operator<(const ScanLineEdge& other) const
{
    if (other.p1.y == other.p2.y) {
        if (p1.y == p2.y)
            return p1.y < other.p1.y;
        return IsConvex(p1, p2, other.p1);
    }
    if (p1.y == p2.y || p1.y < other.p1.y)
        return !IsConvex(other.p1, other.p2, p1);
    return IsConvex(p1, p2, other.p1);
}

// Splits (or, for a hole, joins) rings along the diagonal index1-index2 by
// duplicating both end vertices. index1 keeps its previous vertex and now
// leads to index2, which keeps its next one; the copy of index1 keeps the old
// next vertex and the copy of index2 the old previous one. Returns the copy
// of index1 (the copy of index2 directly follows it).
long PolygonPartitioner::AddDiagonal(std::vector<MonotoneVertex>& vertices, std::vector<VertexType>& types, long index1,
                                     long index2)
{
    const long newindex1 = static_cast<long>(vertices.size());
    const long newindex2 = newindex1 + 1;
    vertices.push_back(vertices[idx(index1)]);
    vertices.push_back(vertices[idx(index2)]);
    types.push_back(types[idx(index1)]);
    types.push_back(types[idx(index2)]);

    MonotoneVertex& v1 = vertices[idx(index1)];
    MonotoneVertex& v2 = vertices[idx(index2)];
    MonotoneVertex& copy1 = vertices[idx(newindex1)];
    MonotoneVertex& copy2 = vertices[idx(newindex2)];

    vertices[idx(v1.next)].previous = newindex1;
    vertices[idx(v2.previous)].next = newindex2;
    copy2.next = newindex1;
    copy1.previous = newindex2;
    v1.next = index2;
    v2.previous = index1;
    return newindex1;
}

int PolygonPartitioner::MonotonePartition(const PartitionPolyList* inpolys, PartitionPolyList* monotonePolys)
{
    if (inpolys == nullptr || monotonePolys == nullptr)
        return 0;

    long numvertices = 0;
    for (const PartitionPoly& poly : *inpolys) {
        if (poly.GetNumPoints() < 3 || !poly.IsFinite())
            return 0;
        numvertices += poly.GetNumPoints();
    }
    if (numvertices == 0)
        return 1;

    // Every diagonal adds two vertices and each sweep event adds at most two
    // diagonals, so five times the input bounds the vertex count, even for
    // outlines that are not simple; the tables below are sized once for it.
    const std::size_t capacity = idx(numvertices) * 5;
    std::vector<MonotoneVertex> vertices;
    std::vector<VertexType> types;
    vertices.reserve(capacity);
    types.reserve(capacity);
    for (const PartitionPoly& poly : *inpolys) {
        const long first = static_cast<long>(vertices.size());
        const long count = poly.GetNumPoints();
        for (long i = 0; i < count; ++i) {
            MonotoneVertex v;
            v.p = poly[i];
            v.previous = first + (i == 0 ? count - 1 : i - 1);
            v.next = first + (i == count - 1 ? 0 : i + 1);
            vertices.push_back(v);
        }
    }

    std::vector<long> order(idx(numvertices));
    for (long i = 0; i < numvertices; ++i)
        order[idx(i)] = i;
    std::sort(order.begin(), order.end(), VertexSorter(vertices));

    types.resize(idx(numvertices));
    for (long i = 0; i < numvertices; ++i) {
        const MonotoneVertex& v = vertices[idx(i)];
        const PartitionPoint& prev = vertices[idx(v.previous)].p;
        const PartitionPoint& next = vertices[idx(v.next)].p;
        if (Below(prev, v.p) && Below(next, v.p))
            types[idx(i)] = IsConvex(prev, v.p, next) ? TYPE_START : TYPE_SPLIT;
        else if (Below(v.p, prev) && Below(v.p, next))
            types[idx(i)] = IsConvex(prev, v.p, next) ? TYPE_END : TYPE_MERGE;
        else
            types[idx(i)] = TYPE_REGULAR;
    }

    // Edges crossing the sweep line that have the interior on their right,
    // each keyed by its upper vertex, with the helper of each.
    std::set<ScanLineEdge> edgeTree;
    std::vector<std::set<ScanLineEdge>::iterator> edgeTreeIterators(capacity, edgeTree.end());
    std::vector<long> helpers(capacity, -1);

    auto insertEdge = [&](long index) {
        ScanLineEdge edge;
        edge.index = index;
        edge.p1 = vertices[idx(index)].p;
        edge.p2 = vertices[idx(vertices[idx(index)].next)].p;
        const auto result = edgeTree.insert(edge);
        if (!result.second)
            return false; // an identical edge is already there: not a simple outline
        edgeTreeIterators[idx(index)] = result.first;
        helpers[idx(index)] = index;
        return true;
    };
    auto removeEdge = [&](long index) {
        auto& iter = edgeTreeIterators[idx(index)];
        if (iter == edgeTree.end())
            return false;
        edgeTree.erase(iter);
        iter = edgeTree.end();
        return true;
    };
    // The edge directly left of a vertex, -1 when there is none.
    auto edgeLeftOf = [&](long index) -> long {
        ScanLineEdge query;
        query.p1 = vertices[idx(index)].p;
        query.p2 = query.p1;
        auto iter = edgeTree.lower_bound(query);
        if (iter == edgeTree.begin())
            return -1;
        --iter;
        return iter->index;
    };
    auto helperIsMerge = [&](long edge) {
        const long helper = helpers[idx(edge)];
        return helper >= 0 && types[idx(helper)] == TYPE_MERGE;
    };

    for (long v : order) {
        const long prev = vertices[idx(v)].previous;
        switch (types[idx(v)]) {
        case TYPE_START:
            if (!insertEdge(v))
                return 0;
            break;
        case TYPE_END:
            if (edgeTreeIterators[idx(prev)] == edgeTree.end())
                return 0;
            if (helperIsMerge(prev))
                AddDiagonal(vertices, types, v, helpers[idx(prev)]);
            removeEdge(prev);
            break;
        case TYPE_SPLIT: {
            const long left = edgeLeftOf(v);
            if (left < 0)
                return 0;
            const long copy = AddDiagonal(vertices, types, v, helpers[idx(left)]);
            helpers[idx(left)] = v;
            if (!insertEdge(copy))
                return 0;
            break;
        }
        case TYPE_MERGE: {
            if (edgeTreeIterators[idx(prev)] == edgeTree.end())
                return 0;
            long current = v;
            if (helperIsMerge(prev))
                current = AddDiagonal(vertices, types, v, helpers[idx(prev)]);
            removeEdge(prev);
            const long left = edgeLeftOf(current);
            if (left < 0)
                return 0;
            if (helperIsMerge(left))
                AddDiagonal(vertices, types, current, helpers[idx(left)]);
            helpers[idx(left)] = current;
            break;
        }
        case TYPE_REGULAR:
            if (Below(vertices[idx(vertices[idx(v)].next)].p, vertices[idx(v)].p)) {
                // Left chain: the interior lies to the right.
                if (edgeTreeIterators[idx(prev)] == edgeTree.end())
                    return 0;
                long owner = v;
                if (helperIsMerge(prev))
                    owner = AddDiagonal(vertices, types, v, helpers[idx(prev)]);
                removeEdge(prev);
                if (!insertEdge(owner))
                    return 0;
            } else {
                const long left = edgeLeftOf(v);
                if (left < 0)
                    return 0;
                if (helperIsMerge(left))
                    AddDiagonal(vertices, types, v, helpers[idx(left)]);
                helpers[idx(left)] = v;
            }
            break;
        }
    }

    // Walk every ring once. A broken ring (possible only for outlines that
    // are not simple) fails the run instead of looping.
    PartitionPolyList pieces;
    std::vector<bool> used(vertices.size(), false);
    const long total = static_cast<long>(vertices.size());
    for (long start = 0; start < total; ++start) {
        if (used[idx(start)])
            continue;
        std::vector<long> ring;
        long v = start;
        do {
            if (used[idx(v)] || static_cast<long>(ring.size()) >= total)
                return 0;
            used[idx(v)] = true;
            ring.push_back(v);
            v = vertices[idx(v)].next;
        } while (v != start);
        PartitionPoly piece;
        piece.Init(static_cast<long>(ring.size()));
        for (std::size_t i = 0; i < ring.size(); ++i)
            piece[static_cast<long>(i)] = vertices[ring[i]].p;
        pieces.push_back(piece);
    }
    monotonePolys->splice(monotonePolys->end(), pieces);
    return 1;
}

int PolygonPartitioner::TriangulateMonotone(const PartitionPoly* poly, PartitionPolyList* triangles)
{
    if (poly == nullptr || triangles == nullptr || !poly->IsFinite())
        return 0;
    const long n = poly->GetNumPoints();
    if (n < 3)
        return 0;
    if (n == 3) {
        triangles->push_back(*poly);
        return 1;
    }
    if (poly->GetOrientation() < 0)
        return 0; // the chain sides below assume counter-clockwise order

    long top = 0;
    long bottom = 0;
    for (long i = 1; i < n; ++i) {
        if (Below((*poly)[i], (*poly)[bottom]))
            bottom = i;
        if (Below((*poly)[top], (*poly)[i]))
            top = i;
    }

    // Forward from the top the outline must fall to the bottom (left chain)
    // and then rise back to the top (right chain).
    for (long i = top; i != bottom; i = (i + 1) % n)
        if (!Below((*poly)[(i + 1) % n], (*poly)[i]))
            return 0;
    for (long i = bottom; i != top; i = (i + 1) % n)
        if (!Below((*poly)[i], (*poly)[(i + 1) % n]))
            return 0;

    // Merge the two chains from top to bottom; side 1 is the left chain,
    // -1 the right one, 0 the top and the bottom.
    std::vector<long> order;
    std::vector<int> side(idx(n), 0);
    order.reserve(idx(n));
    order.push_back(top);
    long leftIndex = (top + 1) % n;
    long rightIndex = (top + n - 1) % n;
    while (leftIndex != bottom || rightIndex != bottom) {
        if (rightIndex == bottom || (leftIndex != bottom && Below((*poly)[rightIndex], (*poly)[leftIndex]))) {
            order.push_back(leftIndex);
            side[idx(leftIndex)] = 1;
            leftIndex = (leftIndex + 1) % n;
        } else {
            order.push_back(rightIndex);
            side[idx(rightIndex)] = -1;
            rightIndex = (rightIndex + n - 1) % n;
        }
    }
    order.push_back(bottom);

    auto emit = [&](long a, long b, long c) {
        PartitionPoly triangle;
        if (IsReflex((*poly)[a], (*poly)[b], (*poly)[c]))
            triangle.Triangle((*poly)[a], (*poly)[c], (*poly)[b]);
        else
            triangle.Triangle((*poly)[a], (*poly)[b], (*poly)[c]);
        triangles->push_back(triangle);
    };

    std::vector<long> stack{order[0], order[1]};
    for (std::size_t j = 2; j + 1 < order.size(); ++j) {
        const long u = order[j];
        if (side[idx(u)] != side[idx(stack.back())]) {
            // Opposite chain: u sees every stacked vertex.
            for (std::size_t k = 0; k + 1 < stack.size(); ++k)
                emit(u, stack[k], stack[k + 1]);
            const long last = stack.back();
            stack.assign({last, u});
        } else {
            // Same chain: cut off the corners that turn towards the interior.
            long last = stack.back();
            stack.pop_back();
            while (!stack.empty()) {
                const long s = stack.back();
                const bool inside = side[idx(u)] == 1 ? IsConvex((*poly)[s], (*poly)[last], (*poly)[u])
                                                      : IsConvex((*poly)[u], (*poly)[last], (*poly)[s]);
                if (!inside)
                    break;
                emit(u, last, s);
                last = s;
                stack.pop_back();
            }
            stack.push_back(last);
            stack.push_back(u);
        }
    }
    const long u = order.back();
    for (std::size_t k = 0; k + 1 < stack.size(); ++k)
        emit(u, stack[k], stack[k + 1]);
    return 1;
}

int PolygonPartitioner::Triangulate_MONO(const PartitionPolyList* inpolys, PartitionPolyList* triangles)
{
    if (inpolys == nullptr || triangles == nullptr)
        return 0;
    PartitionPolyList monotone;
    if (!MonotonePartition(inpolys, &monotone))
        return 0;
    for (const PartitionPoly& piece : monotone)
        if (!TriangulateMonotone(&piece, triangles))
            return 0;
    return 1;
}

int PolygonPartitioner::Triangulate_MONO(const PartitionPoly* poly, PartitionPolyList* triangles)
{
    if (poly == nullptr || triangles == nullptr)
        return 0;
    const PartitionPolyList polys{*poly};
    return Triangulate_MONO(&polys, triangles);
}
