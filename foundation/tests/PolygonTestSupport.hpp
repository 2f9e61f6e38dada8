#pragma once

// Shared builders and independent geometric checks for the polygon tests.

#include "foundation/math/PartitionPoly.hpp"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace polytest {

struct Pt {
    double x;
    double y;
};

inline double cross(const Pt& o, const Pt& a, const Pt& b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

/// Shoelace area, positive for counter-clockwise order.
inline double signedArea(const std::vector<Pt>& pts)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const Pt& a = pts[i];
        const Pt& b = pts[(i + 1) % pts.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum / 2.0;
}

inline std::vector<Pt> toPts(const PartitionPoly& poly)
{
    std::vector<Pt> pts;
    for (long i = 0; i < poly.GetNumPoints(); ++i)
        pts.push_back({poly[i].x, poly[i].y});
    return pts;
}

inline PartitionPoly toPoly(const std::vector<Pt>& pts, bool hole = false)
{
    PartitionPoly poly;
    poly.Init(static_cast<long>(pts.size()));
    for (std::size_t i = 0; i < pts.size(); ++i)
        poly[static_cast<long>(i)] = PartitionPoint(pts[i].x, pts[i].y);
    poly.SetHole(hole);
    return poly;
}

/// Star-shaped, hence simple, polygon around (cx, cy): n distinct random
/// angles, random radii in [rmin, rmax], counter-clockwise.
inline std::vector<Pt> starPolygon(std::mt19937& rng, int n, double rmin, double rmax, double cx = 0.0,
                                   double cy = 0.0)
{
    std::uniform_real_distribution<double> radius(rmin, rmax);
    std::uniform_real_distribution<double> jitter(0.1, 0.9);
    const double step = 2.0 * M_PI / n;
    std::vector<Pt> pts;
    for (int i = 0; i < n; ++i) {
        const double angle = (i + jitter(rng)) * step;
        const double r = radius(rng);
        pts.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return pts;
}

/// Crossing of the open segments (proper intersection only).
inline bool properlyCross(const Pt& a, const Pt& b, const Pt& c, const Pt& d)
{
    const double d1 = cross(a, b, c);
    const double d2 = cross(a, b, d);
    const double d3 = cross(c, d, a);
    const double d4 = cross(c, d, b);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

/// Even-odd point in polygon test (ray to +x).
inline bool pointInPolygon(const std::vector<Pt>& pts, const Pt& q)
{
    bool inside = false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const Pt& a = pts[i];
        const Pt& b = pts[j];
        if ((a.y > q.y) != (b.y > q.y)) {
            const double x = a.x + (q.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (q.x < x)
                inside = !inside;
        }
    }
    return inside;
}

/// No reflex corner (collinear corners allowed), positive area.
inline bool isConvexCcw(const std::vector<Pt>& pts)
{
    const std::size_t n = pts.size();
    if (n < 3)
        return false;
    const double scale = 1e-9;
    for (std::size_t i = 0; i < n; ++i)
        if (cross(pts[(i + n - 1) % n], pts[i], pts[(i + 1) % n]) < -scale)
            return false;
    return signedArea(pts) > 0.0;
}

/// y-monotone: walking the ring, y changes direction only twice.
inline bool isYMonotone(const std::vector<Pt>& pts)
{
    const std::size_t n = pts.size();
    auto above = [](const Pt& a, const Pt& b) { return a.y > b.y || (a.y == b.y && a.x > b.x); };
    int changes = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const bool down1 = above(pts[i], pts[(i + 1) % n]);
        const bool down2 = above(pts[(i + 1) % n], pts[(i + 2) % n]);
        if (down1 != down2)
            ++changes;
    }
    return changes == 2;
}

inline double totalArea(const PartitionPolyList& pieces)
{
    double sum = 0.0;
    for (const PartitionPoly& piece : pieces)
        sum += signedArea(toPts(piece));
    return sum;
}

inline Pt centroidOfVertices(const std::vector<Pt>& pts)
{
    Pt c{0.0, 0.0};
    for (const Pt& p : pts) {
        c.x += p.x;
        c.y += p.y;
    }
    c.x /= static_cast<double>(pts.size());
    c.y /= static_cast<double>(pts.size());
    return c;
}

} // namespace polytest
