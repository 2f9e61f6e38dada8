#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace fx {

/// Where held input is read from. The live source asks SFML (which needs a
/// display); tests hand the event buffer a source of their own.
class InputState {
public:
    virtual ~InputState() = default;
    virtual bool isKeyDown(sf::Keyboard::Key key) const = 0;
    virtual bool isMouseButtonDown(sf::Mouse::Button button) const = 0;
    virtual bool isJoystickButtonDown(unsigned joystick, unsigned button) const = 0;

    /// The shared source that reads SFML's real-time state.
    static const InputState& live();
};

} // namespace fx
