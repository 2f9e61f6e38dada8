#pragma once

namespace velk {

/// A store of fuel: a capacity (never below 0) and a level that every
/// operation keeps within [0, capacity]. The ship is its own tank.
class FuelTank {
public:
    /// Level 0; a capacity not above 0 becomes 0.
    explicit FuelTank(float capacity);
    virtual ~FuelTank();

    float getCapacity() const { return capacity; }
    /// Capacity = the value when above 0, else 0; the level is cut down to it.
    void setCapacity(float value);
    float getFuel() const { return fuel; }
    void setFuel(float value);
    /// Level / capacity, 0 for a tank of no capacity.
    float getFuelRatio() const;
    void setFuelRatio(float ratio);
    bool hasFuel() const { return fuel > 0.0f; }
    bool isEmpty() const { return fuel <= 0.0f; }
    /// A negative amount fills; the level stays within [0, capacity].
    void consumeFuel(float amount);
    /// A negative amount drains; the level stays within [0, capacity].
    void fillFuel(float amount);
    void fillupFuel();

private:
    float clamped(float value) const;

    float capacity = 0.0f;
    float fuel = 0.0f;
};

} // namespace velk
