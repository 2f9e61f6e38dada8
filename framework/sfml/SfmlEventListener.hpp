#pragma once

#include <SFML/Window/Event.hpp>

/// Receives the window's events from SfmlFramework. A listener registers with
/// SfmlFramework::addListener and must remove itself before it is destroyed:
/// the framework keeps plain pointers.
class SfmlEventListener {
public:
    virtual ~SfmlEventListener();

    /// Called once per frame before that frame's events, only while the window
    /// has focus.
    virtual void beforeSfHandle() {}
    /// Called for each event while the window has focus.
    virtual void handleSfEvent(const sf::Event& event) = 0;
};
