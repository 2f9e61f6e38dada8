// The builder pane on the null GUI renderer: zoom and pan, hull points with
// the mouse rules, selection frames, splitting, parts (hit tests when turned
// and mirrored, properties written to the entry), inventory tabs and icons.

#include "game/editor/tests/EditorTestSupport.hpp"

#include "game/editor/GridPartElement.hpp"
#include "game/editor/GridPointElement.hpp"
#include "game/editor/model/GridMath.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "game/ship/backend/ShipPart.hpp"
#include "game/ship/backend/ShipPartStore.hpp"
#include "testsupport/LogCapture.hpp"

#include <cmath>

namespace {

using velk::GridElementSet;
using velk::GridPartElement;
using velk::GridPointElement;
using velk_test::mouseAt;

class BuilderTest : public velk_test::EditorFixture {
protected:
    CEGUI::Window* canvas() const { return window("Center/View/Tabs/BuilderPane/GridCanvas"); }
    velk::backend::ShipEntry& ship() const { return *editor->getShip(); }
    math::Grid2<float>& grid() const { return builder()->grid(); }

    /// Window pixel of a ship position.
    math::Vector2<float> pixel(float x, float y) const
    {
        return builder()->getGridPos() + velk::shipToCanvas(grid(), {x, y});
    }
    /// Canvas pixel of a ship position.
    math::Vector2<float> canvasPixel(float x, float y) const { return velk::shipToCanvas(grid(), {x, y}); }

    void press(const math::Vector2<float>& at, CEGUI::MouseButton button, unsigned keys = 0)
    {
        builder()->onGridMouseDown(mouseAt(canvas(), at, button, keys));
    }
    void releaseAt(const math::Vector2<float>& at, CEGUI::MouseButton button, unsigned keys = 0)
    {
        builder()->onGridMouseUp(mouseAt(canvas(), at, button, keys));
    }
    void clickAt(const math::Vector2<float>& at, CEGUI::MouseButton button, unsigned keys = 0, unsigned count = 1)
    {
        builder()->onGridMouseClick(mouseAt(canvas(), at, button, keys, count));
    }
    void moveBy(const math::Vector2<float>& to, const math::Vector2<float>& delta, unsigned keys = 0)
    {
        CEGUI::MouseEventArgs args = mouseAt(canvas(), to, CEGUI::NoButton, keys);
        args.moveDelta = CEGUI::Vector2f(delta.x, delta.y);
        builder()->onGridMouseMove(args);
    }
    void wheel(const math::Vector2<float>& at, float change, unsigned keys = 0)
    {
        CEGUI::MouseEventArgs args = mouseAt(canvas(), at, CEGUI::NoButton, keys);
        args.wheelChange = change;
        builder()->onGridMouseWheel(args);
    }

    /// A left press and release on empty canvas: a new point.
    GridPointElement* addPoint(float x, float y)
    {
        press(pixel(x, y), CEGUI::LeftButton);
        releaseAt(pixel(x, y), CEGUI::LeftButton);
        return static_cast<GridPointElement*>(builder()->elements().getResources().back());
    }

    std::vector<math::Vector2<float>> points() const
    {
        std::vector<math::Vector2<float>> result;
        for (const auto* point : ship().pointSet().getResources())
            result.push_back(point->getPosition());
        return result;
    }

