#include "terrain/MapComponent.hpp"

#include "terrain/model/MapTileBrush.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/terrain/TerrainTestSupport.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>

using velk_test::countGround;
using velk_test::makeMap;
using velk_test::TerrainWorld;
using V = math::Vector2<float>;
using I = math::Vector2<int>;

namespace {

/// The world box of a fixture's polygon points (without Box2D's skin).
b2AABB worldBox(const b2Fixture* fixture)
{
    const auto* polygon = static_cast<const b2PolygonShape*>(fixture->GetShape());
    const b2Transform& xf = fixture->GetBody()->GetTransform();
    b2AABB box;
    box.lowerBound = box.upperBound = b2Mul(xf, polygon->m_vertices[0]);
    for (int i = 1; i < polygon->m_count; ++i) {
        const b2Vec2 p = b2Mul(xf, polygon->m_vertices[i]);
        box.lowerBound = b2Min(box.lowerBound, p);
        box.upperBound = b2Max(box.upperBound, p);
    }
    return box;
}

class MapComponentTest : public velk_test::TempFolderTest {
protected:
    std::string save(const TileMap& map, const std::string& name = "t.map.json")
    {
        const std::string path = (folder / name).string();
        velk_test::writeMap(map, path);
        return path;
    }

    /// Every ground cell has a fixture inside its world rectangle and every
    /// other cell none; full cells fill their rectangle exactly.
    void expectFixturesMatchMap(const MapComponent& terrain)
    {
        const TileMap& map = terrain.map();
        const float t = map.getTileSize();
        const V origin = terrain.getPosition();
        for (int x = 0; x < static_cast<int>(map.getSize().x); ++x)
            for (int y = 0; y < static_cast<int>(map.getSize().y); ++y) {
                const unsigned char code = map.getTile(static_cast<unsigned>(x), static_cast<unsigned>(y));
                const b2Fixture* fixture = terrain.getFixtureAt({x, y});
                if (!isMapTileGround(code)) {
                    EXPECT_EQ(fixture, nullptr) << x << "," << y;
                    continue;
                }
                ASSERT_NE(fixture, nullptr) << x << "," << y;
                EXPECT_TRUE(terrain.hasBody(const_cast<b2Fixture*>(fixture)->GetBody()));
                EXPECT_EQ(fixture->GetFilterData().categoryBits, 0x0001);
                EXPECT_EQ(fixture->GetFilterData().maskBits, 0xFFFF);
                EXPECT_FLOAT_EQ(fixture->GetFriction(), 0.75f);
                const b2AABB box = worldBox(fixture);
                const float left = origin.x + static_cast<float>(x) * t;
                const float top = origin.y - static_cast<float>(y) * t;
                const float eps = 1e-4f * (1.0f + std::abs(left) + std::abs(top));
                EXPECT_GE(box.lowerBound.x, left - eps);
                EXPECT_LE(box.upperBound.x, left + t + eps);
                EXPECT_GE(box.lowerBound.y, top - t - eps);
                EXPECT_LE(box.upperBound.y, top + eps);
                if (code == 1) {
                    EXPECT_NEAR(box.lowerBound.x, left, eps);
                    EXPECT_NEAR(box.upperBound.y, top, eps);
                    EXPECT_NEAR(box.upperBound.x - box.lowerBound.x, t, eps);
                }
            }
        EXPECT_EQ(terrain.getNumberOfFixtures(), countGround(map));
    }

    velk_test::LogCapture log;
};

} // namespace

TEST_F(MapComponentTest, ChunksInColumnOrderOfTilesPerTexture)
{
    TerrainWorld w;
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(10, 7, 1.0f, 4, velk_test::plain(3))), MapComponent::DrawingOnly));
    const std::vector<std::pair<unsigned, unsigned>> expected = {{0, 0}, {0, 4}, {4, 0}, {4, 4}, {8, 0}, {8, 4}};
    ASSERT_EQ(w.terrain->getNumberOfChunks(), expected.size());
    for (unsigned i = 0; i < expected.size(); ++i) {
        const MapChunk* chunk = w.terrain->getChunk(i);
        EXPECT_EQ(chunk->getBegin(), math::Vector2<unsigned>(expected[i].first, expected[i].second)) << i;
        EXPECT_EQ(chunk->getSize(), math::Vector2<unsigned>(4, 4)) << i;
        EXPECT_EQ(chunk->getMap(), &w.terrain->map());
        EXPECT_FALSE(chunk->isUpdateNeeded());
    }
    EXPECT_EQ(w.terrain->getChunk(6), nullptr);
    // Built at once: the ground below row 3 is in the tile lists.
    EXPECT_EQ(w.terrain->getChunk(1)->getTiles().size(), 12u);
}

