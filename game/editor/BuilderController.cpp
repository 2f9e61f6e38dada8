#include "game/editor/BuilderController.hpp"

#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiAccentRoomParser.hpp"
#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiTransform.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/editor/EditorColors.hpp"
#include "game/editor/GridPartElement.hpp"
#include "game/editor/GridPointElement.hpp"
#include "game/editor/model/GridMath.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/OpenGL.hpp>

namespace velk {

namespace {

CEGUI::Window* guiRoot()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

void glColor(const sf::Color& color)
{
    const GLubyte rgba[4] = {color.r, color.g, color.b, color.a};
    glColor4ubv(rgba);
}

} // namespace

BuilderController::BuilderController(CeguiCanvasWidget* canvas, backend::ShipEntry* ship)
    : EditorController(ship), canvasWidget(canvas), propertyWidgets(this)
{
    canvasWidget->addDrawer(this);
    connectToGui();
    gridValues.zoomMin = 0.45f;
    gridValues.zoomMax = 3.0f;
    gridValues.zoom = std::min(gridValues.zoomMax, std::max(gridValues.zoomMin, gridValues.zoom));
    gridValues.cellSize = 100.0f;
    gridValues.origin = getGridSize() * 0.5f;
    setSnapDivisorByZoom();
    elementSet.addListener(this);
}

BuilderController::~BuilderController()
{
    if (CeguiCanvasWidget* attached = canvas())
        attached->removeDrawer(this);
    connections.disconnectAll();
    frame.reset();
    shipOutline.clear();
    // The elements are still valid: each takes its entry out of the ship. Done
    // here, while this listener is whole.
    elementSet.clear();
}

void BuilderController::connectToGui()
{
    connectToGrid();
    connectToSnapToGridCheckbox();
    connectToSplitButton();
    connectToPartProperties();
    connectToInventory();
    connectToHelp();
    connectToStatusbar();
    setupOnlyThisWindows();
}

void BuilderController::disconnectFromGui()
{
    connections.disconnectAll();
}

void BuilderController::connectToGrid()
{
    using W = CEGUI::Window;
    using C = BuilderController;
    const std::pair<const CEGUI::String*, bool (C::*)(const CEGUI::EventArgs&)> handlers[] = {
        {&W::EventMouseClick, &C::onGridMouseClick},      {&W::EventMouseButtonDown, &C::onGridMouseDown},
        {&W::EventMouseButtonUp, &C::onGridMouseUp},      {&W::EventMouseMove, &C::onGridMouseMove},
        {&W::EventMouseWheel, &C::onGridMouseWheel},      {&W::EventMouseEntersArea, &C::onGridMouseEnter},
        {&W::EventMouseLeavesArea, &C::onGridMouseLeave}, {&W::EventDragDropItemDropped, &C::onGridDragDropped},
    };
    for (const auto& handler : handlers)
        connections.addConnection(
            canvasWidget->subscribeEvent(*handler.first, CEGUI::Event::Subscriber(handler.second, this)));
}

void BuilderController::connectToSnapToGridCheckbox()
{
    auto* check = static_cast<CEGUI::ToggleButton*>(guiRoot()->getChild("Center/Tools/Buttons/Upper/SnapToGridCheck"));
    gridValues.snapToGrid = check->isSelected();
    connections.addConnection(
        check->subscribeEvent(CEGUI::ToggleButton::EventSelectStateChanged,
                              CEGUI::Event::Subscriber(&BuilderController::onSnapToGridChanged, this)));
}

void BuilderController::connectToSplitButton()
{
    CEGUI::Window* button = GameFramework::Singleton.getCeguiFramework()->getWindow(
        "Center/Tools/Buttons/Lower/Builder/SplitButton");
    connections.addConnection(button->subscribeEvent(
        CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&BuilderController::onSplitButtonClicked, this)));
}

