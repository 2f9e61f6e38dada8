#include "engine/GameComponent.hpp"
#include "engine/GameObject.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameSimpleComponent.hpp"
#include "engine/tests/WorldTestSupport.hpp"
#include "foundation/json/Parser.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using worldtest::Counters;
using worldtest::CountingComponent;

json::Value parse(const std::string& text)
{
    return json::parseFromString(text);
}

TEST(GameComponentTest, DescriptionKeysApplyByType)
{
    struct Case {
        const char* description;
        math::Vector2<float> position;
        float rotation;
        sf::Vector2f size;
        sf::Vector2f origin;
        std::string id;
        bool mask;
    };
    const Case cases[] = {
        {R"({"Id": "a", "Mask": true, "Position": [5, 0], "Rotation": 1, "Size": {"x": 2, "y": 3}, "Origin": [1, 1.5]})",
         {5, 0},
         1.0f,
         {2, 3},
         {1, 1.5f},
         "a",
         true},
        // Wrong types: ignored, except vectors, which read as (0, 0).
        {R"({"Id": 7, "Mask": "yes", "Position": "x", "Rotation": "1", "Size": true})",
         {0, 0},
         0.25f,
         {0, 0},
         {0, 0},
         "old",
         false},
        {R"({"Rotation": 0.5, "Position": {"X": 1, "y": 2}})", {1, 2}, 0.5f, {7, 7}, {0, 0}, "old", false},
        {R"([1, 2])", {9, 9}, 0.25f, {7, 7}, {0, 0}, "old", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        GameSimpleComponent component;
        component.setId("old");
        component.setPosition({9, 9});
        component.setRotation(0.25f);
        component.getShape().setSize({7, 7});
        component.parseFromValue(parse(c.description));
        EXPECT_EQ(component.getPosition(), c.position);
        EXPECT_FLOAT_EQ(component.getRotation(), c.rotation);
        EXPECT_EQ(component.getShape().getSize(), c.size);
        EXPECT_EQ(component.getShape().getOrigin(), c.origin);
        EXPECT_EQ(component.getId(), c.id);
        EXPECT_EQ(component.isMask(), c.mask);
    }
}

TEST(GameComponentTest, PropertiesKeepOnlyStringsAndMerge)
{
    GameSimpleComponent component;
    component.parseFromValue(parse(R"({"Properties": {"a": "x", "b": 2, "c": "old"}})"));
    component.parseFromValue(parse(R"({"Properties": {"c": "new", "d": null}})"));
    const GameComponent::Properties expected = {{"a", "x"}, {"c", "new"}};
    EXPECT_EQ(component.properties(), expected);
}

TEST(GameComponentTest, PositionFromDescriptionDoesNotMoveBody)
{
    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    def.position.Set(1, 1);
    GamePhisicsComponent component(world.CreateBody(&def));
    component.parseFromValue(parse(R"({"Position": [5, 0], "Rotation": 2})"));
    EXPECT_EQ(component.getPosition(), math::Vector2<float>(5, 0));
    EXPECT_FLOAT_EQ(component.getBody()->GetPosition().x, 1.0f);
    EXPECT_FLOAT_EQ(component.getBody()->GetAngle(), 0.0f);
}

TEST(GameComponentTest, MainWithoutOwnerIsIgnoredAndNoOwnerMeansNoWorld)
{
    GameSimpleComponent component;
    component.parseFromValue(parse(R"({"Main": true, "Id": "m"})"));
    EXPECT_EQ(component.getId(), "m");
    EXPECT_EQ(component.getObject(), nullptr);
    EXPECT_EQ(component.getWorld(), nullptr);
    const GameSimpleComponent& constant = component;
    EXPECT_EQ(constant.getWorld(), nullptr);
}

TEST(GameComponentTest, IndexOutOfRangeGivesNull)
{
    GameSimpleComponent parent;
    parent.add(new GameSimpleComponent());
    EXPECT_EQ(parent.getNumberOfComponents(), 1);
    EXPECT_NE(parent.getComponent(0u), nullptr);
    EXPECT_EQ(parent.getComponent(1u), nullptr);
    EXPECT_EQ(static_cast<const GameComponentSet&>(parent).getComponent(99u), nullptr);
}

TEST(GameComponentTest, SearchTriesChildrenBeforeGrandchildren)
{
    GameSimpleComponent root;
    auto* first = root.add(new GameSimpleComponent());
    auto* second = root.add(new GameSimpleComponent());
    auto* grandUnderFirst = first->add(new GameSimpleComponent());
    auto* grandUnderSecond = second->add(new GameSimpleComponent());
    auto* deep = grandUnderSecond->add(new GameSimpleComponent());
    grandUnderFirst->setId("x");
    second->setId("x");
    grandUnderSecond->setId("y");
    first->setId("f");
    deep->setId("z");
    auto* grandUnderFirst2 = first->add(new GameSimpleComponent());
    grandUnderFirst2->setId("y");

    EXPECT_EQ(root.getComponentById("x"), second);
    // Two grandchildren share "y": the one under the earlier child wins.
    EXPECT_EQ(root.getComponentById("y"), grandUnderFirst2);
    EXPECT_EQ(root.getComponentById("z"), deep);
    EXPECT_EQ(root.getComponentById("none"), nullptr);
}

TEST(GameComponentTest, AddingStartsRemovingFinishesParentDeletionDoesNot)
{
    Counters counters;
    auto* parent = new GameSimpleComponent();
    auto* child = parent->add(new CountingComponent(counters));
    child->add(new CountingComponent(counters));
    EXPECT_EQ(counters.begun, 2);
    EXPECT_TRUE(child->isRunning());

    parent->destroy(child);
    // The child was finished; its own child went with it unfinished.
    EXPECT_EQ(counters.ended, 1);
    EXPECT_EQ(counters.deleted, 2);

    parent->add(new CountingComponent(counters));
    delete parent;
    EXPECT_EQ(counters.ended, 1);
    EXPECT_EQ(counters.deleted, 3);
}

TEST(GameComponentTest, InactiveComponentUpdatesNoChild)
{
    Counters counters;
    GameSimpleComponent parent;
    parent.add(new CountingComponent(counters));
    parent.update(0.1f);
    EXPECT_EQ(counters.updated, 1);
    parent.deactivate();
    parent.update(0.1f);
    EXPECT_EQ(counters.updated, 1);
}

TEST(GameComponentTest, MirroringReflectsOnlyPlainChildren)
{
    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    def.position.Set(4, 4);
    GameSimpleComponent parent;
    auto* plain = parent.add(new GameSimpleComponent());
    plain->setPosition({1, 2});
    plain->setRotation(0.5f);
    auto* physics = static_cast<GamePhisicsComponent*>(parent.add(new GamePhisicsComponent(world.CreateBody(&def))));
    physics->update(0);

    parent.mirrorX();
    EXPECT_EQ(parent.getShape().getScale(), sf::Vector2f(-1, 1));
    EXPECT_EQ(plain->getPosition(), math::Vector2<float>(-1, 2));
    EXPECT_FLOAT_EQ(plain->getRotation(), -0.5f);
    EXPECT_TRUE(plain->isMirroredX());
    EXPECT_EQ(plain->getShape().getScale(), sf::Vector2f(-1, 1));
    EXPECT_FALSE(physics->isMirroredX());
    EXPECT_EQ(physics->getPosition(), math::Vector2<float>(4, 4));

    parent.mirrorX();
    EXPECT_EQ(parent.getShape().getScale(), sf::Vector2f(1, 1));
    EXPECT_EQ(plain->getPosition(), math::Vector2<float>(1, 2));
}

TEST(GameComponentTest, PlainComponentIsInNoContact)
{
    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2PolygonShape box;
    box.SetAsBox(1, 1);
    b2Body* a = world.CreateBody(&def);
    a->CreateFixture(&box, 1);
    b2Body* b = world.CreateBody(&def);
    b->CreateFixture(&box, 1);
    world.Step(1.0f / 60, 8, 3);
    b2Contact* contact = world.GetContactList();
    ASSERT_NE(contact, nullptr);

    GameSimpleComponent plain;
    GamePhisicsComponent holder(a);
    EXPECT_FALSE(plain.isContactedIn(contact));
    EXPECT_FALSE(plain.hasFixture(a->GetFixtureList()));
    EXPECT_TRUE(holder.isContactedIn(contact));
    EXPECT_TRUE(holder.hasFixture(a->GetFixtureList()));
    EXPECT_FALSE(holder.hasFixture(nullptr));
    EXPECT_FALSE(holder.hasBody(nullptr));
    EXPECT_FALSE(holder.isContactedIn(nullptr));
}

} // namespace
