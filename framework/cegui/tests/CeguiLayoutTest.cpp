#include "testsupport/gui/CeguiNullFixture.hpp"

#include "framework/cegui/CeguiFlowLayout.hpp"
#include "framework/cegui/CeguiGridLayout.hpp"

namespace {

using velk_test::rectInParent;

class CeguiLayoutTest : public velk_test::CeguiFixture {
protected:
    void SetUp() override
    {
        velk_test::CeguiFixture::SetUp();
        box = createAt(root, "Box", 20, 30, 400, 300);
    }

    CEGUI::Window* child(float w, float h)
    {
        static int counter = 0;
        return createAt(box, "C" + CEGUI::PropertyHelper<int>::toString(++counter), 0, 0, w, h);
    }

    CEGUI::Window* box = nullptr;
};

TEST_F(CeguiLayoutTest, RowPutsChildrenSideBySide)
{
    CEGUI::Window* a = child(40, 10);
    CEGUI::Window* b = child(60, 20);
    CeguiFlowLayout layout(CeguiFlowLayout::Row);
    layout.setOffset(CEGUI::UVector2(CEGUI::UDim(0, 5), CEGUI::UDim(0, 0)));
    layout.setSpacing(CEGUI::UDim(0, 5));
    layout.setContainer(box);

    EXPECT_FLOAT_EQ(rectInParent(a).left(), 5);
    EXPECT_FLOAT_EQ(rectInParent(b).left(), 5 + 40 + 5);
    // Default alignment: tops at offset.y; sizes kept.
    EXPECT_FLOAT_EQ(rectInParent(a).top(), 0);
    EXPECT_FLOAT_EQ(rectInParent(b).top(), 0);
    EXPECT_FLOAT_EQ(rectInParent(a).getWidth(), 40);
    EXPECT_FLOAT_EQ(rectInParent(b).getHeight(), 20);
}

TEST_F(CeguiLayoutTest, RowSpacingScaleIsAFractionOfTheContainer)
{
    CEGUI::Window* a = child(40, 10);
    CEGUI::Window* b = child(60, 20);
    CeguiFlowLayout layout(CeguiFlowLayout::Row);
    layout.setSpacing(CEGUI::UDim(0.1f, 2));
    layout.setContainer(box);
    EXPECT_FLOAT_EQ(rectInParent(a).left(), 0);
    EXPECT_FLOAT_EQ(rectInParent(b).left(), 40 + 0.1f * 400 + 2);
}

TEST_F(CeguiLayoutTest, RowCentredAndBottomAligned)
{
    CEGUI::Window* a = child(40, 10);
    CEGUI::Window* b = child(60, 30);
    CeguiFlowLayout layout(CeguiFlowLayout::Row);
    layout.setAlignment(CeguiFlowLayout::Center);
    layout.setContainer(box);
    EXPECT_FLOAT_EQ(rectInParent(a).top() + 5, 150);
    EXPECT_FLOAT_EQ(rectInParent(b).top() + 15, 150);

    layout.setAlignment(CeguiFlowLayout::Bottom);
    layout.setOffset(CEGUI::UVector2(CEGUI::UDim(0, 0), CEGUI::UDim(0, -4)));
    layout.forceUpdate();
    EXPECT_FLOAT_EQ(rectInParent(a).bottom(), 300 - 4);
    EXPECT_FLOAT_EQ(rectInParent(b).bottom(), 300 - 4);
}

TEST_F(CeguiLayoutTest, ColumnStacksChildrenInsideTheContainer)
{
    CEGUI::Window* a = child(40, 10);
    CEGUI::Window* b = child(60, 20);
    CeguiFlowLayout layout(CeguiFlowLayout::Column);
    layout.setOffset(CEGUI::UVector2(CEGUI::UDim(0, 3), CEGUI::UDim(0, 7)));
    layout.setSpacing(CEGUI::UDim(0, 2));
    layout.setContainer(box);
    // Default alignment: left edges at offset.x, so the children stay visible.
    EXPECT_FLOAT_EQ(rectInParent(a).left(), 3);
    EXPECT_FLOAT_EQ(rectInParent(b).left(), 3);
    EXPECT_FLOAT_EQ(rectInParent(a).top(), 7);
    EXPECT_FLOAT_EQ(rectInParent(b).top(), 7 + 10 + 2);
}

TEST_F(CeguiLayoutTest, ColumnCentredAndRightAligned)
{
    CEGUI::Window* a = child(40, 10);
    CEGUI::Window* b = child(60, 20);
    CeguiFlowLayout layout(CeguiFlowLayout::Column);
    layout.setAlignment(CeguiFlowLayout::Center);
    layout.setOffset(CEGUI::UVector2(CEGUI::UDim(0, 10), CEGUI::UDim(0, 0)));
    layout.setContainer(box);
    EXPECT_FLOAT_EQ(rectInParent(a).left() + 20, 200 + 10);
    EXPECT_FLOAT_EQ(rectInParent(b).left() + 30, 200 + 10);

    layout.setAlignment(CeguiFlowLayout::Right);
    layout.setOffset(CEGUI::UVector2(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)));
    layout.forceUpdate();
    EXPECT_FLOAT_EQ(rectInParent(a).right(), 400);
    EXPECT_FLOAT_EQ(rectInParent(b).right(), 400);
}

