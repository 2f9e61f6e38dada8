#include "game/play/PlayFuelTankComponent.hpp"

namespace velk {

PlayFuelTankComponent::PlayFuelTankComponent(backend::PartEntry* entry) : FuelTankComponent(entry) {}

PlayFuelTankComponent::~PlayFuelTankComponent() = default;

} // namespace velk
