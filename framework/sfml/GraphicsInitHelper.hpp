#pragma once

#include <string>
#include <utility>

/// The window settings a program hands to its graphics layer at start-up.
class GraphicsInitHelper {
public:
    virtual ~GraphicsInitHelper();

    /// A native window handle the program may keep here; the window layer does
    /// not use it.
    virtual unsigned long getWindowHandler() const { return windowHandler; }
    virtual void setWindowHandler(unsigned long handle) { windowHandler = handle; }

    /// Width and height of the window in pixels.
    virtual std::pair<unsigned, unsigned> getResolution() = 0;
    virtual bool isFullscreen() = 0;
    virtual std::string getWindowTitle() = 0;
    virtual bool isResizable() = 0;
    /// Antialiasing level of the window's OpenGL context.
    virtual unsigned getFSAA() = 0;
    /// A free-form antialiasing hint; offered for completeness, not applied.
    virtual std::string getFSAAHint() = 0;
    virtual bool isVsyncEnabled() = 0;

private:
    unsigned long windowHandler = 0;
};
