#include "engine/GamePhisicsComponent.hpp"

#include "engine/GameObject.hpp"
#include "engine/GameWorld.hpp"
#include "physics/B2Mirror.hpp"

#include <box2d/box2d.h>

#include <cmath>
#include <cstdint>

namespace {

/// The body's angle brought into (-pi, pi].
float normalisedAngle(const b2Body* body)
{
    const b2Rot& q = body->GetTransform().q;
    return std::atan2(q.s, q.c);
}

} // namespace

GamePhisicsComponent::GamePhisicsComponent(b2Body* body)
{
    setBody(body);
}

GamePhisicsComponent::~GamePhisicsComponent()
{
    destroyBody();
}

void GamePhisicsComponent::setBody(b2Body* newBody)
{
    body = newBody;
    if (body)
        body->GetUserData().pointer = reinterpret_cast<std::uintptr_t>(static_cast<GameComponent*>(this));
}

void GamePhisicsComponent::destroyBody()
{
    if (!body)
        return;
    // Normally the owner's world; a component outside any world still
    // destroys its body, through the world the body lives in.
    GameWorld* world = getWorld();
    b2World* b2 = world ? world->getB2World() : body->GetWorld();
    b2->DestroyBody(body);
    body = nullptr;
}

void GamePhisicsComponent::onUpdate(float dt)
{
    if (body) {
        const b2Vec2& p = body->GetPosition();
        position = math::Vector2<float>(p.x, p.y);
        rotation = body->GetAngle();
    }
    GameComponent::onUpdate(dt);
}

void GamePhisicsComponent::onMoved(const math::Vector2<float>& d)
{
    if (!body)
        return;
    body->SetTransform(body->GetPosition() + b2Vec2(d.x, d.y), normalisedAngle(body));
}

void GamePhisicsComponent::onRotated(float d)
{
    if (!body)
        return;
    body->SetTransform(body->GetPosition(), normalisedAngle(body) + d);
    const GameObject* object = getObject();
    if (!object)
        return;
    // A rigid piece of its object: it turns about the object's position.
    const math::Vector2<float> o = object->getPosition();
    const math::Vector2<float> p = position;
    const float c = std::cos(d);
    const float s = std::sin(d);
    const math::Vector2<float> turned(o.x + (p.x - o.x) * c - (p.y - o.y) * s, o.y + (p.x - o.x) * s + (p.y - o.y) * c);
    position = turned;
    onMoved(turned - p);
}

void GamePhisicsComponent::onMirroredX()
{
    GameComponent::onMirroredX();
    if (!body)
        return;
    // The object's scene knows which of the body's distance joints are ropes.
    const GameObject* object = getObject();
    mirrorb2BodyX(body, object ? &object->getPhisics() : nullptr);
}

void GamePhisicsComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    states.transform = sf::Transform::Identity;
    GameComponent::draw(target, states);
}

bool GamePhisicsComponent::hasBody(b2Body* candidate) const
{
    return candidate && candidate == body;
}
