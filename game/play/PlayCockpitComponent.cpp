#include "game/play/PlayCockpitComponent.hpp"

namespace velk {

PlayCockpitComponent::PlayCockpitComponent(backend::PartEntry* entry) : CockpitComponent(entry) {}

PlayCockpitComponent::~PlayCockpitComponent() = default;

} // namespace velk
