#pragma once

#include "framework/cegui/CeguiCustomWidget.hpp"

#include <list>
#include <memory>

/// Window type "CanvasWidget": game code draws into it with OpenGL (SFML or
/// plain GL) at the window's place in the GUI, clipped to the window.
class CeguiCanvasWidget : public CeguiCustomWidget<CeguiCanvasWidget> {
public:
    /// Something that draws on a canvas; attached with addDrawer.
    class Drawer {
    public:
        Drawer() = default;
        /// Leaves the canvas it is attached to, if that canvas still exists.
        virtual ~Drawer();
        Drawer(const Drawer&) = delete;
        Drawer& operator=(const Drawer&) = delete;

        /// Draws the content; canvas is the window drawn into. Runs inside the
        /// GUI's rendering with the scissor box on the canvas: SFML drawing
        /// goes between target.pushGLStates() and target.popGLStates(), so
        /// the GUI drawn after it keeps its own matrices and arrays.
        virtual void drawToCanvas(CEGUI::Window* canvas) = 0;

        /// The canvas last attached to; null before the first attachment and
        /// after that canvas window has been destroyed.
        CeguiCanvasWidget* canvas();
        const CeguiCanvasWidget* canvas() const;

    private:
        friend class CeguiCanvasWidget;
        CeguiCanvasWidget* attachedCanvas = nullptr;
        std::weak_ptr<void> canvasAlive;
    };

    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    CeguiCanvasWidget(const CEGUI::String& type, const CEGUI::String& name);
    ~CeguiCanvasWidget() override;

    /// Appends a drawer (once) and makes this its canvas.
    void addDrawer(Drawer* drawer);
    /// Detaches a drawer; its canvas() still names this canvas.
    void removeDrawer(Drawer* drawer);
    void removeAllDrawer();
    const std::list<Drawer*>& getDrawers() const { return drawers; }

    /// Sets the scissor box to the window and runs the drawers in attachment order.
    void customDraw() override;

    /// The scissor box (x, y, width, height) in OpenGL window coordinates
    /// (y growing upward) for a window rectangle on a surface of the given height.
    static void scissorBox(const CEGUI::Rectf& window, float surfaceHeight, int box[4]);

private:
    std::list<Drawer*> drawers;
    /// Expires with the canvas, so drawers that outlive it do not reach back into it.
    std::shared_ptr<void> alive;
};
