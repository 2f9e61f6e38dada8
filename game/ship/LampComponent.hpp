#pragma once

#include "game/ship/PartComponent.hpp"

namespace velk {

/// A lamp: shows the direct "Light" components of its part object while it
/// is on. It starts off.
class LampComponent : public PartComponent {
public:
    explicit LampComponent(backend::PartEntry* entry);

    bool isLampOn() const { return lampOn; }
    /// Stores and applies the state when it changes.
    void setLampState(bool on);
    void turnLampOn() { setLampState(true); }
    void turnLampOff() { setLampState(false); }
    /// Applies the current state again without changing it.
    void switchLamp() { applyLampState(); }

    void onBegin() override;

private:
    void applyLampState();

    bool lampOn = false;
};

} // namespace velk
