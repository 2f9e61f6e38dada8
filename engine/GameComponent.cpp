#include "engine/GameComponent.hpp"

#include "engine/GameObject.hpp"
#include "engine/GameSimpleComponent.hpp"
#include "foundation/json/Value2Vec.hpp"
#include "framework/sfml/SfmlConversions.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <box2d/box2d.h>

GameComponent::GameComponent() : tools::Activable(true), tools::Visible(true)
{
    GameComponentSet::addListener(this);
}

GameComponent::~GameComponent()
{
    // The object must never keep pointing at a deleted main component, however
    // the component goes: removed, reloaded, or deleted with its parent.
    if (owner)
        owner->forgetComponent(this);
    dying = true;
    GameComponentSet::clear();
}

void GameComponent::setObject(GameObject* object)
{
    owner = object;
    for (GameComponent* child : getResources())
        child->setObject(object);
}

void GameComponent::onResourceCreated(GameComponent* child)
{
    if (dying)
        return;
    child->setObject(owner);
    child->start();
}

void GameComponent::onResourceDestroying(GameComponent* child)
{
    if (dying)
        return;
    child->finish();
}

GameWorld* GameComponent::getWorld()
{
    return owner ? owner->getWorld() : nullptr;
}

const GameWorld* GameComponent::getWorld() const
{
    return owner ? owner->getWorld() : nullptr;
}

void GameComponent::parseFromValue(const json::Value& value)
{
    if (!value.isObject())
        return;
    const auto& members = value.objectValue();
    const auto find = [&members](const char* key) -> const json::Value* {
        const auto it = members.find(key);
        return it != members.end() ? &it->second : nullptr;
    };

    if (const json::Value* v = find("Id"); v && v->isString())
        id = v->stringValue();
    // Only an owned component can be an object's main component.
    if (const json::Value* v = find("Main"); v && v->isBool() && v->boolValue() && owner)
        owner->mainComponent = this;
    if (const json::Value* v = find("Mask"); v && v->isBool())
        mask = v->boolValue();
    if (const json::Value* v = find("Position"))
        position = json::value2vec<float>(*v);
    if (const json::Value* v = find("Rotation"); v && v->isNumber())
        rotation = static_cast<float>(v->isFloat() ? v->floatValue() : static_cast<double>(v->integerValue()));
    if (const json::Value* v = find("Size"))
        shape.setSize(mvec2svec(json::value2vec<float>(*v)));
    if (const json::Value* v = find("Origin"))
        shape.setOrigin(mvec2svec(json::value2vec<float>(*v)));
    if (const json::Value* v = find("Properties"); v && v->isObject())
        for (const auto& [key, entry] : v->objectValue())
            if (entry.isString())
                props[key] = entry.stringValue();
}

void GameComponent::onMirroredX()
{
    shape.setScale(isMirroredX() ? -1.0f : 1.0f, 1.0f);
    // Physics children are mirrored by their object; only plain ones here.
    for (GameComponent* child : getResources()) {
        auto* simple = dynamic_cast<GameSimpleComponent*>(child);
        if (!simple)
            continue;
        simple->mirrorX();
        const float x = simple->position.x;
        simple->position.x = -x;
        simple->onMoved(math::Vector2<float>(-2.0f * x, 0.0f));
        const float angle = simple->rotation;
        simple->rotation = -angle;
        simple->onRotated(-2.0f * angle);
    }
}

void GameComponent::onUpdate(float dt)
{
    if (!isActive())
        return;
    // By index: a child's update may add or remove siblings.
    const auto& list = getResources();
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i]->update(dt);
}

void GameComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!isVisible())
        return;
    const float degrees = static_cast<float>(rotation * RadToScreenDeg);
    states.transform.translate(rvec2svec(position)).rotate(degrees);
    target.draw(shape, states);
    for (const GameComponent* child : getResources())
        target.draw(*child, states);
}

bool GameComponent::hasBody(b2Body* body) const
{
    (void)body;
    return false;
}

bool GameComponent::hasFixture(b2Fixture* fixture) const
{
    return fixture && hasBody(fixture->GetBody());
}

bool GameComponent::isContactedIn(b2Contact* contact) const
{
    return contact && (hasFixture(contact->GetFixtureA()) || hasFixture(contact->GetFixtureB()));
}
