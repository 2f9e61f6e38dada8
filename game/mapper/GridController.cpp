#include "game/mapper/GridController.hpp"

#include "engine/GameFramework.hpp"
#include "framework/cegui/CeguiTransform.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/mapper/MapperInput.hpp"
#include "game/mapper/TileShapeStyle.hpp"
#include "game/mapper/Tools.hpp"
#include "game/shell/Global.hpp"
#include "terrain/MapTileShape.hpp"
#include "terrain/model/TileMap.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cmath>

namespace dunnix {

const sf::Color brushFillColor(100, 180, 220, 100);
const sf::Color brushOutlineColor(60, 120, 200, 255);

const char* const GridController::CanvasPath = "EditorArea";
const char* const GridController::BrushSpinnerPath = "Toolbar/Tiles/__auto_contentpane__/Brush/Spinner";

namespace {

const sf::Color canvasColor(100, 100, 100, 255);
const sf::Color mapAreaColor(150, 150, 150, 255);
const sf::Color gridColor(255, 255, 255, 150);
const float cellPixels = 50.0f;
const float zoomStep = 1.1f;

CEGUI::Window* guiRoot()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

/// A cell index from a quotient that may be huge or NaN after far panning:
/// held well inside the int range, so the cast is defined.
int cellIndex(double quotient)
{
    const double limit = 1 << 30;
    if (std::isnan(quotient))
        return -static_cast<int>(limit);
    return static_cast<int>(std::max(-limit, std::min(limit, quotient)));
}

/// First visible column (or row): trunc(-origin / pitch) when positive.
int visibleBegin(float origin, float pitch)
{
    const double q = std::trunc(-static_cast<double>(origin) / pitch);
    return q > 0 ? cellIndex(q) : 0;
}

/// End (exclusive) of the visible columns (or rows) of a map of `cells`.
int visibleEnd(float origin, float pitch, float canvasExtent, unsigned int cells)
{
    const double q = std::trunc((static_cast<double>(canvasExtent) - origin) / pitch + 1.0);
    return q > 0 ? std::min(cellIndex(q), static_cast<int>(std::min(cells, TileMap::MaxSize))) : 0;
}

} // namespace

GridController::GridController(Tools* tools, TileMap* map) : MapperController(tools, map)
{
    view.cellSize = cellPixels;
    canvasWindow = guiRoot()->getChild(CanvasPath);
    static_cast<CeguiCanvasWidget*>(canvasWindow)->addDrawer(this);
    connections.addConnection(canvasWindow->subscribeEvent(
        CEGUI::Window::EventMouseClick, CEGUI::Event::Subscriber(&GridController::onGridMouseClick, this)));
    connections.addConnection(canvasWindow->subscribeEvent(
        CEGUI::Window::EventMouseMove, CEGUI::Event::Subscriber(&GridController::onGridMouseMove, this)));
    connections.addConnection(canvasWindow->subscribeEvent(
        CEGUI::Window::EventMouseWheel, CEGUI::Event::Subscriber(&GridController::onGridMouseWheel, this)));
}

GridController::~GridController() = default;

math::Vector2<float> GridController::canvasCorner() const
{
    const CeguiCanvasWidget* widget = canvas();
    if (!widget)
        return {};
    const CEGUI::Rectf rect = widget->getUnclippedOuterRect().get();
    return {rect.left(), rect.top()};
}

math::Vector2<float> GridController::canvasSize() const
{
    const CeguiCanvasWidget* widget = canvas();
    if (!widget)
        return {};
    const CEGUI::Rectf rect = widget->getUnclippedOuterRect().get();
    return {rect.getWidth(), rect.getHeight()};
}

void GridController::drawToCanvas(CEGUI::Window*)
{
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    if (!sfml || !sfml->getWindow())
        return;
    sf::RenderTarget& target = sfml->getRenderTarget();
    target.pushGLStates();
    target.resetGLStates();
    sf::RenderStates states;
    const math::Vector2<float> corner = canvasCorner();
    states.transform.translate(corner.x, corner.y);
    drawTiles(target, states);
    drawGrid(target, states);
    drawBrush(target, states);
    target.popGLStates();
}

void GridController::drawTiles(sf::RenderTarget& target, sf::RenderStates states) const
{
    const math::Vector2<float> size = canvasSize();
    sf::RectangleShape background(sf::Vector2f(size.x, size.y));
    background.setFillColor(canvasColor);
    target.draw(background, states);

    const float pitch = getPitch();
    const math::Vector2<unsigned int>& cells = map->getSize();
    states.transform.translate(view.origin.x, view.origin.y);
    sf::RectangleShape area(sf::Vector2f(cells.x * pitch, cells.y * pitch));
    area.setFillColor(mapAreaColor);
    target.draw(area, states);

    const int beginX = visibleBegin(view.origin.x, pitch);
    const int endX = visibleEnd(view.origin.x, pitch, size.x, cells.x);
    const int beginY = visibleBegin(view.origin.y, pitch);
    const int endY = visibleEnd(view.origin.y, pitch, size.y, cells.y);
    states.transform.scale(pitch, pitch);
    // The shared shapes get the editor's look for this pass only.
    TileShapeStyle style;
    for (int x = beginX; x < endX; ++x) {
        for (int y = beginY; y < endY; ++y) {
            const unsigned char tile = map->getTile(static_cast<unsigned int>(x), static_cast<unsigned int>(y));
            if (isMapTileEmpty(tile))
                continue;
            const MapTileShape& shape = style.shape(tile, velk::colorForMapTile(tile), getTextureForTile(tile),
                                                    getTextureRectForTile(tile));
            sf::RenderStates cell = states;
            cell.transform.translate(static_cast<float>(x), static_cast<float>(y));
            target.draw(shape, cell);
        }
    }
}

std::vector<float> GridController::gridLinePositions(float origin, float step, float extent)
{
    std::vector<float> positions;
    if (!(step > 0.0f) || !std::isfinite(step) || !(extent > 0.0f) || !std::isfinite(extent))
        return positions;
    // In [0, step), however far the view was panned.
    float start = std::isfinite(origin) ? std::fmod(origin, step) : 0.0f;
    if (start < 0.0f)
        start += step;
    if (!(start < step))
        start = 0.0f;
    const int count = extent > start ? static_cast<int>(std::ceil((extent - start) / step)) : 0;
    for (int i = 0; i < count; ++i) {
        const float position = start + static_cast<float>(i) * step;
        if (position < extent)
            positions.push_back(position);
    }
    return positions;
}

void GridController::drawGrid(sf::RenderTarget& target, sf::RenderStates states) const
{
    const float step = getPitch();
    const math::Vector2<float> size = canvasSize();
    sf::VertexArray lines(sf::Lines);
    for (float x : gridLinePositions(view.origin.x, step, size.x)) {
        lines.append(sf::Vertex(sf::Vector2f(x, 0.0f), gridColor));
        lines.append(sf::Vertex(sf::Vector2f(x, size.y), gridColor));
    }
    for (float y : gridLinePositions(view.origin.y, step, size.y)) {
        lines.append(sf::Vertex(sf::Vector2f(0.0f, y), gridColor));
        lines.append(sf::Vertex(sf::Vector2f(size.x, y), gridColor));
    }
    target.draw(lines, states);
}

void GridController::drawBrush(sf::RenderTarget& target, sf::RenderStates states) const
{
    const unsigned char tile = tools->getTileType();
    if (tile != MapTileCodes::Empty && tile != MapTileCodes::Full)
        return;
    const int size = std::max(1, std::min(tools->getBrushSize(), static_cast<int>(BrushSizeRange.max)));
    const float radius = (static_cast<float>(size) - 0.5f) * getPitch();
    sf::CircleShape circle(radius, 30);
    circle.setOrigin(radius, radius);
    circle.setFillColor(brushFillColor);
    circle.setOutlineColor(brushOutlineColor);
    circle.setOutlineThickness(1.0f);
    const math::Vector2<float> cursor = cvec2mvec(
        CEGUI::System::getSingleton().getDefaultGUIContext().getMouseCursor().getPosition());
    const math::Vector2<float> corner = canvasCorner();
    circle.setPosition(cursor.x - corner.x, cursor.y - corner.y);
    target.draw(circle, states);
}

bool GridController::isIndicesValid(math::Vector2<int> indices) const
{
    const math::Vector2<unsigned int>& size = map->getSize();
    return indices.x >= 0 && indices.y >= 0 && static_cast<unsigned int>(indices.x) < size.x &&
           static_cast<unsigned int>(indices.y) < size.y;
}

math::Vector2<int> GridController::point2indices(const math::Vector2<float>& point) const
{
    const double pitch = getPitch();
    return {cellIndex(std::floor((static_cast<double>(point.x) - view.origin.x) / pitch)),
            cellIndex(std::floor((static_cast<double>(point.y) - view.origin.y) / pitch))};
}

void GridController::modTile(const math::Vector2<int>& indices, unsigned char tile)
{
    if (!isIndicesValid(indices))
        return;
    map->getTile(static_cast<unsigned int>(indices.x), static_cast<unsigned int>(indices.y)) = tile;
    tools->setDirty(true);
}

void GridController::modTileAt(const math::Vector2<float>& point, unsigned char tile)
{
    const math::Vector2<int> cell = point2indices(point);
    if (tile == MapTileCodes::Full) {
        map->paint(cell, getBrush());
        tools->setDirty(true);
    } else if (tile == MapTileCodes::Empty) {
        map->erase(cell, getBrush());
        tools->setDirty(true);
    } else {
        modTile(cell, tile);
    }
}

void GridController::eraseAt(const math::Vector2<float>& point)
{
    map->erase(point2indices(point), getBrush());
    tools->setDirty(true);
}

void GridController::copyTileAt(const math::Vector2<float>& point)
{
    const math::Vector2<int> cell = point2indices(point);
    if (!isIndicesValid(cell))
        return;
    const unsigned char tile = map->getTile(static_cast<unsigned int>(cell.x), static_cast<unsigned int>(cell.y));
    if (!isMapTileEmpty(tile))
        tools->setTileType(tile);
}

void GridController::modBrushSize(int delta)
{
    auto* spinner = static_cast<CEGUI::Spinner*>(guiRoot()->getChild(BrushSpinnerPath));
    spinner->setCurrentValue(spinner->getCurrentValue() + delta);
}

void GridController::zoomAt(const math::Vector2<float>& point, float wheelChange)
{
    view.zoomAt(point, wheelChange > 0.0f ? zoomStep : 1.0f / zoomStep);
}

const MapTileBrush& GridController::getBrush()
{
    const int size = tools->getBrushSize();
    if (size != brushSize || brush.empty()) {
        brushSize = size;
        // The spinner keeps the size in range; a stray value must not build a
        // brush of millions of cells either.
        const int bounded = std::min(size, static_cast<int>(BrushSizeRange.max));
        brush = genMapTileBall(std::max(bounded - 1, 0));
    }
    return brush;
}

math::Vector2<float> GridController::canvasPoint(const CEGUI::EventArgs& args) const
{
    const auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
    return cvec2mvec(mouse.position) - canvasCorner();
}

bool GridController::onGridMouseClick(const CEGUI::EventArgs& args)
{
    const auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
    const math::Vector2<float> point = canvasPoint(args);
    if (mouse.button == CEGUI::LeftButton)
        modTileAt(point, tools->getTileType());
    else if (mouse.button == CEGUI::MiddleButton)
        copyTileAt(point);
    else if (mouse.button == CEGUI::RightButton)
        eraseAt(point);
    return true;
}

bool GridController::onGridMouseMove(const CEGUI::EventArgs& args)
{
    const auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
    const math::Vector2<float> point = canvasPoint(args);
    if (mouse.sysKeys & CEGUI::MiddleMouse)
        view.pan(cvec2mvec(mouse.moveDelta));
    if (mouse.sysKeys & CEGUI::LeftMouse)
        modTileAt(point, tools->getTileType());
    if (mouse.sysKeys & CEGUI::RightMouse)
        eraseAt(point);
    return true;
}

bool GridController::onGridMouseWheel(const CEGUI::EventArgs& args)
{
    const auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
    if (mouse.sysKeys & CEGUI::Shift)
        modBrushSize(static_cast<int>(mouse.wheelChange));
    else
        zoomAt(canvasPoint(args), mouse.wheelChange);
    return true;
}

} // namespace dunnix