TEST_F(CeguiLayoutTest, EmptyContainerAndNoContainerAreHarmless)
{
    CeguiFlowLayout flow(CeguiFlowLayout::Row);
    flow.forceUpdate(); // no container
    EXPECT_EQ(flow.getContainer(), nullptr);
    CeguiGridLayout grid(CeguiGridLayout::Cells);
    grid.setItemsPerLine(3); // no container yet: kept for later
    grid.setContainer(box);  // no children: nothing to place
    EXPECT_EQ(box->getChildCount(), 0u);

    // The setting made before binding applies to the children that come.
    CEGUI::Window* a = child(10, 10);
    grid.forceUpdate();
    EXPECT_NEAR(rectInParent(a).getWidth(), 400.0f / 3, 1.0f);
}

TEST_F(CeguiLayoutTest, GridFillsRowsOfEqualCells)
{
    std::vector<CEGUI::Window*> children;
    for (int i = 0; i < 7; ++i) {
        children.push_back(child(5, 5));
    }
    CeguiGridLayout layout(CeguiGridLayout::Cells);
    layout.setContainer(box);
    layout.setItemsPerLine(3);
    layout.setSpacing(CEGUI::UVector2(CEGUI::UDim(0, 5), CEGUI::UDim(0, 4)));
    layout.setMargin(CEGUI::UBox(CEGUI::UDim(0, 8), CEGUI::UDim(0, 10), CEGUI::UDim(0, 0), CEGUI::UDim(0, 20)));
    layout.setAspectRatio(2.0f);

    // 400 px less two gaps of 5 and margins 10 + 20 leaves 360 for three cells.
    const float width = 120;
    const float height = width / 2;
    for (int i = 0; i < 7; ++i) {
        const int column = i % 3;
        const int row = i / 3;
        const CEGUI::Rectf r = rectInParent(children[i]);
        EXPECT_FLOAT_EQ(r.left(), 10 + column * (width + 5)) << "child " << i;
        EXPECT_FLOAT_EQ(r.top(), 8 + row * (height + 4)) << "child " << i;
        EXPECT_FLOAT_EQ(r.getWidth(), width) << "child " << i;
        EXPECT_FLOAT_EQ(r.getHeight(), height) << "child " << i;
    }
}

