#pragma once

namespace velk {

class FuelTank;

/// Mixin of the parts that burn fuel: forwards to the ship's tank, which it
/// does not own. Without a tank it reports an empty tank and ignores fills
/// and consumption.
class FuelConsumer {
public:
    explicit FuelConsumer(FuelTank* tank = nullptr);
    virtual ~FuelConsumer();

    FuelTank* getFuelTank() { return tank; }
    const FuelTank* getFuelTank() const { return tank; }
    void setFuelTank(FuelTank* t) { tank = t; }

    bool hasTankFuel() const;
    bool isTankEmpty() const;
    void consumeFuel(float amount);
    void fillFuel(float amount);
    void fillupFuel();

private:
    FuelTank* tank;
};

} // namespace velk
