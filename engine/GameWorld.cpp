#include "engine/GameWorld.hpp"

#include "engine/B2DebugDrawObject.hpp"
#include "engine/GameFloatingTextEmitter.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameObject.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

class GameWorld::Walk {
public:
    explicit Walk(const GameWorld& world) : world(world) { ++world.walkDepth; }
    ~Walk() { world.endWalk(); }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

private:
    const GameWorld& world;
};

namespace {

SfmlFramework* sfmlLayer()
{
    return GameFramework::Singleton.getSfmlFramework();
}

} // namespace

std::pair<int, int> GameWorld::solverIterations(unsigned fps)
{
    if (fps < 45)
        return {30, 15};
    if (fps < 60)
        return {20, 10};
    return {10, 5};
}

GameWorld::GameWorld(b2Vec2 gravity) : b2(std::make_unique<b2World>(gravity))
{
    ResourceSet<GameObject>::addListener(this);
    emitter = new GameFloatingTextEmitter();
    add(emitter);
}

GameWorld::~GameWorld()
{
    // Objects first: their components destroy their bodies in the live b2World.
    while (!getResources().empty())
        destroy(getResources().front());
    b2->SetContactListener(nullptr);
    b2.reset();
}

bool GameWorld::deferDestroy(GameObject* object)
{
    if (walkDepth == 0)
        return false;
    if (removedInWalk.insert(object).second) {
        pendingRemovals.push_back(object);
        if (object == emitter)
            emitter = nullptr;
        if (object == debugDraw)
            debugDraw = nullptr;
    }
    return true;
}

void GameWorld::endWalk() const
{
    if (--walkDepth > 0)
        return;
    removedInWalk.clear();
    // A draw is a walk too; the world itself is never a constant object.
    auto& self = const_cast<GameWorld&>(*this);
    while (!pendingRemovals.empty()) {
        GameObject* object = pendingRemovals.front();
        pendingRemovals.erase(pendingRemovals.begin());
        self.destroy(object);
    }
}

void GameWorld::onResourceCreated(GameObject* object)
{
    object->world = this;
    object->start();
}

void GameWorld::onResourceDestroying(GameObject* object)
{
    if (walkDepth > 0)
        removedInWalk.insert(object);
    if (object == emitter)
        emitter = nullptr;
    if (object == debugDraw)
        debugDraw = nullptr;
    object->finish();
}

void GameWorld::onUpdate(float dt)
{
    const SfmlFramework* sfml = sfmlLayer();
    const auto [velocity, positions] = solverIterations(sfml ? sfml->getFPS() : SfmlFramework::DefaultFps);
    // The step is part of the walk: a contact listener that removes an object
    // must not destroy bodies while Box2D is stepping (it asserts on that).
    const Walk walk(*this);
    b2->Step(dt, velocity, positions);
    for (GameObject* object : snapshot())
        if (!removedDuringWalk(object))
            object->update(dt);
}

void GameWorld::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    target.pushGLStates();
    target.resetGLStates();
    const sf::View kept = target.getView();
    target.setView(camera);
    {
        const Walk walk(*this);
        for (GameObject* object : snapshot()) {
            if (removedDuringWalk(object) || object == emitter || object == debugDraw)
                continue;
            target.draw(*object, states);
        }
        // Looked up again: drawing may have removed either of them.
        if (emitter && emitter->isVisible())
            target.draw(*emitter, states);
        if (debugDraw && debugDraw->isVisible())
            target.draw(*debugDraw, states);
    }
    target.setView(kept);
    target.popGLStates();
}

float GameWorld::getPixelUnit() const
{
    const SfmlFramework* sfml = sfmlLayer();
    if (!sfml || !sfml->getWindow())
        return 0.0f;
    return getPixelUnit(sfml->getRenderTarget().getSize().x);
}

float GameWorld::getPixelUnit(unsigned targetWidth) const
{
    return static_cast<float>(targetWidth) * camera.getViewport().width / camera.getSize().x;
}

void GameWorld::setDefaultFont(const std::string& path)
{
    defaultFont = std::make_unique<fx::AssetKey<sf::Font>>(fx::fileKey<sf::Font>(path));
}

sf::Font* GameWorld::getDefaultFont()
{
    return defaultFont ? fonts.acquire(*defaultFont).get() : nullptr;
}

const sf::Font* GameWorld::getDefaultFont() const
{
    return defaultFont ? fonts.find(*defaultFont).get() : nullptr;
}

void GameWorld::enablePhisicsDebugDraw()
{
    if (debugDraw)
        return;
    auto* overlay = new B2DebugDrawObject();
    add(overlay);
    debugDraw = overlay;
}

void GameWorld::disablePhisicsDebugDraw()
{
    if (debugDraw)
        destroy(debugDraw);
    debugDraw = nullptr;
}

void GameWorld::setPhisicsDebugDrawEnabled(bool enabled)
{
    if (enabled)
        enablePhisicsDebugDraw();
    else
        disablePhisicsDebugDraw();
}

SfmlB2Renderer* GameWorld::getPhisicsDebugDraw()
{
    return debugDraw ? debugDraw->getPhisicsRenderer() : nullptr;
}

const SfmlB2Renderer* GameWorld::getPhisicsDebugDraw() const
{
    return debugDraw ? static_cast<const B2DebugDrawObject*>(debugDraw)->getPhisicsRenderer() : nullptr;
}

void GameWorld::enablePhisicsContactListening()
{
    setPhisicsContactListeningEnabled(true);
}

void GameWorld::disablePhisicsContactListening()
{
    setPhisicsContactListeningEnabled(false);
}

void GameWorld::setPhisicsContactListeningEnabled(bool enabled)
{
    if (enabled == contactListening)
        return;
    contactListening = enabled;
    b2->SetContactListener(enabled ? this : nullptr);
}

void GameWorld::addPhisicsContactListener(b2ContactListener* listener)
{
    if (listener && std::find(contactListeners.begin(), contactListeners.end(), listener) == contactListeners.end())
        contactListeners.push_back(listener);
}

void GameWorld::removePhisicsContactListener(b2ContactListener* listener)
{
    const auto it = std::find(contactListeners.begin(), contactListeners.end(), listener);
    if (it != contactListeners.end())
        contactListeners.erase(it);
}

// Fan-out by index, reading the length again: a listener may remove itself.
void GameWorld::BeginContact(b2Contact* contact)
{
    for (std::size_t i = 0; i < contactListeners.size(); ++i)
        contactListeners[i]->BeginContact(contact);
}

void GameWorld::EndContact(b2Contact* contact)
{
    for (std::size_t i = 0; i < contactListeners.size(); ++i)
        contactListeners[i]->EndContact(contact);
}

void GameWorld::PreSolve(b2Contact* contact, const b2Manifold* oldManifold)
{
    for (std::size_t i = 0; i < contactListeners.size(); ++i)
        contactListeners[i]->PreSolve(contact, oldManifold);
}

void GameWorld::PostSolve(b2Contact* contact, const b2ContactImpulse* impulse)
{
    for (std::size_t i = 0; i < contactListeners.size(); ++i)
        contactListeners[i]->PostSolve(contact, impulse);
}
