#pragma once

#include "game/ship/FuelTankComponent.hpp"

namespace velk {

/// A fuel tank of the play-mode ship: the ship's part as it is, in normal mode
/// (object, weld, sounds and fuel as the part describes).
class PlayFuelTankComponent : public FuelTankComponent {
public:
    explicit PlayFuelTankComponent(backend::PartEntry* entry);
    ~PlayFuelTankComponent() override;
};

} // namespace velk
