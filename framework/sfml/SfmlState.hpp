#pragma once

#include "framework/sfml/GraphicsState.hpp"

#include <SFML/Graphics/Color.hpp>

class SfmlFramework;

/// A frame state drawing to the SFML window: handleEvents polls the window
/// (and hands the events to the listeners), preRender clears to the
/// background colour, postRender displays the frame.
///
/// SfmlFramework::setupState must be called on a state before it runs.
class SfmlState : public GraphicsState {
public:
    SfmlState() = default;
    ~SfmlState() override;

    SfmlFramework* getSfmlFramework() const { return sfmlFramework; }

    /// The background colour as bytes: each component times 255, truncated;
    /// components outside 0..1 are clamped to it first.
    sf::Color getBackgroundSfColor() const;
    void setBackgroundSfColor(const sf::Color& c);

    /// SfmlFramework::pollEvent; false once the window is closed. Without a
    /// framework there is no window either: false.
    bool handleEvents() override;
    /// Makes the window's context current and clears to the background colour.
    void preRender() override;
    /// Displays the frame and releases the window's context.
    void postRender() override;

private:
    friend class SfmlFramework;
    SfmlFramework* sfmlFramework = nullptr;
};