    static velk::backend::ShipPart* part(const char* code)
    {
        return velk::backend::ShipPartStore::Singleton.getPartByCode(code);
    }
};

TEST_F(BuilderTest, StartsCentredAtZoomOneWithItsWindowsShown)
{
    EXPECT_FLOAT_EQ(grid().zoom, 1.0f);
    EXPECT_FLOAT_EQ(grid().zoomMin, 0.45f);
    EXPECT_FLOAT_EQ(grid().zoomMax, 3.0f);
    EXPECT_FLOAT_EQ(grid().cellSize, 100.0f);
    EXPECT_FLOAT_EQ(grid().snapDivisor, 10.0f);
    EXPECT_TRUE(grid().snapToGrid); // the layout ticks the box
    EXPECT_FLOAT_EQ(grid().origin.x, builder()->getGridSize().x / 2);
    EXPECT_TRUE(window("Center/Inventory/PartsTabs")->isVisible());
    EXPECT_FALSE(window("Center/Tools/PartProperties")->isVisible());
    EXPECT_FALSE(window("Help")->isVisible());
    EXPECT_EQ(builder()->categoryTable().size(), 4u);
}

TEST_F(BuilderTest, ZoomKeepsThePointUnderTheCursorAndStopsAtItsLimits)
{
    const math::Vector2<float> at = canvasPixel(1.5f, -0.5f);
    builder()->zoomGridBy(1.1f, at);
    const math::Vector2<float> under = velk::canvasToShip(grid(), at);
    EXPECT_NEAR(under.x, 1.5f, 1e-4f);
    EXPECT_NEAR(under.y, -0.5f, 1e-4f);

    for (int i = 0; i < 40; ++i)
        builder()->zoomGridBy(1.1f, at);
    EXPECT_FLOAT_EQ(grid().zoom, 3.0f);
    EXPECT_FLOAT_EQ(grid().snapDivisor, 20.0f);
    const math::Vector2<float> origin = grid().origin;
    GridPointElement* point = addPoint(0.2f, 0.1f);
    builder()->zoomGridBy(1.1f, {0, 0});
    EXPECT_EQ(grid().origin, origin);
    EXPECT_FLOAT_EQ(grid().zoom, 3.0f);
    EXPECT_NEAR(point->getPosition().x, canvasPixel(0.2f, 0.1f).x, 1e-3f);

    for (int i = 0; i < 60; ++i)
        builder()->zoomGridBy(0.9090909f, at);
    EXPECT_FLOAT_EQ(grid().zoom, 0.45f);
    EXPECT_FLOAT_EQ(grid().snapDivisor, 1.0f);
    EXPECT_TRUE(grid().snapToGrid); // restored after every zoom
    // Re-placed from its entry at the new zoom.
    EXPECT_NEAR(point->getPosition().x, canvasPixel(0.2f, 0.1f).x, 1e-3f);
}

TEST_F(BuilderTest, PanningFarAndBackNeverMovesStoredPositions)
{
    addPoint(1.3f, 0.7f);
    GridPartElement* jet = builder()->createPartAt(part("jet.mki"), canvasPixel(-1.37f, 0.52f));
    const math::Vector2<float> point = ship().pointSet().getResources()[0]->getPosition();
    const math::Vector2<float> placed = jet->getPartEntry()->getPosition();
    for (int i = 0; i < 1000; ++i)
        builder()->moveGridBy({12345.6f, -7654.3f});
    for (int i = 0; i < 1000; ++i)
        builder()->moveGridBy({-12345.6f, 7654.3f});
    for (int i = 0; i < 50; ++i) {
        builder()->zoomGridBy(1.1f, {100, 100});
        builder()->zoomGridBy(0.9090909f, {300, 50});
    }
    EXPECT_EQ(ship().pointSet().getResources()[0]->getPosition(), point);
    EXPECT_EQ(jet->getPartEntry()->getPosition(), placed);
}

TEST_F(BuilderTest, ClicksAddPointsAtTheEndSnapped)
{
    addPoint(0.26f, 0.24f);
    addPoint(2.04f, -0.96f);
    const auto p = points();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_NEAR(p[0].x, 0.3f, 1e-4f);
    EXPECT_NEAR(p[0].y, 0.2f, 1e-4f);
    EXPECT_NEAR(p[1].x, 2.0f, 1e-4f);
    EXPECT_NEAR(p[1].y, -1.0f, 1e-4f);
    for (velk::GridElement* element : builder()->elements().getResources()) {
        EXPECT_FALSE(element->isSelected());
        EXPECT_FALSE(element->isGrabbed());
    }
    // Snapping off: the point stays where it was clicked.
    static_cast<CEGUI::ToggleButton*>(window("Center/Tools/Buttons/Upper/SnapToGridCheck"))->setSelected(false);
    EXPECT_FALSE(grid().snapToGrid);
    addPoint(1.26f, 0.74f);
    EXPECT_NEAR(points()[2].x, 1.26f, 1e-3f);
    // Outline: one window pixel per point, in order.
    ASSERT_EQ(builder()->outline().size(), 3u);
    EXPECT_NEAR(builder()->outline()[1].x, pixel(2.0f, -1.0f).x, 1e-3f);
}

TEST_F(BuilderTest, DraggingMovesTheGrabbedPointsOnly)
{
    GridPointElement* a = addPoint(0, 0);
    GridPointElement* b = addPoint(1, 0);
    GridPointElement* c = addPoint(0, 1);
    // Select a and b with right clicks (Shift adds).
    clickAt(pixel(0, 0), CEGUI::RightButton);
    clickAt(pixel(1, 0), CEGUI::RightButton, CEGUI::Shift);
    EXPECT_TRUE(a->isSelected() && b->isSelected() && !c->isSelected());
    // Pressing a selected point drags the whole selection.
    press(pixel(1, 0), CEGUI::LeftButton);
    moveBy(pixel(1.5f, 0), {50, 0});
    releaseAt(pixel(1.5f, 0), CEGUI::LeftButton);
    EXPECT_NEAR(points()[0].x, 0.5f, 1e-4f);
    EXPECT_NEAR(points()[1].x, 1.5f, 1e-4f);
    EXPECT_NEAR(points()[2].x, 0.0f, 1e-4f);
    // Pressing an unselected point clears the selection and drags it alone.
    press(pixel(0, 1), CEGUI::LeftButton);
    EXPECT_FALSE(a->isSelected() || b->isSelected());
    moveBy(pixel(0, 2), {0, -100});
    releaseAt(pixel(0, 2), CEGUI::LeftButton);
    EXPECT_NEAR(points()[2].y, 2.0f, 1e-4f);
    EXPECT_NEAR(points()[0].y, 0.0f, 1e-4f);
    EXPECT_FALSE(c->isSelected());
}

TEST_F(BuilderTest, DraggingSelectedPointsLeavesASelectedPartWhereItIs)
{
    addPoint(0, 0);
    GridPartElement* jet = builder()->createPartAt(part("jet.mki"), canvasPixel(-2, 1)); // selected by the drop
    clickAt(pixel(0, 0), CEGUI::RightButton);
    ASSERT_TRUE(jet->isSelected());
    const math::Vector2<float> placed = jet->getPartEntry()->getPosition();
    press(pixel(0, 0), CEGUI::LeftButton);
    moveBy(pixel(0.5f, 0), {50, 0});
    releaseAt(pixel(0.5f, 0), CEGUI::LeftButton);
    EXPECT_NEAR(points()[0].x, 0.5f, 1e-4f);
    EXPECT_EQ(jet->getPartEntry()->getPosition(), placed);
}

TEST_F(BuilderTest, DraggedPointsSnapWhileTheHandleFollowsTheMouse)
{
    GridPointElement* point = addPoint(0, 0);
    press(pixel(0, 0), CEGUI::LeftButton);
    moveBy(pixel(0.26f, 0), {26, 0});
    EXPECT_NEAR(ship().pointSet().getResources()[0]->getPosition().x, 0.3f, 1e-4f);
    EXPECT_NEAR(point->getPosition().x, canvasPixel(0.26f, 0).x, 1e-3f);
    releaseAt(pixel(0.26f, 0), CEGUI::LeftButton);
    EXPECT_NEAR(point->getPosition().x, canvasPixel(0.3f, 0).x, 1e-3f);
}

TEST_F(BuilderTest, SelectionFramesReplaceAddAndRemove)
{
    GridPointElement* a = addPoint(0, 0);
    GridPointElement* b = addPoint(1, 0);
    GridPointElement* c = addPoint(3, 0);
    auto frame = [this](float x0, float x1, unsigned keys) {
        press(pixel(x0, 0.5f), CEGUI::RightButton);
        moveBy(pixel(x1, -0.5f), pixel(x1, -0.5f) - pixel(x0, 0.5f), CEGUI::RightMouse);
        releaseAt(pixel(x1, -0.5f), CEGUI::RightButton, keys);
    };
    frame(-0.5f, 1.5f, 0);
    EXPECT_TRUE(a->isSelected() && b->isSelected() && !c->isSelected());
    frame(2.5f, 3.5f, CEGUI::Shift);
    EXPECT_TRUE(a->isSelected() && b->isSelected() && c->isSelected());
    frame(0.5f, 1.5f, CEGUI::Control);
    EXPECT_TRUE(a->isSelected() && !b->isSelected() && c->isSelected());
    frame(5, 6, 0); // frames nothing: everything deselected
    EXPECT_EQ(builder()->elements().getNumberOfSelected(), 0u);
    EXPECT_EQ(builder()->selectionFrame(), nullptr);
    // A frame cancelled by re-entering the canvas without the right button.
    press(pixel(0, 0), CEGUI::RightButton);
    EXPECT_NE(builder()->selectionFrame(), nullptr);
    builder()->onGridMouseEnter(mouseAt(canvas(), pixel(0, 0)));
    EXPECT_EQ(builder()->selectionFrame(), nullptr);
}

TEST_F(BuilderTest, RightClicksAndDoubleClicksSelectAndDelete)
{
    GridPointElement* a = addPoint(0, 0);
    GridPointElement* b = addPoint(1, 0);
    addPoint(0, 1);
    clickAt(pixel(0, 0), CEGUI::RightButton);
    clickAt(pixel(1, 0), CEGUI::RightButton);
    EXPECT_TRUE(!a->isSelected() && b->isSelected());
    clickAt(pixel(1, 0), CEGUI::RightButton, CEGUI::Control);
    EXPECT_FALSE(b->isSelected());
    clickAt(pixel(5, 5), CEGUI::RightButton, 0, 2);
    EXPECT_EQ(builder()->elements().getNumberOfSelected(), 3u);
    clickAt(pixel(5, 5), CEGUI::RightButton);
    EXPECT_EQ(builder()->elements().getNumberOfSelected(), 0u);
    // Double left click on a point: it and the other selected points go.
    clickAt(pixel(0, 1), CEGUI::RightButton);
    clickAt(pixel(0, 0), CEGUI::LeftButton, 0, 2);
    ASSERT_EQ(points().size(), 1u);
    EXPECT_NEAR(points()[0].x, 1.0f, 1e-4f);
    // On empty canvas it deletes nothing.
    clickAt(pixel(4, 4), CEGUI::LeftButton, 0, 2);
    EXPECT_EQ(points().size(), 1u);
}

TEST_F(BuilderTest, DoubleClickOnEmptyCanvasLeavesTheOutlineAsItWas)
{
    static_cast<CEGUI::ToggleButton*>(window("Center/Tools/Buttons/Upper/SnapToGridCheck"))->setSelected(false);
    addPoint(0, 0);
    addPoint(1, 0);
    // Second press of a double click is no button-down in CEGUI; the second
    // release's click carries the count 2.
    press(pixel(0.5f, 1), CEGUI::LeftButton);
    releaseAt(pixel(0.5f, 1), CEGUI::LeftButton);
    clickAt(pixel(0.5f, 1), CEGUI::LeftButton, 0, 2);
    EXPECT_EQ(points().size(), 2u);
}

TEST_F(BuilderTest, SplitHalvesSelectedEdgesOnly)
{
    addPoint(0, 0);
    addPoint(2, 0);
    addPoint(2, 2);
    addPoint(0, 2);
    builder()->elements().selectAll();
    builder()->splitSelectedSlides();
    const std::vector<math::Vector2<float>> expected{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}};
    const auto p = points();
    ASSERT_EQ(p.size(), expected.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
        EXPECT_NEAR(p[i].x, expected[i].x, 1e-4f) << i;
        EXPECT_NEAR(p[i].y, expected[i].y, 1e-4f) << i;
    }
    // Two selected points that are not neighbours: nothing to split.
    builder()->elements().deselectAll();
    builder()->elements().getResources()[0]->select();
    builder()->elements().getResources()[2]->select(); // the point (2, 2), fifth in the outline
    builder()->splitSelectedSlides();
    EXPECT_EQ(points().size(), 8u);
}

