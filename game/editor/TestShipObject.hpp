#pragma once

#include "game/ship/ShipObject.hpp"

namespace velk {

/// The test drive's ship: its factories make the Test part components and
/// the flat test hull, and it starts 3 units right of and 8 units above the
/// place its description gives it.
class TestShipObject : public ShipObject {
public:
    static constexpr float StartShiftX = 3.0f;
    static constexpr float StartShiftY = 8.0f;

    explicit TestShipObject(backend::ShipEntry* entry);
    ~TestShipObject() override;

    void onBegin() override;

protected:
    HullComponent* createHull() override;
    JetComponent* createJet(backend::PartEntry* entry) override;
    TrackComponent* createTrack(backend::PartEntry* entry) override;
    DrillComponent* createDrill(backend::PartEntry* entry) override;
    AntennaComponent* createAntenna(backend::PartEntry* entry) override;
    CockpitComponent* createCockpit(backend::PartEntry* entry) override;
    LampComponent* createLamp(backend::PartEntry* entry) override;
    FuelTankComponent* createFuelTank(backend::PartEntry* entry) override;
};

} // namespace velk
