#pragma once

#include "app/State.hpp"
#include "foundation/tools/NonCopyable.hpp"

#include <deque>
#include <memory>

namespace app {

/// The stack of states and the main loop. Changing the stack never calls a hook:
/// the loop compares the top after each pass and tells the old and the new top.
class Main : public tools::NonCopyable {
public:
    /// The program's one loop; app::State's static operations act on it.
    static Main Singleton;

    Main() = default;
    ~Main() override;

    /// Appends a state on top; a null state is ignored.
    void pushState(std::shared_ptr<State> s);
    /// Removes the top state, if any.
    void popState();
    /// Swaps the top for another state; a null state leaves the top in place.
    void replaceState(std::shared_ptr<State> s);
    /// Empties the stack.
    void popAllStates();
    /// Fires onStateEnd on the previous top and onStateStart on the new one
    /// when the top changed since the last call.
    void updateState();
    /// Runs the top state until the stack is empty; returns 0.
    int run(std::shared_ptr<State> first);

    bool isRunning() const { return running; }
    bool empty() const { return stack.empty(); }
    std::size_t size() const { return stack.size(); }

private:
    std::deque<std::shared_ptr<State>> stack;
    bool running = false;
    // The top seen by the previous updateState. It owns the state, so a state that
    // popped itself lives until its onStateEnd has run.
    std::shared_ptr<State> prev_state;
};

} // namespace app
