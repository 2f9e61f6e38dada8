#include "game/play/PlayDrillComponent.hpp"

namespace velk {

PlayDrillComponent::PlayDrillComponent(backend::PartEntry* entry) : DrillComponent(entry) {}

PlayDrillComponent::~PlayDrillComponent() = default;

} // namespace velk
