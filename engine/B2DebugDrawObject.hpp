#pragma once

#include "engine/GameObject.hpp"
#include "engine/SfmlB2Renderer.hpp"

#include <memory>

/// The physics debug overlay of a world: while it is in the world its
/// renderer is the b2World's debug draw, and drawing the object makes Box2D
/// draw through it on the window. Without a window it draws nothing.
class B2DebugDrawObject : public GameObject {
public:
    /// Binds the renderer to the SFML layer's window, when there is one.
    B2DebugDrawObject();
    ~B2DebugDrawObject() override;

    void onBegin() override;
    void onEnd() override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    /// Null when there was no window to draw on.
    SfmlB2Renderer* getPhisicsRenderer() { return renderer.get(); }
    const SfmlB2Renderer* getPhisicsRenderer() const { return renderer.get(); }

private:
    std::unique_ptr<SfmlB2Renderer> renderer;
};
