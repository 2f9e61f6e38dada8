#include "foundation/math/PhysicsPolygonFilter.hpp"

#include <algorithm>
#include <cmath>

namespace math {

namespace {

float cross(const Vector2<float>& a, const Vector2<float>& b)
{
    return a.x * b.y - a.y * b.x;
}

float lengthSquared(const Vector2<float>& v)
{
    return v.x * v.x + v.y * v.y;
}

// Float rounding could make a pair sit on the other side of the merge
// distance for the engine than for us; such pairs are refused outright.
constexpr float weldSquared = PhysicsPolygonFilter::weldDistance * PhysicsPolygonFilter::weldDistance;
constexpr float ambiguousLow = weldSquared * 0.99f;
constexpr float ambiguousHigh = weldSquared * 1.01f;

// Exact (double) mass properties of one accepted polygon at density 1,
// about its own centre of mass and about the body origin.
struct MassProperties {
    double area = 0.0;
    double cx = 0.0;
    double cy = 0.0;
    double centroidalInertia = 0.0;
    double originInertia = 0.0;
};

// Mirrors b2PolygonShape::Set and b2PolygonShape::ComputeMass.
bool shapeAccepted(const std::vector<Vector2<float>>& polygon, MassProperties& mass)
{
    using F = PhysicsPolygonFilter;
    constexpr int maxPolygonVertices = F::maxPolygonVertices;
    constexpr float epsilon = F::epsilon;
    const std::size_t count = polygon.size();
    if (count < 3 || count > static_cast<std::size_t>(maxPolygonVertices))
        return false;
    for (const Vector2<float>& p : polygon)
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;

    // Merge points that are too close to an earlier kept point.
    Vector2<float> ps[maxPolygonVertices];
    int n = 0;
    for (const Vector2<float>& v : polygon) {
        bool unique = true;
        for (int j = 0; j < n; ++j) {
            const float d = lengthSquared(v - ps[j]);
            if (!std::isfinite(d) || (d >= ambiguousLow && d < ambiguousHigh))
                return false;
            if (d < weldSquared) {
                unique = false;
                break;
            }
        }
        if (unique)
            ps[n++] = v;
    }
    if (n < 3)
        return false;

    // Gift wrapping from the rightmost (then lowest) point, as the engine does.
    int i0 = 0;
    float x0 = ps[0].x;
    for (int i = 1; i < n; ++i) {
        const float x = ps[i].x;
        if (x > x0 || (x == x0 && ps[i].y < ps[i0].y)) {
            i0 = i;
            x0 = x;
        }
    }
    int hull[maxPolygonVertices];
    int m = 0;
    int ih = i0;
    for (;;) {
        if (m >= maxPolygonVertices)
            return false; // the engine asserts here
        hull[m] = ih;
        int ie = 0;
        for (int j = 1; j < n; ++j) {
            if (ie == ih) {
                ie = j;
                continue;
            }
            const Vector2<float> r = ps[ie] - ps[hull[m]];
            const Vector2<float> v = ps[j] - ps[hull[m]];
            const float c = cross(r, v);
            if (c < 0.0f)
                ie = j;
            if (c == 0.0f && lengthSquared(v) > lengthSquared(r))
                ie = j;
        }
        ++m;
        ih = ie;
        if (ie == i0)
            break;
    }
    if (m < 3)
        return false;

    Vector2<float> vs[maxPolygonVertices];
    for (int i = 0; i < m; ++i)
        vs[i] = ps[hull[i]];
    for (int i = 0; i < m; ++i) {
        const Vector2<float> edge = vs[i + 1 < m ? i + 1 : 0] - vs[i];
        if (!(lengthSquared(edge) > epsilon * epsilon))
            return false;
    }

    // Area, centroid and rotational inertia relative to the first hull
    // point, as the engine computes them for the shape and for its mass
    // (density 1); the same sums in double give the exact inertia.
    const Vector2<float> s = vs[0];
    const float inv3 = 1.0f / 3.0f;
    float area = 0.0f;
    float inertia = 0.0f;
    Vector2<float> c(0.0f, 0.0f);
    double exactArea = 0.0;
    double exactInertia = 0.0;
    double exactCx = 0.0;
    double exactCy = 0.0;
    for (int i = 0; i < m; ++i) {
        const Vector2<float> e1 = vs[i] - s;
        const Vector2<float> e2 = (i + 1 < m ? vs[i + 1] : vs[0]) - s;
        const float d = cross(e1, e2);
        const float triangleArea = 0.5f * d;
        area += triangleArea;
        c += (e1 + e2) * (triangleArea * inv3);
        const float intx2 = e1.x * e1.x + e2.x * e1.x + e2.x * e2.x;
        const float inty2 = e1.y * e1.y + e2.y * e1.y + e2.y * e2.y;
        inertia += (0.25f * inv3 * d) * (intx2 + inty2);

        const double x1 = static_cast<double>(vs[i].x) - s.x;
        const double y1 = static_cast<double>(vs[i].y) - s.y;
        const Vector2<float>& v2 = i + 1 < m ? vs[i + 1] : vs[0];
        const double x2 = static_cast<double>(v2.x) - s.x;
        const double y2 = static_cast<double>(v2.y) - s.y;
        const double dd = x1 * y2 - y1 * x2;
        exactArea += 0.5 * dd;
        exactCx += dd * (x1 + x2) / 6.0;
        exactCy += dd * (y1 + y2) / 6.0;
        exactInertia += dd / 12.0 * (x1 * x1 + x2 * x1 + x2 * x2 + y1 * y1 + y2 * y1 + y2 * y2);
    }
    // A little above the engine's limit, so rounding cannot tip it over.
    if (!std::isfinite(area) || !(area > 2.0f * epsilon))
        return false;
    const Vector2<float> center = c * (1.0f / area) + s;
    if (!std::isfinite(center.x) || !std::isfinite(center.y) || !std::isfinite(inertia))
        return false;

    const double rx = exactCx / exactArea;
    const double ry = exactCy / exactArea;
    mass.area = exactArea;
    mass.cx = rx + s.x;
    mass.cy = ry + s.y;
    mass.centroidalInertia = exactInertia - exactArea * (rx * rx + ry * ry);
    mass.originInertia = mass.centroidalInertia + exactArea * (mass.cx * mass.cx + mass.cy * mass.cy);
    return mass.centroidalInertia > 0.0 && std::isfinite(mass.originInertia);
}

// A dynamic body sums its fixtures' inertia about the body origin in float
// and subtracts mass times the squared distance of the centre of mass, then
// asserts that the rest is positive. When the body is tiny against its
// distance from the origin the two large terms cancel and only rounding
// noise of either sign is left. The rounding stays within a few float
// epsilons of the large terms; demand several times that.
bool inertiaSafe(const std::vector<MassProperties>& parts)
{
    double area = 0.0;
    double mx = 0.0;
    double my = 0.0;
    double magnitude = 0.0;
    for (const MassProperties& part : parts) {
        area += part.area;
        mx += part.area * part.cx;
        my += part.area * part.cy;
        magnitude += part.originInertia;
    }
    if (parts.empty())
        return true;
    const double cx = mx / area;
    const double cy = my / area;
    double centroidal = 0.0;
    for (const MassProperties& part : parts) {
        const double dx = part.cx - cx;
        const double dy = part.cy - cy;
        centroidal += part.centroidalInertia + part.area * (dx * dx + dy * dy);
    }
    return std::isfinite(centroidal) && centroidal > 16.0 * static_cast<double>(FLT_EPSILON) * magnitude;
}

} // namespace

bool PhysicsPolygonFilter::acceptsShape(const std::vector<Vector2<float>>& polygon)
{
    MassProperties mass;
    return shapeAccepted(polygon, mass);
}

bool PhysicsPolygonFilter::accepts(const std::vector<Vector2<float>>& polygon)
{
    MassProperties mass;
    return shapeAccepted(polygon, mass) && inertiaSafe({mass});
}

std::size_t PhysicsPolygonFilter::dropRejected(std::vector<std::vector<Vector2<float>>>& polygons)
{
    const std::size_t before = polygons.size();
    std::vector<MassProperties> parts;
    const auto kept = std::remove_if(polygons.begin(), polygons.end(), [&](const std::vector<Vector2<float>>& p) {
        MassProperties mass;
        if (!shapeAccepted(p, mass))
            return true;
        parts.push_back(mass);
        return false;
    });
    polygons.erase(kept, polygons.end());
    // As one body the rest would trip the inertia assertion: none of it can go.
    if (!inertiaSafe(parts))
        polygons.clear();
    return before - polygons.size();
}

} // namespace math
