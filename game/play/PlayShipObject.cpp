#include "game/play/PlayShipObject.hpp"

#include "game/play/PlayAntennaComponent.hpp"
#include "game/play/PlayCockpitComponent.hpp"
#include "game/play/PlayDrillComponent.hpp"
#include "game/play/PlayFuelTankComponent.hpp"
#include "game/play/PlayHullComponent.hpp"
#include "game/play/PlayJetComponent.hpp"
#include "game/play/PlayLampComponent.hpp"
#include "game/play/PlayTrackComponent.hpp"

namespace velk {

PlayShipObject::PlayShipObject(backend::ShipEntry* entry) : ShipObject(entry) {}

PlayShipObject::~PlayShipObject() = default;

void PlayShipObject::onUpdate(float dt)
{
    ShipObject::onUpdate(dt);
}

void PlayShipObject::onBegin()
{
    ShipObject::onBegin();
}

void PlayShipObject::onEnd()
{
    ShipObject::onEnd();
}

HullComponent* PlayShipObject::createHull()
{
    return addPart(new PlayHullComponent());
}

JetComponent* PlayShipObject::createJet(backend::PartEntry* entry)
{
    return addPart(new PlayJetComponent(entry));
}

TrackComponent* PlayShipObject::createTrack(backend::PartEntry* entry)
{
    return addPart(new PlayTrackComponent(entry));
}

DrillComponent* PlayShipObject::createDrill(backend::PartEntry* entry)
{
    return addPart(new PlayDrillComponent(entry));
}

AntennaComponent* PlayShipObject::createAntenna(backend::PartEntry* entry)
{
    return addPart(new PlayAntennaComponent(entry));
}

CockpitComponent* PlayShipObject::createCockpit(backend::PartEntry* entry)
{
    return addPart(new PlayCockpitComponent(entry));
}

LampComponent* PlayShipObject::createLamp(backend::PartEntry* entry)
{
    return addPart(new PlayLampComponent(entry));
}

FuelTankComponent* PlayShipObject::createFuelTank(backend::PartEntry* entry)
{
    return addPart(new PlayFuelTankComponent(entry));
}

} // namespace velk
