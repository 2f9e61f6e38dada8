// The GUI test screen on the null GUI renderer: colour rows kept in step with
// the background, lists filled once per build.

#include "game/shell/GuiTestState.hpp"
#include "testsupport/game/GameTestSupport.hpp"

#include <CEGUI/CEGUI.h>

namespace {

using velk::GuiTestState;
using velk_test::guiRoot;

class GuiTestStateTest : public velk_test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        screen = std::make_unique<GuiTestState>();
        screen->onStateStart();
    }
    void TearDown() override
    {
        screen->onStateEnd();
        screen.reset();
        EngineFixture::TearDown();
    }

    std::unique_ptr<GuiTestState> screen;
};

TEST_F(GuiTestStateTest, SpinnersStartAtTheBackgroundColour)
{
    EXPECT_NEAR(screen->colorWidgets().red.spinner->getCurrentValue(), 100.0, 1e-3);
    EXPECT_NEAR(screen->colorWidgets().green.spinner->getCurrentValue(), 150.0, 1e-3);
    EXPECT_NEAR(screen->colorWidgets().blue.spinner->getCurrentValue(), 200.0, 1e-3);
    EXPECT_NEAR(screen->colorWidgets().blue.slider->getCurrentValue(), 200.0f / 255.0f, 1e-6f);
    EXPECT_EQ(screen->getBackgroundSfColor(), sf::Color(100, 150, 200, 255));
}

TEST_F(GuiTestStateTest, SliderAndSpinnerDriveEachOtherAndTheBackground)
{
    screen->colorWidgets().red.slider->setCurrentValue(0.5f);
    EXPECT_NEAR(screen->colorWidgets().red.spinner->getCurrentValue(), 127.5, 1e-3);
    EXPECT_EQ(screen->getBackgroundSfColor().r, 128);
    screen->colorWidgets().green.spinner->setCurrentValue(255.0);
    EXPECT_FLOAT_EQ(screen->colorWidgets().green.slider->getCurrentValue(), 1.0f);
    EXPECT_EQ(screen->getBackgroundSfColor(), sf::Color(128, 255, 200, 255));
}

TEST_F(GuiTestStateTest, ListsAreFilledOncePerBuild)
{
    for (int build = 0; build < 2; ++build) {
        if (build == 1)
            screen->initGui();
        auto* list = static_cast<CEGUI::Listbox*>(guiRoot()->getChild("List"));
        auto* multi = static_cast<CEGUI::MultiColumnList*>(guiRoot()->getChild("MultiList"));
        auto* combo = static_cast<CEGUI::Combobox*>(guiRoot()->getChild("Combo"));
        ASSERT_EQ(list->getItemCount(), 20u);
        EXPECT_EQ(list->getListboxItemFromIndex(19)->getText(), "Item #20");
        ASSERT_EQ(multi->getColumnCount(), 4u);
        ASSERT_EQ(multi->getRowCount(), 20u);
        EXPECT_EQ(multi->getItemAtGridReference(CEGUI::MCLGridRef(19, 3))->getText(), "Item #420");
        EXPECT_EQ(multi->getHeaderSegmentForColumn(3).getText(), "Col #4");
        EXPECT_EQ(combo->getItemCount(), 20u);
        EXPECT_EQ(list->getListboxItemFromIndex(0)->getSelectionBrushImage()->getName(), "GWEN/Selection");
    }
    for (const char* name : {"Colors", "List", "MultiList", "Combo"}) {
        int count = 0;
        for (std::size_t i = 0; i < guiRoot()->getChildCount(); ++i)
            count += guiRoot()->getChildAtIdx(i)->getName() == name ? 1 : 0;
        EXPECT_EQ(count, 1) << name;
    }
    // Rebound to the background as it stands now.
    screen->colorWidgets().red.spinner->setCurrentValue(10.0);
    EXPECT_EQ(screen->getBackgroundSfColor().r, 10);
}

TEST_F(GuiTestStateTest, F1TogglesTheDisabledGuiAndF5RebuildsIt)
{
    velk_test::pressKey(sf::Keyboard::F1);
    screen->update();
    EXPECT_TRUE(guiRoot()->isDisabled());
    velk_test::pressKey(sf::Keyboard::F1);
    screen->update();
    EXPECT_FALSE(guiRoot()->isDisabled());

    CEGUI::Window* before = guiRoot()->getChild("List");
    velk_test::pressKey(sf::Keyboard::F5);
    screen->update();
    EXPECT_NE(guiRoot()->getChild("List"), before);
    EXPECT_EQ(static_cast<CEGUI::Listbox*>(guiRoot()->getChild("List"))->getItemCount(), 20u);
    // Without a key the next frame rebuilds nothing.
    before = guiRoot()->getChild("List");
    velk_test::pressKey(sf::Keyboard::A);
    screen->update();
    EXPECT_EQ(guiRoot()->getChild("List"), before);
}

} // namespace
