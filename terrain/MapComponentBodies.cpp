// The physical side of MapComponent: its static bodies and one fixture per
// ground cell.
#include "terrain/MapComponent.hpp"

#include "engine/GameWorld.hpp"
#include "foundation/tools/Log.hpp"
#include "physics/B2Mirror.hpp"
#include "terrain/model/TileMapGeometry.hpp"

#include <box2d/box2d.h>

#include <cstdint>

namespace {

const char* const LogTag = "MapComponent";

std::uintptr_t userDataOf(const GameComponent* component)
{
    return reinterpret_cast<std::uintptr_t>(component);
}

} // namespace

void MapComponent::buildBodies()
{
    GameWorld* world = getWorld();
    if (!world) {
        tools::log(LogTag, "The map is in no world: it gets no bodies");
        return;
    }
    const math::Vector2<unsigned int>& size = tileMap.getSize();
    blockRows = std::max(1u, (size.y + FixtureBlock - 1) / FixtureBlock);
    const unsigned int blockColumns = std::max(1u, (size.x + FixtureBlock - 1) / FixtureBlock);
    b2BodyDef def;
    def.type = b2_staticBody;
    def.position.Set(position.x, position.y);
    def.angle = rotation;
    bodies.reserve(static_cast<std::size_t>(blockColumns) * blockRows);
    for (std::size_t i = 0; i < static_cast<std::size_t>(blockColumns) * blockRows; ++i) {
        b2Body* body = world->getB2World()->CreateBody(&def);
        body->GetUserData().pointer = userDataOf(this);
        bodies.push_back(body);
    }
    setBody(bodies.front());
    fixtures.assign(size.x, {});
    columnCounts.assign(size.x, 0);
    fixtureCount = 0;
    for (unsigned int x = 0; x < size.x; ++x)
        for (unsigned int y = 0; y < size.y; ++y)
            createFixtureAt(static_cast<int>(x), static_cast<int>(y));
    // Until the next step Box2D keeps every new fixture in a buffer that it
    // scans in full for each fixture removed: a large terrain torn down
    // before its world ever stepped (a game whose loading fails) would take
    // quadratic time. Finding the new contacts now, as the first step would,
    // empties that buffer. The contact manager is the world's own, not const.
    const_cast<b2ContactManager&>(world->getB2World()->GetContactManager()).FindNewContacts();
}

void MapComponent::destroyBodies()
{
    clearFixtureMap();
    // The first is the base's; it goes through the base.
    for (std::size_t i = 1; i < bodies.size(); ++i)
        bodies[i]->GetWorld()->DestroyBody(bodies[i]);
    bodies.clear();
    destroyBody();
}

b2Body* MapComponent::blockBody(int x, int y) const
{
    const std::size_t index = static_cast<std::size_t>(x / FixtureBlock) * blockRows +
                              static_cast<unsigned>(y) / FixtureBlock;
    return index < bodies.size() ? bodies[index] : nullptr;
}

void MapComponent::createFixtureAt(const math::Vector2<int>& cell)
{
    createFixtureAt(cell.x, cell.y);
}

void MapComponent::createFixtureAt(int x, int y)
{
    if (!getBody())
        return;
    removeFixtureFromMap({x, y});
    // Empty for cells outside the map, codes that are not ground and
    // polygons Box2D would refuse (it aborts on them).
    const MapTilePoints polygon = createFixturePolygon(tileMap, x, y);
    if (polygon.empty())
        return;
    b2Vec2 points[b2_maxPolygonVertices];
    const int count = static_cast<int>(std::min<std::size_t>(polygon.size(), b2_maxPolygonVertices));
    for (int i = 0; i < count; ++i)
        points[i].Set(polygon[i].x, polygon[i].y);
    b2PolygonShape shape;
    shape.Set(points, count);
    b2FixtureDef def;
    def.shape = &shape;
    def.friction = 0.75f;
    def.restitution = 0.0f;
    def.density = 0.0f;
    def.isSensor = false;
    def.filter.categoryBits = 0x0001;
    def.filter.maskBits = 0xFFFF;
    def.filter.groupIndex = 0;
    addFixtureToMap(blockBody(x, y)->CreateFixture(&def), {x, y});
}

void MapComponent::addFixtureToMap(b2Fixture* fixture, const math::Vector2<int>& cell)
{
    if (!fixture || !tileMap.isValid(cell))
        return;
    const auto x = static_cast<std::size_t>(cell.x);
    if (fixtures.size() < tileMap.getSize().x) {
        fixtures.resize(tileMap.getSize().x);
        columnCounts.resize(tileMap.getSize().x, 0);
    }
    std::vector<b2Fixture*>& column = fixtures[x];
    if (column.empty())
        column.assign(tileMap.getSize().y, nullptr);
    b2Fixture*& entry = column[static_cast<std::size_t>(cell.y)];
    if (!entry) {
        ++columnCounts[x];
        ++fixtureCount;
    }
    entry = fixture;
}

void MapComponent::removeFixtureFromMap(const math::Vector2<int>& cell)
{
    b2Fixture* fixture = getFixtureAt(cell);
    if (!fixture)
        return;
    if (getBody())
        fixture->GetBody()->DestroyFixture(fixture);
    const auto x = static_cast<std::size_t>(cell.x);
    fixtures[x][static_cast<std::size_t>(cell.y)] = nullptr;
    --fixtureCount;
    if (--columnCounts[x] == 0)
        std::vector<b2Fixture*>().swap(fixtures[x]);
}

void MapComponent::clearFixtureMap()
{
    fixtures.clear();
    columnCounts.clear();
    fixtureCount = 0;
}

b2Fixture* MapComponent::getFixtureAt(const math::Vector2<int>& cell) const
{
    if (cell.x < 0 || cell.y < 0 || static_cast<std::size_t>(cell.x) >= fixtures.size())
        return nullptr;
    const std::vector<b2Fixture*>& column = fixtures[static_cast<std::size_t>(cell.x)];
    return static_cast<std::size_t>(cell.y) < column.size() ? column[static_cast<std::size_t>(cell.y)] : nullptr;
}

bool MapComponent::hasBody(b2Body* body) const
{
    return body && body->GetUserData().pointer == userDataOf(this);
}

void MapComponent::syncBodies()
{
    const b2Body* first = getBody();
    if (!first)
        return;
    for (std::size_t i = 1; i < bodies.size(); ++i)
        bodies[i]->SetTransform(first->GetPosition(), first->GetAngle());
}

void MapComponent::onMoved(const math::Vector2<float>& displacement)
{
    GamePhisicsComponent::onMoved(displacement);
    syncBodies();
}

void MapComponent::onRotated(float change)
{
    GamePhisicsComponent::onRotated(change);
    syncBodies();
}

void MapComponent::onMirroredX()
{
    GamePhisicsComponent::onMirroredX();
    for (std::size_t i = 1; i < bodies.size(); ++i)
        mirrorb2BodyX(bodies[i]);
}
