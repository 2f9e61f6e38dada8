#pragma once

// Shared pieces of this folder's window tests: a listener that records what it
// receives, and small X11 probes that look at the window from outside the
// program, as another client would. The init helper and the frame pump come
// from the window test support.

#include "framework/sfml/SfmlEventListener.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/window/TestInitHelper.hpp"
#include "testsupport/window/WindowPump.hpp"
#include "testsupport/window/XWindowDriver.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace windowtest {

using velk_test::pumpFrames;
using velk_test::pumpUntil;
using velk_test::runCommand;
using velk_test::TestInitHelper;
using velk_test::xdotool;

struct RecordingListener : SfmlEventListener {
    std::vector<sf::Event> events;
    int beforeCalls = 0;
    void beforeSfHandle() override { ++beforeCalls; }
    void handleSfEvent(const sf::Event& event) override { events.push_back(event); }
    bool saw(sf::Event::EventType type) const
    {
        for (const sf::Event& e : events)
            if (e.type == type)
                return true;
        return false;
    }
};

/// Gives the X input focus to a window (works without a window manager).
inline void focusWindow(unsigned long id)
{
    xdotool("windowfocus " + std::to_string(id));
}

/// A second connection to the X server, as another program would have.
class XProbe {
public:
    XProbe() : display(XOpenDisplay(nullptr)) {}
    ~XProbe()
    {
        if (display)
            XCloseDisplay(display);
    }
    XProbe(const XProbe&) = delete;
    XProbe& operator=(const XProbe&) = delete;

    Display* get() const { return display; }

    std::pair<int, int> size(Window w) const
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, w, &attributes))
            return {-1, -1};
        return {attributes.width, attributes.height};
    }

    /// Where the window's top-left corner is on the screen.
    std::pair<int, int> position(Window w) const
    {
        int x = -1, y = -1;
        Window child;
        XTranslateCoordinates(display, w, DefaultRootWindow(display), 0, 0, &x, &y, &child);
        return {x, y};
    }

    std::string name(Window w) const
    {
        char* text = nullptr;
        std::string result;
        if (XFetchName(display, w, &text) && text) {
            result = text;
            XFree(text);
        }
        return result;
    }

    /// The CARD32 values of a window property (empty when it is absent).
    std::vector<unsigned long> cardinals(Window w, const char* property) const
    {
        std::vector<unsigned long> values;
        Atom atom = XInternAtom(display, property, True);
        if (atom == None)
            return values;
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, w, atom, 0, 1 << 24, False, AnyPropertyType, &type, &format, &count, &after,
                               &data) == Success &&
            data) {
            if (format == 32) {
                const unsigned long* longs = reinterpret_cast<const unsigned long*>(data);
                values.assign(longs, longs + count);
            }
            XFree(data);
        }
        return values;
    }

    /// Asks the window to close, as a window manager's close button does.
    void requestClose(Window w) const
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = w;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, w, False, NoEventMask, &event);
        XFlush(display);
    }

    /// A plain mapped window of another program, to move the focus to.
    Window createOtherWindow() const
    {
        Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 100, 0, 0, 0);
        XStoreName(display, w, "other");
        XMapWindow(display, w);
        XSync(display, False);
        return w;
    }

private:
    Display* display;
};

/// The X window id of the framework's window.
inline Window windowId(SfmlFramework& sfml)
{
    return static_cast<Window>(sfml.getWindow()->getSystemHandle());
}

} // namespace windowtest
