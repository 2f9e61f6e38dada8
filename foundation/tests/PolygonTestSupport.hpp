#pragma once

// Shared builders and independent geometric checks for the polygon tests.

#include "foundation/math/PartitionPoly.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <utility>
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
inline std::vector<Pt> starPolygon(std::mt19937& rng, int n, double rmin, double rmax, double cx = 0.0, double cy = 0.0)
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

/// Counter-clockwise outline of a set of unit cells (x, y), corners only.
/// Empty when the cells do not make one simple outline (cells apart, a hole,
/// or two cells meeting only at a corner).
inline std::vector<Pt> cellOutline(const std::vector<std::pair<int, int>>& cells)
{
    auto has = [&](int x, int y) { return std::count(cells.begin(), cells.end(), std::make_pair(x, y)) > 0; };
    std::map<std::pair<int, int>, std::pair<int, int>> next; // boundary edges, interior on the left
    std::size_t edges = 0;
    auto add = [&](int x1, int y1, int x2, int y2) {
        ++edges;
        return next.emplace(std::make_pair(x1, y1), std::make_pair(x2, y2)).second;
    };
    for (const auto& [x, y] : cells) {
        if ((!has(x, y - 1) && !add(x, y, x + 1, y)) || (!has(x + 1, y) && !add(x + 1, y, x + 1, y + 1)) ||
            (!has(x, y + 1) && !add(x + 1, y + 1, x, y + 1)) || (!has(x - 1, y) && !add(x, y + 1, x, y)))
            return {};
    }
    std::vector<std::pair<int, int>> ring{next.begin()->first};
    while (next.count(ring.back()) && next[ring.back()] != ring.front() && ring.size() <= edges)
        ring.push_back(next[ring.back()]);
    if (ring.size() != edges)
        return {};
    std::vector<Pt> pts;
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto& a = ring[(i + n - 1) % n];
        const auto& b = ring[i];
        const auto& c = ring[(i + 1) % n];
        if ((b.first - a.first) * (c.second - b.second) != (b.second - a.second) * (c.first - b.first))
            pts.push_back({static_cast<double>(b.first), static_cast<double>(b.second)});
    }
    return pts;
}

/// Random edge-connected set of cells grown from (0, 0).
inline std::vector<std::pair<int, int>> randomCells(std::mt19937& rng, int count)
{
    std::vector<std::pair<int, int>> cells{{0, 0}};
    const int dx[] = {1, -1, 0, 0};
    const int dy[] = {0, 0, 1, -1};
    while (static_cast<int>(cells.size()) < count) {
        const auto [x, y] = cells[std::uniform_int_distribution<std::size_t>(0, cells.size() - 1)(rng)];
        const int d = std::uniform_int_distribution<int>(0, 3)(rng);
        const std::pair<int, int> cell{x + dx[d], y + dy[d]};
        if (std::find(cells.begin(), cells.end(), cell) == cells.end())
            cells.push_back(cell);
    }
    return cells;
}

} // namespace polytest
