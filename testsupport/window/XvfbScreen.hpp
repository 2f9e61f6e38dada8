#pragma once

#include <string>

namespace velk_test {

/// A private X server with a screen of the given size ("1920x1080"), for a
/// window test that needs another desktop than the one it runs in. From then
/// on DISPLAY names it, so windows, SFML and xdotool all go there. The server
/// ends with the test program, not before: SFML keeps its connection to the
/// display until the program's very end.
class XvfbScreen {
public:
    explicit XvfbScreen(const std::string& size);

    /// Whether the server started and DISPLAY names it.
    bool started() const { return !display.empty(); }

private:
    std::string display;
};

} // namespace velk_test
