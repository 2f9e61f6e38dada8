#include "game/play/PlayLampComponent.hpp"

namespace velk {

PlayLampComponent::PlayLampComponent(backend::PartEntry* entry) : LampComponent(entry) {}

PlayLampComponent::~PlayLampComponent() = default;

} // namespace velk