TEST_F(MapComponentTest, FixturesAfterLoad)
{
    TerrainWorld w;
    // Every ground code, markers and empty cells, over several fixture blocks.
    const TileMap map = makeMap(70, 40, 0.5f, 8, [](unsigned x, unsigned y) -> unsigned char {
        return static_cast<unsigned char>((x * 7 + y * 3) % 42);
    });
    ASSERT_TRUE(w.terrain->loadFromFile(save(map), MapComponent::Physical));
    ASSERT_NE(w.terrain->getBody(), nullptr);
    EXPECT_EQ(w.terrain->getBody()->GetType(), b2_staticBody);
    EXPECT_EQ(w.terrain->getBodies().size(), 3u * 2u);
    expectFixturesMatchMap(*w.terrain);
    // Every fixture on the terrain's bodies is in the table.
    std::size_t onBodies = 0;
    for (b2Body* body : w.terrain->getBodies())
        for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext())
            ++onBodies;
    EXPECT_EQ(onBodies, w.terrain->getNumberOfFixtures());

    // The object moves the terrain: every body follows and the fixtures with them.
    w.object->setPosition({-17.5f, -10.0f});
    for (b2Body* body : w.terrain->getBodies())
        EXPECT_EQ(body->GetPosition(), b2Vec2(-17.5f, -10.0f));
    w.object->update(0.0f);
    EXPECT_EQ(w.terrain->getPosition(), V(-17.5f, -10.0f));
    expectFixturesMatchMap(*w.terrain);
}

TEST_F(MapComponentTest, DrillRebuildsOnlyTheBox)
{
    TerrainWorld w;
    const TileMap map = makeMap(40, 40, 1.0f, 4, velk_test::plain(10));
    ASSERT_TRUE(w.terrain->loadFromFile(save(map), MapComponent::Physical));
    std::map<std::pair<int, int>, b2Fixture*> before;
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 40; ++y)
            before[{x, y}] = w.terrain->getFixtureAt({x, y});

    w.terrain->drill(I(20, 20), 2.5f); // ball of radius 3
    TileMap expected = map;
    expected.erase(I(20, 20), 3);
    for (unsigned x = 0; x < 40; ++x)
        for (unsigned y = 0; y < 40; ++y)
            ASSERT_EQ(w.terrain->map().getTile(x, y), expected.getTile(x, y)) << x << "," << y;
    expectFixturesMatchMap(*w.terrain);
    EXPECT_LT(w.terrain->getNumberOfFixtures(), countGround(map));
    // Outside the box the fixtures are the very same ones.
    for (const auto& [cell, fixture] : before)
        if (std::abs(cell.first - 20) > 3 || std::abs(cell.second - 20) > 3) {
            EXPECT_EQ(w.terrain->getFixtureAt({cell.first, cell.second}), fixture);
        }

    // The hole is empty of fixtures at its centre.
    EXPECT_EQ(w.terrain->getFixtureAt({20, 20}), nullptr);
}

TEST_F(MapComponentTest, DrillMarksTheChunksAroundTheHoleForTheNextUpdate)
{
    TerrainWorld w;
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(12, 12, 1.0f, 1, velk_test::plain(0))), MapComponent::Physical));
    ASSERT_EQ(w.terrain->getNumberOfChunks(), 144u);
    w.terrain->drill(I(5, 5), 1.0f);
    std::set<std::pair<unsigned, unsigned>> marked;
    for (unsigned i = 0; i < w.terrain->getNumberOfChunks(); ++i)
        if (w.terrain->getChunk(i)->isUpdateNeeded())
            marked.insert({w.terrain->getChunk(i)->getBegin().x, w.terrain->getChunk(i)->getBegin().y});
    std::set<std::pair<unsigned, unsigned>> expected;
    for (unsigned x = 3; x <= 7; ++x)
        for (unsigned y = 3; y <= 7; ++y)
            expected.insert({x, y});
    EXPECT_EQ(marked, expected);
    // The centre chunk still shows its ground until the update.
    MapChunk* centre = w.terrain->getChunk(5 * 12 + 5);
    EXPECT_EQ(centre->getTiles().size(), 1u);
    w.terrain->update(0.0f);
    for (unsigned i = 0; i < w.terrain->getNumberOfChunks(); ++i)
        EXPECT_FALSE(w.terrain->getChunk(i)->isUpdateNeeded());
    EXPECT_TRUE(centre->getTiles().empty());
    // The full map had no outline; now the rim of the hole has one, only in
    // the marked chunks.
    std::size_t outlined = 0;
    for (unsigned i = 0; i < w.terrain->getNumberOfChunks(); ++i) {
        const MapChunk* chunk = w.terrain->getChunk(i);
        if (chunk->getLines().empty())
            continue;
        ++outlined;
        EXPECT_EQ(marked.count({chunk->getBegin().x, chunk->getBegin().y}), 1u);
    }
    EXPECT_GT(outlined, 0u);

    // Radius 0.2 is a ball of radius 1: a 3 x 3 box of fixtures rebuilt.
    TileMap expected02 = w.terrain->map();
    expected02.erase(I(9, 9), 1);
    w.terrain->drill(I(9, 9), 0.2f);
    EXPECT_EQ(w.terrain->map().getTile(9, 9), expected02.getTile(9, 9));
    EXPECT_EQ(w.terrain->map().getTile(10, 9), expected02.getTile(10, 9));
    expectFixturesMatchMap(*w.terrain);
}

