#pragma once

#include "engine/GameAxis.hpp"
#include "foundation/tools/NonCopyable.hpp"
#include "foundation/tools/Updateable.hpp"
#include "framework/sfml/SfmlEventListener.hpp"

#include <utility>
#include <vector>

/// A small owning table of axes keyed by id, in insertion order. The map is
/// not registered with the window itself: its axes listen on their own. Its
/// event operations only forward, for callers that feed events by hand.
template <typename Id>
class GameAxisMap : public tools::NonCopyable, public tools::Updateable, public SfmlEventListener {
public:
    GameAxisMap() = default;
    ~GameAxisMap() override
    {
        for (auto& entry : axes)
            delete entry.second;
    }

    /// The axis with the id; a new default axis when there is none.
    GameAxis* operator[](const Id& id)
    {
        if (GameAxis* axis = getAxis(id))
            return axis;
        axes.emplace_back(id, new GameAxis());
        return axes.back().second;
    }

    /// Null when no axis has the id.
    GameAxis* getAxis(const Id& id) const
    {
        for (const auto& entry : axes)
            if (entry.first == id)
                return entry.second;
        return nullptr;
    }

    bool isAxisExists(const Id& id) const { return getAxis(id) != nullptr; }
    std::size_t size() const { return axes.size(); }

    void onUpdate(float dt) override
    {
        for (auto& entry : axes)
            entry.second->update(dt);
    }
    void beforeSfHandle() override
    {
        for (auto& entry : axes)
            entry.second->beforeSfHandle();
    }
    void handleSfEvent(const sf::Event& event) override
    {
        for (auto& entry : axes)
            entry.second->handleSfEvent(event);
    }

private:
    std::vector<std::pair<Id, GameAxis*>> axes;
};
