#include "game/ship/AntennaComponent.hpp"

namespace velk {

AntennaComponent::AntennaComponent(backend::PartEntry* entry) : PartComponent(entry) {}

} // namespace velk
