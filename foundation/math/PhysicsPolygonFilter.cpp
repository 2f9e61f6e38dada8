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

// Mass data of one accepted polygon: the engine's own float values at the
// given density (b2MassData: mass, centre and inertia about the body origin)
// and the exact (double) inertia about the polygon's centre at density 1.
struct MassProperties {
    float mass = 0.0f;
    Vector2<float> center;
    float inertia = 0.0f;
    double centroidalInertia = 0.0;
};

// Mirrors b2PolygonShape::Set and b2PolygonShape::ComputeMass.
bool shapeAccepted(const std::vector<Vector2<float>>& polygon, float density, MassProperties& mass)
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
    // The engine's mass data, operation for operation.
    const Vector2<float> local = c * (1.0f / area);
    mass.mass = density * area;
    mass.center = local + s;
    mass.inertia = density * inertia;
    mass.inertia += mass.mass * (lengthSquared(mass.center) - lengthSquared(local));
    if (!std::isfinite(mass.mass) || !std::isfinite(mass.center.x) || !std::isfinite(mass.center.y) ||
        !std::isfinite(mass.inertia))
        return false;

    const double rx = exactCx / exactArea;
    const double ry = exactCy / exactArea;
    mass.centroidalInertia = exactInertia - exactArea * (rx * rx + ry * ry);
    return mass.centroidalInertia > 0.0;
}

// After each fixture a dynamic body sums the mass data of all its fixtures,
// newest first (each new fixture goes to the front of its list), in float,
// takes the inertia about the centre of mass and asserts that it is
// positive. Far from the body origin the two large terms of that difference
// cancel and rounding noise of either sign is left, so every body the
// fixtures pass through on the way is checked as the engine computes it,
// with a margin for a library built with other rounding (fused operations).
bool inertiaSafe(const std::vector<MassProperties>& fixtures)
{
    for (std::size_t count = 1; count <= fixtures.size(); ++count) {
        float mass = 0.0f;
        float inertia = 0.0f;
        Vector2<float> center(0.0f, 0.0f);
        for (std::size_t i = count; i-- > 0;) {
            mass += fixtures[i].mass;
            center += fixtures[i].mass * fixtures[i].center;
            inertia += fixtures[i].inertia;
        }
        if (mass > 0.0f)
            center *= 1.0f / mass;
        const float centred = inertia - mass * lengthSquared(center);
        if (!std::isfinite(inertia) || !(centred > 16.0f * FLT_EPSILON * inertia))
            return false;
    }
    return true;
}

} // namespace

bool PhysicsPolygonFilter::acceptsShape(const std::vector<Vector2<float>>& polygon)
{
    MassProperties mass;
    return shapeAccepted(polygon, 1.0f, mass);
}

bool PhysicsPolygonFilter::accepts(const std::vector<Vector2<float>>& polygon)
{
    MassProperties mass;
    return shapeAccepted(polygon, 1.0f, mass) && inertiaSafe({mass});
}

std::size_t PhysicsPolygonFilter::dropRejected(std::vector<std::vector<Vector2<float>>>& polygons, float density)
{
    const std::size_t before = polygons.size();
    std::vector<MassProperties> fixtures;
    const auto kept = std::remove_if(polygons.begin(), polygons.end(), [&](const std::vector<Vector2<float>>& p) {
        MassProperties mass;
        if (!shapeAccepted(p, density, mass))
            return true;
        fixtures.push_back(mass);
        return false;
    });
    polygons.erase(kept, polygons.end());
    // The stiffest piece goes first: every body on the way to the whole one
    // then holds it, and thin far pieces never stand alone.
    std::size_t stiffest = 0;
    for (std::size_t i = 1; i < fixtures.size(); ++i)
        if (fixtures[i].centroidalInertia > fixtures[stiffest].centroidalInertia)
            stiffest = i;
    if (stiffest > 0) {
        std::rotate(polygons.begin(), polygons.begin() + static_cast<std::ptrdiff_t>(stiffest),
                    polygons.begin() + static_cast<std::ptrdiff_t>(stiffest) + 1);
        std::rotate(fixtures.begin(), fixtures.begin() + static_cast<std::ptrdiff_t>(stiffest),
                    fixtures.begin() + static_cast<std::ptrdiff_t>(stiffest) + 1);
    }
    // A body the engine would refuse on the way: none of it can go.
    if (!inertiaSafe(fixtures))
        polygons.clear();
    return before - polygons.size();
}

} // namespace math
