#pragma once

#include "engine/GameInputSource.hpp"
#include "foundation/tools/Activable.hpp"
#include "foundation/tools/NonCopyable.hpp"
#include "framework/fx/InputAction.hpp"
#include "framework/fx/InputEvents.hpp"
#include "framework/sfml/SfmlEventListener.hpp"

#include <map>

/// Input actions by id with the events they are tested against. Each mapper
/// is a window-event listener of its own from construction to destruction,
/// so any number of them can live side by side: a press-once action is true
/// in exactly the frame whose events hold the press, in every mapper that
/// binds it. A deactivated mapper stores no events (held input still counts).
template <typename Id>
class GameActionMapper : public tools::NonCopyable, public tools::Activable, public SfmlEventListener {
public:
    /// Active before it listens: a mapper built on another thread (the play
    /// screen's loading thread) is read by the event loop from then on.
    GameActionMapper() : tools::Activable(true) { GameInputSource::listen(this); }
    ~GameActionMapper() override { GameInputSource::unlisten(this); }

    void beforeSfHandle() override { events.clear(); }
    void handleSfEvent(const sf::Event& event) override
    {
        if (tools::Activable::isActive())
            events.push(event);
    }

    /// The action under the id, created never-active when missing.
    fx::InputAction& operator[](const Id& id) { return actions[id]; }

    using tools::Activable::isActive;
    /// False for an id without an action (nothing is added) and while the
    /// window has no focus: the events kept from the last focused frame are
    /// not new input.
    bool isActive(const Id& id) const
    {
        const auto it = actions.find(id);
        return it != actions.end() && source->isWindowFocused() && it->second.isActive(events);
    }

    /// Where focus and held input are read from (the live source by
    /// default); the source must outlive the mapper.
    void setInputSource(const GameInputSource& newSource)
    {
        source = &newSource;
        events.setState(newSource.heldInput());
    }

private:
    std::map<Id, fx::InputAction> actions;
    fx::InputEvents events;
    const GameInputSource* source = &GameInputSource::live();
};
