#pragma once

#include "game/ship/DrillComponent.hpp"

namespace velk {

/// A drill of the play-mode ship: the ship's part as it is, in normal mode
/// (object, weld, sounds and fuel as the part describes).
class PlayDrillComponent : public DrillComponent {
public:
    explicit PlayDrillComponent(backend::PartEntry* entry);
    ~PlayDrillComponent() override;
};

} // namespace velk
