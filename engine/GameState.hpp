#pragma once

#include "framework/sfml/SfmlState.hpp"

#include <SFML/Audio/Music.hpp>

/// The base of the game's screens: a music stream of the screen's own, played
/// at the configured music volume, and the GUI around each frame's drawing
/// (time pulse before, GUI under the colour-blind filter after). When the
/// screen stops being the top of the stack its music stops and every GUI
/// window is destroyed; it rebuilds its GUI in onStateStart.
class GameState : public SfmlState {
public:
    GameState() = default;
    ~GameState() override;

    sf::Music& music() { return musicStream; }
    const sf::Music& music() const { return musicStream; }

    /// Derived screens call these first in their own hooks.
    void onStateStart() override;
    void onStateEnd() override;
    void preRender() override;
    void postRender() override;

private:
    sf::Music musicStream;
};
