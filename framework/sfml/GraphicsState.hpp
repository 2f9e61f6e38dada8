#pragma once

#include "app/State.hpp"

#include <vector>

/// A state whose every pass of the main loop is one frame: handle the events,
/// update, then draw between preRender and postRender, over a background
/// colour.
class GraphicsState : public app::State {
public:
    GraphicsState() = default;
    ~GraphicsState() override;

    /// One frame: handleEvents(); when it returns false the whole state stack
    /// is emptied (the program ends) and nothing else runs; otherwise
    /// update(), preRender(), renderCore(), postRender().
    void onStateRun() override;

    virtual void preRender() {}
    virtual void postRender() {}
    /// False when the window is gone and the program should end.
    virtual bool handleEvents() { return true; }
    virtual void update() {}
    virtual void renderCore() {}

    /// Red, green, blue, alpha, each meant in 0..1.
    std::vector<float> getBackgroundColor() const;
    /// Each byte is stored as byte / 255.
    void setBackgroundColor4ub(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
    /// Stored unchanged (not clamped).
    void setBackgroundColor4f(float r, float g, float b, float a);
    /// Copies the first min(size, 4) elements into red, green, blue, alpha;
    /// the rest keep their values.
    void setBackgroundColor4fv(const std::vector<float>& v);

private:
    float background[4] = {0.0f, 0.0f, 0.0f, 1.0f};
};
