#include "app/Main.hpp"

#include <utility>

namespace app {

Main Main::Singleton;

Main::~Main()
{
    // The last seen top goes first: a state that only it still holds (popped
    // after the last comparison) dies before the stack's states. Then the stack
    // is released from the bottom to the top, without hooks.
    prev_state.reset();
    while (!stack.empty())
        stack.pop_front();
}

void Main::pushState(std::shared_ptr<State> s)
{
    if (s)
        stack.push_back(std::move(s));
}

void Main::popState()
{
    if (!stack.empty())
        stack.pop_back();
}

void Main::replaceState(std::shared_ptr<State> s)
{
    if (!s)
        return;
    if (!stack.empty())
        stack.pop_back();
    stack.push_back(std::move(s));
}

void Main::popAllStates()
{
    running = false;
    while (!stack.empty())
        stack.pop_back();
}

void Main::updateState()
{
    std::shared_ptr<State> top = stack.empty() ? nullptr : stack.back();
    if (top != prev_state) {
        if (prev_state)
            prev_state->onStateEnd();
        if (top)
            top->onStateStart();
    }
    // Dropping the old top only here keeps it alive through its own onStateEnd.
    prev_state = std::move(top);
}

int Main::run(std::shared_ptr<State> first)
{
    pushState(std::move(first));
    running = true;
    updateState();
    while (!stack.empty()) {
        // Hold the running state: it may pop itself from inside onStateRun.
        std::shared_ptr<State> current = stack.back();
        current->onStateRun();
        current.reset();
        updateState();
    }
    return 0;
}

} // namespace app
