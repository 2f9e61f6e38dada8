#pragma once

#include "foundation/tools/NonCopyable.hpp"

#include <CEGUI/Event.h>
#include <CEGUI/UDim.h>
#include <CEGUI/Vector.h>

#include <list>

namespace CEGUI {
class EventArgs;
class Window;
} // namespace CEGUI

/// Places the children of one container window, in child order, when asked
/// (forceUpdate) and whenever the container is resized. A resize caused by
/// the placing itself is answered by one more run once the first has ended.
class CeguiLayout : public tools::NonCopyable {
public:
    CeguiLayout() = default;
    ~CeguiLayout() override;

    /// Binds the layout to a window (null unbinds) and lays it out once.
    /// Binding the window already bound does nothing.
    void setContainer(CEGUI::Window* window);
    CEGUI::Window* getContainer() const { return container; }

    /// Lays the children out now, when a container is bound.
    void forceUpdate();
    /// Handler of the container's child and size events.
    bool onNeedUpdate(const CEGUI::EventArgs& args);

    /// Places the container's children; only called with a container bound.
    virtual void updateLayout() = 0;

    /// True when a's scale is greater than b's, or the scales are equal and a's offset is greater.
    static bool compareUDim(const CEGUI::UDim& a, const CEGUI::UDim& b);

protected:
    CEGUI::Window* container = nullptr;

private:
    void dropConnections();
    void run();

    std::list<CEGUI::Event::Connection> connections;
    /// Set while the children are being placed.
    bool running = false;
    /// A run was asked for while one was going on.
    bool missed = false;
};
