#include "testsupport/window/XServerKeeper.hpp"

// Xlib's macros (None, Bool, Status ...) stay in this file.
#include <X11/Xlib.h>

namespace velk_test {

XServerKeeper::XServerKeeper() : display(XOpenDisplay(nullptr)) {}

XServerKeeper::~XServerKeeper()
{
    if (display) {
        XCloseDisplay(display);
    }
}

} // namespace velk_test