TEST_F(MapComponentTest, EveryStaleChunkIsRebuiltInTheNextUpdate)
{
    TerrainWorld w;
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(16, 16, 1.0f, 4, velk_test::plain(0))), MapComponent::Physical));
    // Cells changed without a drill, their chunks marked directly; one is
    // marked, cleared and marked again.
    w.terrain->map().getTile(5, 5) = 0;
    w.terrain->map().getTile(0, 0) = 0;
    MapChunk* marked = w.terrain->getChunk(1 * 4 + 1);
    MapChunk* remarked = w.terrain->getChunk(0);
    marked->setUpdateNeeded(true);
    remarked->setUpdateNeeded(true);
    remarked->setUpdateNeeded(false);
    remarked->setUpdateNeeded(true);
    w.terrain->update(0.0f);
    for (const MapChunk* chunk : {marked, remarked}) {
        EXPECT_FALSE(chunk->isUpdateNeeded());
        EXPECT_EQ(chunk->getTiles().size(), 15u);
        EXPECT_FALSE(chunk->getLines().empty());
    }
}

TEST_F(MapComponentTest, VisibleChunksFromTheGridAreThoseOfTheFullScan)
{
    TerrainWorld w;
    // Chunks of 4 units; the last column and row reach past the map's edge.
    ASSERT_TRUE(
        w.terrain->loadFromFile(save(makeMap(100, 70, 0.5f, 8, velk_test::plain(0))), MapComponent::DrawingOnly));
    velk_test::SizeOnlyTarget target; // 800 x 600: 40 pixels a unit below
    struct Case {
        const char* name;
        sf::FloatRect view;
        sf::Vector2f placement;
        float rotation;
        sf::FloatRect viewport;
    };
    const sf::FloatRect full(0, 0, 1, 1);
    const std::vector<Case> cases = {
        {"inside", {10, 10, 20, 15}, {}, 0, full},
        {"over the top-left corner", {-3.3f, -2.1f, 20, 15}, {}, 0, full},
        {"a boundary 0.3 pixels below the top", {10, 4 - 0.3f / 40, 20, 15}, {}, 0, full},
        {"off the map", {60, 10, 20, 15}, {}, 0, full},
        {"the whole map and more", {-100, -100, 300, 225}, {}, 0, full},
        {"placed at an odd offset", {30, 20, 20, 15}, {-8.591555f, 13.465027f}, 0, full},
        {"rotated", {20, 15, 20, 15}, {}, 30, full},
        {"mirrored", {30, 10, -20, 15}, {}, 0, full},
        {"a part of the window", {10, 10, 20, 15}, {}, 0, {0.25f, 0.5f, 0.5f, 0.5f}},
    };
    for (const Case& c : cases) {
        sf::View view(c.view);
        view.setRotation(c.rotation);
        view.setViewport(c.viewport);
        target.setView(view);
        sf::RenderStates states;
        states.transform.translate(c.placement);
        std::vector<unsigned> scanned;
        for (unsigned i = 0; i < w.terrain->getNumberOfChunks(); ++i)
            if (w.terrain->getChunk(i)->isVisible(target, states))
                scanned.push_back(i);
        EXPECT_EQ(w.terrain->findVisibleChunks(target, states), scanned) << c.name;
        EXPECT_EQ(scanned.empty(), std::string(c.name) == "off the map") << c.name;
    }
}

