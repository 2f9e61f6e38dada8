#include "testsupport/gui/CeguiNullFixture.hpp"

#include "framework/cegui/CeguiCanvasWidget.hpp"

#include <vector>

namespace {

class RecordingDrawer : public CeguiCanvasWidget::Drawer {
public:
    void drawToCanvas(CEGUI::Window* canvas) override { drawnOn.push_back(canvas); }
    std::vector<CEGUI::Window*> drawnOn;
};

class CeguiCanvasWidgetTest : public velk_test::CeguiFixture {
protected:
    CeguiCanvasWidget* createCanvas(const CEGUI::String& name)
    {
        auto* canvas = dynamic_cast<CeguiCanvasWidget*>(create("CanvasWidget", name));
        EXPECT_NE(canvas, nullptr);
        return canvas;
    }
};

TEST_F(CeguiCanvasWidgetTest, ScriptsAndCodeCreateCanvasesByTypeName)
{
    CEGUI::Window* window = create(CeguiCanvasWidget::WidgetTypeName, "Canvas");
    EXPECT_EQ(window->getType(), "CanvasWidget");
    EXPECT_NE(dynamic_cast<CeguiCanvasWidget*>(window), nullptr);
}

TEST_F(CeguiCanvasWidgetTest, DrawerIsAttachedOnce)
{
    CeguiCanvasWidget* canvas = createCanvas("Canvas");
    RecordingDrawer drawer;
    EXPECT_EQ(drawer.canvas(), nullptr);
    canvas->addDrawer(&drawer);
    canvas->addDrawer(&drawer);
    EXPECT_EQ(canvas->getDrawers().size(), 1u);
    EXPECT_EQ(drawer.canvas(), canvas);
    const RecordingDrawer& constDrawer = drawer;
    EXPECT_EQ(constDrawer.canvas(), canvas);
}

TEST_F(CeguiCanvasWidgetTest, RemovingKeepsOrderAndTheDrawersCanvas)
{
    CeguiCanvasWidget* canvas = createCanvas("Canvas");
    RecordingDrawer first, second, third;
    canvas->addDrawer(&first);
    canvas->addDrawer(&second);
    canvas->addDrawer(&third);
    canvas->removeDrawer(&second);
    EXPECT_EQ(canvas->getDrawers(), (std::list<CeguiCanvasWidget::Drawer*>{&first, &third}));
    EXPECT_EQ(second.canvas(), canvas);

    RecordingDrawer stranger;
    canvas->removeDrawer(&stranger);
    EXPECT_EQ(canvas->getDrawers().size(), 2u);

    canvas->removeAllDrawer();
    EXPECT_TRUE(canvas->getDrawers().empty());
    EXPECT_EQ(first.canvas(), canvas);
}

TEST_F(CeguiCanvasWidgetTest, DestroyedDrawerLeavesItsCanvas)
{
    CeguiCanvasWidget* canvas = createCanvas("Canvas");
    RecordingDrawer kept;
    canvas->addDrawer(&kept);
    {
        RecordingDrawer temporary;
        canvas->addDrawer(&temporary);
        EXPECT_EQ(canvas->getDrawers().size(), 2u);
    }
    EXPECT_EQ(canvas->getDrawers(), (std::list<CeguiCanvasWidget::Drawer*>{&kept}));
}

TEST_F(CeguiCanvasWidgetTest, DrawerOutlivingItsCanvasForgetsIt)
{
    // Screens destroy all GUI windows when they stop being on top, while
    // their panes (the drawers) live on until the screen is deleted.
    auto drawer = std::make_unique<RecordingDrawer>();
    CeguiCanvasWidget* canvas = createCanvas("Canvas");
    canvas->addDrawer(drawer.get());
    CEGUI::WindowManager::getSingleton().destroyWindow(canvas);
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    EXPECT_EQ(drawer->canvas(), nullptr);
    EXPECT_FALSE(CEGUI::WindowManager::getSingleton().isAlive(canvas));
    drawer.reset(); // must not reach into the deleted canvas
}

TEST_F(CeguiCanvasWidgetTest, MovingADrawerToAnotherCanvas)
{
    CeguiCanvasWidget* a = createCanvas("A");
    CeguiCanvasWidget* b = createCanvas("B");
    RecordingDrawer drawer;
    a->addDrawer(&drawer);
    a->removeDrawer(&drawer);
    b->addDrawer(&drawer);
    EXPECT_EQ(drawer.canvas(), b);
    EXPECT_TRUE(a->getDrawers().empty());
    EXPECT_EQ(b->getDrawers().size(), 1u);
}

TEST(CeguiCanvasScissorTest, BoxCountsUpFromTheBottomEdge)
{
    int box[4];
    CeguiCanvasWidget::scissorBox(CEGUI::Rectf(CEGUI::Vector2f(10, 20), CEGUI::Sizef(200, 100)), 600, box);
    EXPECT_EQ(box[0], 10);
    EXPECT_EQ(box[1], 600 - 20 - 100);
    EXPECT_EQ(box[2], 200);
    EXPECT_EQ(box[3], 100);

    // Fractions are cut toward zero.
    CeguiCanvasWidget::scissorBox(CEGUI::Rectf(CEGUI::Vector2f(10.7f, 20.2f), CEGUI::Sizef(99.9f, 50.5f)), 600, box);
    EXPECT_EQ(box[0], 10);
    EXPECT_EQ(box[1], 529); // 600 - 20.2 - 50.5 = 529.3
    EXPECT_EQ(box[2], 99);
    EXPECT_EQ(box[3], 50);
}

class EmptyBuffer : public CeguiOnlyDrawGeometryBuffer {
public:
    void draw() const override { ++draws; }
    mutable int draws = 0;
};

TEST(CeguiOnlyDrawGeometryBufferTest, HoldsNothingAndIgnoresSetters)
{
    EmptyBuffer buffer;
    const CEGUI::Vertex vertices[3];
    buffer.appendVertex(vertices[0]);
    buffer.appendGeometry(vertices, 3);
    buffer.setTranslation(CEGUI::Vector3f(1, 2, 3));
    buffer.setPivot(CEGUI::Vector3f(1, 2, 3));
    buffer.setRotation(CEGUI::Quaternion::eulerAnglesDegrees(10, 20, 30));
    buffer.setClippingRegion(CEGUI::Rectf(0, 0, 5, 5));
    buffer.setActiveTexture(reinterpret_cast<CEGUI::Texture*>(&buffer));
    buffer.setRenderEffect(reinterpret_cast<CEGUI::RenderEffect*>(&buffer));
    buffer.setClippingActive(true);
    buffer.reset();
    EXPECT_EQ(buffer.getVertexCount(), 0u);
    EXPECT_EQ(buffer.getBatchCount(), 0u);
    EXPECT_EQ(buffer.getActiveTexture(), nullptr);
    EXPECT_EQ(buffer.getRenderEffect(), nullptr);
    EXPECT_FALSE(buffer.isClippingActive());
    buffer.draw();
    EXPECT_EQ(buffer.draws, 1);
}

} // namespace
