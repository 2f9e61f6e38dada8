#include "game/ship/HullComponent.hpp"

#include "engine/GameWorld.hpp"
#include "foundation/math/PhysicsPolygonFilter.hpp"
#include "foundation/math/Polygon.hpp"
#include "foundation/tools/Log.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <box2d/box2d.h>

namespace velk {

namespace {
const char* const Tag = "HullComponent";
} // namespace

HullComponent::HullComponent() : GamePhisicsComponent(nullptr)
{
    hide();
}

HullComponent::~HullComponent() = default;

bool HullComponent::build(const std::vector<math::Vector2<float>>& points,
                          const std::vector<std::vector<math::Vector2<float>>>& triangles)
{
    (void)points;
    GameWorld* world = getWorld();
    if (!world) {
        tools::log(Tag, "The hull is in no world; no body is built");
        return false;
    }
    // Box2D aborts on slivers, near-duplicate points and on a body whose
    // inertia rounds away after any fixture: only what it accepts, in an
    // order it accepts, reaches it.
    std::vector<std::vector<math::Vector2<float>>> accepted = triangles;
    const std::size_t dropped = math::PhysicsPolygonFilter::dropRejected(accepted, Density);
    if (accepted.empty()) {
        tools::log(Tag, "None of the " + std::to_string(triangles.size()) +
                            " hull triangles makes a body the physics accepts (too thin or too small for their "
                            "distance from the ship's centre); no body is built");
        return false;
    }
    if (dropped > 0)
        tools::log(Tag, std::to_string(dropped) + " of " + std::to_string(triangles.size()) +
                            " hull triangles are too thin or too small for the physics and are left out");

    destroyBody();
    b2BodyDef bodyDef;
    bodyDef.type = b2_dynamicBody;
    bodyDef.position.Set(position.x, position.y);
    setBody(world->getB2World()->CreateBody(&bodyDef));
    for (const auto& triangle : accepted) {
        std::vector<b2Vec2> vertices;
        for (const auto& p : triangle)
            vertices.emplace_back(p.x, p.y);
        b2PolygonShape shape;
        shape.Set(vertices.data(), static_cast<int>(vertices.size()));
        b2FixtureDef fixture;
        fixture.shape = &shape;
        fixture.density = Density;
        fixture.filter.categoryBits = CategoryBits;
        fixture.filter.maskBits = MaskBits;
        fixture.filter.groupIndex = 0;
        getBody()->CreateFixture(&fixture);
    }
    return true;
}

bool HullComponent::build(backend::ShipEntry* entry)
{
    if (!entry)
        return false;
    const std::vector<math::Vector2<float>> points = entry->getRoundedPoints();
    if (points.size() < 3 || !math::isPolygonSimple(points))
        return false;
    const auto triangles = math::triangulatePolygon(points);
    // A hull the physics refuses is as unusable as a crossing outline.
    return build(points, triangles);
}

} // namespace velk