TEST_F(CeguiLayoutTest, GridFillsColumns)
{
    std::vector<CEGUI::Window*> children;
    for (int i = 0; i < 5; ++i) {
        children.push_back(child(5, 5));
    }
    CeguiGridLayout layout(CeguiGridLayout::Cells);
    layout.setDirection(CeguiGridLayout::Columns);
    layout.setItemsPerLine(2);
    layout.setAspectRatio(0.5f);
    layout.setContainer(box);
    // Two cells share the 300 px height; width follows from the ratio.
    const float height = 150;
    const float width = 75;
    for (int i = 0; i < 5; ++i) {
        const CEGUI::Rectf r = rectInParent(children[i]);
        EXPECT_FLOAT_EQ(r.top(), (i % 2) * height) << "child " << i;
        EXPECT_FLOAT_EQ(r.left(), (i / 2) * width) << "child " << i;
        EXPECT_FLOAT_EQ(r.getHeight(), height) << "child " << i;
    }
}

TEST_F(CeguiLayoutTest, GridOfTheInventoryButtons)
{
    CEGUI::Window* a = child(5, 5);
    CEGUI::Window* b = child(5, 5);
    CEGUI::Window* c = child(5, 5);
    CeguiGridLayout layout(CeguiGridLayout::Cells);
    layout.setContainer(box);
    layout.setItemsPerLine(2);
    layout.setSpacing(CEGUI::UVector2(CEGUI::UDim(0, 33.33f), CEGUI::UDim(0, 33.33f)));
    layout.setMargin(
        CEGUI::UBox(CEGUI::UDim(0, 13.33f), CEGUI::UDim(0, 13.33f), CEGUI::UDim(0, 0), CEGUI::UDim(0, 33.33f)));
    layout.setAspectRatio(1.0f);
    for (CEGUI::Window* button : {a, b, c}) {
        EXPECT_FLOAT_EQ(button->getWidth().d_scale, 0.5f);
        EXPECT_NEAR(button->getWidth().d_offset, -40.0f, 0.01f); // 33.33 stands for a third of 100
        EXPECT_FLOAT_EQ(rectInParent(button).getWidth(), rectInParent(button).getHeight());
    }
    // CEGUI rounds window positions to whole pixels.
    EXPECT_NEAR(rectInParent(c).top(), 13.33f + rectInParent(a).getHeight() + 33.33f, 0.5f);
    EXPECT_NEAR(rectInParent(c).left(), 13.33f, 0.5f);
}

TEST_F(CeguiLayoutTest, GridOnTheContentOfAScrollPane)
{
    // The inventory's buttons: more than the pane shows, so its scroll bar
    // comes up while the layout runs and narrows the content window.
    auto* pane = static_cast<CEGUI::ScrollablePane*>(create("GWEN/ScrollablePane", "Scroll"));
    pane->setArea(CEGUI::UVector2(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)),
                  CEGUI::USize(CEGUI::UDim(0, 300), CEGUI::UDim(0, 400)));
    CEGUI::Window* content = pane->getChild("__auto_container__");
    CeguiGridLayout* layout = framework.crateGridLayout(content, CeguiGridLayout::Cells);
    layout->setItemsPerLine(2);
    layout->setSpacing(CEGUI::UVector2(CEGUI::UDim(0, 33.33f), CEGUI::UDim(0, 33.33f)));
    layout->setMargin(
        CEGUI::UBox(CEGUI::UDim(0, 13.33f), CEGUI::UDim(0, 13.33f), CEGUI::UDim(0, 0), CEGUI::UDim(0, 33.33f)));
    layout->setAspectRatio(1.0f);
    std::vector<CEGUI::Window*> buttons;
    for (int i = 0; i < 7; ++i) {
        buttons.push_back(create("GWEN/Button", "Part" + CEGUI::PropertyHelper<int>::toString(i), pane));
    }
    layout->forceUpdate();

    ASSERT_TRUE(pane->getVertScrollbar()->isVisible());
    const float viewWidth = pane->getViewableArea().getWidth();
    EXPECT_LT(viewWidth, 300.0f);
    const float side = viewWidth / 2 - 40;
    const CEGUI::Rectf contentRect = content->getUnclippedOuterRect().get();
    for (int i = 0; i < 7; ++i) {
        const CEGUI::Rectf r = buttons[i]->getUnclippedOuterRect().get();
        EXPECT_NEAR(r.getWidth(), side, 1.0f) << "button " << i;
        EXPECT_NEAR(r.getHeight(), side, 1.0f) << "button " << i;
        EXPECT_NEAR(r.left() - contentRect.left(), 13.33f + (i % 2) * (side + 33.33f), 1.0f) << "button " << i;
        EXPECT_NEAR(r.top() - contentRect.top(), 13.33f + (i / 2) * (side + 33.33f), 1.5f) << "button " << i;
    }
}

