#include "framework/fx/InputEvents.hpp"

#include <iterator>

namespace fx {

void InputEvents::clear()
{
    events_.clear();
    for (auto key = shortcutKeys_.begin(); key != shortcutKeys_.end();)
        key = state_->isKeyDown(*key) ? std::next(key) : shortcutKeys_.erase(key);
}

void InputEvents::push(const sf::Event& event)
{
    if (event.type == sf::Event::LostFocus)
        focused_ = false;
    else if (event.type == sf::Event::GainedFocus)
        focused_ = true;
    else if (event.type == sf::Event::KeyPressed && event.key.alt)
        shortcutKeys_.insert(event.key.code);
    else if (event.type == sf::Event::KeyReleased)
        shortcutKeys_.erase(event.key.code);
    events_.push_back(event);
}

} // namespace fx
