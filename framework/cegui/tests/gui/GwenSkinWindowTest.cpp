#include "testsupport/gui/GuiWindowFixture.hpp"

#include "framework/cegui/CeguiString.hpp"

#include <SFML/OpenGL.hpp>

#include <cstdlib>
#include <string>

namespace {

class GwenSkinWindowTest : public velk_test::GuiWindowFixture {};

TEST_F(GwenSkinWindowTest, SkinLoadsWithTheOpenGlRenderer)
{
    EXPECT_TRUE(CEGUI::SchemeManager::getSingleton().isDefined("GWEN"));
    EXPECT_TRUE(CEGUI::ImageManager::getSingleton().isDefined("GWEN/Selection"));
    EXPECT_TRUE(CEGUI::FontManager::getSingleton().isDefined("DejaVuSans-10"));
}

/// Pixels inside the rectangle that are not the given colour.
int pixelsOtherThan(const sf::Image& shot, const sf::Color& colour, int left, int top, int width, int height)
{
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            count += shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) != colour ? 1 : 0;
        }
    }
    return count;
}

bool near(const sf::Color& a, const sf::Color& b, int tolerance = 3)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

TEST_F(GwenSkinWindowTest, EveryWidgetDrawsWithoutGlErrors)
{
    const char* types[] = {
        "GWEN/FrameWindow", "GWEN/Button",          "GWEN/StaticText",        "GWEN/StaticImage",
        "GWEN/Listbox",     "GWEN/MultiColumnList", "GWEN/Combobox",          "GWEN/Slider",
        "GWEN/Spinner",     "GWEN/Editbox",         "GWEN/VerticalScrollbar", "GWEN/HorizontalScrollbar",
        "GWEN/RadioButton", "GWEN/Checkbox",        "GWEN/TabControl",        "GWEN/ProgressBar",
        "GWEN/StatusBar",   "GWEN/ScrollablePane",  "GWEN/MultiLineEditbox",  "GWEN/Label"};
    const int columnWidth = 195, rowHeight = 115, width = 180, height = 100;
    int i = 0;
    for (const char* type : types) {
        CEGUI::Window* w = createAt(type, "W" + CEGUI::PropertyHelper<int>::toString(i), root,
                                    static_cast<float>(10 + (i % 4) * columnWidth),
                                    static_cast<float>(10 + (i / 4) * rowHeight), width, height);
        if (std::string(type) == "GWEN/ScrollablePane") {
            // The pane itself is see-through; what it holds must show.
            createAt("GWEN/Button", "Held", w, 10, 10, 80, 30);
        } else if (std::string(type) != "GWEN/Spinner") {
            w->setText(utf8ToCeguiString("\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91"));
        }
        ++i;
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    const sf::Image shot = frame(sf::Color::Black);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // Every widget leaves something of its own inside its rectangle.
    for (int k = 0; k < i; ++k) {
        EXPECT_GT(pixelsOtherThan(shot, sf::Color::Black, 10 + (k % 4) * columnWidth, 10 + (k / 4) * rowHeight, width,
                                  height),
                  100)
            << types[k];
    }
    // The frame window's client area is the skin's panel colour, not the background.
    EXPECT_NE(shot.getPixel(10 + 90, 10 + 60), sf::Color::Black);
    // The selection image is part of the loaded atlas texture.
    EXPECT_EQ(CEGUI::ImageManager::getSingleton().get("GWEN/Selection").getRenderedSize(), CEGUI::Sizef(6, 6));
}

TEST_F(GwenSkinWindowTest, WidgetsAsTheScreensSetThemUpShow)
{
    // The selection brush is a solid block of this colour (the interface's cyan) in the atlas.
    const sf::Color selectionCyan(29, 135, 173);
    const sf::Color background(20, 30, 60);

    // An image window without frame and background shows only its image.
    CEGUI::Window* image = createAt("GWEN/StaticImage", "Image", root, 10, 10, 60, 40);
    image->setProperty("Image", "GWEN/Selection");
    image->setProperty("FrameEnabled", "false");
    image->setProperty("BackgroundEnabled", "false");

    // The same image tinted as the play screen tints its checkpoint marks:
    // the colour reaches the look's colour property as "AARRGGBB" text.
    CEGUI::Window* tinted = createAt("GWEN/StaticImage", "Tinted", root, 10, 60, 60, 30);
    tinted->setProperty("Image", "GWEN/Selection");
    tinted->setProperty("FrameEnabled", "false");
    tinted->setProperty("BackgroundEnabled", "false");
    tinted->setProperty<CEGUI::Colour>("ImageColours", CEGUI::Colour(1.0f, 0.5f, 0.0f, 1.0f));

    // A text in a given colour, without frame and background.
    CEGUI::Window* text = createAt("GWEN/StaticText", "Text", root, 100, 10, 200, 30);
    text->setProperty("FrameEnabled", "false");
    text->setProperty("BackgroundEnabled", "false");
    text->setProperty("TextColours", "FFBFE2FF");
    text->setProperty("HorzFormatting", "CentreAligned");
    text->setText("8000");

    // Two radio buttons, one of them selected.
    auto* off = static_cast<CEGUI::RadioButton*>(createAt("GWEN/RadioButton", "Off", root, 10, 100, 30, 30));
    auto* on = static_cast<CEGUI::RadioButton*>(createAt("GWEN/RadioButton", "On", root, 60, 100, 30, 30));
    on->setSelected(true);
    EXPECT_FALSE(off->isSelected());

    // A list with its one item selected, brushed as the screens do.
    auto* list = static_cast<CEGUI::Listbox*>(createAt("GWEN/Listbox", "List", root, 10, 200, 300, 150));
    auto* item = new CEGUI::ListboxTextItem("ship.json");
    item->setSelectionBrushImage("GWEN/Selection");
    item->setSelectionColours(CEGUI::Colour(1, 1, 1, 1));
    list->addItem(item);
    list->setItemSelectState(item, true);

    const sf::Image shot = frame(background);

    EXPECT_TRUE(near(shot.getPixel(10 + 30, 10 + 20), selectionCyan)) << "image";
    EXPECT_EQ(shot.getPixel(10 + 60 + 2, 10 + 20), background) << "nothing beside the image";
    EXPECT_TRUE(near(shot.getPixel(10 + 30, 60 + 15), sf::Color(29, 68, 0))) << "tinted image";

    int textPixels = 0;
    for (unsigned y = 10; y < 40; ++y) {
        for (unsigned x = 100; x < 300; ++x) {
            textPixels += near(shot.getPixel(x, y), sf::Color(0xBF, 0xE2, 0xFF), 8) ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 10) << "text in its own colour";

    EXPECT_GT(pixelsOtherThan(shot, background, 10, 100, 30, 30), 20) << "radio button";
    int markDifference = 0;
    for (unsigned y = 0; y < 30; ++y) {
        for (unsigned x = 0; x < 30; ++x) {
            markDifference += shot.getPixel(10 + x, 100 + y) != shot.getPixel(60 + x, 100 + y) ? 1 : 0;
        }
    }
    EXPECT_GT(markDifference, 4) << "a selected radio button looks different";

    // The selected row is brushed across the list, also right of its text.
    const CEGUI::Rectf row = list->getListRenderArea();
    const unsigned rowY = static_cast<unsigned>(10 + 200 + row.top() + 2);
    EXPECT_TRUE(near(shot.getPixel(static_cast<unsigned>(10 + row.right() - 10), rowY), selectionCyan))
        << "list selection";
}

} // namespace
