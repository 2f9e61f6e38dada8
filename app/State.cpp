#include "app/State.hpp"

#include "app/Main.hpp"

#include <utility>

namespace app {

void State::start(std::shared_ptr<State> s)
{
    Main::Singleton.pushState(std::move(s));
}

void State::replace(std::shared_ptr<State> s)
{
    Main::Singleton.replaceState(std::move(s));
}

void State::stop()
{
    Main::Singleton.popState();
}

void State::terminate()
{
    Main::Singleton.popAllStates();
}

} // namespace app
