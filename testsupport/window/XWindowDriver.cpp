#include "testsupport/window/XWindowDriver.hpp"

#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

// Xlib's macros (None, Bool, Status ...) stay in this file.
#include <X11/Xlib.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace velk_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

/// A connection to the X server on which errors about windows that have gone
/// are no failures.
Display* openDisplay()
{
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    return XOpenDisplay(nullptr);
}

bool windowExists(const std::string& window)
{
    Display* display = openDisplay();
    if (!display)
        return false;
    XWindowAttributes attributes;
    const bool exists = XGetWindowAttributes(display, static_cast<Window>(std::stoul(window)), &attributes) != 0;
    XCloseDisplay(display);
    return exists;
}

} // namespace

CommandResult runCommand(const std::string& command)
{
    CommandResult result;
    std::string errorFile = (fs::temp_directory_path() / "velk-command-XXXXXX").string();
    const int descriptor = mkstemp(errorFile.data());
    if (descriptor < 0) {
        result.errors = "no file for the error output of: " + command;
        return result;
    }
    close(descriptor);
    if (FILE* pipe = popen(("{ " + command + "; } 2>'" + errorFile + "'").c_str(), "r")) {
        // Read as bytes: some commands print pictures.
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            result.output.append(buffer, n);
        const int status = pclose(pipe);
        result.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    result.errors = readFile(errorFile);
    std::remove(errorFile.c_str());
    return result;
}

bool xdotool(const std::string& arguments, const std::string& window)
{
    // A bound on every call: an X client can block on a window that is going away.
    const CommandResult result = runCommand("timeout 20 xdotool " + arguments);
    if (result.status == 0)
        return true;
    if (window.empty() || windowExists(window))
        ADD_FAILURE() << "xdotool " << arguments << " failed with exit status " << result.status
                      << (result.status == 124 ? " (it did not end in 20 s)" : "") << ": " << result.errors;
    return false;
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
    const CommandResult search = runCommand("timeout " + std::to_string(timeout.count()) +
                                            " xdotool search --sync --onlyvisible --name '^" + title + "$'");
    window = search.status == 0 ? search.output.substr(0, search.output.find('\n')) : std::string();
    return found();
}

bool XWindowDriver::run(const std::string& arguments) const
{
    return xdotool(arguments, window);
}

bool XWindowDriver::key(const std::string& name, std::chrono::milliseconds after) const
{
    const bool down = run("keydown --window " + window + " " + name);
    std::this_thread::sleep_for(150ms);
    const bool up = run("keyup --window " + window + " " + name);
    std::this_thread::sleep_for(after);
    return down && up;
}

bool XWindowDriver::chord(const std::string& keys) const
{
    return run("key --window " + window + " " + keys);
}

bool XWindowDriver::type(const std::string& text, int delayMs) const
{
    const bool ok = run("type --delay " + std::to_string(delayMs) + " --window " + window + " '" + text + "'");
    std::this_thread::sleep_for(300ms);
    return ok;
}

std::string XWindowDriver::at(int x, int y) const
{
    // --sync waits until the pointer has moved: about 15 s when it is at the
    // point already, longer than a loaded machine gives the call. A step
    // through the pixel beside it makes every move a move.
    const std::string beside = std::to_string(x > 0 ? x - 1 : x + 1) + " " + std::to_string(y);
    return "mousemove --window " + window + " " + beside + " mousemove --sync --window " + window + " " +
           std::to_string(x) + " " + std::to_string(y);
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
    Display* display = openDisplay();
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
    // import waits for a window that does not exist, and forever for one
    // destroyed while it reads it.
    if (!window.empty() && windowExists(window) &&
        runCommand("timeout 20 import -window " + window + " '" + file.string() + "'").status == 0)
        image.loadFromFile(file.string());
    return image;
}

} // namespace velk_test
