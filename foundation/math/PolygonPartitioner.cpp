#include "foundation/math/PolygonPartitioner.hpp"

#include <cmath>
#include <iterator>
#include <vector>

namespace {

double crossTerm(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& q)
{
    return (q.y - a.y) * (b.x - a.x) - (q.x - a.x) * (b.y - a.y);
}

bool allFinite(const PartitionPolyList& polys)
{
    for (const PartitionPoly& poly : polys)
        if (!poly.IsFinite())
            return false;
    return true;
}

using SinglePolygonMethod = int (PolygonPartitioner::*)(const PartitionPoly*, PartitionPolyList*);

/// The list form of an entry point: holes joined to their outer polygons
/// first, then each polygon in turn, stopping at the first that fails.
int eachWithoutHoles(PolygonPartitioner& partition, const PartitionPolyList* inpolys, PartitionPolyList* out,
                     SinglePolygonMethod method)
{
    if (inpolys == nullptr || out == nullptr)
        return 0;
    PartitionPolyList polys;
    if (!partition.RemoveHoles(inpolys, &polys))
        return 0;
    for (const PartitionPoly& poly : polys)
        if (!(partition.*method)(&poly, out))
            return 0;
    return 1;
}

} // namespace

bool PolygonPartitioner::IsConvex(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& q)
{
    return crossTerm(a, b, q) > 0.0;
}

bool PolygonPartitioner::IsReflex(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& q)
{
    return crossTerm(a, b, q) < 0.0;
}

bool PolygonPartitioner::IsInside(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& c,
                                  const PartitionPoint& q)
{
    return !(IsReflex(a, b, q) || IsReflex(b, c, q) || IsReflex(c, a, q));
}

bool PolygonPartitioner::InCone(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& c,
                                const PartitionPoint& q)
{
    if (IsConvex(a, b, c))
        return IsConvex(a, b, q) && IsConvex(b, c, q);
    return IsConvex(a, b, q) || IsConvex(b, c, q);
}

bool PolygonPartitioner::InCone(const PartitionVertex* v, const PartitionPoint& q)
{
    return InCone(v->previous->p, v->p, v->next->p, q);
}

bool PolygonPartitioner::Intersects(const PartitionPoint& p11, const PartitionPoint& p12, const PartitionPoint& p21,
                                    const PartitionPoint& p22)
{
    if (p11 == p21 || p11 == p22 || p12 == p21 || p12 == p22)
        return false;

    // Signed distances (scaled) of each segment's ends from the other's line.
    const double d21 = crossTerm(p11, p12, p21);
    const double d22 = crossTerm(p11, p12, p22);
    if ((d21 > 0.0 && d22 > 0.0) || (d21 < 0.0 && d22 < 0.0))
        return false;
    const double d11 = crossTerm(p21, p22, p11);
    const double d12 = crossTerm(p21, p22, p12);
    if ((d11 > 0.0 && d12 > 0.0) || (d11 < 0.0 && d12 < 0.0))
        return false;
    // On one line the side tests cannot separate them; they meet only where
    // their extents overlap. Counting distant pieces of one line as crossing
    // would hide every diagonal that lines up with a far edge.
    if ((d21 == 0.0 && d22 == 0.0) || (d11 == 0.0 && d12 == 0.0))
        return std::fmax(std::fmin(p11.x, p12.x), std::fmin(p21.x, p22.x)) <=
                   std::fmin(std::fmax(p11.x, p12.x), std::fmax(p21.x, p22.x)) &&
               std::fmax(std::fmin(p11.y, p12.y), std::fmin(p21.y, p22.y)) <=
                   std::fmin(std::fmax(p11.y, p12.y), std::fmax(p21.y, p22.y));
    return true;
}

PartitionPoint PolygonPartitioner::Normalize(const PartitionPoint& v)
{
    const double length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length == 0.0)
        return {0.0, 0.0};
    return v / length;
}

