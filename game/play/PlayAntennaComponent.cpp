#include "game/play/PlayAntennaComponent.hpp"

namespace velk {

PlayAntennaComponent::PlayAntennaComponent(backend::PartEntry* entry) : AntennaComponent(entry) {}

PlayAntennaComponent::~PlayAntennaComponent() = default;

} // namespace velk