TEST_F(BuilderTest, TheWheelZoomsOnlyOverEmptyCanvas)
{
    addPoint(0, 0);
    GridPartElement* jet = builder()->createPartAt(part("jet.mki"), canvasPixel(2, 0));
    wheel(pixel(0, 0), 1);
    wheel(pixel(2, 0), 2);
    EXPECT_FLOAT_EQ(grid().zoom, 1.0f);
    EXPECT_NEAR(jet->getPartEntry()->getRotation(), 0.62831854f, 1e-5f);
    EXPECT_FLOAT_EQ(ship().pointSet().getResources()[0]->getRoundness(), 0.0f);
    wheel(pixel(-3, -1), 1);
    EXPECT_FLOAT_EQ(grid().zoom, 1.1f);
    wheel(pixel(-3, -1), -3);
    EXPECT_NEAR(grid().zoom, 1.0f, 1e-5f);
}

TEST_F(BuilderTest, PartsAreHitWhereTheyAreDrawnWhenTurnedAndMirrored)
{
    // drill.light: body from x -0.65 to 1.2, y -0.35 to 0.35.
    GridPartElement* drill = builder()->createPartAt(part("drill.light"), canvasPixel(0, 0));
    auto hit = [&](float x, float y) { return drill->isPointInside(canvasPixel(x, y)); };
    EXPECT_TRUE(hit(1.0f, 0.0f));
    EXPECT_FALSE(hit(-1.0f, 0.0f));
    drill->mirrorToX(true);
    EXPECT_TRUE(drill->getPartEntry()->isMirroredX());
    EXPECT_TRUE(hit(-1.0f, 0.0f));
    EXPECT_FALSE(hit(1.0f, 0.0f));
    // Mirrored, then turned a quarter anticlockwise: the tip points down.
    builder()->rotatePart(drill, 1.5707964f);
    EXPECT_NEAR(drill->getPartEntry()->getRotation(), 1.5707964f, 1e-6f);
    EXPECT_TRUE(hit(0.0f, -1.0f));
    EXPECT_FALSE(hit(0.0f, 1.0f));
    EXPECT_FALSE(hit(-1.0f, 0.0f));
    // An inactive part is never hit.
    drill->deactivate();
    EXPECT_FALSE(hit(0.0f, -1.0f));
}

