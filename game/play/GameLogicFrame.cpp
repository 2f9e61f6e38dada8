// The game rules, each frame: world and clocks, camera, listener, shadow,
// checkpoints, landing and the free-flight refill.
#include "game/play/GameLogic.hpp"

#include "engine/GameFloatingTextEmitter.hpp"
#include "engine/GameFramework.hpp"
#include "engine/SfmlB2Renderer.hpp"
#include "foundation/tools/StringUtils.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/CheckpointObject.hpp"
#include "game/play/MapObject.hpp"
#include "game/play/PlatformObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/model/PlayRules.hpp"
#include "game/ship/HullComponent.hpp"
#include "terrain/MapComponent.hpp"

#include <SFML/Audio/Listener.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

namespace velk {

void GameLogic::onUpdate(float dt)
{
    if (isActive()) {
        gameWorld.update(dt);
        const sf::Time step = sf::seconds(dt);
        trialTime += step;
        score = rules::drainScore(score, drainClock, step.asMicroseconds());
    }
    updateCamera(dt);
    updateShadow();
    if (actionMap.isActive('P')) {
        gameWorld.setPhisicsDebugDrawEnabled(!gameWorld.isPhisicsDebugDrawEnabled());
        if (SfmlB2Renderer* overlay = gameWorld.getPhisicsDebugDraw())
            overlay->SetFlags(b2Draw::e_shapeBit);
    }
    updateDrilling(dt);
    dropFinishedSounds();
    if (gameMode == 1) {
        updateCheckpoints(dt);
        if (!ended) {
            landed = getLandedPlatform() != nullptr;
            if (landed && actionMap.isActive('L'))
                ended = true;
        }
    } else if (ship) {
        ship->fillFuel(rules::FreeFlightRefillPerSecond * dt);
    }
}

void GameLogic::dropFinishedSounds()
{
    sounds.dropFinished(
        [](const PartComponent::Sound& sound) { return sound.sound().getStatus() != sf::SoundSource::Playing; });
}

void GameLogic::updateCamera(float dt)
{
    // Without a window the camera keeps its own aspect.
    sf::Vector2f viewSize = gameWorld.getCamera().getSize();
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    if (sfml && sfml->getWindow())
        viewSize = sfml->getRenderTarget().getView().getSize();
    updateCamera(dt, viewSize);
}

void GameLogic::updateCamera(float dt, sf::Vector2f viewSize)
{
    sf::View& camera = gameWorld.getCamera();
    const float mapWidth = mapObject && mapObject->getMap() ? mapObject->getMap()->getRealSize().x : 0.0f;
    const math::Vector2<float> size = rules::cameraSize(math::Vector2<float>(viewSize.x, viewSize.y), mapWidth);
    camera.setSize(size.x, size.y);
    if (ship)
        ship->moveCamera(camera, dt);
    if (mapObject)
        mapObject->limitCamera(camera);
    if (ship)
        sf::Listener::setPosition(ship->getPosition().x, ship->getPosition().y, 0.0f);
}

void GameLogic::updateShadow()
{
    if (!shadow || !ship || !shadow->getMainComponent())
        return;
    shadow->setPosition(ship->getPosition());
    sf::RectangleShape& shape = shadow->getMainComponent()->getShape();
    const sf::Vector2f camera = gameWorld.getCamera().getSize();
    const float s = rules::shadowScale(math::Vector2<float>(camera.x, camera.y),
                                       math::Vector2<float>(shape.getSize().x, shape.getSize().y), ship->isLampOn());
    shape.setScale(s, s);
}

void GameLogic::updateCheckpoints(float)
{
    if (!ship || !ship->isAlive() || checkpoints.empty() || !ship->hull())
        return;
    for (std::size_t i = 0; i < checkpoints.size();) {
        CheckpointObject* checkpoint = checkpoints[i];
        b2Fixture* sensor = checkpoint->getSensor();
        bool touched = false;
        if (sensor)
            for (b2ContactEdge* edge = sensor->GetBody()->GetContactList(); edge && !touched; edge = edge->next)
                touched = edge->contact->IsTouching() && ship->hull()->isContactedIn(edge->contact);
        if (!touched) {
            ++i;
            continue;
        }
        collect(checkpoint);
        checkpoints.erase(checkpoints.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void GameLogic::collect(CheckpointObject* checkpoint)
{
    score += checkpoint->getScore();
    ship->fillFuel(checkpoint->getFuel());

    GameFloatingTextEmitter::EmittingDescription text;
    text.text = tools::t2str<int>(checkpoint->getScore());
    text.scale = sf::Vector2f(2.5f, 2.5f);
    text.color = sf::Color(191, 226, 255, 255);
    text.position = sf::Vector2f(checkpoint->getPosition().x, checkpoint->getPosition().y);
    text.movement = sf::Vector2f(0.0f, 3.0f);
    text.startAlpha = 255;
    text.endAlpha = 0;
    text.lifetime = sf::seconds(1.0f);
    gameWorld.floatingTextEmitter()->emittMessage(text);

    playBummSound(sCheckpointScoreFile, 1.0f, checkpoint->getPosition());
    gameWorld.destroy(checkpoint);
}

PlatformObject* GameLogic::getLandedPlatform() const
{
    if (!ship || !ship->hull() || !ship->hull()->getBody())
        return nullptr;
    const b2Body* hull = ship->hull()->getBody();
    for (PlatformObject* platform : platforms) {
        b2Body* body = platform->getBody();
        if (!body)
            continue;
        for (b2ContactEdge* edge = body->GetContactList(); edge; edge = edge->next) {
            if (!edge->contact->IsTouching() || !ship->isContactedIn(edge->contact))
                continue;
            rules::LandingProbe probe;
            probe.shipPosition = ship->getPosition();
            probe.platformPosition = platform->getPosition();
            probe.hullVelocity = math::Vector2<float>(hull->GetLinearVelocity().x, hull->GetLinearVelocity().y);
            probe.hullAngularVelocity = hull->GetAngularVelocity();
            if (rules::isResting(probe))
                return platform;
        }
    }
    return nullptr;
}

void GameLogic::postDraw(sf::RenderTarget& target, sf::RenderStates states) const
{
    states.transform = sf::Transform::Identity;
    target.draw(sparkSystem, states);
    target.draw(smokeSystem, states);
}

} // namespace velk
