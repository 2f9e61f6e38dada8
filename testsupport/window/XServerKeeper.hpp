#pragma once

struct _XDisplay;

namespace velk_test {

/// Holds one connection to the test's X server for the whole test. Xvfb
/// resets itself when its last client leaves, and a client that connects
/// during that reset is refused: the window layer's display probe (open,
/// close) followed at once by SFML's own connection would otherwise race it.
class XServerKeeper {
public:
    XServerKeeper();
    ~XServerKeeper();
    XServerKeeper(const XServerKeeper&) = delete;
    XServerKeeper& operator=(const XServerKeeper&) = delete;

    bool connected() const { return display != nullptr; }

private:
    _XDisplay* display;
};

} // namespace velk_test
