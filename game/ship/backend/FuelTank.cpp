#include "game/ship/backend/FuelTank.hpp"

#include <algorithm>

namespace velk {

FuelTank::FuelTank(float capacity)
{
    setCapacity(capacity);
}

FuelTank::~FuelTank() = default;

float FuelTank::clamped(float value) const
{
    // The capacity is never negative, so the result lies in [0, capacity]. A
    // NaN (say, from a ratio times an infinite amount) reads as 0 rather than
    // poisoning the level for good.
    if (!(value > 0.0f))
        return 0.0f;
    return std::min(value, capacity);
}

void FuelTank::setCapacity(float value)
{
    capacity = value > 0.0f ? value : 0.0f;
    fuel = std::min(fuel, capacity);
}

void FuelTank::setFuel(float value)
{
    fuel = clamped(value);
}

float FuelTank::getFuelRatio() const
{
    return capacity > 0.0f ? fuel / capacity : 0.0f;
}

void FuelTank::setFuelRatio(float ratio)
{
    fuel = clamped(ratio * capacity);
}

void FuelTank::consumeFuel(float amount)
{
    fuel = clamped(fuel - amount);
}

void FuelTank::fillFuel(float amount)
{
    fuel = clamped(fuel + amount);
}

void FuelTank::fillupFuel()
{
    fuel = capacity;
}

} // namespace velk
