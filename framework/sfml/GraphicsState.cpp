#include "framework/sfml/GraphicsState.hpp"

#include <algorithm>

GraphicsState::~GraphicsState() = default;

void GraphicsState::onStateRun()
{
    if (!handleEvents()) {
        app::State::terminate();
        return;
    }
    update();
    preRender();
    renderCore();
    postRender();
}

std::vector<float> GraphicsState::getBackgroundColor() const
{
    return {background[0], background[1], background[2], background[3]};
}

void GraphicsState::setBackgroundColor4ub(unsigned char r, unsigned char g, unsigned char b, unsigned char a)
{
    setBackgroundColor4f(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}

void GraphicsState::setBackgroundColor4f(float r, float g, float b, float a)
{
    background[0] = r;
    background[1] = g;
    background[2] = b;
    background[3] = a;
}

void GraphicsState::setBackgroundColor4fv(const std::vector<float>& v)
{
    std::copy_n(v.begin(), std::min<std::size_t>(v.size(), 4), background);
}
