#pragma once

#include "foundation/tools/NonCopyable.hpp"

#include <CEGUI/BoundSlot.h>
#include <CEGUI/RefCounted.h>

#include <list>

/// Event subscriptions of one part of a screen, cut all at once.
/// Do not cut a subscription from inside the handler it calls: CEGUI is then
/// walking that event's subscriber list.
class CeguiConnectionSet : public tools::NonCopyable {
public:
    CeguiConnectionSet() = default;
    /// Disconnects everything held.
    ~CeguiConnectionSet() override;

    void addConnection(const CEGUI::RefCounted<CEGUI::BoundSlot>& connection);
    /// Disconnects every held subscription in insertion order and forgets them.
    void disconnectAll();
    size_t size() const { return connections.size(); }

private:
    std::list<CEGUI::RefCounted<CEGUI::BoundSlot>> connections;
};
