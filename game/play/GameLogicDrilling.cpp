// The game rules' drilling: one drilling per drill head touching the terrain,
// its sparks and grinding sound, a hole per drill time with dust and a thud.
#include "game/play/GameLogic.hpp"

#include "engine/GameFramework.hpp"
#include "framework/fx/Particle.hpp"
#include "framework/fx/Random.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/MapObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/model/PlayRules.hpp"
#include "game/ship/DrillComponent.hpp"
#include "terrain/MapComponent.hpp"

#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace velk {

const fx::Distribution<float> randomGenerator = fx::uniform(0.0f, 100.0f);

const sf::Color SparkColors[4] = {
    sf::Color(255, 248, 226, 255),
    sf::Color(217, 164, 4, 255),
    sf::Color(242, 145, 61, 255),
    sf::Color(191, 90, 15, 255),
};

namespace {

float soundSetting()
{
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    return sfml ? sfml->getSoundVolume() : 100.0f;
}

} // namespace

unsigned int genSpackIndex()
{
    return rules::sparkIndexFor(randomGenerator());
}

void affectSparkColor(fx::Particle& particle, sf::Time)
{
    const float remaining = fx::remainingRatio(particle);
    particle.color = fx::blendColors(SparkColors[particle.textureIndex % 4], SparkColors[0],
                                     remaining * remaining * remaining);
}

GameLogic::Drilling::Drilling(DrillComponent* drill, const std::string& soundFile,
                              fx::AssetCache<sf::SoundBuffer>& cache)
    : drill(drill), sound(soundFile, cache)
{
    emitter.setEmissionRate(200.0f);
    emitter.setParticleLifetime(fx::uniform(sf::seconds(1.0f), sf::seconds(2.0f)));
    emitter.setParticleScale(sf::Vector2f(0.02f, 0.02f));
    emitter.setParticleTextureIndex(fx::Distribution<unsigned>(genSpackIndex));
    sound.setVolume(soundSetting());
    sound.sound().setLoop(true);
    sound.sound().setRelativeToListener(false);
    sound.sound().setAttenuation(0.1f);
    sound.sound().play();
}

GameLogic::Drilling::~Drilling()
{
    sound.sound().stop();
}

void GameLogic::Drilling::onUpdate(float dt)
{
    emitter.setParticlePosition(rvec2svec(getPosition()));
    emitter.setParticleVelocity(fx::deflect(rvec2svec(normal) * 10.0f, 40.0f));
    clock.advance(dt);
    sound.sound().setPosition(getPosition().x, getPosition().y, 0.0f);
}

bool GameLogic::Drilling::isDone() const
{
    return clock.isDue(drill->getDrillTime());
}

bool GameLogic::Drilling::takeHole()
{
    return clock.takeHole(drill->getDrillTime());
}

GameLogic::Drilling* GameLogic::getDrilling(DrillComponent* drill)
{
    for (const std::unique_ptr<Drilling>& drilling : drillings)
        if (drilling->getDrill() == drill)
            return drilling.get();
    drillings.push_back(std::make_unique<Drilling>(drill, sDrillLoopFile, gameWorld.sndCache()));
    return drillings.back().get();
}

void GameLogic::updateDrilling(float dt)
{
    std::map<b2Fixture*, DrillComponent*> heads;
    if (ship)
        for (DrillComponent* drill : ship->getActiveDrills())
            if (b2Fixture* head = drill->getDrillHeadFixture())
                heads[head] = drill;

    std::set<Drilling*> matched;
    MapComponent* terrain = mapObject ? mapObject->getMap() : nullptr;
    if (!heads.empty() && terrain) {
        // The terrain's fixtures are spread over several bodies.
        for (b2Body* body : terrain->getBodies())
            for (b2ContactEdge* edge = body->GetContactList(); edge; edge = edge->next) {
                b2Contact* contact = edge->contact;
                if (!contact->IsTouching())
                    continue;
                auto head = heads.find(contact->GetFixtureA());
                if (head == heads.end())
                    head = heads.find(contact->GetFixtureB());
                if (head == heads.end() || !(head->second->getDrillHeadRadius() > 0.0f))
                    continue;
                const int points = contact->GetManifold()->pointCount;
                if (points <= 0)
                    continue;
                b2WorldManifold manifold;
                contact->GetWorldManifold(&manifold);
                const b2Vec2 point = points == 1 ? manifold.points[0]
                                                 : 0.5f * (manifold.points[0] + manifold.points[1]);
                Drilling* drilling = getDrilling(head->second);
                drilling->setPosition(math::Vector2<float>(point.x, point.y));
                drilling->setNormal(math::Vector2<float>(manifold.normal.x, manifold.normal.y));
                matched.insert(drilling);
            }
    }

    for (auto it = drillings.begin(); it != drillings.end();)
        it = matched.count(it->get()) ? it + 1 : drillings.erase(it);
    for (const std::unique_ptr<Drilling>& drilling : drillings)
        drilling->update(dt);

    sparkSystem.clearEmitters();
    for (const std::unique_ptr<Drilling>& drilling : drillings)
        sparkSystem.addEmitter(std::ref(drilling->getEmitter()));

    for (const std::unique_ptr<Drilling>& drilling : drillings) {
        if (!drilling->takeHole())
            continue;
        drill(drilling->getPosition(), drilling->getDrill()->getDrillHeadRadius());
        playBummSound(sDrillFallBummFile, soundSetting(), drilling->getPosition());
    }

    sparkSystem.update(sf::seconds(dt));
    smokeSystem.update(sf::seconds(dt));
}

void GameLogic::drill(const math::Vector2<float>& position, float radius)
{
    if (!(radius > 0.0f) || !mapObject || !mapObject->getMap())
        return;
    mapObject->getMap()->drill(position, radius);
    emitHoleDust(position, radius);
}

void GameLogic::emitHoleDust(const math::Vector2<float>& position, float radius)
{
    // Each hole's dust lives as long as its own size suggests.
    const float base = rules::dustLifetimeBase(radius);
    if (!(base > 0.0f))
        return;
    fx::Emitter dust;
    dust.setEmissionRate(rules::dustEmissionRate(radius));
    dust.setParticleLifetime(fx::uniform(sf::seconds(0.5f * base), sf::seconds(1.25f * base)));
    dust.setParticleScale(sf::Vector2f(0.05f, 0.05f));
    dust.setParticlePosition(rvec2svec(position));
    dust.setParticleVelocity(fx::deflect(sf::Vector2f(radius / base, 0.0f), 360.0f));
    dust.setParticleRotation(fx::uniform(0.0f, 360.0f));
    dust.setParticleRotationSpeed(fx::uniform(-100.0f, 100.0f));
    dust.setParticleColor(sf::Color(200, 200, 200, 255));
    smokeSystem.addEmitter(dust, sf::seconds(0.1f));
}

} // namespace velk
