#pragma once

#include "framework/sfml/GraphicsInitHelper.hpp"

#include <string>

/// Everything SfmlFramework::init reads to open the window. The framework
/// copies the values; it keeps no pointer to the helper.
class SfmlFrameworkInitHelper : public GraphicsInitHelper {
public:
    /// Image file of the window icon; a file that cannot be loaded leaves the
    /// window without an icon.
    virtual std::string getWindowIconPath() = 0;
    virtual bool isMouseVisible() = 0;
    /// Frame-rate limit; truncated to a whole number. Values below 1 (or not a
    /// number) fall back to 60.
    virtual float getFPS() = 0;
};
