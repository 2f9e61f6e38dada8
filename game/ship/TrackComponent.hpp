#pragma once

#include "engine/GameAxis.hpp"
#include "game/ship/PartComponent.hpp"
#include "game/ship/backend/FuelConsumer.hpp"

#include <vector>

class b2WheelJoint;

namespace velk {

/// A caterpillar track: drives the wheel joints of its own part object from
/// its axis (full deflection turns the wheels at speed 10), burns fuel for the
/// drive, and plays its "SoundTrack" loop with volume and pitch following the
/// drive. Without fuel it stops driving.
class TrackComponent : public PartComponent, public FuelConsumer {
public:
    static constexpr float WheelSpeed = 10.0f;
    static constexpr float FuelPerSpeed = 0.01f;
    /// OpenAL refuses a pitch of 0: an idle track's (silent) loop keeps this one.
    static constexpr float MinimumPitch = 0.01f;

    explicit TrackComponent(backend::PartEntry* entry);
    ~TrackComponent() override;

    void setControl(GameAxis* axis) { control = axis; }
    GameAxis* getControl() const { return control; }
    /// Wheel speed: 0 with an empty tank or without an axis, else -10 x the axis value.
    float getAxisValue() const;
    /// 0 with an empty tank or without an axis, else -1 x the axis value.
    float getAxisLevel() const;

    /// Collects the wheel joints on the part object's bodies again and
    /// enables their motors; joints no longer there are forgotten.
    void collectWheelJoints();
    const std::vector<b2WheelJoint*>& wheelJoints() const { return wheels; }

    void refreshJoints() override { collectWheelJoints(); }
    void onMirroredX() override;
    void onUpdate(float dt) override;
    void onBegin() override;
    void onEnd() override;

private:
    GameAxis* control = nullptr;
    std::vector<b2WheelJoint*> wheels;
};

} // namespace velk
