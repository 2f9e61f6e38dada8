#include "framework/fx/InputEvents.hpp"

namespace fx {

void InputEvents::push(const sf::Event& event)
{
    if (event.type == sf::Event::LostFocus)
        focused_ = false;
    else if (event.type == sf::Event::GainedFocus)
        focused_ = true;
    events_.push_back(event);
}

} // namespace fx