double PolygonPartitioner::Distance(const PartitionPoint& a, const PartitionPoint& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

void PolygonPartitioner::UpdateVertexReflexity(PartitionVertex* v)
{
    v->isConvex = !IsReflex(v->previous->p, v->p, v->next->p);
}

void PolygonPartitioner::UpdateVertex(PartitionVertex* v, PartitionVertex* vertices, long numvertices)
{
    const PartitionVertex* v1 = v->previous;
    const PartitionVertex* v3 = v->next;

    v->isConvex = IsConvex(v1->p, v->p, v3->p);
    const PartitionPoint vec1 = Normalize(v1->p - v->p);
    const PartitionPoint vec3 = Normalize(v3->p - v->p);
    v->angle = vec1.x * vec3.x + vec1.y * vec3.y;

    if (!v->isConvex) {
        v->isEar = false;
        return;
    }
    // Clipped vertices are tested too: one lying on the candidate triangle
    // blocks the ear just like a remaining one.
    v->isEar = true;
    for (long i = 0; i < numvertices; ++i) {
        const PartitionPoint& q = vertices[i].p;
        if (q == v->p || q == v1->p || q == v3->p)
            continue;
        if (IsInside(v1->p, v->p, v3->p, q)) {
            v->isEar = false;
            break;
        }
    }
}

int PolygonPartitioner::Triangulate_EC(const PartitionPoly* poly, PartitionPolyList* triangles)
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

    std::vector<PartitionVertex> vertices(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) {
        PartitionVertex& v = vertices[static_cast<std::size_t>(i)];
        v.isActive = true;
        v.p = poly->GetPoint(i);
        v.next = &vertices[static_cast<std::size_t>(i == n - 1 ? 0 : i + 1)];
        v.previous = &vertices[static_cast<std::size_t>(i == 0 ? n - 1 : i - 1)];
    }
    for (PartitionVertex& v : vertices)
        UpdateVertex(&v, vertices.data(), n);

    for (long k = 0;; ++k) {
        PartitionVertex* ear = nullptr;
        for (PartitionVertex& v : vertices) {
            if (!v.isActive || !v.isEar)
                continue;
            if (ear == nullptr || v.angle > ear->angle)
                ear = &v;
        }
        if (ear == nullptr)
            return 0;

        PartitionPoly triangle;
        triangle.Triangle(ear->previous->p, ear->p, ear->next->p);
        triangles->push_back(triangle);

        ear->isActive = false;
        ear->previous->next = ear->next;
        ear->next->previous = ear->previous;

        if (k == n - 4)
            break;
        UpdateVertex(ear->previous, vertices.data(), n);
        UpdateVertex(ear->next, vertices.data(), n);
    }

    for (PartitionVertex& v : vertices) {
        if (v.isActive) {
            PartitionPoly triangle;
            triangle.Triangle(v.previous->p, v.p, v.next->p);
            triangles->push_back(triangle);
            break;
        }
    }
    return 1;
}

int PolygonPartitioner::Triangulate_EC(const PartitionPolyList* inpolys, PartitionPolyList* triangles)
{
    return eachWithoutHoles(*this, inpolys, triangles, &PolygonPartitioner::Triangulate_EC);
}

int PolygonPartitioner::RemoveHoles(const PartitionPolyList* inpolys, PartitionPolyList* outpolys)
{
    if (inpolys == nullptr || outpolys == nullptr)
        return 0;

    bool hasHoles = false;
    for (const PartitionPoly& poly : *inpolys)
        hasHoles = hasHoles || poly.IsHole();
    if (!hasHoles) {
        for (const PartitionPoly& poly : *inpolys)
            outpolys->push_back(poly);
        return 1;
    }

    if (!allFinite(*inpolys))
        return 0;
    for (const PartitionPoly& poly : *inpolys)
        if (poly.GetNumPoints() < 3)
            return 0;

    PartitionPolyList polys(*inpolys);
    for (;;) {
        // The hole vertex with the largest x: everything right of it is outer
        // polygon, so a bridge to the right cannot cross another hole.
        auto holeIter = polys.end();
        long holePointIndex = 0;
        for (auto iter = polys.begin(); iter != polys.end(); ++iter) {
            if (!iter->IsHole())
                continue;
            for (long i = 0; i < iter->GetNumPoints(); ++i) {
                if (holeIter == polys.end() || iter->GetPoint(i).x > holeIter->GetPoint(holePointIndex).x) {
                    holeIter = iter;
                    holePointIndex = i;
                }
            }
        }
        if (holeIter == polys.end())
            break;
        const PartitionPoint holePoint = holeIter->GetPoint(holePointIndex);

        bool found = false;
        auto polyIter = polys.end();
        long polyPointIndex = 0;
        PartitionPoint bestPoint;
        for (auto iter = polys.begin(); iter != polys.end(); ++iter) {
            if (iter->IsHole())
                continue;
            const long count = iter->GetNumPoints();
            for (long i = 0; i < count; ++i) {
                const PartitionPoint& candidate = iter->GetPoint(i);
                if (candidate.x <= holePoint.x)
                    continue;
                if (!InCone(iter->GetPoint((i + count - 1) % count), candidate, iter->GetPoint((i + 1) % count),
                            holePoint))
                    continue;
                if (found) {
                    const PartitionPoint v1 = Normalize(candidate - holePoint);
                    const PartitionPoint v2 = Normalize(bestPoint - holePoint);
                    if (v2.x > v1.x)
                        continue;
                }
                bool visible = true;
                for (auto other = polys.begin(); other != polys.end() && visible; ++other) {
                    if (other->IsHole())
                        continue;
                    const long m = other->GetNumPoints();
                    for (long e = 0; e < m; ++e) {
                        if (Intersects(holePoint, candidate, other->GetPoint(e), other->GetPoint((e + 1) % m))) {
                            visible = false;
                            break;
                        }
                    }
                }
                if (visible) {
                    found = true;
                    bestPoint = candidate;
                    polyIter = iter;
                    polyPointIndex = i;
                }
            }
        }
        if (!found)
            return 0;

        const long holeCount = holeIter->GetNumPoints();
        const long polyCount = polyIter->GetNumPoints();
        PartitionPoly joined;
        joined.Init(holeCount + polyCount + 2);
        long next = 0;
        for (long i = 0; i <= polyPointIndex; ++i)
            joined[next++] = polyIter->GetPoint(i);
        for (long i = 0; i <= holeCount; ++i)
            joined[next++] = holeIter->GetPoint((i + holePointIndex) % holeCount);
        for (long i = polyPointIndex; i < polyCount; ++i)
            joined[next++] = polyIter->GetPoint(i);

        polys.erase(holeIter);
        polys.erase(polyIter);
        polys.push_back(joined);
    }

    for (const PartitionPoly& poly : polys)
        outpolys->push_back(poly);
    return 1;
}

