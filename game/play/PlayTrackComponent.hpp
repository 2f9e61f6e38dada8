#pragma once

#include "game/ship/TrackComponent.hpp"

namespace velk {

/// A track of the play-mode ship: the ship's part as it is, in normal mode
/// (object, weld, sounds and fuel as the part describes).
class PlayTrackComponent : public TrackComponent {
public:
    explicit PlayTrackComponent(backend::PartEntry* entry);
    ~PlayTrackComponent() override;
};

} // namespace velk
