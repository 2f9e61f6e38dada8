#include "framework/cegui/CeguiLayout.hpp"

#include <CEGUI/Window.h>

CeguiLayout::~CeguiLayout()
{
    dropConnections();
}

void CeguiLayout::setContainer(CEGUI::Window* window)
{
    if (window == container) {
        return;
    }
    dropConnections();
    container = window;
    if (container) {
        // One subscriber each: a CEGUI subscriber shares its functor when
        // copied, and every connection deletes it when cut.
        for (const CEGUI::String* event :
             {&CEGUI::Element::EventChildAdded, &CEGUI::Element::EventChildRemoved, &CEGUI::Element::EventSized}) {
            connections.push_back(
                container->subscribeEvent(*event, CEGUI::Event::Subscriber(&CeguiLayout::onNeedUpdate, this)));
        }
    }
    forceUpdate();
}

void CeguiLayout::forceUpdate()
{
    if (container) {
        run();
    }
}

bool CeguiLayout::onNeedUpdate(const CEGUI::EventArgs& args)
{
    // Child events name the child, the size event names the resized window:
    // only the container's own resize re-runs the layout.
    const auto& elementArgs = static_cast<const CEGUI::ElementEventArgs&>(args);
    if (container && elementArgs.element == container) {
        run();
    }
    return true;
}

bool CeguiLayout::compareUDim(const CEGUI::UDim& a, const CEGUI::UDim& b)
{
    return a.d_scale > b.d_scale || (a.d_scale == b.d_scale && a.d_offset > b.d_offset);
}

void CeguiLayout::run()
{
    // Placing the children can resize the container while the layout runs
    // (a scroll pane shows or hides its scroll bars as its content grows and
    // so resizes the content window). Running again inside that run would
    // recurse without end; one more run afterwards places the children for
    // the size the container has settled on.
    if (running) {
        missed = true;
        return;
    }
    running = true;
    missed = false;
    try {
        updateLayout();
        if (missed) {
            updateLayout();
        }
    } catch (...) {
        running = false;
        throw;
    }
    running = false;
}

void CeguiLayout::dropConnections()
{
    for (auto& connection : connections) {
        connection->disconnect();
    }
    connections.clear();
}
