// The builder's hull points, selection frame and mouse handling.
#include "game/editor/BuilderController.hpp"

#include "foundation/math/Polygon.hpp"
#include "framework/cegui/CeguiTransform.hpp"
#include "game/editor/GridPartElement.hpp"
#include "game/editor/GridPointElement.hpp"
#include "game/editor/model/GridMath.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <CEGUI/CEGUI.h>

namespace velk {

namespace {

const CEGUI::MouseEventArgs& mouseArgs(const CEGUI::EventArgs& args)
{
    return static_cast<const CEGUI::MouseEventArgs&>(args);
}

} // namespace

GridPointElement* BuilderController::addPoint(GridPointElement* point)
{
    elementSet.add(point);
    setupPoint(point);
    return point;
}

void BuilderController::setupPoint(GridPointElement* point)
{
    const CEGUI::Vector2f cursor = CEGUI::System::getSingleton().getDefaultGUIContext().getMouseCursor().getPosition();
    point->geUpdateIsOver(window2grid(cursor));
    updateShipOutline();
}

GridPointElement* BuilderController::createPointAt(const math::Vector2<float>& pos)
{
    return addPoint(PointCreator(gridValues, getShipEntry(), pos)());
}

GridPointElement* BuilderController::createPointAtAfter(const math::Vector2<float>& pos, backend::PointEntry* after)
{
    return addPoint(PointCreator(gridValues, getShipEntry(), pos, after)());
}

void BuilderController::splitSelectedSlides()
{
    const auto& points = getShipEntry()->pointSet().getResources();
    auto elementOf = [this](const backend::PointEntry* entry) -> GridPointElement* {
        for (GridElement* element : elementSet.getResources()) {
            auto* point = dynamic_cast<GridPointElement*>(element);
            if (point && point->getPointEntry() == entry)
                return point;
        }
        return nullptr;
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        backend::PointEntry* a = points[i];
        backend::PointEntry* b = points[(i + 1) % points.size()];
        GridPointElement* ea = elementOf(a);
        GridPointElement* eb = elementOf(b);
        if (ea && eb && ea->isSelected() && eb->isSelected())
            createPointAtAfter((ea->getPosition() + eb->getPosition()) * 0.5f, a);
    }
}

bool BuilderController::onSplitButtonClicked(const CEGUI::EventArgs&)
{
    splitSelectedSlides();
    return true;
}

void BuilderController::removeSelectedPoints()
{
    elementSet.destroySelectedElements<GridPointElement>();
    updateShipOutline();
}

void BuilderController::modPointRoundness(GridPointElement* point, float delta)
{
    point->getPointEntry()->modRoundness(delta);
    updateShipOutline();
}

void BuilderController::updateShipOutline()
{
    const auto& points = getShipEntry()->pointSet().getResources();
    shipOutline.clear();
    std::vector<float> radii;
    for (const backend::PointEntry* point : points) {
        shipOutline.push_back(point->getPosition());
        radii.push_back(point->getRoundness());
    }
    if (shipOutline.size() >= 3)
        shipOutline = math::roundCorners(shipOutline, radii);
    const math::Vector2<float> corner = getGridPos();
    for (math::Vector2<float>& p : shipOutline)
        p = shipToCanvas(gridValues, p) + corner;
}

void BuilderController::moveShipOutlineBy(const math::Vector2<float>& delta)
{
    for (math::Vector2<float>& p : shipOutline)
        p = p + delta;
}

void BuilderController::startSelectionFrame(const math::Vector2<float>& p)
{
    frame = std::make_shared<Box>();
    frame->min = p;
    frame->max = p;
}

void BuilderController::moveSelectionFrame(const math::Vector2<float>& d)
{
    if (frame)
        frame->min = frame->min + d;
}

void BuilderController::modSelectionFrame(const math::Vector2<float>& d)
{
    if (frame)
        frame->max = frame->max + d;
}

void BuilderController::endSelectionFrame(GridElementSet::SelectionMode mode)
{
    if (!frame)
        return;
    elementSet.selectInArea(*frame, mode);
    frame.reset();
}

void BuilderController::cancelSelectionFrame()
{
    frame.reset();
}

// --- Mouse ---------------------------------------------------------------------

bool BuilderController::onGridMouseDown(const CEGUI::EventArgs& args)
{
    const CEGUI::MouseEventArgs& mouse = mouseArgs(args);
    const math::Vector2<float> position = window2grid(mouse.position);
    GridElement* element = elementSet.getElementAt(position);
    if (mouse.button == CEGUI::LeftButton) {
        if (!element) {
            createPointAt(position);
            elementSet.deselectAll();
            selectPart(nullptr);
        } else if (auto* point = dynamic_cast<GridPointElement*>(element)) {
            if (point->isSelected()) {
                elementSet.grabSelection<GridPointElement>(); // a selected part stays where it is
            } else {
                elementSet.setAllSelected<GridPointElement>(false);
                point->grab();
            }
        } else if (auto* part = dynamic_cast<GridPartElement*>(element)) {
            selectPart(part);
            part->grab();
        }
    } else if (mouse.button == CEGUI::RightButton) {
        startSelectionFrame(position);
    }
    return true;
}

bool BuilderController::onGridMouseUp(const CEGUI::EventArgs& args)
{
    const CEGUI::MouseEventArgs& mouse = mouseArgs(args);
    if (mouse.button == CEGUI::LeftButton) {
        elementSet.releaseAll();
        updateShipOutline();
    } else if (mouse.button == CEGUI::RightButton) {
        GridElementSet::SelectionMode mode = GridElementSet::Replace;
        if (mouse.sysKeys & CEGUI::Shift)
            mode = GridElementSet::Add;
        else if (mouse.sysKeys & CEGUI::Control)
            mode = GridElementSet::Remove;
        endSelectionFrame(mode);
        selectPart(nullptr);
    }
    return true;
}

bool BuilderController::onGridMouseMove(const CEGUI::EventArgs& args)
{
    const CEGUI::MouseEventArgs& mouse = mouseArgs(args);
    const math::Vector2<float> delta = cvec2mvec(mouse.moveDelta);
    if (mouse.sysKeys & CEGUI::MiddleMouse)
        moveGridBy(delta);
    else
        moveGrabbedElements(delta);
    if (mouse.sysKeys & CEGUI::RightMouse)
        modSelectionFrame(delta);
    elementSet.updateElementsIsOver(window2grid(mouse.position));
    return true;
}

bool BuilderController::onGridMouseClick(const CEGUI::EventArgs& args)
{
    const CEGUI::MouseEventArgs& mouse = mouseArgs(args);
    GridElement* element = elementSet.getElementAt(window2grid(mouse.position));
    auto* point = dynamic_cast<GridPointElement*>(element);
    auto* part = dynamic_cast<GridPartElement*>(element);
    if (mouse.clickCount == 1 && mouse.button == CEGUI::RightButton) {
        if (point && (mouse.sysKeys & CEGUI::Shift)) {
            point->select();
        } else if (point && (mouse.sysKeys & CEGUI::Control)) {
            point->deselect();
        } else {
            elementSet.setAllSelected<GridPointElement>(false);
            if (point)
                point->select();
        }
    } else if (mouse.clickCount == 2 && mouse.button == CEGUI::RightButton) {
        elementSet.setAllSelected<GridPointElement>(true);
    } else if (mouse.clickCount == 2 && mouse.button == CEGUI::LeftButton) {
        if (point) {
            point->select();
            removeSelectedPoints();
        } else if (part) {
            destroyPart(part);
        }
    }
    return true;
}

bool BuilderController::onGridMouseWheel(const CEGUI::EventArgs& args)
{
    const CEGUI::MouseEventArgs& mouse = mouseArgs(args);
    const math::Vector2<float> position = window2grid(mouse.position);
    GridElement* element = elementSet.getElementAt(position);
    const float w = mouse.wheelChange;
    if (auto* point = dynamic_cast<GridPointElement*>(element))
        modPointRoundness(point, w * ((mouse.sysKeys & CEGUI::Control) ? 0.01f : 0.1f));
    else if (auto* part = dynamic_cast<GridPartElement*>(element))
        rotatePart(part, 0.31415927f * w);
    else
        zoomGridBy(w > 0 ? 1.1f : 0.9090909f, position);
    return true;
}

bool BuilderController::onGridMouseEnter(const CEGUI::EventArgs& args)
{
    const CEGUI::MouseEventArgs& mouse = mouseArgs(args);
    if (!(mouse.sysKeys & CEGUI::LeftMouse)) {
        elementSet.releaseAll();
        updateShipOutline();
    }
    if (!(mouse.sysKeys & CEGUI::RightMouse))
        cancelSelectionFrame();
    return true;
}

bool BuilderController::onGridMouseLeave(const CEGUI::EventArgs&)
{
    return true;
}

} // namespace velk
