// The ship's structure: assembly from the description, the part lists, the
// turn sensor, the dead sound, drawing and ending.
#include "game/ship/ShipObject.hpp"

#include "engine/GameWorld.hpp"
#include "foundation/math/Box.hpp"
#include "foundation/tools/Log.hpp"
#include "game/ship/AntennaComponent.hpp"
#include "game/ship/CockpitComponent.hpp"
#include "game/ship/DrillComponent.hpp"
#include "game/ship/FuelTankComponent.hpp"
#include "game/ship/HullComponent.hpp"
#include "game/ship/JetComponent.hpp"
#include "game/ship/LampComponent.hpp"
#include "game/ship/ShipPaths.hpp"
#include "game/ship/TrackComponent.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "game/ship/backend/ShipPart.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <box2d/box2d.h>

#include <algorithm>

namespace velk {

namespace {

const char* const Tag = "ShipObject";

sf::Color toSfColor(const backend::ShipColor& c)
{
    return sf::Color(c.r, c.g, c.b, c.a);
}

template <typename T>
void eraseFirst(std::vector<T*>& list, const GameComponent* item)
{
    const auto it = std::find_if(list.begin(), list.end(),
                                 [item](T* p) { return static_cast<const GameComponent*>(p) == item; });
    if (it != list.end())
        list.erase(it);
}

} // namespace

ShipObject::ShipObject(backend::ShipEntry* entry) : tools::Life(true), FuelTank(Capacity), entry(entry)
{
    setupControls();
}

ShipObject::~ShipObject() = default;

void ShipObject::onBegin()
{
    GameObject::onBegin();
    if (!entry) {
        tools::log(Tag, "No ship description; nothing is built");
        return;
    }
    setMaskColor(toSfColor(entry->getColor()));
    hullComponent = createHull();
    setMainComponent(hullComponent);
    if (!hullComponent || !hullComponent->build(entry)) {
        tools::log(Tag,
                   "The hull outline is unusable (fewer than 3 points, crossing itself or refused by the physics); "
                   "the ship has no parts");
        return;
    }
    setupFuelTank(createFuelTank(nullptr));

    // One line per part the catalogue does not know; such parts are skipped.
    for (backend::PartEntry* part : entry->partSet().getResources())
        if (!part->getShipPart())
            tools::log(Tag, "Part id " + std::to_string(part->getPartId()) +
                                " is not in the part catalogue; the part is left out");

    for (const char* category : {"drill", "antenna", "lamp", "cockpit", "track", "jet"})
        createParts(category);
    createTurnSensor();

    for (JetComponent* jet : jetList)
        jet->setSoundVolumeFactor(1.0f / static_cast<float>(jetList.size()));
    for (TrackComponent* track : trackList)
        track->setSoundVolumeFactor(1.0f / static_cast<float>(trackList.size()));
    for (DrillComponent* drill : drillList)
        drill->setSoundVolumeFactor(1.0f / static_cast<float>(drillList.size()));
    initDeadSound();
    fillupFuel();
}

void ShipObject::createParts(const std::string& category)
{
    for (backend::PartEntry* part : entry->partSet().getResources()) {
        const backend::ShipPart* shipPart = part->getShipPart();
        if (!shipPart || shipPart->getCategory() != category)
            continue;
        if (category == "jet")
            setupJet(createJet(part));
        else if (category == "track")
            setupTrack(createTrack(part));
        else if (category == "drill")
            setupDrill(createDrill(part));
        else if (shipPart->getCode() == "antenna")
            setupAntenna(createAntenna(part));
        else if (category == "cockpit")
            setupCockpit(createCockpit(part));
        else if (category == "lamp")
            setupLamp(createLamp(part));
    }
}

void ShipObject::setupJet(JetComponent* jet)
{
    if (!jet)
        return;
    const backend::ShipPart* part = jet->shipPart();
    if (part && part->getCode() == "jet.mkiii") {
        jet->setupContol(axes[0], false, GameAxis::Positive);
    } else {
        // Side jets push toward the middle: those on the left half (or on an
        // outline without width) take the negative direction.
        const auto box = math::getPolygonBoundaries(entry->getRoundedPoints());
        const float minX = box.min.x;
        const float maxX = box.max.x;
        const float x = jet->partEntry() ? jet->partEntry()->getPosition().x : 0.0f;
        const float width = maxX - minX;
        const bool right = width > 0.0f && 2.0f * (x - minX) / width - 1.0f > 0.0f;
        jet->setupContol(axes[1], false, right ? GameAxis::Positive : GameAxis::Negative);
    }
    jet->setFuelTank(this);
    jetList.push_back(jet);
    front.push_back(jet);
}

void ShipObject::setupTrack(TrackComponent* track)
{
    if (!track)
        return;
    track->setControl(axes[2]);
    track->setFuelTank(this);
    trackList.push_back(track);
    front.push_back(track);
}

void ShipObject::setupDrill(DrillComponent* drill)
{
    if (!drill)
        return;
    drill->setHeadAxis(axes[3]);
    drillList.push_back(drill);
    back.push_back(drill);
}

void ShipObject::setupAntenna(AntennaComponent* antenna)
{
    if (antenna)
        back.push_back(antenna);
}

void ShipObject::setupCockpit(CockpitComponent* cockpit)
{
    if (!cockpit)
        return;
    front.push_back(cockpit);
    cockpitList.push_back(cockpit);
}

void ShipObject::setupLamp(LampComponent* lamp)
{
    if (!lamp)
        return;
    back.push_back(lamp);
    lampList.push_back(lamp);
}

void ShipObject::setupFuelTank(FuelTankComponent* tank)
{
    if (tank)
        fuelTankList.push_back(tank);
}

void ShipObject::createTurnSensor()
{
    b2Body* body = hullComponent ? hullComponent->getBody() : nullptr;
    if (!body)
        return;
    const auto box = entry->getXSymmetricFullBoundaries();
    const float halfWidth = (box.max.x - box.min.x) * 0.5f;
    const float halfHeight = (box.max.y - box.min.y) * 0.5f;
    // Box2D refuses a box without area.
    if (!(halfWidth > 0.01f && halfHeight > 0.01f)) {
        tools::log(Tag, "The ship's box has no area; no turn sensor");
        return;
    }
    b2PolygonShape shape;
    shape.SetAsBox(halfWidth, halfHeight, b2Vec2((box.min.x + box.max.x) * 0.5f, (box.min.y + box.max.y) * 0.5f), 0.0f);
    b2FixtureDef def;
    def.shape = &shape;
    def.isSensor = true;
    def.density = 0.0f;
    def.friction = 0.2f;
    def.restitution = 0.0f;
    def.filter.categoryBits = SensorCategoryBits;
    def.filter.maskBits = SensorMaskBits;
    def.filter.groupIndex = 0;
    sensor = body->CreateFixture(&def);
}

void ShipObject::initDeadSound()
{
    GameWorld* world = getWorld();
    if (!world)
        return;
    deadBuffer = world->sndCache().acquire(fx::fileKey<sf::SoundBuffer>(shipDeadSoundFile));
    if (deadBuffer)
        deadSnd.setBuffer(*deadBuffer);
    deadSnd.setVolume(soundVolumeSetting());
    deadSnd.setRelativeToListener(true);
}

void ShipObject::onEnd()
{
    hullComponent = nullptr;
    sensor = nullptr;
    jetList.clear();
    trackList.clear();
    drillList.clear();
    cockpitList.clear();
    lampList.clear();
    fuelTankList.clear();
    GameObject::onEnd();
}

void ShipObject::onResourceDestroying(GameComponent* component)
{
    // Before the deletion, while the pointers may still be compared as components.
    eraseFirst(back, component);
    eraseFirst(front, component);
    // The kind lists too, so no list keeps a deleted part.
    eraseFirst(jetList, component);
    eraseFirst(trackList, component);
    eraseFirst(drillList, component);
    eraseFirst(cockpitList, component);
    eraseFirst(lampList, component);
    eraseFirst(fuelTankList, component);
    if (static_cast<GameComponent*>(hullComponent) == component) {
        hullComponent = nullptr;
        sensor = nullptr;
    }
    GameObject::onResourceDestroying(component);
}

void ShipObject::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!isVisible())
        return;
    states.transform.translate(position.x, -position.y)
        .rotate(static_cast<float>(rotation * GameComponent::RadToScreenDeg));
    preDraw(target, states);
    const auto drawShown = [&](GameComponent* component) {
        component->show();
        target.draw(*component, states);
        component->hide();
    };
    for (GameComponent* component : back)
        drawShown(component);
    if (hullComponent)
        drawShown(hullComponent);
    for (GameComponent* component : front)
        drawShown(component);
    postDraw(target, states);
}

} // namespace velk
