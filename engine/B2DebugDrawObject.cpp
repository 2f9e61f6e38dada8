#include "engine/B2DebugDrawObject.hpp"

#include "engine/GameFramework.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/sfml/SfmlFramework.hpp"

B2DebugDrawObject::B2DebugDrawObject()
{
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    if (sfml && sfml->getWindow())
        renderer = std::make_unique<SfmlB2Renderer>(sfml->getRenderTarget());
    else
        tools::log("B2DebugDrawObject", "No window: the physics overlay draws nothing");
}

B2DebugDrawObject::~B2DebugDrawObject() = default;

void B2DebugDrawObject::onBegin()
{
    GameObject::onBegin();
    if (getWorld())
        getWorld()->getB2World()->SetDebugDraw(renderer.get());
}

void B2DebugDrawObject::onEnd()
{
    if (getWorld())
        getWorld()->getB2World()->SetDebugDraw(nullptr);
}

void B2DebugDrawObject::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    (void)target;
    (void)states;
    // Box2D calls back into the renderer, which draws on its own target.
    if (isActive() && renderer && getWorld())
        const_cast<GameWorld*>(getWorld())->getB2World()->DebugDraw();
}
