#pragma once

#include "game/ship/PartComponent.hpp"

namespace velk {

/// The ship's fuel tank as a part: no behaviour, no object, never drawn. The
/// fuel itself is the ship's (the ship is its own FuelTank); the ship makes
/// exactly one of these, without a part entry.
class FuelTankComponent : public PartComponent {
public:
    explicit FuelTankComponent(backend::PartEntry* entry);
};

} // namespace velk