TEST_F(CeguiLayoutTest, GridInOtherModeLeavesChildrenAlone)
{
    CEGUI::Window* a = createAt(box, "Kept", 11, 12, 13, 14);
    CeguiGridLayout layout(static_cast<CeguiGridLayout::Mode>(1));
    layout.setContainer(box);
    layout.setItemsPerLine(4);
    EXPECT_EQ(rectInParent(a), CEGUI::Rectf(11, 12, 24, 26));
}

TEST_F(CeguiLayoutTest, GridWithNoItemsPerLineGivesEmptyCells)
{
    CEGUI::Window* a = child(30, 30);
    CeguiGridLayout layout(CeguiGridLayout::Cells);
    layout.setItemsPerLine(0);
    layout.setContainer(box);
    EXPECT_FLOAT_EQ(rectInParent(a).getWidth(), 0);
}

TEST_F(CeguiLayoutTest, ResizeRelaysButAddingAChildWaitsForForceUpdate)
{
    CEGUI::Window* a = child(40, 10);
    CeguiFlowLayout layout(CeguiFlowLayout::Row);
    layout.setAlignment(CeguiFlowLayout::Center);
    layout.setContainer(box);
    EXPECT_FLOAT_EQ(rectInParent(a).top(), 145);

    box->setHeight(CEGUI::UDim(0, 100));
    EXPECT_FLOAT_EQ(rectInParent(a).top(), 45);

    CEGUI::Window* b = createAt(box, "Late", 0, 0, 60, 20);
    EXPECT_FLOAT_EQ(rectInParent(b).left(), 0);
    EXPECT_FLOAT_EQ(rectInParent(b).top(), 0);
    layout.forceUpdate();
    EXPECT_FLOAT_EQ(rectInParent(b).left(), 40);
    EXPECT_FLOAT_EQ(rectInParent(b).top(), 40);
}

TEST_F(CeguiLayoutTest, BindingTheSameWindowAgainDoesNotRelay)
{
    CEGUI::Window* a = child(40, 10);
    CeguiFlowLayout layout(CeguiFlowLayout::Row);
    layout.setContainer(box);
    a->setPosition(CEGUI::UVector2(CEGUI::UDim(0, 77), CEGUI::UDim(0, 66)));
    layout.setContainer(box);
    EXPECT_FLOAT_EQ(rectInParent(a).left(), 77);

    // Rebinding elsewhere drops the old subscriptions.
    CEGUI::Window* other = createAt(root, "Other", 0, 0, 50, 50);
    layout.setContainer(other);
    box->setWidth(CEGUI::UDim(0, 390));
    EXPECT_FLOAT_EQ(rectInParent(a).left(), 77);
}

TEST(CeguiLayoutCompareTest, ScaleFirstThenOffset)
{
    EXPECT_TRUE(CeguiLayout::compareUDim(CEGUI::UDim(0.5f, 0), CEGUI::UDim(0.25f, 100)));
    EXPECT_FALSE(CeguiLayout::compareUDim(CEGUI::UDim(0.25f, 100), CEGUI::UDim(0.5f, 0)));
    EXPECT_TRUE(CeguiLayout::compareUDim(CEGUI::UDim(0.5f, 3), CEGUI::UDim(0.5f, 2)));
    EXPECT_FALSE(CeguiLayout::compareUDim(CEGUI::UDim(0.5f, 2), CEGUI::UDim(0.5f, 2)));
}

} // namespace
