#pragma once

#include "foundation/math/Grid2.hpp"
#include "foundation/math/Vector2.hpp"
#include "framework/cegui/CeguiCanvasWidget.hpp"
#include "framework/cegui/CeguiConnectionSet.hpp"
#include "game/mapper/MapperController.hpp"
#include "terrain/model/MapTileBrush.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderStates.hpp>

#include <vector>

namespace CEGUI {
class EventArgs;
class Window;
} // namespace CEGUI
namespace sf {
class RenderTarget;
}

namespace dunnix {

extern const sf::Color brushFillColor;
extern const sf::Color brushOutlineColor;

/// The map canvas "EditorArea": the edited map as a zoomable, pannable grid of
/// square cells. The left button paints with the tool state's tile (a round
/// brush for ground and the eraser, one cell for anything else), the right
/// button erases with the brush, a middle click picks the tile under the
/// cursor and a middle drag pans; the wheel zooms about the cursor, with
/// Shift it changes the brush size through the palette's spinner.
///
/// Canvas pixels run from the canvas window's top-left corner, y down, as do
/// the map's cells: cell (x, y) starts at origin + (x, y) * pitch, where the
/// pitch is zoom * cell size.
class GridController : public MapperController, public CeguiCanvasWidget::Drawer {
public:
    static const char* const CanvasPath;
    static const char* const BrushSpinnerPath;

    GridController(Tools* tools, TileMap* map);
    ~GridController() override;

    void drawToCanvas(CEGUI::Window* canvas) override;
    void drawTiles(sf::RenderTarget& target, sf::RenderStates states) const;
    void drawGrid(sf::RenderTarget& target, sf::RenderStates states) const;
    void drawBrush(sf::RenderTarget& target, sf::RenderStates states) const;

    bool isIndicesValid(math::Vector2<int> indices) const;
    /// The cell under a canvas point. Points too far out give cells far
    /// outside any map instead of overflowing.
    math::Vector2<int> point2indices(const math::Vector2<float>& point) const;
    /// Overwrites one cell inside the map and marks the map dirty.
    void modTile(const math::Vector2<int>& indices, unsigned char tile);
    /// The left button's edit at a canvas point.
    void modTileAt(const math::Vector2<float>& point, unsigned char tile);
    /// Erases with the brush at a canvas point (the right button).
    void eraseAt(const math::Vector2<float>& point);
    /// The tile picker: a non-empty cell's tile becomes the tool state's tile.
    void copyTileAt(const math::Vector2<float>& point);
    /// Moves the brush-size spinner by delta; its range keeps the value.
    void modBrushSize(int delta);
    /// Zooms one wheel step about a canvas point.
    void zoomAt(const math::Vector2<float>& point, float wheelChange);
    /// The round brush of the tool state's brush size n, a ball of radius
    /// n - 1 (built again only when the size changed).
    const MapTileBrush& getBrush();

    /// Where the grid lines of one axis cross a canvas of `extent` pixels:
    /// one every `step` from the origin's position, found with fmod so that
    /// a far-panned origin costs nothing extra.
    static std::vector<float> gridLinePositions(float origin, float step, float extent);

    float getPitch() const { return view.scale(); }
    math::Grid2<float>& getView() { return view; }
    const math::Grid2<float>& getView() const { return view; }

    bool onGridMouseClick(const CEGUI::EventArgs& args);
    bool onGridMouseMove(const CEGUI::EventArgs& args);
    bool onGridMouseWheel(const CEGUI::EventArgs& args);

private:
    math::Vector2<float> canvasPoint(const CEGUI::EventArgs& args) const;
    /// The canvas window's top-left corner and size in window pixels.
    math::Vector2<float> canvasCorner() const;
    math::Vector2<float> canvasSize() const;

    math::Grid2<float> view;
    MapTileBrush brush;
    int brushSize = -1;
    CEGUI::Window* canvasWindow = nullptr;
    CeguiConnectionSet connections;
};

} // namespace dunnix
