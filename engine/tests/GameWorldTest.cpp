#include "engine/GameWorld.hpp"
#include "engine/GameFloatingTextEmitter.hpp"
#include "engine/GameObject.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "testsupport/LogCapture.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

/// An object that records its lifecycle and runs a chosen action when updated.
struct Probe : GameObject {
    explicit Probe(std::vector<std::string>& journal, std::string name) : journal(journal), name(std::move(name)) {}
    ~Probe() override { journal.push_back("delete " + name); }
    void onBegin() override { journal.push_back("begin " + name + (getWorld() ? " in world" : "")); }
    void onEnd() override
    {
        journal.push_back("end " + name);
        GameObject::onEnd();
    }
    void onUpdate(float dt) override
    {
        journal.push_back("update " + name);
        if (onUpdateAction)
            onUpdateAction();
        GameObject::onUpdate(dt);
    }

    std::vector<std::string>& journal;
    std::string name;
    std::function<void()> onUpdateAction;
};

struct Recorder : b2ContactListener {
    std::vector<std::string>& calls;
    std::string name;
    Recorder(std::vector<std::string>& calls, std::string name) : calls(calls), name(std::move(name)) {}
    void BeginContact(b2Contact*) override { calls.push_back(name + " begin"); }
    void EndContact(b2Contact*) override { calls.push_back(name + " end"); }
    void PreSolve(b2Contact*, const b2Manifold*) override { calls.push_back(name + " pre"); }
    void PostSolve(b2Contact*, const b2ContactImpulse*) override { calls.push_back(name + " post"); }
};

TEST(GameWorldTest, NewWorldHoldsOnlyTheEmitter)
{
    GameWorld world(b2Vec2(0, -5));
    ASSERT_EQ(world.getResources().size(), 1u);
    EXPECT_EQ(world.getResources().front(), world.floatingTextEmitter());
    EXPECT_EQ(world.floatingTextEmitter()->getWorld(), &world);
    EXPECT_TRUE(world.floatingTextEmitter()->isRunning());
    EXPECT_FLOAT_EQ(world.getB2World()->GetGravity().y, -5.0f);
}

TEST(GameWorldTest, SolverIterationsFollowTheFrameRate)
{
    const std::vector<std::pair<unsigned, std::pair<int, int>>> table = {
        {0, {30, 15}}, {44, {30, 15}}, {45, {20, 10}}, {59, {20, 10}}, {60, {10, 5}}, {120, {10, 5}},
    };
    for (const auto& [fps, iterations] : table)
        EXPECT_EQ(GameWorld::solverIterations(fps), iterations) << fps << " fps";
}

TEST(GameWorldTest, ObjectsStartOnAddAndAllEndWithTheWorld)
{
    std::vector<std::string> journal;
    {
        GameWorld world(b2Vec2(0, 0));
        world.add(new Probe(journal, "a"));
        EXPECT_EQ(journal, std::vector<std::string>{"begin a in world"});
        world.add(new Probe(journal, "b"));
        journal.clear();
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"end a", "delete a", "end b", "delete b"}));
}

TEST(GameWorldTest, RemovalAndAdditionDuringUpdateAreSafe)
{
    std::vector<std::string> journal;
    GameWorld world(b2Vec2(0, 0));
    auto* a = new Probe(journal, "a");
    auto* b = new Probe(journal, "b");
    auto* c = new Probe(journal, "c");
    world.add(a);
    world.add(b);
    world.add(c);
    Probe* added = nullptr;
    // a removes a later object and itself, and adds a new one.
    a->onUpdateAction = [&] {
        world.destroy(b);
        world.destroy(a);
        added = static_cast<Probe*>(world.add(new Probe(journal, "d")));
    };
    // c removes through the plain set interface: deferred all the same.
    c->onUpdateAction = [&] { static_cast<tools::ResourceSet<GameObject>&>(world).destroy(added); };
    journal.clear();
    world.update(1.0f / 60);
    EXPECT_EQ(journal, (std::vector<std::string>{"update a", "begin d in world", "update c", "end b", "delete b",
                                                 "end a", "delete a", "end d", "delete d"}));
    ASSERT_EQ(world.getResources().size(), 2u);
    EXPECT_EQ(world.getResources().back(), c);

    // An object added during an update is updated from the next one on.
    bool addOnce = true;
    c->onUpdateAction = [&] {
        if (addOnce)
            world.add(new Probe(journal, "e"));
        addOnce = false;
    };
    journal.clear();
    world.update(1.0f / 60);
    world.update(1.0f / 60);
    EXPECT_EQ(journal, (std::vector<std::string>{"update c", "begin e in world", "update c", "update e"}));
}

TEST(GameWorldTest, ClearDuringAnUpdateEmptiesTheWorldAfterIt)
{
    std::vector<std::string> journal;
    GameWorld world(b2Vec2(0, 0));
    auto* a = static_cast<Probe*>(world.add(new Probe(journal, "a")));
    world.add(new Probe(journal, "b"));
    a->onUpdateAction = [&] { world.clear(); };
    journal.clear();
    world.update(1.0f / 60);
    EXPECT_EQ(journal, (std::vector<std::string>{"update a", "end a", "delete a", "end b", "delete b"}));
    EXPECT_TRUE(world.getResources().empty());
}

