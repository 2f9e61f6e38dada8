#include "physics/B2ShapeCheck.hpp"

#include "foundation/math/PhysicsPolygonFilter.hpp"

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
    std::vector<math::Vector2<float>> polygon;
    polygon.reserve(points.size());
    for (const b2Vec2& p : points)
    {
        if (!isSaneCoordinate(p))
            return false;
        polygon.emplace_back(p.x, p.y);
    }
    // The welding, gift wrapping and area checks of b2PolygonShape::Set.
    return math::PhysicsPolygonFilter::acceptsShape(polygon);
}

bool B2ShapeCheck::isValidEdge(b2Vec2 v1, b2Vec2 v2)
{
    return isSaneCoordinate(v1) && isSaneCoordinate(v2) && b2DistanceSquared(v1, v2) > b2_linearSlop * b2_linearSlop;
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
