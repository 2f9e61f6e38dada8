#pragma once

#include "foundation/math/PolygonPartitioner.hpp"
#include "foundation/math/Vector2.hpp"

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

// Helpers that turn a hull outline into what the game needs: rounded
// corners, a simplicity test and a triangulation. An outline is closed: edge
// k runs from point k to point k + 1 and the last edge back to point 0. None
// of these changes the caller's vectors or reports errors; degenerate input
// gives a degenerate but well-defined result.

namespace math {

namespace detail {

template <typename T>
bool allFinite(const std::vector<Vector2<T>>& points)
{
    for (const Vector2<T>& p : points)
        if (!std::isfinite(static_cast<double>(p.x)) || !std::isfinite(static_cast<double>(p.y)))
            return false;
    return true;
}

/// Where a rounded corner at p leaves towards its neighbour q: r along the
/// edge, or 90% of the corner's share of the edge when the two corners
/// together ask for more than its length d. False for a zero-length or
/// overflowing edge, where there is no direction to go.
template <typename T>
bool cornerEnd(const Vector2<T>& p, const Vector2<T>& q, float r, float neighbourRadius, Vector2<double>& end)
{
    const double dx = static_cast<double>(q.x) - static_cast<double>(p.x);
    const double dy = static_cast<double>(q.y) - static_cast<double>(p.y);
    const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy));
    if (!(d > 0.0f) || !std::isfinite(d))
        return false;
    float a = r;
    if (d <= neighbourRadius + r)
        a = (r * 0.9f / (neighbourRadius + r)) * d;
    const double f = static_cast<double>(a) / static_cast<double>(d);
    end = {static_cast<double>(p.x) + dx * f, static_cast<double>(p.y) + dy * f};
    return std::isfinite(end.x) && std::isfinite(end.y);
}

} // namespace detail

/// Replaces every corner whose radius is above 0.01 by eleven points of a
/// quadratic Bezier curve from a point on the incoming edge, with the corner
/// as control point, to a point on the outgoing edge. Neighbouring corners
/// share an edge in proportion to their radii and keep 10% of it straight.
/// Missing radii count as 0. A corner with an unusable radius (NaN or
/// infinite) or a zero-length edge on either side stays as it is.
template <typename T>
std::vector<Vector2<T>> roundCorners(const std::vector<Vector2<T>>& points, std::vector<float> radii)
{
    const std::size_t n = points.size();
    radii.resize(n, 0.0f);
    std::vector<Vector2<T>> result;
    result.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const float r = radii[i];
        const Vector2<T>& p = points[i];
        if (r <= 0.01f || !std::isfinite(r)) {
            result.push_back(p);
            continue;
        }
        const std::size_t previous = i == 0 ? n - 1 : i - 1;
        const std::size_t next = i + 1 == n ? 0 : i + 1;
        Vector2<double> p0;
        Vector2<double> p2;
        if (!detail::cornerEnd(p, points[previous], r, radii[previous], p0) ||
            !detail::cornerEnd(p, points[next], r, radii[next], p2)) {
            result.push_back(p);
            continue;
        }
        const Vector2<double> p1(static_cast<double>(p.x), static_cast<double>(p.y));
        auto bezier = [&](float tf) {
            const double t = static_cast<double>(tf);
            const double u = 1.0 - t;
            const Vector2<double> b = p0 * (u * u) + p1 * (2.0 * t * u) + p2 * (t * t);
            return Vector2<T>(static_cast<T>(b.x), static_cast<T>(b.y));
        };
        // t grows by 0.1 in single precision, so its last value is 0.900000095.
        float t = 0.0f;
        for (int step = 0; step < 10; ++step) {
            result.push_back(bezier(t));
            t += 0.1f;
        }
        result.push_back(bezier(1.0f));
    }
    return result;
}

/// True when no two non-adjacent edges touch or cross. Fewer than three
/// points, and any triangle, count as simple. Two non-adjacent edges on one
/// line whose boxes touch count as touching. An outline of three or more
/// points with a NaN or infinite coordinate is not simple.
template <typename T>
bool isPolygonSimple(const std::vector<Vector2<T>>& points)
{
    const std::size_t n = points.size();
    if (n < 3)
        return true;
    if (!detail::allFinite(points))
        return false;

    auto point = [&](std::size_t k) {
        const Vector2<T>& p = points[k % n];
        return Vector2<double>(static_cast<double>(p.x), static_cast<double>(p.y));
    };
    auto cross = [](const Vector2<double>& u, const Vector2<double>& v) { return u.x * v.y - u.y * v.x; };

    for (std::size_t i = 0; i < n; ++i) {
        const Vector2<double> a = point(i);
        const Vector2<double> b = point(i + 1);
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue; // the first and the last edge share point 0
            const Vector2<double> c = point(j);
            const Vector2<double> d = point(j + 1);
            if (std::fmin(a.x, b.x) > std::fmax(c.x, d.x) || std::fmin(c.x, d.x) > std::fmax(a.x, b.x) ||
                std::fmin(a.y, b.y) > std::fmax(c.y, d.y) || std::fmin(c.y, d.y) > std::fmax(a.y, b.y))
                continue;
            const double den = cross(b - a, d - c);
            const double along = cross(c - a, b - a);
            if (den == 0.0) {
                if (along == 0.0)
                    return false; // both edges on one line
                continue;
            }
            const double t = cross(c - a, d - c) / den;
            const double u = along / den;
            if (t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0)
                return false;
        }
    }
    return true;
}

/// Cuts an outline into triangles by ear clipping. The outline is first put
/// into counter-clockwise order (y up); a simple outline of n points gives
/// n - 2 triangles, each of three points. Clipping that runs out of ears
/// returns the triangles found so far; an outline with a NaN or infinite
/// coordinate gives none. Triangles of collinear points can come back for
/// degenerate outlines: filter them before they reach the physics engine.
template <typename T>
std::vector<std::vector<Vector2<T>>> triangulatePolygon(std::vector<Vector2<T>> points)
{
    std::vector<std::vector<Vector2<T>>> result;
    const std::size_t n = points.size();
    if (n < 3 || !detail::allFinite(points))
        return result;

    double s = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const Vector2<T>& p = points[k];
        const Vector2<T>& q = points[(k + 1) % n];
        s += (static_cast<double>(q.x) - static_cast<double>(p.x)) *
             (static_cast<double>(q.y) + static_cast<double>(p.y));
    }
    s *= 0.5;
    if (!(s < 0.0))
        std::vector<Vector2<T>>(points.rbegin(), points.rend()).swap(points);

    PartitionPoly poly;
    poly.Init(static_cast<long>(n));
    for (std::size_t k = 0; k < n; ++k)
        poly[static_cast<long>(k)] = PartitionPoint(static_cast<double>(points[k].x), static_cast<double>(points[k].y));

    PartitionPolyList triangles;
    PolygonPartitioner partition;
    partition.Triangulate_EC(&poly, &triangles); // partial output is kept on failure
    result.reserve(triangles.size());
    for (const PartitionPoly& triangle : triangles) {
        std::vector<Vector2<T>> out;
        out.reserve(3);
        for (long k = 0; k < triangle.GetNumPoints(); ++k)
            out.emplace_back(static_cast<T>(triangle[k].x), static_cast<T>(triangle[k].y));
        result.push_back(std::move(out));
    }
    return result;
}

} // namespace math
