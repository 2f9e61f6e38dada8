// The game rules' impacts: a sound per ship part that hits the terrain and per
// platform hit, hull damage when the hull alone takes the blow, and the queue
// of one-shot sounds.
#include "game/play/GameLogic.hpp"

#include "engine/GameFramework.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/MapObject.hpp"
#include "game/play/PlatformObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/model/PlayRules.hpp"
#include "game/ship/HullComponent.hpp"

namespace velk {

void GameLogic::PreSolve(b2Contact* contact, const b2Manifold* oldManifold)
{
    if (!contact || !oldManifold)
        return;
    b2PointState before[b2_maxManifoldPoints];
    b2PointState now[b2_maxManifoldPoints];
    b2GetPointStates(before, now, oldManifold, contact->GetManifold());
    // Only a point that has just begun to touch is an impact.
    int index = -1;
    if (now[0] == b2_addState)
        index = 0;
    else if (now[1] == b2_addState)
        index = 1;
    if (index < 0)
        return;

    b2WorldManifold manifold;
    contact->GetWorldManifold(&manifold);
    const b2Vec2 point = manifold.points[index];
    const b2Body* a = contact->GetFixtureA()->GetBody();
    const b2Body* b = contact->GetFixtureB()->GetBody();
    const float speed = b2Dot(a->GetLinearVelocityFromWorldPoint(point) - b->GetLinearVelocityFromWorldPoint(point),
                              manifold.normal);
    if (!rules::isImpact(speed))
        return;
    const float volume = rules::impactVolume(speed);
    const math::Vector2<float> where(point.x, point.y);

    const std::vector<GameComponent*> parts = ship ? ship->getComponentsByContact(contact)
                                                   : std::vector<GameComponent*>();
    const GameComponent* hull = ship ? ship->hull() : nullptr;
    if (mapObject && mapObject->isContactedIn(contact))
        for (GameComponent* part : parts) {
            if (part == hull)
                playBummSound(sHullGroundBummFile, volume, where);
            else
                playBummSound(sPartGroundBummFile, rules::partImpactFactor(volume, sounds.size()), where);
        }
    for (PlatformObject* platform : platforms)
        if (platform->isContactedIn(contact))
            playBummSound(sPlatformGroundBummFile, rules::platformImpactFactor(volume, sounds.size()), where);
    if (parts.size() == 1 && parts.front() == hull)
        ship->damageShip(rules::hullDamage(speed));
}

void GameLogic::playBummSound(const std::string& file, float factor, const math::Vector2<float>& position)
{
    // A file that cannot be loaded gives a silent buffer (logged once by the cache).
    auto sound = std::make_unique<PartComponent::Sound>(file, gameWorld.sndCache());
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    sound->setVolume(rules::oneShotVolume(factor, sfml ? sfml->getSoundVolume() : 100.0f));
    sf::Sound& s = sound->sound();
    if (file == sCheckpointScoreFile) {
        s.setRelativeToListener(true);
    } else {
        s.setRelativeToListener(false);
        s.setPosition(position.x, position.y, 0.0f);
        s.setAttenuation(0.1f);
    }
    s.play();
    sounds.push(std::move(sound));
}

} // namespace velk