TEST_F(BuilderTest, ADroppedPartIsTheOnlySelectedOneAndShowsItsProperties)
{
    GridPartElement* first = builder()->createPartAt(part("drill.light"), canvasPixel(-2, 0));
    GridPartElement* second = builder()->createPartAt(part("drill.heavy"), canvasPixel(2.013f, 0.5f));
    EXPECT_FALSE(first->isSelected());
    EXPECT_TRUE(second->isSelected());
    EXPECT_EQ(builder()->partWidgets().getPart(), second);
    EXPECT_TRUE(window("Center/Tools/PartProperties")->isVisible());
    // Not snapped: only a grabbed part snaps.
    EXPECT_NEAR(second->getPartEntry()->getPosition().x, 2.013f, 1e-3f);
    // Dragging a part snaps its entry.
    press(pixel(2.013f, 0.5f), CEGUI::LeftButton);
    EXPECT_TRUE(second->isGrabbed());
    moveBy(pixel(2.5f, 0.5f), {48.7f, 0});
    EXPECT_NEAR(second->getPartEntry()->getPosition().x, 2.5f, 1e-4f);
    releaseAt(pixel(2.5f, 0.5f), CEGUI::LeftButton);
    // Deleted by a double click.
    clickAt(pixel(2.5f, 0.5f), CEGUI::LeftButton, 0, 2);
    EXPECT_EQ(ship().partSet().getResources().size(), 1u);
    EXPECT_EQ(builder()->partWidgets().getPart(), nullptr);
    EXPECT_FALSE(window("Center/Tools/PartProperties")->isVisible());
}

