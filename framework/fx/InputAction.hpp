#pragma once

#include "framework/fx/InputEvents.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <memory>

namespace fx {

/// A button of one joystick (joystick index 0..7, button index 0..31).
struct JoystickButton {
    JoystickButton(unsigned joystickId, unsigned buttonIndex) : joystick(joystickId), button(buttonIndex) {}
    unsigned joystick;
    unsigned button;
};

/// A condition on input: a key, mouse button or joystick button that is held,
/// pressed in this frame or released in this frame, and "or" / "and"
/// combinations of such. Held input is read from the event buffer's state
/// source (and counts as released while the window has no focus); presses and
/// releases are looked up among the buffer's events. A key pressed or
/// released with Alt held belongs to the window's shortcuts and matches no
/// key action; pressed so, it does not count as held either until released,
/// while a key already held when Alt goes down still does. An action on
/// sf::Keyboard::Unknown, on a button SFML does not have, or on a joystick
/// index of sf::Joystick::Count or more (8 means "no joystick") is never
/// active and never reaches SFML. Copies are cheap (shared, immutable).
class InputAction {
public:
    enum Kind {
        Hold,        ///< active while held
        PressOnce,   ///< active in the frame whose events hold the press
        ReleaseOnce, ///< active in the frame whose events hold the release
    };

    /// Never active.
    InputAction();
    InputAction(sf::Keyboard::Key key, Kind kind = Hold);
    InputAction(sf::Mouse::Button button, Kind kind = Hold);
    InputAction(JoystickButton button, Kind kind = Hold);

    bool isActive(const InputEvents& events) const;

    friend InputAction operator||(const InputAction& lhs, const InputAction& rhs);
    friend InputAction operator&&(const InputAction& lhs, const InputAction& rhs);

    struct Node;

private:
    explicit InputAction(std::shared_ptr<const Node> node) : node_(std::move(node)) {}

    std::shared_ptr<const Node> node_;
};

} // namespace fx
