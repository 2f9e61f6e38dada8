#pragma once

#include "game/ship/ShipObject.hpp"

namespace velk {

/// The player's ship in play mode: the ship assembled from play-mode parts
/// (a textured hull, and every other part as the ship model makes it).
class PlayShipObject : public ShipObject {
public:
    /// `entry` is not owned and must outlive the ship.
    explicit PlayShipObject(backend::ShipEntry* entry);
    ~PlayShipObject() override;

    void onUpdate(float dt) override;
    void onBegin() override;
    void onEnd() override;

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