TEST_F(MapComponentTest, DrillAtAWorldPoint)
{
    TerrainWorld w;
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(20, 20, 2.0f, 4, velk_test::plain(0))), MapComponent::Physical));
    w.object->setPosition({-20.0f, 0.0f});
    // World (-9, -11) is cell (5, 5); 4 units are 2 cells.
    const V point(-9.0f, -11.0f);
    ASSERT_EQ(w.terrain->getTileIndicesAt(point), I(5, 5));
    TileMap expected = w.terrain->map();
    expected.erase(I(5, 5), 2);
    w.terrain->drill(point, 4.0f);
    for (unsigned x = 0; x < 20; ++x)
        for (unsigned y = 0; y < 20; ++y)
            ASSERT_EQ(w.terrain->map().getTile(x, y), expected.getTile(x, y));
    expectFixturesMatchMap(*w.terrain);
}

TEST_F(MapComponentTest, DrawingOnlyHasNoBodyButStillDrills)
{
    TerrainWorld w;
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(8, 8, 1.0f, 4, velk_test::plain(0))), MapComponent::DrawingOnly));
    EXPECT_EQ(w.terrain->getBody(), nullptr);
    EXPECT_TRUE(w.terrain->getBodies().empty());
    w.terrain->createFixtureAt(1, 1);
    EXPECT_EQ(w.terrain->getNumberOfFixtures(), 0u);
    w.terrain->drill(I(4, 4), 1.0f);
    EXPECT_EQ(w.terrain->map().getTile(4, 4), 0);
    EXPECT_EQ(w.terrain->getNumberOfFixtures(), 0u);
    EXPECT_EQ(w.world.getB2World()->GetBodyCount(), 0);
    EXPECT_TRUE(w.terrain->getChunk(3)->isUpdateNeeded());
}

TEST_F(MapComponentTest, UntrustedRadiiNeitherLoopNorExhaustMemory)
{
    struct Case {
        float radius;
        bool erases;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<Case> cases = {{1e9f, true},  {inf, true},    {std::nanf(""), false},
                                     {-inf, false}, {-3.0f, false}, {3e38f, true}};
    for (const Case& c : cases) {
        TerrainWorld w;
        ASSERT_TRUE(
            w.terrain->loadFromFile(save(makeMap(64, 64, 1.0f, 8, velk_test::plain(0))), MapComponent::Physical));
        w.terrain->drill(I(10, 10), c.radius);
        w.terrain->update(0.0f);
        EXPECT_EQ(w.terrain->map().getTile(10, 10) == 0, c.erases) << c.radius;
        EXPECT_EQ(w.terrain->getNumberOfFixtures(), countGround(w.terrain->map())) << c.radius;
    }
    // Far outside the map, also at the ends of the integer range.
    TerrainWorld w;
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(16, 16, 1.0f, 4, velk_test::plain(0))), MapComponent::Physical));
    for (const I& cell : {I(INT_MAX, INT_MAX), I(INT_MIN, INT_MIN), I(-3, 5), I(18, 18), I(INT_MAX, 3)})
        w.terrain->drill(cell, 1e9f);
    w.terrain->drill(V(std::nanf(""), 1e30f), 1e30f);
    w.terrain->update(0.0f);
    EXPECT_EQ(w.terrain->getNumberOfFixtures(), countGround(w.terrain->map()));
}

TEST_F(MapComponentTest, UntrustedFileValuesAreClampedBeforeTheyCost)
{
    TerrainWorld w;
    // A huge size, tile size 0 and tiles per texture 0.
    // "Tiles" is column-major: the first column holds a full and a diagonal cell.
    std::string tiles = "1, 30";
    for (unsigned i = 1; i < TileMap::MaxSize; ++i)
        tiles += ", 0, 0";
    velk_test::writeFile(folder / "huge.map.json", R"({"Size": {"X": 1e12, "Y": 2}, "TileSize": 0, "Tiles": [)" +
                                                       tiles + R"(], "TilesPerTexture": 0})");
    ASSERT_TRUE(w.terrain->loadFromFile((folder / "huge.map.json").string(), MapComponent::Physical));
    EXPECT_EQ(w.terrain->map().getSize(), math::Vector2<unsigned>(TileMap::MaxSize, 2));
    EXPECT_FLOAT_EQ(w.terrain->map().getTileSize(), TileMap::MinTileSize);
    // One tile per texture would give 4096 chunks along the map: they grow instead.
    EXPECT_EQ(w.terrain->getChunkEdge(), TileMap::MaxSize / MapComponent::MaxChunksPerSide);
    EXPECT_EQ(w.terrain->getNumberOfChunks(), MapComponent::MaxChunksPerSide);
    expectFixturesMatchMap(*w.terrain);
    EXPECT_EQ(w.terrain->getNumberOfFixtures(), 2u);
    EXPECT_TRUE(log.contains("clamped"));
}

