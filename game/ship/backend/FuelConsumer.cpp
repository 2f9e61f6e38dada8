#include "game/ship/backend/FuelConsumer.hpp"

#include "game/ship/backend/FuelTank.hpp"

namespace velk {

FuelConsumer::FuelConsumer(FuelTank* tank) : tank(tank) {}

FuelConsumer::~FuelConsumer() = default;

bool FuelConsumer::hasTankFuel() const
{
    return tank && tank->hasFuel();
}

bool FuelConsumer::isTankEmpty() const
{
    return !tank || tank->isEmpty();
}

void FuelConsumer::consumeFuel(float amount)
{
    if (tank)
        tank->consumeFuel(amount);
}

void FuelConsumer::fillFuel(float amount)
{
    if (tank)
        tank->fillFuel(amount);
}

void FuelConsumer::fillupFuel()
{
    if (tank)
        tank->fillupFuel();
}

} // namespace velk