TEST_F(BuilderTest, MirrorAndDrillHeadAreWrittenToTheEntry)
{
    GridPartElement* drill = builder()->createPartAt(part("drill.light"), canvasPixel(0, 0));
    auto& widgets = builder()->partWidgets();
    ASSERT_TRUE(widgets.getDrillheadList()->isVisible());
    // Showing a drill gives it the property, empty, with no head selected.
    EXPECT_EQ(drill->getPartEntry()->properties().at("drillhead"), "");
    EXPECT_EQ(widgets.getDrillheadList()->getSelectedCount(), 0u);
    ASSERT_EQ(widgets.getDrillheadList()->getItemCount(), 3u);
    {
        velk_test::LogCapture log;
        widgets.getDrillheadList()->setItemSelectState(std::size_t(1), true);
        EXPECT_TRUE(log.contains("[BC] Drillhead change"));
    }
    EXPECT_EQ(drill->getPartEntry()->properties().at("drillhead"), "drillhead.wide");
    widgets.getDrillheadList()->clearAllSelections();
    EXPECT_EQ(drill->getPartEntry()->properties().at("drillhead"), "");
    widgets.getMirrorCheck()->setSelected(true);
    EXPECT_TRUE(drill->getPartEntry()->isMirroredX());

    // A jet: no list, and showing another part writes nothing into it.
    GridPartElement* jet = builder()->createPartAt(part("jet.mki"), canvasPixel(3, 0));
    EXPECT_FALSE(widgets.getDrillheadList()->isVisible());
    EXPECT_FALSE(widgets.getMirrorCheck()->isSelected());
    EXPECT_FALSE(jet->getPartEntry()->isMirroredX());
    EXPECT_EQ(jet->getPartEntry()->properties().count("drillhead"), 0u);
    velk_test::LogCapture log;
    builder()->selectPart(drill);
    EXPECT_TRUE(widgets.getMirrorCheck()->isSelected());
    EXPECT_EQ(log.count("[BC] Part drillhead: , item drillhead"), 3);
    EXPECT_TRUE(drill->getPartEntry()->isMirroredX());
}

