#pragma once

#include "game/ship/CockpitComponent.hpp"

namespace velk {

/// A cockpit of the play-mode ship: the ship's part as it is, in normal mode
/// (object, weld, sounds and fuel as the part describes).
class PlayCockpitComponent : public CockpitComponent {
public:
    explicit PlayCockpitComponent(backend::PartEntry* entry);
    ~PlayCockpitComponent() override;
};

} // namespace velk
