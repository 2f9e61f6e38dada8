#pragma once

#include <box2d/box2d.h>

#include <vector>

/// Decides, before Box2D sees them, whether shapes and mass data would trip one of
/// Box2D's assertions (which abort the whole process). Where Box2D's own outcome
/// depends on float rounding, the check repeats Box2D's computation step by step.
class B2ShapeCheck
{
public:
    /// Largest coordinate or radius accepted in a shape; beyond it mass and inertia overflow.
    static constexpr float MaxCoordinate = 1.0e6f;

    static bool isFinite(float value);
    static bool isFinite(b2Vec2 value);
    /// A finite coordinate no larger than `MaxCoordinate`.
    static bool isSaneCoordinate(b2Vec2 value);

    /// `b2PolygonShape::Set` accepts these points: 3 to 8 points with a proper convex hull.
    static bool isValidPolygon(const std::vector<b2Vec2>& points);
    /// An edge between two points further apart than Box2D's linear slop.
    static bool isValidEdge(b2Vec2 v1, b2Vec2 v2);
    /// `CreateChain` (or, with `loop`, `CreateLoop`) accepts these points.
    static bool isValidChain(const std::vector<b2Vec2>& points, bool loop);
    static bool isValidCircle(b2Vec2 center, float radius);

    /// Box2D recomputes a dynamic body's mass after adding a fixture with positive
    /// density and asserts that the inertia about the centre stays positive. True
    /// when `body` with the fixture (`shape`, `density`) added would pass.
    static bool canAddFixture(const b2Body* body, const b2Shape& shape, float density);
    /// `b2Body::ResetMassData` on `body` as it stands would pass.
    static bool canResetMassData(const b2Body* body);
    /// `b2Body::SetMassData` with these values would pass.
    static bool canSetMassData(const b2Body* body, const b2MassData& massData);

private:
    struct MassSum;
    static bool massSumPasses(const MassSum& sum, bool fixedRotation);
};
