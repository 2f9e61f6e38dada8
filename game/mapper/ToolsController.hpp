#pragma once

#include "foundation/math/Vector2.hpp"
#include "framework/cegui/CeguiCanvasWidget.hpp"
#include "framework/cegui/CeguiConnectionSet.hpp"
#include "game/mapper/MapperController.hpp"
#include "game/mapper/ToolsTileButton.hpp"

#include <memory>
#include <vector>

namespace CEGUI {
class EventArgs;
class Window;
} // namespace CEGUI

namespace dunnix {

/// The tile palette on the canvas "Toolbar/Tiles/__auto_contentpane__/Selector":
/// a column of tile buttons (full ground, the 32 partial tiles in rows of
/// four, the seven markers a map holds for play, and the eraser). A click
/// makes a button's tile the tool state's tile; the button of the current
/// tile is highlighted whoever changed it; the wheel scrolls the column. It
/// also keeps the tool state's brush size equal to the brush spinner's value.
class ToolsController : public MapperController, public CeguiCanvasWidget::Drawer {
public:
    static const char* const CanvasPath;
    static const char* const BrushSpinnerPath;
    /// Pixels one wheel step scrolls.
    static constexpr float WheelStep = 20.0f;

    ToolsController(Tools* tools, TileMap* map);
    ~ToolsController() override;

    /// The tile of the grid button at an index: 39 codes, then the eraser (0).
    unsigned char index2tile(unsigned int index) const;

    float getItemHeight() const { return itemHeight; }
    /// Not below 0; the buttons are not laid out again.
    void setItemHeight(float height);
    float getScrollOffset() const { return scrollOffset; }
    float getContentBottom() const { return contentBottom; }
    const std::vector<std::unique_ptr<ToolsTileButton>>& getButtons() const { return buttons; }

    /// Makes the tile the tool state's tile and marks the buttons.
    void selectTool(int tile);
    /// Selects every button holding a palette point (before scrolling); on a
    /// shared edge the later button wins.
    void selectToolAt(const math::Vector2<float>& point);
    /// Scrolls within [0, content bottom - canvas height].
    void scrollToolsBy(float delta);

    bool onToolsMouseClick(const CEGUI::EventArgs& args);
    bool onToolsMouseWheel(const CEGUI::EventArgs& args);
    bool onToolsSizeChanged(const CEGUI::EventArgs& args);
    bool onBrushSizeChanged(const CEGUI::EventArgs& args);

    /// Marks the buttons again when someone else changed the tile.
    void onUpdate(float dt) override;
    void drawToCanvas(CEGUI::Window* canvas) override;

private:
    void layoutButtons();
    void markButtons();
    void takeBrushSize(CEGUI::Window* spinner);
    float canvasHeight() const;

    float itemHeight = 30.0f;
    float scrollOffset = 0.0f;
    float contentBottom = 0.0f;
    std::vector<std::unique_ptr<ToolsTileButton>> buttons;
    bool seenTile = false;
    unsigned char lastTile = 0;
    CEGUI::Window* canvasWindow = nullptr;
    CeguiConnectionSet connections;
};

} // namespace dunnix
