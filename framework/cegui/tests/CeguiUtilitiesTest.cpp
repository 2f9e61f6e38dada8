#include "testsupport/gui/CeguiNullFixture.hpp"

#include "framework/cegui/CeguiConnectionSet.hpp"
#include "framework/cegui/CeguiPrinter.hpp"
#include "framework/cegui/CeguiStatusbarHandler.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTransform.hpp"

#include <gmock/gmock.h>

#include <sstream>

namespace {

class CeguiUtilitiesTest : public velk_test::CeguiFixture {
protected:
    bool count(const CEGUI::EventArgs&)
    {
        ++calls;
        return true;
    }
    CEGUI::Event::Connection subscribe(CEGUI::Window* window)
    {
        return window->subscribeEvent(CEGUI::Window::EventTextChanged,
                                      CEGUI::Event::Subscriber(&CeguiUtilitiesTest::count, this));
    }

    int calls = 0;
};

TEST_F(CeguiUtilitiesTest, ConnectionSetCutsEverySubscription)
{
    CEGUI::Window* a = create("DefaultWindow", "A");
    CEGUI::Window* b = create("DefaultWindow", "B");
    CeguiConnectionSet set;
    set.disconnectAll(); // empty: nothing happens
    EXPECT_EQ(set.size(), 0u);

    set.addConnection(subscribe(a));
    set.addConnection(subscribe(b));
    EXPECT_EQ(set.size(), 2u);
    a->setText("1");
    b->setText("1");
    EXPECT_EQ(calls, 2);

    set.disconnectAll();
    EXPECT_EQ(set.size(), 0u);
    a->setText("2");
    b->setText("2");
    EXPECT_EQ(calls, 2);
    set.disconnectAll();
    EXPECT_EQ(set.size(), 0u);
}

TEST_F(CeguiUtilitiesTest, ConnectionSetGoingOutOfScopeUnsubscribes)
{
    CEGUI::Window* a = create("DefaultWindow", "A");
    {
        CeguiConnectionSet set;
        set.addConnection(subscribe(a));
        a->setText("1");
    }
    a->setText("2");
    EXPECT_EQ(calls, 1);
}

TEST_F(CeguiUtilitiesTest, ConnectionSetSurvivesItsWindows)
{
    CEGUI::Window* a = create("DefaultWindow", "A");
    CeguiConnectionSet set;
    set.addConnection(subscribe(a));
    CEGUI::WindowManager::getSingleton().destroyWindow(a);
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    set.disconnectAll();
    EXPECT_EQ(set.size(), 0u);
}

TEST_F(CeguiUtilitiesTest, StatusbarTextsLiveInTheWindowsProperties)
{
    CEGUI::Window* bar = create("GWEN/StatusBar", "Statusbar");
    CeguiStatusbarHandler handler(bar);
    EXPECT_EQ(handler.getStatusBar(), bar);
    handler.setLeftText(utf8ToCeguiString("Hajt\xC3\xB3m\xC5\xB1"));
    handler.setCenterText("center");
    handler.setRightText("right");
    EXPECT_EQ(ceguiStringToUtf8(handler.getLeftText()), "Hajt\xC3\xB3m\xC5\xB1");
    EXPECT_EQ(handler.getCenterText(), "center");
    EXPECT_EQ(handler.getRightText(), "right");
    EXPECT_EQ(bar->getProperty("LeftText"), utf8ToCeguiString("Hajt\xC3\xB3m\xC5\xB1"));
    EXPECT_EQ(bar->getProperty("CenterText"), "center");
    EXPECT_EQ(bar->getProperty("RightText"), "right");
}

TEST_F(CeguiUtilitiesTest, StatusbarWithoutWindowIsQuiet)
{
    CeguiStatusbarHandler handler;
    handler.setLeftText("lost");
    handler.setCenterText("lost");
    handler.setRightText("lost");
    EXPECT_EQ(handler.getLeftText(), "");
    EXPECT_EQ(handler.getCenterText(), "");
    EXPECT_EQ(handler.getRightText(), "");

    CEGUI::Window* bar = create("GWEN/StatusBar", "Statusbar");
    handler.setStatusbar(bar);
    handler.setLeftText("found");
    EXPECT_EQ(bar->getProperty("LeftText"), "found");
}

TEST_F(CeguiUtilitiesTest, StatusbarOnAWindowWithoutTheTextsThrows)
{
    CeguiStatusbarHandler handler(create("DefaultWindow", "Plain"));
    EXPECT_THROW(handler.setLeftText("x"), CEGUI::UnknownObjectException);
}

TEST(CeguiTransformTest, VectorsAndSizesConvertBothWays)
{
    const math::Vector2<float> v = cvec2mvec(CEGUI::Vector2f(1.5f, -2.0f));
    EXPECT_EQ(v, math::Vector2<float>(1.5f, -2.0f));
    const math::Vector2<float> s = csize2mvec(CEGUI::Sizef(640, 480));
    EXPECT_EQ(s, math::Vector2<float>(640, 480));
    EXPECT_EQ(mvec2cvec(math::Vector2<float>(3, 4)), CEGUI::Vector2f(3, 4));
    EXPECT_EQ(mvec2csize(math::Vector2<float>(5, 6)), CEGUI::Sizef(5, 6));
}

TEST_F(CeguiUtilitiesTest, MoveWindowToKeepsScalesAndSize)
{
    CEGUI::Window* w = create("DefaultWindow", "W");
    w->setArea(CEGUI::UVector2(CEGUI::UDim(0.5f, 10), CEGUI::UDim(0.25f, 20)),
               CEGUI::USize(CEGUI::UDim(0.1f, 30), CEGUI::UDim(0.2f, 40)));
    moveWindowTo(w, CEGUI::Vector2f(7, 8));
    const CEGUI::URect& area = w->getArea();
    EXPECT_EQ(area.d_min.d_x, CEGUI::UDim(0.5f, 7));
    EXPECT_EQ(area.d_min.d_y, CEGUI::UDim(0.25f, 8));
    // The size is kept as the difference of the corners (float arithmetic).
    EXPECT_NEAR(w->getSize().d_width.d_scale, 0.1f, 1e-6f);
    EXPECT_NEAR(w->getSize().d_width.d_offset, 30, 1e-4f);
    EXPECT_NEAR(w->getSize().d_height.d_scale, 0.2f, 1e-6f);
    EXPECT_NEAR(w->getSize().d_height.d_offset, 40, 1e-4f);
}

TEST_F(CeguiUtilitiesTest, MoveWindowByAddsToTheOffsets)
{
    CEGUI::Window* w = create("DefaultWindow", "W");
    w->setArea(CEGUI::UVector2(CEGUI::UDim(0.5f, 10), CEGUI::UDim(0, 20)),
               CEGUI::USize(CEGUI::UDim(0, 30), CEGUI::UDim(0, 40)));
    int moves = 0;
    w->subscribeEvent(CEGUI::Element::EventMoved, [&moves](const CEGUI::EventArgs&) {
        ++moves;
        return true;
    });
    moveWindowBy(w, CEGUI::Vector2f(-4, 6));
    EXPECT_EQ(w->getArea().d_min.d_x, CEGUI::UDim(0.5f, 6));
    EXPECT_EQ(w->getArea().d_min.d_y, CEGUI::UDim(0, 26));
    EXPECT_EQ(w->getSize(), CEGUI::USize(CEGUI::UDim(0, 30), CEGUI::UDim(0, 40)));
    EXPECT_EQ(moves, 1);

    moveWindowTo(nullptr, CEGUI::Vector2f(1, 1));
    moveWindowBy(nullptr, CEGUI::Vector2f(1, 1));
    EXPECT_EQ(w->getArea().d_min.d_y, CEGUI::UDim(0, 26));
}

TEST_F(CeguiUtilitiesTest, HierarchyPrintsOneLinePerWindow)
{
    CEGUI::Window* menu = create("DefaultWindow", "Menu");
    CEGUI::Window* ok = create("DefaultWindow", "Ok", menu);
    create("DefaultWindow", "Deep", ok);
    create("DefaultWindow", "Other");

    std::ostringstream out;
    printCeguiHierarchy(root, out);
    EXPECT_EQ(out.str(), "Root\n-Menu\n--Ok\n---Deep\n-Other\n");

    std::ostringstream single;
    printCeguiHierarchy(ok->getChild("Deep"), single);
    EXPECT_EQ(single.str(), "Deep\n");

    std::ostringstream deeper;
    printCeguiHierarchyRecursive(ok, deeper, 3);
    EXPECT_EQ(deeper.str(), "---Ok\n----Deep\n");
}

TEST_F(CeguiUtilitiesTest, PropertiesPrintNameValueAndDefault)
{
    CEGUI::Window* w = create("DefaultWindow", "W");
    w->setText("hello");
    std::ostringstream out;
    printCeguiProperties(w, out);
    EXPECT_THAT(out.str(), testing::HasSubstr("\nText : hello   ()\n"));
    EXPECT_THAT(out.str(), testing::HasSubstr("\nName : W   ("));
}

TEST_F(CeguiUtilitiesTest, PropertiesOfEverySkinWidgetPrint)
{
    int counter = 0;
    for (const char* type : {"GWEN/FrameWindow", "GWEN/Combobox", "GWEN/MultiColumnList", "GWEN/TabControl",
                             "GWEN/Spinner", "GWEN/Slider", "GWEN/StaticImage", "GWEN/ScrollablePane"}) {
        CEGUI::Window* w = create(type, "P" + CEGUI::PropertyHelper<int>::toString(++counter));
        std::ostringstream out;
        EXPECT_NO_THROW(printCeguiProperties(w, out)) << type;
        const std::string text = out.str();
        EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 10) << type;
        EXPECT_THAT(text, testing::HasSubstr("\nLookNFeel : " + std::string(type) + "   (")) << type;
    }
}

} // namespace
