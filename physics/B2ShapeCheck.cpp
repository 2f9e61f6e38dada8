#include "physics/B2ShapeCheck.hpp"

#include <cmath>

bool B2ShapeCheck::isFinite(float value)
{
    return std::isfinite(value);
}

bool B2ShapeCheck::isFinite(b2Vec2 value)
{
    return std::isfinite(value.x) && std::isfinite(value.y);
}

bool B2ShapeCheck::isSaneCoordinate(b2Vec2 value)
{
    return isFinite(value) && std::fabs(value.x) <= MaxCoordinate && std::fabs(value.y) <= MaxCoordinate;
}

bool B2ShapeCheck::isValidPolygon(const std::vector<b2Vec2>& points)
{
    const int count = static_cast<int>(points.size());
    if (count < 3 || count > b2_maxPolygonVertices)
        return false;
    for (const b2Vec2& p : points)
        if (!isSaneCoordinate(p))
            return false;

    // The same welding, gift wrapping and centroid area as b2PolygonShape::Set, in the
    // same float operations, so the outcome matches Box2D's exactly.
    b2Vec2 ps[b2_maxPolygonVertices];
    int n = 0;
    for (const b2Vec2& v : points)
    {
        bool unique = true;
        for (int j = 0; j < n; ++j)
            if (b2DistanceSquared(v, ps[j]) < ((0.5f * b2_linearSlop) * (0.5f * b2_linearSlop)))
            {
                unique = false;
                break;
            }
        if (unique)
            ps[n++] = v;
    }
    if (n < 3)
        return false;

    int i0 = 0;
    float x0 = ps[0].x;
    for (int i = 1; i < n; ++i)
    {
        const float x = ps[i].x;
        if (x > x0 || (x == x0 && ps[i].y < ps[i0].y))
        {
            i0 = i;
            x0 = x;
        }
    }
    int hull[b2_maxPolygonVertices];
    int m = 0;
    int ih = i0;
    for (;;)
    {
        if (m >= b2_maxPolygonVertices)
            return false; // Box2D asserts here: the wrap did not close.
        hull[m] = ih;
        int ie = 0;
        for (int j = 1; j < n; ++j)
        {
            if (ie == ih)
            {
                ie = j;
                continue;
            }
            const b2Vec2 r = ps[ie] - ps[hull[m]];
            const b2Vec2 v = ps[j] - ps[hull[m]];
            const float c = b2Cross(r, v);
            if (c < 0.0f)
                ie = j;
            if (c == 0.0f && v.LengthSquared() > r.LengthSquared())
                ie = j;
        }
        ++m;
        ih = ie;
        if (ie == i0)
            break;
    }
    if (m < 3)
        return false;

    b2Vec2 vs[b2_maxPolygonVertices];
    for (int i = 0; i < m; ++i)
        vs[i] = ps[hull[i]];
    for (int i = 0; i < m; ++i)
    {
        const b2Vec2 edge = vs[i + 1 < m ? i + 1 : 0] - vs[i];
        if (edge.LengthSquared() <= b2_epsilon * b2_epsilon)
            return false;
    }
    float area = 0.0f;
    const b2Vec2 s = vs[0];
    for (int i = 0; i < m; ++i)
    {
        const b2Vec2 e1 = vs[i] - s;
        const b2Vec2 e2 = (i + 1 < m ? vs[i + 1] : vs[0]) - s;
        area += 0.5f * b2Cross(e1, e2);
    }
    // Box2D asserts area > b2_epsilon; keep a margin against differing rounding.
    return area > 2.0f * b2_epsilon;
}

bool B2ShapeCheck::isValidEdge(b2Vec2 v1, b2Vec2 v2)
{
    return isSaneCoordinate(v1) && isSaneCoordinate(v2)
        && b2DistanceSquared(v1, v2) > b2_linearSlop * b2_linearSlop;
}

bool B2ShapeCheck::isValidChain(const std::vector<b2Vec2>& points, bool loop)
{
    const std::size_t count = points.size();
    if (count < (loop ? 3u : 2u))
        return false;
    for (const b2Vec2& p : points)
        if (!isSaneCoordinate(p))
            return false;
    for (std::size_t i = 1; i < count; ++i)
        if (b2DistanceSquared(points[i - 1], points[i]) <= b2_linearSlop * b2_linearSlop)
            return false;
    // A loop also closes from its last point back to the first.
    return !loop || b2DistanceSquared(points[count - 1], points[0]) > b2_linearSlop * b2_linearSlop;
}

bool B2ShapeCheck::isValidCircle(b2Vec2 center, float radius)
{
    return isSaneCoordinate(center) && isFinite(radius) && radius >= 0.0f && radius <= MaxCoordinate;
}

struct B2ShapeCheck::MassSum
{
    float mass = 0.0f;
    float inertia = 0.0f;
    b2Vec2 center = b2Vec2_zero;

    void add(const b2Shape& shape, float density)
    {
        if (density == 0.0f)
            return;
        b2MassData data;
        shape.ComputeMass(&data, density);
        mass += data.mass;
        center += data.mass * data.center;
        inertia += data.I;
    }
};

bool B2ShapeCheck::massSumPasses(const MassSum& sum, bool fixedRotation)
{
    // The tail of b2Body::ResetMassData.
    float mass = sum.mass;
    b2Vec2 center = sum.center;
    float inertia = sum.inertia;
    if (!isFinite(mass) || !isFinite(center) || !isFinite(inertia))
        return false;
    if (mass > 0.0f)
        center *= 1.0f / mass;
    else
        mass = 1.0f;
    if (inertia > 0.0f && !fixedRotation)
    {
        const float centred = inertia - mass * b2Dot(center, center);
        // Box2D asserts centred > 0; demand a relative margin so that a value that
        // only survives by rounding is refused too.
        return centred > inertia * 1.0e-6f && isFinite(centred);
    }
    return true;
}

bool B2ShapeCheck::canAddFixture(const b2Body* body, const b2Shape& shape, float density)
{
    if (!isFinite(density) || density < 0.0f)
        return false;
    if (body == nullptr || body->GetType() != b2_dynamicBody || density == 0.0f)
        return true;
    // A new fixture goes to the front of the body's list, so it is summed first.
    MassSum sum;
    sum.add(shape, density);
    for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
        sum.add(*f->GetShape(), f->GetDensity());
    return massSumPasses(sum, body->IsFixedRotation());
}

bool B2ShapeCheck::canResetMassData(const b2Body* body)
{
    if (body == nullptr || body->GetType() != b2_dynamicBody)
        return true;
    MassSum sum;
    for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
        sum.add(*f->GetShape(), f->GetDensity());
    return massSumPasses(sum, body->IsFixedRotation());
}

bool B2ShapeCheck::canSetMassData(const b2Body* body, const b2MassData& massData)
{
    if (!isFinite(massData.mass) || !isFinite(massData.center) || !isFinite(massData.I))
        return false;
    if (body == nullptr || body->GetType() != b2_dynamicBody)
        return true;
    // The checks of b2Body::SetMassData.
    const float mass = massData.mass <= 0.0f ? 1.0f : massData.mass;
    if (massData.I > 0.0f && !body->IsFixedRotation())
    {
        const float centred = massData.I - mass * b2Dot(massData.center, massData.center);
        return centred > massData.I * 1.0e-6f && isFinite(centred);
    }
    return true;
}