TEST(GameWorldTest, ContactsFanOutOnlyWhileListening)
{
    std::vector<std::string> calls;
    GameWorld world(b2Vec2(0, 0));
    Recorder first(calls, "1");
    Recorder second(calls, "2");
    world.addPhisicsContactListener(&first);
    world.addPhisicsContactListener(&first);
    world.addPhisicsContactListener(nullptr);
    world.addPhisicsContactListener(&second);

    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2PolygonShape box;
    box.SetAsBox(1, 1);
    b2Body* a = world.getB2World()->CreateBody(&def);
    a->CreateFixture(&box, 1);
    def.position.Set(1.5f, 0);
    b2Body* b = world.getB2World()->CreateBody(&def);
    b->CreateFixture(&box, 1);

    world.update(1.0f / 60);
    EXPECT_TRUE(calls.empty());

    world.enablePhisicsContactListening();
    world.enablePhisicsContactListening();
    EXPECT_TRUE(world.isPhisicsContactListeneingEnabled());
    b->SetTransform(b2Vec2(5, 0), 0); // apart: the contact ends
    world.update(1.0f / 60);
    b->SetTransform(b2Vec2(1.5f, 0), 0);
    b->SetAwake(true);
    world.update(1.0f / 60);
    ASSERT_GE(calls.size(), 8u);
    EXPECT_EQ((std::vector<std::string>(calls.begin(), calls.begin() + 2)),
              (std::vector<std::string>{"1 end", "2 end"}));
    EXPECT_EQ((std::vector<std::string>(calls.begin() + 2, calls.begin() + 8)),
              (std::vector<std::string>{"1 begin", "2 begin", "1 pre", "2 pre", "1 post", "2 post"}));

    calls.clear();
    world.removePhisicsContactListener(&first);
    world.update(1.0f / 60);
    EXPECT_FALSE(calls.empty());
    for (const std::string& call : calls)
        EXPECT_EQ(call[0], '2');

    calls.clear();
    world.setPhisicsContactListeningEnabled(false);
    world.update(1.0f / 60);
    world.removeAllPhisicsContactListener();
    EXPECT_TRUE(calls.empty());
}

TEST(GameWorldTest, ObjectRemovedInsideAContactCallbackGoesAfterTheStep)
{
    std::vector<std::string> journal;
    GameWorld world(b2Vec2(0, 0));
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2PolygonShape box;
    box.SetAsBox(1, 1);
    auto* a = static_cast<Probe*>(world.add(new Probe(journal, "a")));
    b2Body* bodyA = world.getB2World()->CreateBody(&def);
    bodyA->CreateFixture(&box, 1);
    a->add(new GamePhisicsComponent(bodyA));
    def.position.Set(1, 0);
    b2Body* bodyB = world.getB2World()->CreateBody(&def);
    bodyB->CreateFixture(&box, 1);

    struct Remover : b2ContactListener {
        GameWorld* world;
        GameObject* victim;
        void BeginContact(b2Contact*) override
        {
            if (victim)
                world->destroy(victim);
            victim = nullptr;
        }
    } remover;
    remover.world = &world;
    remover.victim = a;
    world.addPhisicsContactListener(&remover);
    world.enablePhisicsContactListening();
    journal.clear();
    world.update(1.0f / 60);
    // Skipped by the update, deleted with its body once the step was over.
    EXPECT_EQ(journal, (std::vector<std::string>{"end a", "delete a"}));
    EXPECT_EQ(world.getB2World()->GetBodyCount(), 1);
    EXPECT_EQ(world.getResources().size(), 1u);
}

TEST(GameWorldTest, DefaultFontIsNullUntilSetAndLoadable)
{
    GameWorld world(b2Vec2(0, 0));
    const GameWorld& constant = world;
    EXPECT_EQ(world.getDefaultFont(), nullptr);
    EXPECT_EQ(constant.getDefaultFont(), nullptr);
    world.setDefaultFont("/nonexistent/font.ttf");
    EXPECT_EQ(world.getDefaultFont(), nullptr);
    EXPECT_EQ(constant.getDefaultFont(), nullptr);
}

TEST(GameWorldTest, PixelUnitIsTargetPixelsPerCameraUnit)
{
    GameWorld world(b2Vec2(0, 0));
    world.getCamera().setSize(50, 30);
    EXPECT_FLOAT_EQ(world.getPixelUnit(1280), 25.6f);
    world.getCamera().setViewport(sf::FloatRect(0, 0, 0.5f, 1));
    EXPECT_FLOAT_EQ(world.getPixelUnit(1280), 12.8f);
    EXPECT_FLOAT_EQ(world.getPixelUnit(), 0.0f); // no window
}

TEST(GameWorldTest, DebugOverlayIsOneObjectAndSafeWithoutAWindow)
{
    velk_test::LogCapture log;
    GameWorld world(b2Vec2(0, 0));
    EXPECT_EQ(world.getPhisicsDebugDraw(), nullptr);
    world.enablePhisicsDebugDraw();
    world.setPhisicsDebugDrawEnabled(true);
    EXPECT_TRUE(world.isPhisicsDebugDrawEnabled());
    EXPECT_EQ(world.getResources().size(), 2u);
    EXPECT_EQ(log.count("[B2DebugDrawObject] No window"), 1);
    EXPECT_EQ(world.getPhisicsDebugDraw(), nullptr);
    world.update(1.0f / 60);

    world.disablePhisicsDebugDraw();
    world.disablePhisicsDebugDraw();
    world.setPhisicsDebugDrawEnabled(false);
    EXPECT_FALSE(world.isPhisicsDebugDrawEnabled());
    EXPECT_EQ(world.getResources().size(), 1u);
}

} // namespace
