#pragma once

// An init helper whose answers are plain fields, for tests and demo programs
// that open a window (or try to) with chosen settings.

#include "framework/sfml/SfmlFrameworkInitHelper.hpp"

#include <string>
#include <utility>

namespace velk_test {

struct TestInitHelper : SfmlFrameworkInitHelper {
    std::pair<unsigned, unsigned> resolution{640, 480};
    bool fullscreen = false;
    std::string title = "Velkors";
    bool resizable = false;
    unsigned fsaa = 0;
    bool vsync = false;
    std::string icon;
    bool mouseVisible = true;
    float fps = 60.0f;

    std::pair<unsigned, unsigned> getResolution() override { return resolution; }
    bool isFullscreen() override { return fullscreen; }
    std::string getWindowTitle() override { return title; }
    bool isResizable() override { return resizable; }
    unsigned getFSAA() override { return fsaa; }
    std::string getFSAAHint() override { return ""; }
    bool isVsyncEnabled() override { return vsync; }
    std::string getWindowIconPath() override { return icon; }
    bool isMouseVisible() override { return mouseVisible; }
    float getFPS() override { return fps; }
};

} // namespace velk_test
