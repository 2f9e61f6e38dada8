#include "game/editor/TestShipObject.hpp"

#include "game/editor/TestHullComponent.hpp"
#include "game/editor/TestPartComponents.hpp"

namespace velk {

TestShipObject::TestShipObject(backend::ShipEntry* entry) : ShipObject(entry) {}

TestShipObject::~TestShipObject() = default;

void TestShipObject::onBegin()
{
    ShipObject::onBegin();
    move({StartShiftX, StartShiftY});
}

HullComponent* TestShipObject::createHull()
{
    return addPart(new TestHullComponent());
}

JetComponent* TestShipObject::createJet(backend::PartEntry* entry)
{
    return addPart(new TestJetComponent(entry));
}

TrackComponent* TestShipObject::createTrack(backend::PartEntry* entry)
{
    return addPart(new TestTrackComponent(entry));
}

DrillComponent* TestShipObject::createDrill(backend::PartEntry* entry)
{
    return addPart(new TestDrillComponent(entry));
}

AntennaComponent* TestShipObject::createAntenna(backend::PartEntry* entry)
{
    return addPart(new TestAntennaComponent(entry));
}

CockpitComponent* TestShipObject::createCockpit(backend::PartEntry* entry)
{
    return addPart(new TestCockpitComponent(entry));
}

LampComponent* TestShipObject::createLamp(backend::PartEntry* entry)
{
    return addPart(new TestLampComponent(entry));
}

FuelTankComponent* TestShipObject::createFuelTank(backend::PartEntry* entry)
{
    return addPart(new TestFuelTankComponent(entry));
}

} // namespace velk
