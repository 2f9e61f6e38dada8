#pragma once

#include "foundation/tools/Updateable.hpp"

namespace tools {

/// An updateable with a running flag. The hooks run before the flag changes:
/// `isRunning()` is false inside `onBegin` and true inside `onEnd`. Neither
/// `start` nor `finish` checks the current state, and updates are not gated.
class Lifecycle : public Updateable {
public:
    Lifecycle() = default;
    ~Lifecycle() override;

    /// Calls `onBegin()`, then sets the running flag.
    virtual void start();
    virtual void onBegin();
    /// Calls `onEnd()`, then clears the running flag.
    virtual void finish();
    virtual void onEnd();

    bool isRunning() const { return running; }

private:
    bool running = false;
};

} // namespace tools