void BuilderController::connectToStatusbar()
{
    statusbarHandler.setStatusbar(guiRoot()->getChild("Statusbar"));
    // The screen's load and save messages name their ship files.
    showTextsVerbatim(statusbarHandler.getStatusBar());
}

void BuilderController::setupOnlyThisWindows()
{
    const char* const paths[] = {
        "Center/Inventory/PartsTabs",
        "Center/Tools/Buttons/Upper/UndoButton",
        "Center/Tools/Buttons/Upper/RedoButton",
        "Center/Tools/Buttons/Upper/SnapToGridCheck",
        "Center/Tools/Buttons/Upper/SnapToGridIcon",
        "Center/Tools/Buttons/Lower/Builder",
        "Center/Tools/PartProperties",
        "Center/Tools/HelpButton",
        "Center/Stats/ShipMenu",
        "Center/View/CraftButton",
    };
    for (const char* path : paths)
        addOnlyThisWindow(guiRoot()->getChild(path));
    hideOnlyWindows();
}

void BuilderController::onActivate()
{
    EditorController::onActivate();
    propertyWidgets.updateVisibility();
}

void BuilderController::rebuild()
{
    for (GridElement* element : elementSet.getResources())
        element->invalidate();
    propertyWidgets.setPart(nullptr);
    elementSet.clear();
    backend::ShipEntry* ship = getShipEntry();
    for (backend::PointEntry* point : ship->pointSet().getResources())
        elementSet.add(new GridPointElement(gridValues, ship, point, 40.0f));
    std::string unknown;
    for (backend::PartEntry* part : ship->partSet().getResources()) {
        if (!part->getShipPart()) {
            // Kept in the description (saving keeps it), but not editable here.
            unknown += (unknown.empty() ? "" : ", ") + std::to_string(part->getPartId());
            continue;
        }
        elementSet.add(new GridPartElement(gridValues, ship, part));
    }
    if (!unknown.empty())
        tools::log("BC", "Parts not in the catalogue are kept but not shown, ids: " + unknown);
    updateShipOutline();
    activatePartsByTabIdx(inventory ? static_cast<unsigned>(inventory->getSelectedTabIndex()) : 0u);
}

// --- Positions ---------------------------------------------------------------

math::Vector2<float> BuilderController::getGridPos() const
{
    return cvec2mvec(canvasWidget->getUnclippedOuterRect().get().getPosition());
}

math::Vector2<float> BuilderController::getGridSize() const
{
    return csize2mvec(canvasWidget->getPixelSize());
}

math::Vector2<float> BuilderController::window2grid(const CEGUI::Vector2<float>& p) const
{
    return absolute2relative(cvec2mvec(p));
}

math::Vector2<float> BuilderController::absolute2relative(const math::Vector2<float>& p) const
{
    return p - getGridPos();
}

math::Vector2<float> BuilderController::relateive2absolute(const math::Vector2<float>& p) const
{
    return getGridPos() + p;
}

// --- View ----------------------------------------------------------------------

void BuilderController::setSnapDivisorByZoom()
{
    gridValues.snapDivisor = snapDivisorForZoom(gridValues.zoom);
}

void BuilderController::zoomGridBy(float factor, math::Vector2<float> at)
{
    const bool snap = gridValues.snapToGrid;
    gridValues.snapToGrid = false;
    gridValues.zoomAt(at, factor);
    elementSet.updateElementsPosition();
    setSnapDivisorByZoom();
    updateShipOutline();
    gridValues.snapToGrid = snap;
}

void BuilderController::moveGridBy(math::Vector2<float> delta)
{
    gridValues.pan(delta);
    // Re-placed from their entries: a pan never rewrites (and so never drifts) a stored position.
    elementSet.updateElementsPosition();
    moveShipOutlineBy(delta);
    moveSelectionFrame(delta);
}

void BuilderController::moveGrabbedElements(const math::Vector2<float>& delta)
{
    elementSet.moveGrabbedElements(delta);
    updateShipOutline();
}

