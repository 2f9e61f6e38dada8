#pragma once

#include "foundation/math/Box.hpp"
#include "foundation/math/Grid2.hpp"
#include "framework/cegui/CeguiCanvasWidget.hpp"
#include "framework/cegui/CeguiConnectionSet.hpp"
#include "framework/cegui/CeguiStatusbarHandler.hpp"
#include "game/editor/EditorController.hpp"
#include "game/editor/GridElementSet.hpp"

#include <CEGUI/Vector.h>

#include <memory>
#include <string>
#include <vector>

namespace CEGUI {
class EventArgs;
class Listbox;
class TabControl;
class ToggleButton;
class Window;
} // namespace CEGUI

namespace velk {

namespace backend {
class PointEntry;
class ShipPart;
} // namespace backend

class GridPartElement;
class GridPointElement;

/// The builder pane: a zoomable, pannable grid on which the player edits the
/// hull outline (points) and places parts from the inventory. Grid elements
/// write into the ship description as they move, so it can be saved at any
/// moment. Coordinates: window pixels (CEGUI), canvas pixels (window minus
/// the canvas's top-left; elements, origin and selection frame live there)
/// and ship units (y up).
class BuilderController : public EditorController,
                          public CeguiCanvasWidget::Drawer,
                          public tools::ResourceSet<GridElement>::Listener {
public:
    /// The widgets of the selected part's properties: the mirror check box and,
    /// for drills, the drill-head list. Changes go straight into the part's entry.
    class PartPropertyWidgets {
    public:
        explicit PartPropertyWidgets(BuilderController* owner) : owner(owner) {}

        void connectTo(CEGUI::Window* window);
        void show();
        void hide();
        /// Visible exactly when a part is set.
        void updateVisibility();
        void setPart(GridPartElement* element);
        GridPartElement* getPart() const { return part; }
        void updateWidgetsFromPart();
        /// Nothing: each widget writes to the part in its own handler.
        void updatePartFromWidgets() {}

        bool onMirroredCheckboxChanged(const CEGUI::EventArgs& args);
        bool onDrillheadSelectionChanged(const CEGUI::EventArgs& args);

        CEGUI::Window* getRoot() const { return root; }
        CEGUI::ToggleButton* getMirrorCheck() const { return mirrorCheck; }
        CEGUI::Listbox* getDrillheadList() const { return drillheadList; }

    private:
        BuilderController* owner;
        CEGUI::Window* root = nullptr;
        CEGUI::ToggleButton* mirrorCheck = nullptr;
        CEGUI::Listbox* drillheadList = nullptr;
        GridPartElement* part = nullptr;
    };

    using Box = math::Box<math::Vector2<float>>;

    BuilderController(CeguiCanvasWidget* canvas, backend::ShipEntry* ship);
    ~BuilderController() override;

    void connectToGui();
    void disconnectFromGui();
    void rebuild() override;

    // Drawing.
    void drawToCanvas(CEGUI::Window* canvas) override;
    void drawBackground(const Box& box);
    void drawGrid(const Box& box);
    void drawGridElements();
    void drawOutline();
    void drawSelectionFrame();

    // Positions.
    math::Vector2<float> getGridPos() const;
    math::Vector2<float> getGridSize() const;
    math::Vector2<float> window2grid(const CEGUI::Vector2<float>& p) const;
    math::Vector2<float> absolute2relative(const math::Vector2<float>& p) const;
    math::Vector2<float> relateive2absolute(const math::Vector2<float>& p) const;

    // View.
    void zoomGridBy(float factor, math::Vector2<float> at);
    void moveGridBy(math::Vector2<float> delta);
    void moveGrabbedElements(const math::Vector2<float>& delta);
    bool onSnapToGridChanged(const CEGUI::EventArgs& args);

    // Hull points.
    void setupPoint(GridPointElement* point);
    GridPointElement* createPointAt(const math::Vector2<float>& pos);
    GridPointElement* createPointAtAfter(const math::Vector2<float>& pos, backend::PointEntry* after);
    void splitSelectedSlides();
    bool onSplitButtonClicked(const CEGUI::EventArgs& args);
    void removeSelectedPoints();
    void modPointRoundness(GridPointElement* point, float delta);
    void updateShipOutline();
    void moveShipOutlineBy(const math::Vector2<float>& delta);
    void startSelectionFrame(const math::Vector2<float>& p);
    void moveSelectionFrame(const math::Vector2<float>& d);
    void modSelectionFrame(const math::Vector2<float>& d);
    void endSelectionFrame(GridElementSet::SelectionMode mode);
    void cancelSelectionFrame();

    bool onGridMouseDown(const CEGUI::EventArgs& args);
    bool onGridMouseUp(const CEGUI::EventArgs& args);
    bool onGridMouseMove(const CEGUI::EventArgs& args);
    bool onGridMouseClick(const CEGUI::EventArgs& args);
    bool onGridMouseWheel(const CEGUI::EventArgs& args);
    bool onGridMouseEnter(const CEGUI::EventArgs& args);
    bool onGridMouseLeave(const CEGUI::EventArgs& args);

    // Parts.
    void createPartButtons();
    void createPartButtonsOnPaneForCategories(CEGUI::Window* pane, const std::vector<std::string>& categories);
    bool onInventoryTabChange(const CEGUI::EventArgs& args);
    void activatePartsByTabIdx(unsigned index);
    void activatePartsByCategory(const std::string& category);
    bool onInventoryPartMouseEnters(const CEGUI::EventArgs& args);
    bool onInventoryPartMouseLeaves(const CEGUI::EventArgs& args);
    bool onGridDragDropped(const CEGUI::EventArgs& args);
    GridPartElement* createPartAt(backend::ShipPart* part, const math::Vector2<float>& position);
    void setupPart(GridPartElement* part) { selectPart(part); }
    void selectPart(GridPartElement* part);
    void destroyPart(GridPartElement* part);
    void rotatePart(GridPartElement* part, float delta);

    // Help and status bar.
    void openHelp();
    void closeHelp();
    bool onHelpButton(const CEGUI::EventArgs& args);
    bool onHelpBackButton(const CEGUI::EventArgs& args);

    math::Grid2<float>& grid() { return gridValues; }
    GridElementSet& elements() { return elementSet; }
    const std::vector<math::Vector2<float>>& outline() const { return shipOutline; }
    const std::shared_ptr<Box>& selectionFrame() const { return frame; }
    PartPropertyWidgets& partWidgets() { return propertyWidgets; }
    CeguiStatusbarHandler& statusbar() { return statusbarHandler; }
    CEGUI::Window* helpWindow() const { return help; }
    const std::vector<std::vector<std::string>>& categoryTable() const { return categories; }

protected:
    void onActivate() override;

private:
    void connectToGrid();
    void connectToSnapToGridCheckbox();
    void connectToSplitButton();
    void connectToPartProperties();
    void connectToInventory();
    void connectToHelp();
    void connectToStatusbar();
    void setupOnlyThisWindows();
    GridPointElement* addPoint(GridPointElement* point);
    void setSnapDivisorByZoom();

    CeguiConnectionSet connections;
    CeguiCanvasWidget* canvasWidget;
    math::Grid2<float> gridValues;
    GridElementSet elementSet;
    std::shared_ptr<Box> frame;
    std::vector<math::Vector2<float>> shipOutline;

    CEGUI::TabControl* inventory = nullptr;
    std::vector<std::vector<std::string>> categories;
    PartPropertyWidgets propertyWidgets;
    CEGUI::Window* help = nullptr;
    CeguiStatusbarHandler statusbarHandler;
};

} // namespace velk
