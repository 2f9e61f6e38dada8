#pragma once

#include "engine/GameInputSource.hpp"
#include "foundation/tools/Activable.hpp"
#include "foundation/tools/NonCopyable.hpp"
#include "foundation/tools/Updateable.hpp"
#include "framework/fx/InputAction.hpp"
#include "framework/fx/InputEvents.hpp"
#include "framework/sfml/SfmlEventListener.hpp"

#include <SFML/Window/Joystick.hpp>

#include <map>

namespace json {
class Value;
}

/// One input value, normally in [-1, 1], from two actions (one per
/// direction), one joystick axis or the mouse, recomputed once per frame by
/// update(dt). A held action moves the value at the sensitivity rate; without
/// one the joystick decides, and inside its dead zone the value falls back to
/// 0 at the gravity rate. Mouse movement (or the wheel) on the chosen mouse
/// axis wins over both for that frame.
///
/// An axis is a window-event listener of its own from construction to
/// destruction (it may be built on a loading thread); its actions are tested
/// against its own events of the frame.
class GameAxis : public tools::NonCopyable,
                 public tools::Activable,
                 public tools::Updateable,
                 public SfmlEventListener {
public:
    enum Direction { Positive = 0, Negative = 1 };
    enum MouseAxis { None = 0, X = 1, Y = 2, Wheel = 3 };

    /// Joystick index and axis that mean "none". Axes are kept as plain
    /// indexes (an sf::Joystick::Axis value converts to one): SFML's enum
    /// cannot hold the "none" value 8.
    static constexpr unsigned NoJoystick = sf::Joystick::Count;
    static constexpr unsigned NoJoystickAxis = sf::Joystick::AxisCount;

    GameAxis();
    ~GameAxis() override;

    /// Every setting back to its default except the mouse factor; both
    /// directions become never-active actions again.
    void reset();

    /// 0 while inactive or while the window has no focus; else the value
    /// times the scale, negated when inverted.
    float getValue(float scale = 1.0f) const;
    float getAbsValue(float scale = 1.0f) const;
    /// With the adaptive dead zone: the value is not 0; else its size reaches
    /// the dead zone.
    bool isAlive() const;

    void setButton(const fx::InputAction& action, Direction direction) { buttons[direction] = action; }
    fx::InputAction& getButton(Direction direction) { return buttons[direction]; }

    bool isInverted() const { return inverted; }
    void setInverted(bool on) { inverted = on; }
    float getSensitivity() const { return sensitivity; }
    /// Negative rates are stored as 0.
    void setSensitivity(float rate) { sensitivity = rate > 0.0f ? rate : 0.0f; }
    float getGravity() const { return gravity; }
    void setGravity(float rate) { gravity = rate > 0.0f ? rate : 0.0f; }
    bool isSnap() const { return snap; }
    /// With snap, an action pushing against the value's sign starts from 0.
    void setSnap(bool on) { snap = on; }

    unsigned getJoystickId() const { return joystickId; }
    void setJoystickId(unsigned id) { joystickId = id; }
    unsigned getJoystickAxis() const { return joystickAxis; }
    void setJoystickAxis(unsigned axis) { joystickAxis = axis; }
    void setJoystick(unsigned id, unsigned axis);
    /// Fraction of full deflection under which the joystick counts as centred.
    float getDeadZone() const { return deadZone; }
    void setDeadZone(float zone) { deadZone = zone; }
    /// The live range outside the dead zone is stretched to start at 0.
    bool isAdaptiveDeadZoneEnabled() const { return adaptiveDeadZone; }
    void setAdaptiveDeadZoneEnabled(bool on) { adaptiveDeadZone = on; }

    MouseAxis getMouseAxis() const { return mouseAxis; }
    void setMouseAxis(MouseAxis axis) { mouseAxis = axis; }
    float getMouseFactor() const { return mouseFactor; }
    void setMouseFactor(float factor) { mouseFactor = factor; }
    /// 2 when the last focused update took the value from mouse movement, else 0.
    int getLastInputType() const { return lastInputType; }

    /// reset(), then the keys "Inverted", "Sensitivity", "Gravity", "Snap",
    /// "Joystick" {"Id", "Axis"}, "Deadzone" and "MouseAxis" when present and
    /// of a usable type. Out-of-range joystick ids, joystick axes and mouse
    /// axes read as "none".
    void fromJson(const json::Value& value);
    /// An empty object: axes are configured in code.
    json::Value toJson() const;

    void onUpdate(float dt) override;
    void beforeSfHandle() override { events.clear(); }
    void handleSfEvent(const sf::Event& event) override;

    /// Where focus, mouse, joystick and held input are read from (the live
    /// source by default); the source must outlive the axis.
    void setInputSource(const GameInputSource& source);

private:
    /// The joystick rule for a deflection q in -1..1.
    void followJoystick(float q, float dt);

    const GameInputSource* source = &GameInputSource::live();
    float value = 0.0f;
    bool inverted = false;
    std::map<Direction, fx::InputAction> buttons;
    fx::InputEvents events;
    float sensitivity = 1000.0f;
    float gravity = 1000.0f;
    bool snap = true;
    unsigned joystickId = NoJoystick;
    unsigned joystickAxis = NoJoystickAxis;
    float deadZone = 0.0f;
    bool adaptiveDeadZone = false;
    MouseAxis mouseAxis = None;
    float mouseFactor = 1.0f;
    bool mouseDriven = false;
    int lastInputType = 0;
};
