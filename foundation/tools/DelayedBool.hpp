#pragma once

namespace tools {

/// A flag that follows a target only after the target has differed from it
/// for at least the switch time (seconds).
class DelayedBool {
public:
    DelayedBool(float switchTime, bool value);
    virtual ~DelayedBool();

    operator bool() const { return value; }

    /// Stores v at once and restarts the timer.
    void setValue(bool v);
    /// Restarts the timer.
    void reset() { timer = 0.f; }

    float getSwitchTime() const { return switchTime; }
    /// Negative times are stored as 0.
    void setSwitchTime(float t);

    /// Advances the timer by dt while target differs from the value; the value
    /// takes the target once the timer reaches the switch time. The timer
    /// restarts only when an update sees the target equal to the value.
    void update(bool target, float dt);

private:
    bool value;
    float timer = 0.f;
    float switchTime;
};

} // namespace tools
