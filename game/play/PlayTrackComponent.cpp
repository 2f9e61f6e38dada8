#include "game/play/PlayTrackComponent.hpp"

namespace velk {

PlayTrackComponent::PlayTrackComponent(backend::PartEntry* entry) : TrackComponent(entry) {}

PlayTrackComponent::~PlayTrackComponent() = default;

} // namespace velk
