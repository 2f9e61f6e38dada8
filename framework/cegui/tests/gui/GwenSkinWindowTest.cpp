#include "GuiWindowSupport.hpp"

#include "framework/cegui/CeguiString.hpp"

#include <string>

namespace {

class GwenSkinWindowTest : public velk_gui_test::GuiWindowFixture {};

TEST_F(GwenSkinWindowTest, SkinLoadsWithTheOpenGlRenderer)
{
    EXPECT_TRUE(CEGUI::SchemeManager::getSingleton().isDefined("GWEN"));
    EXPECT_TRUE(CEGUI::ImageManager::getSingleton().isDefined("GWEN/Selection"));
    EXPECT_TRUE(CEGUI::FontManager::getSingleton().isDefined("DejaVuSans-10"));
}

TEST_F(GwenSkinWindowTest, EveryWidgetDrawsWithoutGlErrors)
{
    const char* types[] = {"GWEN/FrameWindow", "GWEN/Button", "GWEN/StaticText", "GWEN/StaticImage",
                           "GWEN/Listbox", "GWEN/MultiColumnList", "GWEN/Combobox", "GWEN/Slider",
                           "GWEN/Spinner", "GWEN/Editbox", "GWEN/VerticalScrollbar", "GWEN/HorizontalScrollbar",
                           "GWEN/RadioButton", "GWEN/Checkbox", "GWEN/TabControl", "GWEN/ProgressBar",
                           "GWEN/StatusBar", "GWEN/ScrollablePane", "GWEN/MultiLineEditbox", "GWEN/Label"};
    int i = 0;
    for (const char* type : types) {
        CEGUI::Window* w = createAt(type, "W" + CEGUI::PropertyHelper<int>::toString(i), root,
                                    static_cast<float>(10 + (i % 4) * 195), static_cast<float>(10 + (i / 4) * 115),
                                    180, 100);
        if (std::string(type) != "GWEN/Spinner") {
            w->setText(utf8ToCeguiString("\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91"));
        }
        ++i;
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    const sf::Image shot = frame(sf::Color::Black);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // The frame window's client area is the skin's panel colour, not the background.
    EXPECT_NE(shot.getPixel(10 + 90, 10 + 60), sf::Color::Black);
    // The selection image is part of the loaded atlas texture.
    EXPECT_EQ(CEGUI::ImageManager::getSingleton().get("GWEN/Selection").getRenderedSize(), CEGUI::Sizef(6, 6));
}

} // namespace
