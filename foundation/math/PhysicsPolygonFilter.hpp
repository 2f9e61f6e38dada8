#pragma once

#include "foundation/math/Vector2.hpp"

#include <cfloat>
#include <cstddef>
#include <vector>

namespace math {

/// Decides which convex polygons (usually triangles from triangulatePolygon)
/// the physics engine accepts as polygon fixtures. Box2D 2.4.1 with
/// assertions aborts the program on a polygon with fewer than 3 or more than
/// 8 points, with fewer than 3 points left after merging points closer than
/// half its linear slop, whose convex hull collapses to a line, or whose area
/// is not above FLT_EPSILON. A dynamic body also aborts, after any fixture
/// added to it, when its rotational inertia about its centre of mass rounds
/// to zero or below, which happens when its fixtures so far are tiny or thin
/// against their distance from the body origin. This class repeats those
/// checks (in the engine's float arithmetic where the verdict depends on it;
/// the foundation does not link Box2D), taking polygon coordinates as body
/// coordinates, and also refuses NaN, infinite and overflowing geometry,
/// which the engine would accept and then simulate as garbage. Points closer
/// than the merge distance are otherwise fine: the engine merges them, as it
/// also takes the convex hull of polygons that are not convex.
class PhysicsPolygonFilter {
public:
    // Mirrors of Box2D's constants (b2_common.h, b2_settings.h) at the
    // default of one length unit per metre.
    static constexpr float linearSlop = 0.005f;   ///< b2_linearSlop
    static constexpr int maxPolygonVertices = 8;  ///< b2_maxPolygonVertices
    static constexpr float epsilon = FLT_EPSILON; ///< b2_epsilon
    /// Points closer than this are merged into one (0.5 * b2_linearSlop).
    static constexpr float weldDistance = 0.5f * linearSlop;

    /// True when b2PolygonShape::Set and the mass computation accept the
    /// polygon as a shape; whether a body of such shapes is safe is the
    /// caller's to check (see dropRejected).
    static bool acceptsShape(const std::vector<Vector2<float>>& polygon);

    /// True when b2PolygonShape::Set and the mass computation accept the
    /// polygon, and a dynamic body with it as its only fixture is safe too.
    static bool accepts(const std::vector<Vector2<float>>& polygon);

    /// Removes, in place, the polygons the engine would refuse as fixtures;
    /// the survivors are taken as the fixtures of one body of that density,
    /// made in their order, and when the body would trip the inertia check
    /// after any one of them they all go. The survivor with the largest
    /// inertia about its own centre is moved to the front, so that thin far
    /// pieces are never checked without it; the rest keep their order.
    /// Returns how many were removed. Call it once per body.
    static std::size_t dropRejected(std::vector<std::vector<Vector2<float>>>& polygons, float density = 1.0f);
};

} // namespace math
