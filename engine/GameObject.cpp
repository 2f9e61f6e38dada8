#include "engine/GameObject.hpp"

#include "engine/GameComponent.hpp"
#include "engine/GameObjectDrawer.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameSimpleComponent.hpp"
#include "engine/GameWorld.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

GameObject::GameObject() : tools::Activable(true), tools::Visible(true)
{
    GameComponentSet::addListener(this);
}

GameObject::~GameObject()
{
    // Components still here are deleted without being finished.
    destructing = true;
    mainComponent = nullptr;
    GameComponentSet::clear();
}

void GameObject::onResourceCreated(GameComponent* component)
{
    if (destructing)
        return;
    component->setObject(this);
    component->start();
}

void GameObject::onResourceDestroying(GameComponent* component)
{
    if (destructing)
        return;
    component->finish();
}

void GameObject::forgetComponent(const GameComponent* component)
{
    if (mainComponent == component)
        mainComponent = nullptr;
}

void GameObject::removeAllComponents()
{
    while (!getResources().empty())
        destroy(getResources().front());
    // The components took their bodies with them; names of those bodies must
    // not bind the components of a later load.
    phisics.clear();
}

void GameObject::onBegin() {}

void GameObject::onEnd()
{
    removeAllComponents();
}

void GameObject::onUpdate(float dt)
{
    if (!isActive())
        return;
    // By index: an update may add or remove components.
    const auto& list = getResources();
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i]->update(dt);
    if (mainComponent) {
        position = mainComponent->getPosition();
        rotation = mainComponent->getRotation();
    }
}

void GameObject::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!isVisible())
        return;
    const float degrees = static_cast<float>(rotation * GameComponent::RadToScreenDeg);
    states.transform.translate(position.x, -position.y).rotate(degrees);
    preDraw(target, states);
    for (const GameComponent* component : getResources())
        target.draw(*component, states);
    postDraw(target, states);
}

void GameObject::preDraw(sf::RenderTarget& target, sf::RenderStates states) const
{
    for (std::size_t i = 0; i < drawers.size(); ++i)
        drawers[i]->preDraw(target, states);
}

void GameObject::postDraw(sf::RenderTarget& target, sf::RenderStates states) const
{
    for (std::size_t i = 0; i < drawers.size(); ++i)
        drawers[i]->postDraw(target, states);
}

void GameObject::addDrawer(GameObjectDrawer* drawer)
{
    if (drawer && std::find(drawers.begin(), drawers.end(), drawer) == drawers.end())
        drawers.push_back(drawer);
}

void GameObject::removeDrawer(GameObjectDrawer* drawer)
{
    const auto it = std::find(drawers.begin(), drawers.end(), drawer);
    if (drawer && it != drawers.end())
        drawers.erase(it);
}

void GameObject::onMoved(const math::Vector2<float>& d)
{
    // Plain components are relative to the object; bodies are in the world.
    for (GameComponent* component : getResources())
        if (auto* physics = dynamic_cast<GamePhisicsComponent*>(component)) {
            physics->position += d;
            physics->onMoved(d);
        }
}

void GameObject::onRotated(float d)
{
    for (GameComponent* component : getResources())
        if (auto* physics = dynamic_cast<GamePhisicsComponent*>(component)) {
            physics->rotation += d;
            physics->onRotated(d);
        }
}

void GameObject::onMirroredX()
{
    const float theta = rotation;
    const math::Vector2<float> axis(-std::sin(theta), std::cos(theta));
    const math::Vector2<float> o = position;
    for (GameComponent* c : getResources()) {
        c->mirrorX();
        if (auto* physics = dynamic_cast<GamePhisicsComponent*>(c)) {
            const math::Vector2<float> p = physics->position;
            const math::Vector2<float> r = p - o;
            const float t = (axis.x * r.x + axis.y * r.y) / (axis.x * axis.x + axis.y * axis.y);
            const math::Vector2<float> reflected = 2.0f * t * axis - r;
            const math::Vector2<float> target = o + reflected;
            physics->position = target;
            physics->onMoved(target - p);
            if (b2Body* body = physics->getBody()) {
                const b2Rot& q = body->GetTransform().q;
                body->SetTransform(body->GetPosition(), std::atan2(q.s, q.c) + 2.0f * (theta - physics->rotation));
            }
            physics->update(0.0f);
        } else if (auto* simple = dynamic_cast<GameSimpleComponent*>(c)) {
            const float x = simple->position.x;
            simple->position.x = -x;
            simple->onMoved(math::Vector2<float>(-2.0f * x, 0.0f));
            const float angle = simple->rotation;
            simple->rotation = -angle;
            simple->onRotated(-2.0f * angle);
            simple->update(0.0f);
        }
    }
}

GameComponent* GameObject::getComponentByBody(b2Body* body) const
{
    if (!body)
        return nullptr;
    for (GameComponent* component : getResources())
        if (component->hasBody(body))
            return component;
    return nullptr;
}

bool GameObject::hasBody(b2Body* body) const
{
    return getComponentByBody(body) != nullptr;
}

GameComponent* GameObject::getComponentByFixture(b2Fixture* fixture) const
{
    return fixture ? getComponentByBody(fixture->GetBody()) : nullptr;
}

bool GameObject::hasFixture(b2Fixture* fixture) const
{
    return getComponentByFixture(fixture) != nullptr;
}

std::vector<GameComponent*> GameObject::getComponentsByContact(b2Contact* contact) const
{
    std::vector<GameComponent*> found;
    if (!contact)
        return found;
    for (GameComponent* component : getResources())
        if (component->isContactedIn(contact))
            found.push_back(component);
    return found;
}

bool GameObject::isContactedIn(b2Contact* contact) const
{
    return !getComponentsByContact(contact).empty();
}

sf::Texture* GameObject::getTexture()
{
    return world ? world->texCache().acquire(textureKey).get() : nullptr;
}

const sf::Texture* GameObject::getTexture() const
{
    return world ? const_cast<GameWorld*>(world)->texCache().acquire(textureKey).get() : nullptr;
}

void GameObject::setMainComponent(GameComponent* component)
{
    if (component && component->getObject() == this)
        mainComponent = component;
}

void GameObject::setMaskColor(const sf::Color& color)
{
    maskColor = color;
    updateMaskColor();
}

void GameObject::updateMaskColor()
{
    setMaskColorInSet(this, maskColor);
}
