#pragma once

#include "framework/fx/InputAction.hpp"
#include "framework/fx/InputEvents.hpp"

#include <map>

namespace fx {

/// Input actions by id, tested against one event buffer of the map's own.
template <typename Id>
class ActionMap {
public:
    ActionMap() = default;
    /// Reads held input from the given source, which must outlive the map.
    explicit ActionMap(const InputState& state) : events_(state) {}

    /// The action under the id; a never-active one is created when missing.
    InputAction& operator[](const Id& id) { return actions_[id]; }

    bool contains(const Id& id) const { return actions_.count(id) != 0; }

    /// False for an id without an action (nothing is added).
    bool isActive(const Id& id) const
    {
        const auto it = actions_.find(id);
        return it != actions_.end() && it->second.isActive(events_);
    }

    void clearEvents() { events_.clear(); }
    void pushEvent(const sf::Event& event) { events_.push(event); }
    InputEvents& events() { return events_; }
    const InputEvents& events() const { return events_; }

private:
    std::map<Id, InputAction> actions_;
    InputEvents events_;
};

} // namespace fx