int PolygonPartitioner::ConvexPartition_HM(const PartitionPoly* poly, PartitionPolyList* parts)
{
    if (poly == nullptr || parts == nullptr || !poly->IsFinite())
        return 0;
    const long n = poly->GetNumPoints();
    if (n < 3)
        return 0;

    bool hasReflex = false;
    for (long i = 0; i < n && !hasReflex; ++i)
        hasReflex = IsReflex(poly->GetPoint((i + n - 1) % n), poly->GetPoint(i), poly->GetPoint((i + 1) % n));
    if (!hasReflex) {
        parts->push_back(*poly);
        return 1;
    }

    PartitionPolyList pieces;
    if (!Triangulate_EC(poly, &pieces))
        return 0;

    for (auto first = pieces.begin(); first != pieces.end(); ++first) {
        for (long i11 = 0; i11 < first->GetNumPoints(); ++i11) {
            const long n1 = first->GetNumPoints();
            const long i12 = (i11 + 1) % n1;
            const PartitionPoint& d1 = first->GetPoint(i11);
            const PartitionPoint& d2 = first->GetPoint(i12);

            // The piece on the other side holds the same edge reversed.
            auto second = pieces.end();
            long i21 = 0;
            long i22 = 0;
            for (auto iter = pieces.begin(); iter != pieces.end() && second == pieces.end(); ++iter) {
                if (iter == first)
                    continue;
                const long m = iter->GetNumPoints();
                for (long j = 0; j < m; ++j) {
                    if (iter->GetPoint(j) == d2 && iter->GetPoint((j + 1) % m) == d1) {
                        second = iter;
                        i21 = j;
                        i22 = (j + 1) % m;
                        break;
                    }
                }
            }
            if (second == pieces.end())
                continue;

            const long n2 = second->GetNumPoints();
            // Merged corner at d2: (previous of d2 in the second piece, d2, next of d2 in the first).
            const PartitionPoint& before2 = second->GetPoint((i21 + n2 - 1) % n2);
            const PartitionPoint& after2 = first->GetPoint((i12 + 1) % n1);
            if (!IsConvex(before2, d2, after2))
                continue;
            // Merged corner at d1: (previous of d1 in the first piece, d1, next of d1 in the second).
            const PartitionPoint& before1 = first->GetPoint((i11 + n1 - 1) % n1);
            const PartitionPoint& after1 = second->GetPoint((i22 + 1) % n2);
            if (!IsConvex(before1, d1, after1))
                continue;

            PartitionPoly merged;
            merged.Init(n1 + n2 - 2);
            long next = 0;
            for (long j = i12; j != i11; j = (j + 1) % n1)
                merged[next++] = first->GetPoint(j);
            merged[next++] = first->GetPoint(i11);
            for (long j = (i22 + 1) % n2; j != i21; j = (j + 1) % n2)
                merged[next++] = second->GetPoint(j);

            *first = merged;
            pieces.erase(second);
            i11 = -1; // rescan the merged piece from its first edge
        }
    }

    for (const PartitionPoly& piece : pieces)
        parts->push_back(piece);
    return 1;
}

int PolygonPartitioner::ConvexPartition_HM(const PartitionPolyList* inpolys, PartitionPolyList* parts)
{
    return eachWithoutHoles(*this, inpolys, parts, &PolygonPartitioner::ConvexPartition_HM);
}
