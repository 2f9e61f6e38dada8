#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameObject.hpp"
#include "engine/GameSimpleComponent.hpp"
#include "engine/GameWorld.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float Pi = 3.14159265358979f;

class GamePhisicsComponentTest : public ::testing::Test {
protected:
    b2Body* makeBody(float x, float y, float angle)
    {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.position.Set(x, y);
        def.angle = angle;
        b2Body* body = world.CreateBody(&def);
        b2PolygonShape box;
        box.SetAsBox(0.5f, 0.25f, b2Vec2(1, 0), 0);
        body->CreateFixture(&box, 1);
        return body;
    }

    b2World world{b2Vec2(0, 0)};
};

TEST_F(GamePhisicsComponentTest, FollowsBodyAlsoWhenInactive)
{
    GamePhisicsComponent component(makeBody(3, 4, 0.25f));
    EXPECT_EQ(reinterpret_cast<GameComponent*>(component.getBody()->GetUserData().pointer), &component);
    component.deactivate();
    component.update(0.0f);
    EXPECT_EQ(component.getPosition(), math::Vector2<float>(3, 4));
    EXPECT_FLOAT_EQ(component.getRotation(), 0.25f);
}

TEST_F(GamePhisicsComponentTest, MovingMovesBodyAndNormalisesAngle)
{
    GamePhisicsComponent component(makeBody(3, 4, 7.0f));
    component.update(0.0f);
    component.setPosition({4, 4});
    EXPECT_FLOAT_EQ(component.getBody()->GetPosition().x, 4.0f);
    EXPECT_FLOAT_EQ(component.getBody()->GetPosition().y, 4.0f);
    EXPECT_NEAR(component.getBody()->GetAngle(), 7.0f - 2.0f * Pi, 1e-5f);
}

TEST_F(GamePhisicsComponentTest, TurningCarriesItAboutItsObject)
{
    GameObject object;
    auto* component = static_cast<GamePhisicsComponent*>(object.add(new GamePhisicsComponent(makeBody(2, 0, 0))));
    component->update(0.0f);
    component->rotate(Pi / 2);
    EXPECT_NEAR(component->getPosition().x, 0.0f, 1e-5f);
    EXPECT_NEAR(component->getPosition().y, 2.0f, 1e-5f);
    EXPECT_NEAR(component->getBody()->GetPosition().x, 0.0f, 1e-5f);
    EXPECT_NEAR(component->getBody()->GetPosition().y, 2.0f, 1e-5f);
    EXPECT_NEAR(component->getBody()->GetAngle(), Pi / 2, 1e-5f);
}

TEST_F(GamePhisicsComponentTest, TurningWithoutOwnerTurnsInPlace)
{
    GamePhisicsComponent component(makeBody(2, 0, 0));
    component.update(0.0f);
    component.rotate(1.0f);
    EXPECT_EQ(component.getPosition(), math::Vector2<float>(2, 0));
    EXPECT_FLOAT_EQ(component.getBody()->GetPosition().x, 2.0f);
    EXPECT_FLOAT_EQ(component.getBody()->GetAngle(), 1.0f);
}

TEST_F(GamePhisicsComponentTest, NullBodyChangesOnlyItsOwnFields)
{
    GameObject object;
    auto* component = object.add(new GamePhisicsComponent(nullptr));
    component->setPosition({2, 0});
    component->rotate(1.0f);
    component->update(0.1f);
    component->mirrorX();
    EXPECT_EQ(component->getPosition(), math::Vector2<float>(2, 0));
    EXPECT_FLOAT_EQ(component->getRotation(), 1.0f);
    EXPECT_EQ(world.GetBodyCount(), 0);
}

TEST_F(GamePhisicsComponentTest, BodyDiesWithComponentEvenOutsideAnyWorld)
{
    // No owner, and an owner that is in no world: the body's own world is used.
    auto* loose = new GamePhisicsComponent(makeBody(0, 0, 0));
    GameObject object;
    auto* owned = object.add(new GamePhisicsComponent(makeBody(1, 0, 0)));
    ASSERT_EQ(world.GetBodyCount(), 2);
    delete loose;
    EXPECT_EQ(world.GetBodyCount(), 1);
    object.destroy(owned);
    EXPECT_EQ(world.GetBodyCount(), 0);

    GamePhisicsComponent explicitDestroy(makeBody(0, 0, 0));
    explicitDestroy.destroyBody();
    explicitDestroy.destroyBody();
    EXPECT_EQ(explicitDestroy.getBody(), nullptr);
    EXPECT_EQ(world.GetBodyCount(), 0);
}

TEST_F(GamePhisicsComponentTest, BodyOfAWorldObjectDiesThroughTheWorld)
{
    GameWorld gameWorld(b2Vec2(0, 0));
    auto* object = gameWorld.add(new GameObject());
    b2BodyDef def;
    object->add(new GamePhisicsComponent(gameWorld.getB2World()->CreateBody(&def)));
    ASSERT_EQ(gameWorld.getB2World()->GetBodyCount(), 1);
    gameWorld.destroy(object);
    EXPECT_EQ(gameWorld.getB2World()->GetBodyCount(), 0);
}

TEST_F(GamePhisicsComponentTest, MirroringTogglesScaleAndMirrorsFixtures)
{
    GamePhisicsComponent component(makeBody(3, 4, 0));
    component.update(0.0f);
    component.mirrorX();
    EXPECT_EQ(component.getShape().getScale(), sf::Vector2f(-1, 1));
    EXPECT_EQ(component.getPosition(), math::Vector2<float>(3, 4));
    const auto* box = static_cast<const b2PolygonShape*>(component.getBody()->GetFixtureList()->GetShape());
    EXPECT_FLOAT_EQ(box->m_centroid.x, -1.0f);
}

TEST_F(GamePhisicsComponentTest, SetBodyLinksTheNewBodyOnly)
{
    b2Body* first = makeBody(0, 0, 0);
    b2Body* second = makeBody(1, 0, 0);
    GamePhisicsComponent component(first);
    component.setBody(second);
    EXPECT_TRUE(component.hasBody(second));
    EXPECT_FALSE(component.hasBody(first));
    EXPECT_EQ(reinterpret_cast<GameComponent*>(second->GetUserData().pointer), &component);
    EXPECT_EQ(world.GetBodyCount(), 2);
}

} // namespace
