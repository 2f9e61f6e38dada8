#pragma once

#include "game/ship/AntennaComponent.hpp"

namespace velk {

/// An antenna of the play-mode ship: the ship's part as it is, in normal mode
/// (object, weld, sounds and fuel as the part describes).
class PlayAntennaComponent : public AntennaComponent {
public:
    explicit PlayAntennaComponent(backend::PartEntry* entry);
    ~PlayAntennaComponent() override;
};

} // namespace velk
