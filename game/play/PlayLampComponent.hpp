#pragma once

#include "game/ship/LampComponent.hpp"

namespace velk {

/// A lamp of the play-mode ship: the ship's part as it is, in normal mode
/// (object, weld, sounds and fuel as the part describes).
class PlayLampComponent : public LampComponent {
public:
    explicit PlayLampComponent(backend::PartEntry* entry);
    ~PlayLampComponent() override;
};

} // namespace velk
