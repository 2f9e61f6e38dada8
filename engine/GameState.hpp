#pragma once

#include "framework/fx/MusicStream.hpp"
#include "framework/sfml/SfmlState.hpp"

#include <string>

/// The base of the game's screens: a music stream of the screen's own, played
/// at the configured music volume, and the GUI around each frame's drawing
/// (time pulse before, GUI under the colour-blind filter after). When the
/// screen stops being the top of the stack its music stops and every GUI
/// window is destroyed; it rebuilds its GUI in onStateStart.
class GameState : public SfmlState {
public:
    GameState() = default;
    ~GameState() override;

    sf::Music& music() { return musicStream.music(); }
    const sf::Music& music() const { return musicStream.music(); }
    /// Opens a music file in the screen's stream (see fx::MusicStream::open).
    bool openMusic(const std::string& path) { return musicStream.open(path); }

    /// Derived screens call these first in their own hooks.
    void onStateStart() override;
    void onStateEnd() override;
    void preRender() override;
    void postRender() override;

private:
    fx::MusicStream musicStream;
};
