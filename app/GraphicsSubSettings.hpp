#pragma once

#include "app/Settings.hpp"

#include <string>
#include <utility>

/// Graphics settings: window, frame rate, antialiasing and colour-blind filter.
/// Values are stored and read back unchecked; the window layer applies them.
class GraphicsSubSettings : public app::Settings::SubSettings {
public:
    GraphicsSubSettings() = default;
    ~GraphicsSubSettings() override = default;

    /// Window width and height in pixels, stored as text like 1024x768.
    std::pair<unsigned int, unsigned int> getResolution() const;
    void setResolution(const std::pair<unsigned int, unsigned int>& resolution);
    void setResolution(const int& width, const int& height);

    /// An antialiasing hint text for the window set-up.
    std::string getFSAAHint() const;
    void setFSAAHint(std::string hint);

    /// The frame-rate limit in frames per second.
    float getFPS() const;
    void setFPS(float fps);

    bool isFullscreen() const;
    void setFullscreen(bool fullscreen);

    bool isResizable() const;
    void setResizable(bool resizable);

    bool isVsyncEnabled() const;
    void setVsyncEnabled(bool enabled);

    bool isMouseVisible() const;
    void setMouseVisible(bool visible);

    /// The antialiasing level of the window's context.
    unsigned int getFSAA() const;
    void setFSAA(unsigned int level);

    /// 0 none, 1 protanopia, 2 deuteranopia, 3 tritanopia.
    unsigned int getColorblindType() const;
    void setColorblindType(unsigned int type);
};