TEST_F(BuilderTest, InventoryTabsActivateTheirCategoriesOnly)
{
    GridPartElement* drill = builder()->createPartAt(part("drill.light"), canvasPixel(0, 0));
    GridPartElement* lamp = builder()->createPartAt(part("lamp.spot"), canvasPixel(3, 0));
    auto* tabs = static_cast<CEGUI::TabControl*>(window("Center/Inventory/PartsTabs"));
    tabs->setSelectedTabAtIndex(3);
    EXPECT_FALSE(drill->isActive());
    EXPECT_TRUE(lamp->isActive());
    EXPECT_FALSE(lamp->isSelected());
    EXPECT_FALSE(window("Center/Tools/PartProperties")->isVisible());
    tabs->setSelectedTabAtIndex(0);
    EXPECT_TRUE(drill->isActive());
    EXPECT_FALSE(lamp->isActive());
    // The last tab lists antennas, lamps, then cockpits, each by id.
    CEGUI::Window* items = tabs->getTabContentsAtIndex(3)->getChild("Scroll/__auto_container__");
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < items->getChildCount(); ++i) {
        CEGUI::Window* drag = items->getChildAtIdx(i)->getChildAtIdx(0);
        codes.push_back(static_cast<velk::backend::ShipPart*>(drag->getUserData())->getCode());
    }
    EXPECT_EQ(codes,
              (std::vector<std::string>{"antenna", "lamp.spot", "lamp.flood", "cockpit.bubble", "cockpit.visor"}));
}

TEST_F(BuilderTest, HoveringAnInventoryButtonNamesThePart)
{
    auto* tabs = static_cast<CEGUI::TabControl*>(window("Center/Inventory/PartsTabs"));
    CEGUI::Window* drag =
        tabs->getTabContentsAtIndex(1)->getChild("Scroll/__auto_container__")->getChildAtIdx(0)->getChildAtIdx(0);
    CEGUI::WindowEventArgs args(drag);
    builder()->onInventoryPartMouseEnters(args);
    EXPECT_EQ(builder()->statusbar().getLeftText(), "Main engine Mk III");
    builder()->onInventoryPartMouseLeaves(args);
    EXPECT_EQ(builder()->statusbar().getLeftText(), "");
}