TEST_F(MapComponentTest, SmallestTilesFarFromTheOriginReachBox2DSafely)
{
    // Every ground code at the smallest tile size, at the far corner of a
    // large map, on a terrain placed far from the origin: Box2D (with its
    // assertions) must accept every fixture it is given.
    TerrainWorld w;
    const TileMap map = makeMap(2048, 40, 0.0f, 64, [](unsigned x, unsigned y) -> unsigned char {
        return x >= 2000 ? static_cast<unsigned char>(1 + (x + y) % 33) : 0;
    });
    ASSERT_TRUE(w.terrain->loadFromFile(save(map), MapComponent::Physical));
    w.object->setPosition({-5000.0f, 3000.0f});
    w.world.update(1.0f / 60.0f);
    expectFixturesMatchMap(*w.terrain);
    w.terrain->drill(I(2030, 20), 3.0f);
    expectFixturesMatchMap(*w.terrain);
}

TEST_F(MapComponentTest, FailedLoadChangesNothingAndReloadReplaces)
{
    TerrainWorld w;
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(16, 8, 1.0f, 4, velk_test::plain(4))), MapComponent::Physical));
    const std::size_t fixtures = w.terrain->getNumberOfFixtures();
    b2Body* body = w.terrain->getBody();
    velk_test::writeFile(folder / "broken.map.json", "{\"Size\": ");
    EXPECT_FALSE(w.terrain->loadFromFile((folder / "broken.map.json").string(), MapComponent::Physical));
    EXPECT_FALSE(w.terrain->loadFromFile((folder / "missing.map.json").string(), MapComponent::Physical));
    EXPECT_TRUE(log.contains("broken.map.json"));
    EXPECT_EQ(w.terrain->getBody(), body);
    EXPECT_EQ(w.terrain->getNumberOfFixtures(), fixtures);
    EXPECT_EQ(w.terrain->getNumberOfChunks(), 8u);

    // A second file replaces chunks, bodies and fixtures; nothing is left over.
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(4, 4, 1.0f, 4, velk_test::plain(2)), "b.map.json"),
                                        MapComponent::Physical));
    EXPECT_EQ(w.terrain->getNumberOfChunks(), 1u);
    EXPECT_EQ(w.world.getB2World()->GetBodyCount(), 1);
    expectFixturesMatchMap(*w.terrain);
}

TEST_F(MapComponentTest, ContactQueriesKnowEveryBody)
{
    TerrainWorld w;
    ASSERT_TRUE(w.terrain->loadFromFile(save(makeMap(100, 10, 1.0f, 8, velk_test::plain(5))), MapComponent::Physical));
    ASSERT_EQ(w.terrain->getBodies().size(), 4u);
    for (b2Body* body : w.terrain->getBodies()) {
        EXPECT_TRUE(w.terrain->hasBody(body));
        EXPECT_EQ(w.object->getComponentByBody(body), w.terrain);
    }
    b2BodyDef def;
    b2Body* stranger = w.world.getB2World()->CreateBody(&def);
    EXPECT_FALSE(w.terrain->hasBody(stranger));
    EXPECT_FALSE(w.terrain->hasBody(nullptr));

    // A ball dropped on the far block touches the terrain there.
    w.world.getB2World()->SetGravity(b2Vec2(0.0f, -10.0f));
    b2BodyDef ballDef;
    ballDef.type = b2_dynamicBody;
    ballDef.position.Set(90.5f, -4.5f);
    b2Body* ball = w.world.getB2World()->CreateBody(&ballDef);
    b2CircleShape circle;
    circle.m_radius = 0.4f;
    ball->CreateFixture(&circle, 1.0f);
    bool touched = false;
    for (int i = 0; i < 120 && !touched; ++i) {
        w.world.update(1.0f / 60.0f);
        for (b2ContactEdge* e = ball->GetContactList(); e; e = e->next)
            touched = touched || (e->contact->IsTouching() && w.object->isContactedIn(e->contact));
    }
    EXPECT_TRUE(touched);
    EXPECT_GT(ball->GetPosition().y, -5.0f); // resting on the ground, not through it
}
