#include "framework/sfml/X11Display.hpp"

#include <X11/Xlib.h>

bool isX11DisplayAvailable()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}
