#include "testsupport/window/XWindowDriver.hpp"

// Xlib's macros (None, Bool, Status ...) stay in this file.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace velk_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string shellOutput(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(interval);
    }
    return true;
}

bool XWindowDriver::findWindow(const std::string& title, std::chrono::seconds timeout)
{
    window = shellOutput("timeout " + std::to_string(timeout.count()) +
                         " xdotool search --sync --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n1");
    return found();
}

bool XWindowDriver::run(const std::string& arguments) const
{
    // A bound on every call: an X client can block on a window that is going away.
    return std::system(("timeout 20 xdotool " + arguments + " 2>/dev/null").c_str()) == 0;
}

bool XWindowDriver::key(const std::string& name, std::chrono::milliseconds after) const
{
    const bool down = run("keydown --window " + window + " " + name);
    std::this_thread::sleep_for(150ms);
    const bool up = run("keyup --window " + window + " " + name);
    std::this_thread::sleep_for(after);
    return down && up;
}

void XWindowDriver::chord(const std::string& keys) const
{
    run("key --window " + window + " " + keys);
}

bool XWindowDriver::type(const std::string& text, int delayMs) const
{
    const bool ok = run("type --delay " + std::to_string(delayMs) + " --window " + window + " '" + text + "'");
    std::this_thread::sleep_for(300ms);
    return ok;
}

std::string XWindowDriver::at(int x, int y) const
{
    return "mousemove --sync --window " + window + " " + std::to_string(x) + " " + std::to_string(y);
}

bool XWindowDriver::moveTo(int x, int y) const
{
    return run(at(x, y));
}

bool XWindowDriver::click(int x, int y, int button, std::chrono::milliseconds after) const
{
    const bool ok = run(at(x, y) + " click " + std::to_string(button));
    std::this_thread::sleep_for(after);
    return ok;
}

bool XWindowDriver::doubleClick(int x, int y) const
{
    const bool ok = run(at(x, y) + " click --repeat 2 --delay 80 1");
    std::this_thread::sleep_for(150ms);
    return ok;
}

bool XWindowDriver::press(int button) const
{
    return run("mousedown " + std::to_string(button));
}

bool XWindowDriver::release(int button) const
{
    return run("mouseup " + std::to_string(button));
}

void XWindowDriver::requestClose() const
{
    // The window may be gone already: an X error must not end the test.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Display* display = XOpenDisplay(nullptr);
    if (!display || window.empty())
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(std::stoul(window));
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

sf::Image XWindowDriver::capture(const fs::path& file) const
{
    sf::Image image;
    std::error_code ignored;
    fs::remove(file, ignored);
    // import waits forever for a window destroyed while it reads it.
    if (std::system(("timeout 20 import -window " + window + " '" + file.string() + "' 2>/dev/null").c_str()) == 0)
        image.loadFromFile(file.string());
    return image;
}

bool XWindowDriver::waitForImage(const fs::path& file, const std::function<bool(const sf::Image&)>& test,
                                 std::chrono::milliseconds timeout) const
{
    return waitUntil(
        [&] {
            const sf::Image image = capture(file);
            return image.getSize().x > 0 && test(image);
        },
        timeout, 200ms);
}

} // namespace velk_test
