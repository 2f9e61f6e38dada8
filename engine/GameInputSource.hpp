#pragma once

#include "framework/fx/InputState.hpp"

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Joystick.hpp>

class SfmlEventListener;

/// What the input objects (axes, action mappers, menu navigation) read besides
/// the window's events: the window's focus, the mouse movement of the frame,
/// joystick axes and held keys and buttons; and where they put the cursor.
/// The live source reads the SFML layer of GameFramework::Singleton and SFML
/// itself; tests hand the objects a source of their own.
class GameInputSource {
public:
    virtual ~GameInputSource();

    /// Without an SFML layer there is no window to lose the focus: true.
    virtual bool isWindowFocused() const;
    /// The SFML layer's mouse movement of this frame; none without it.
    virtual sf::Vector2i getMouseDelta() const;
    /// -100..100; only asked for a joystick and axis below SFML's counts.
    virtual float getJoystickAxisPosition(unsigned joystick, sf::Joystick::Axis axis) const;
    /// Keys, mouse and joystick buttons as they are held now.
    virtual const fx::InputState& heldInput() const;
    /// Puts the cursor at a point of the window (the jump is no movement).
    virtual void setMousePosition(const sf::Vector2i& windowPosition) const;

    static const GameInputSource& live();

    /// Adds the listener to the SFML layer's listeners, when there is a
    /// layer; safe from any thread.
    static void listen(SfmlEventListener* listener);
    /// Takes the listener off the SFML layer's list, when there is a layer.
    static void unlisten(SfmlEventListener* listener);
};
