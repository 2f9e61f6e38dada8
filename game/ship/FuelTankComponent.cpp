#include "game/ship/FuelTankComponent.hpp"

namespace velk {

FuelTankComponent::FuelTankComponent(backend::PartEntry* entry) : PartComponent(entry)
{
    hide();
}

} // namespace velk