TEST_F(BuilderTest, AMissingInventoryIconFallsBackToTheButtonBackground)
{
    execute("INSERT INTO part (id, code, image, body, category, shape) VALUES"
            " (9901, 'test.drill', 'no.such.picture', '0 0 1 0 1 1', 'drill', '0 0 1 1')");
    ASSERT_TRUE(velk::backend::ShipPartStore::Singleton.loadFromDatabase(GameFramework::Singleton.getDatabase()));
    velk_test::LogCapture log;
    builder()->createPartButtons();
    EXPECT_EQ(log.count("Inventory icon missing"), 1) << log.text();
    CEGUI::Window* items = static_cast<CEGUI::TabControl*>(window("Center/Inventory/PartsTabs"))
                               ->getTabContentsAtIndex(0)
                               ->getChild("Scroll/__auto_container__");
    CEGUI::Window* icon = items->getChildAtIdx(items->getChildCount() - 1)->getChildAtIdx(0)->getChildAtIdx(0);
    EXPECT_EQ(icon->getProperty("Image"), "InventoryIcons/Button_BG");
}

TEST_F(BuilderTest, HelpOpensModalAndCloses)
{
    for (int i = 0; i < 2; ++i) {
        velk_test::click(window("Center/Tools/HelpButton"));
        EXPECT_TRUE(window("Help")->isVisible());
        EXPECT_EQ(velk_test::modalWindow(), window("Help"));
        velk_test::click(window("Help/CloseButton"));
        EXPECT_FALSE(window("Help")->isVisible());
        EXPECT_EQ(velk_test::modalWindow(), nullptr);
    }
}

TEST(GridElementSetTest, HitOrderMirrorsDrawOrderAndTypedOperationsSkipOthers)
{
    math::Grid2<float> grid;
    grid.cellSize = 100;
    velk::backend::ShipEntry ship;
    {
        GridElementSet set;
        auto* a = set.add(new GridPointElement(grid, &ship, {0, 0}, 40));
        auto* b = set.add(new GridPointElement(grid, &ship, {10, 10}, 40));
        auto* c = set.add(new GridPointElement(grid, &ship, {300, 0}, 40));
        EXPECT_EQ(set.getElementAt({5, 5}), a);
        EXPECT_EQ(set.getElementAt({25, 25}), b);
        EXPECT_EQ(set.getElementAt({100, 100}), nullptr);
        // Handles react within +-20 pixels, borders included.
        EXPECT_EQ(set.getElementAt({320, 20}), c);
        EXPECT_EQ(set.getElementAt({320.5f, 0}), nullptr);
        set.selectElement(a, GridElementSet::Replace);
        set.selectElement(c, GridElementSet::Add);
        set.selectElement(a, GridElementSet::Remove);
        EXPECT_EQ(set.getNumberOfSelected(), 1u);
        set.selectElement(b, static_cast<GridElementSet::SelectionMode>(7));
        EXPECT_FALSE(b->isSelected());
        set.selectAll();
        set.destroySelectedElements<GridPointElement>();
        EXPECT_TRUE(set.getResources().empty());
        EXPECT_TRUE(ship.pointSet().getResources().empty());
    }
}

TEST(GridElementSetTest, InvalidElementsLeaveTheirEntries)
{
    math::Grid2<float> grid;
    grid.cellSize = 100;
    velk::backend::ShipEntry ship;
    {
        GridElementSet set;
        set.add(new GridPointElement(grid, &ship, {0, 0}, 40));
        set.add(new GridPointElement(grid, &ship, {0, 0}, 40));
        set.getResources()[0]->invalidate();
        set.clear();
    }
    EXPECT_EQ(ship.pointSet().getResources().size(), 1u);
}

TEST(GridPointElementTest, HandleCornersAreAnOuterAndAnInnerSquare)
{
    const std::vector<math::Vector2<float>> expected{{-1, -1},       {1, -1},       {1, 1},       {-1, 1},
                                                     {-0.4f, -0.4f}, {0.4f, -0.4f}, {0.4f, 0.4f}, {-0.4f, 0.4f}};
    velk::calcBaseCornerPoints();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_FLOAT_EQ(velk::baseCornerPoints[i].x, expected[i].x) << i;
        EXPECT_FLOAT_EQ(velk::baseCornerPoints[i].y, expected[i].y) << i;
    }
}

} // namespace
