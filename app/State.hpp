#pragma once

#include "foundation/tools/NonCopyable.hpp"

#include <memory>

namespace app {

/// One screen of the program. The main loop (app::Main) drives the top state of
/// its stack; the hooks tell a state when it gains or loses the top.
class State : public tools::NonCopyable {
public:
    State() = default;
    ~State() override = default;

    /// The state became the top of the stack (pushed, or uncovered again).
    virtual void onStateStart() {}
    /// The state stopped being the top (popped, replaced or covered).
    virtual void onStateEnd() {}
    /// One pass of the main loop while the state is the top.
    virtual void onStateRun() {}

    /// Pushes a state on the program's stack; the caller stays below it.
    static void start(std::shared_ptr<State> s);
    /// Swaps the top state for another one.
    static void replace(std::shared_ptr<State> s);
    /// Removes the top state, whichever state calls it.
    static void stop();
    /// Empties the stack, which ends the main loop.
    static void terminate();
};

} // namespace app
