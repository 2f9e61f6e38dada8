#pragma once

// A player at an X window: keys, typing, the pointer and screenshots, sent
// with xdotool and read back with ImageMagick's import, for window tests that
// drive a real program (or a screen running on another thread) from outside.

#include <SFML/Graphics/Image.hpp>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace velk_test {

/// What a shell command did: its exit status (-1 when it could not be run or
/// was ended by a signal), its standard output as it came and its error output.
struct CommandResult {
    int status = -1;
    std::string output;
    std::string errors;
};

CommandResult runCommand(const std::string& command);

/// Runs "xdotool <arguments>", bounded in time; whether it succeeded. A
/// failure fails the running test with xdotool's own words, unless it was sent
/// to a window (given by id) that has gone: input that closed or replaced its
/// window is for the test to judge by what the program does next.
bool xdotool(const std::string& arguments, const std::string& window = {});

/// Polls the condition until it holds or the time is up; whether it held.
/// Generous timeouts: a loaded machine may be many times slower than a quiet one.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(30),
               std::chrono::milliseconds interval = std::chrono::milliseconds(100));

class XWindowDriver {
public:
    /// Waits until a visible window has exactly this title; whether one showed.
    bool findWindow(const std::string& title = "Velkors", std::chrono::seconds timeout = std::chrono::seconds(60));

    const std::string& id() const { return window; }
    bool found() const { return !window.empty(); }

    /// Runs "xdotool <arguments>" for this window (see xdotool()).
    bool run(const std::string& arguments) const;

    /// A key held long enough for a frame loop that polls the keyboard to see it down.
    bool key(const std::string& name, std::chrono::milliseconds after = std::chrono::milliseconds(250)) const;
    /// A key chord ("alt+F4") sent at once; the window may be gone afterwards.
    bool chord(const std::string& keys) const;
    bool type(const std::string& text, int delayMs = 120) const;

    bool moveTo(int x, int y) const;
    bool click(int x, int y, int button = 1, std::chrono::milliseconds after = std::chrono::milliseconds(300)) const;
    bool doubleClick(int x, int y) const;
    bool press(int button) const;
    bool release(int button) const;

    /// Asks the window to close, as a window manager's close button does.
    void requestClose() const;

    /// The window as X shows it now, kept in the file for a person to look at;
    /// an empty image when it could not be taken.
    sf::Image capture(const std::filesystem::path& file) const;

private:
    std::string at(int x, int y) const;

    std::string window;
};

} // namespace velk_test