bool BuilderController::onSnapToGridChanged(const CEGUI::EventArgs& args)
{
    const auto& windowArgs = static_cast<const CEGUI::WindowEventArgs&>(args);
    gridValues.snapToGrid = static_cast<CEGUI::ToggleButton*>(windowArgs.window)->isSelected();
    return true;
}

// --- Drawing -------------------------------------------------------------------

void BuilderController::drawToCanvas(CEGUI::Window*)
{
    if (!GameFramework::Singleton.getSfmlFramework())
        return;
    sf::RenderTarget& target = GameFramework::Singleton.getSfmlFramework()->getRenderTarget();
    target.pushGLStates();
    target.resetGLStates();
    Box box;
    box.min = getGridPos();
    box.max = box.min + getGridSize();
    drawBackground(box);
    drawGrid(box);
    drawGridElements();
    drawOutline();
    drawSelectionFrame();
    target.popGLStates();
}

void BuilderController::drawBackground(const Box& box)
{
    sf::RenderTarget& target = GameFramework::Singleton.getSfmlFramework()->getRenderTarget();
    glPushMatrix();
    sf::RectangleShape background(sf::Vector2f(box.max.x - box.min.x, box.max.y - box.min.y));
    background.setPosition(box.min.x, box.min.y);
    background.setFillColor(gridBgColor);
    target.draw(background);
    glPopMatrix();
}

void BuilderController::drawGrid(const Box& box)
{
    const unsigned levels = getNumberOfLevels(gridValues.zoom);
    for (unsigned l = levels; l-- > 0;) {
        const float spacing = gridValues.scale() * getLevelZoom(l);
        if (!(spacing > 0.5f))
            continue; // lines closer than a pixel apart would only fill the canvas
        const math::Vector2<float> first = gapShift(gridValues.origin, {0, 0}, {spacing, spacing}) + box.min;
        glLineWidth(getLevelLineWidth(l));
        glBegin(GL_LINES);
        glColor(getLevelLineColor(l));
        for (float x = first.x; x < box.max.x; x += spacing) {
            glVertex2f(x, box.min.y);
            glVertex2f(x, box.max.y);
        }
        for (float y = first.y; y < box.max.y; y += spacing) {
            glVertex2f(box.min.x, y);
            glVertex2f(box.max.x, y);
        }
        glEnd();
    }
    const math::Vector2<float> a = gridValues.origin + box.min;
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glColor(gridAxisColor);
    if (box.min.x <= a.x && a.x <= box.max.x) {
        glVertex2f(a.x, box.min.y);
        glVertex2f(a.x, box.max.y);
    }
    if (box.min.y <= a.y && a.y <= box.max.y) {
        glVertex2f(box.min.x, a.y);
        glVertex2f(box.max.x, a.y);
    }
    glEnd();
}

void BuilderController::drawGridElements()
{
    elementSet.drawElements(getGridPos());
}

void BuilderController::drawOutline()
{
    if (shipOutline.empty())
        return;
    glLineWidth(2.0f);
    glBegin(shipOutline.size() < 2 ? GL_POINTS : GL_LINE_LOOP);
    glColor(outlineColor);
    for (const math::Vector2<float>& p : shipOutline)
        glVertex2f(p.x, p.y);
    glEnd();
}

void BuilderController::drawSelectionFrame()
{
    if (!frame)
        return;
    sf::RenderTarget& target = GameFramework::Singleton.getSfmlFramework()->getRenderTarget();
    glPushMatrix();
    const math::Vector2<float> size = frame->max - frame->min;
    const math::Vector2<float> at = getGridPos() + frame->min;
    sf::RectangleShape shape(sf::Vector2f(size.x, size.y));
    shape.setPosition(at.x, at.y);
    shape.setOutlineThickness(1.0f);
    shape.setOutlineColor(selectionFrameOutlineColor);
    shape.setFillColor(selectionFrameFillColor);
    target.draw(shape);
    glPopMatrix();
}

} // namespace velk
