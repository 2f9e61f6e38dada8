#include "framework/cegui/CeguiCanvasWidget.hpp"

#include <CEGUI/GUIContext.h>
#include <CEGUI/RendererModules/OpenGL/GL.h>

#include <algorithm>
#include <vector>

const CEGUI::String CeguiCanvasWidget::WidgetTypeName("CanvasWidget");
const CEGUI::String CeguiCanvasWidget::EventNamespace("CanvasWidget");

CeguiCanvasWidget::Drawer::~Drawer()
{
    if (CeguiCanvasWidget* current = canvas()) {
        current->removeDrawer(this);
    }
}

CeguiCanvasWidget* CeguiCanvasWidget::Drawer::canvas()
{
    return canvasAlive.expired() ? nullptr : attachedCanvas;
}

const CeguiCanvasWidget* CeguiCanvasWidget::Drawer::canvas() const
{
    return canvasAlive.expired() ? nullptr : attachedCanvas;
}

CeguiCanvasWidget::CeguiCanvasWidget(const CEGUI::String& type, const CEGUI::String& name)
    : CeguiCustomWidget<CeguiCanvasWidget>(type, name), alive(std::make_shared<char>(0))
{}

CeguiCanvasWidget::~CeguiCanvasWidget() = default;

void CeguiCanvasWidget::addDrawer(Drawer* drawer)
{
    if (!drawer || std::find(drawers.begin(), drawers.end(), drawer) != drawers.end()) {
        return;
    }
    drawer->attachedCanvas = this;
    drawer->canvasAlive = alive;
    drawers.push_back(drawer);
}

void CeguiCanvasWidget::removeDrawer(Drawer* drawer)
{
    const auto found = std::find(drawers.begin(), drawers.end(), drawer);
    if (found != drawers.end()) {
        drawers.erase(found);
    }
}

void CeguiCanvasWidget::removeAllDrawer()
{
    drawers.clear();
}

void CeguiCanvasWidget::scissorBox(const CEGUI::Rectf& window, float surfaceHeight, int box[4])
{
    box[0] = static_cast<int>(window.left());
    box[1] = static_cast<int>(surfaceHeight - window.top() - window.getHeight());
    box[2] = static_cast<int>(window.getWidth());
    box[3] = static_cast<int>(window.getHeight());
}

void CeguiCanvasWidget::customDraw()
{
    const float surfaceHeight = getGUIContext().getSurfaceSize().d_height;
    int box[4];
    scissorBox(getUnclippedOuterRect().get(), surfaceHeight, box);
    glScissor(box[0], box[1], std::max(box[2], 0), std::max(box[3], 0));
    // A drawer may detach itself (or another) while drawing.
    const std::vector<Drawer*> current(drawers.begin(), drawers.end());
    for (Drawer* drawer : current) {
        if (std::find(drawers.begin(), drawers.end(), drawer) != drawers.end()) {
            drawer->drawToCanvas(this);
        }
    }
}
