#pragma once

#include "framework/cegui/CeguiOnlyDrawGeometryBuffer.hpp"

#include <CEGUI/RenderingContext.h>
#include <CEGUI/RenderingSurface.h>
#include <CEGUI/RenderingWindow.h>
#include <CEGUI/Window.h>

/// A CEGUI window whose customDraw() runs inside the GUI's drawing order:
/// after everything queued before the window, before the window's own imagery
/// and its children. T is the derived widget type; each type has its own
/// sIsInited flag telling whether its window factory is registered.
template <typename T>
class CeguiCustomWidget : public CEGUI::Window {
public:
    /// The empty buffer queued with the window's geometry; drawing it draws the widget.
    class GeometryBuffer : public CeguiOnlyDrawGeometryBuffer {
    public:
        explicit GeometryBuffer(CeguiCustomWidget& owner) : owner(owner) {}
        void draw() const override { owner.customDraw(); }

    private:
        CeguiCustomWidget& owner;
    };

    /// True once the window factory of T has been registered with CEGUI.
    static bool sIsInited;

    CeguiCustomWidget(const CEGUI::String& type, const CEGUI::String& name)
        : CEGUI::Window(type, name), customGeometry(*this)
    {}

    /// Draws the widget's own content, with the GUI renderer's GL state.
    virtual void customDraw() = 0;

protected:
    void drawSelf(const CEGUI::RenderingContext& context) override
    {
        // A texture-backed surface is only redrawn when invalidated, so the
        // drawing goes straight to the surface that surface draws onto.
        CEGUI::RenderingSurface* surface = context.surface;
        if (surface->isRenderingWindow()) {
            surface = &static_cast<CEGUI::RenderingWindow*>(surface)->getOwner();
        }
        surface->addGeometryBuffer(context.queue, customGeometry);
        CEGUI::Window::drawSelf(context);
    }

private:
    GeometryBuffer customGeometry;
};

template <typename T>
bool CeguiCustomWidget<T>::sIsInited = false;
