// Every widget type the game's screens use, built from the skin the way the
// screens build them (settings window with tabs of scrollable panes, lists,
// combobox, slider, spinner, radio buttons in a group box, status bar), drawn
// in a real window. Set VELK_SCREENSHOT_DIR to keep the picture for a look.

#include "testsupport/gui/GuiWindowFixture.hpp"

#include "framework/cegui/CeguiString.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <cstdlib>
#include <string>

namespace {

class GwenSkinShowcaseTest : public velk_test::GuiWindowFixture {
protected:
    CEGUI::Window* label(CEGUI::Window* parent, const char* name, const char* text, float x, float y, float w = 130)
    {
        CEGUI::Window* l = createAt("GWEN/Label", name, parent, x, y, w, 26);
        l->setText(utf8ToCeguiString(text));
        return l;
    }

    static CEGUI::ListboxTextItem* item(const char* text, CEGUI::uint id = 0)
    {
        auto* i = new CEGUI::ListboxTextItem(utf8ToCeguiString(text), id);
        i->setSelectionBrushImage("GWEN/Selection");
        i->setSelectionColours(CEGUI::Colour(1, 1, 1, 1));
        return i;
    }

    static CEGUI::Combobox* combo(CEGUI::Window* w, std::initializer_list<const char*> texts, size_t selected)
    {
        auto* box = static_cast<CEGUI::Combobox*>(w);
        box->setReadOnly(true);
        size_t k = 0;
        for (const char* t : texts) {
            CEGUI::ListboxTextItem* i = item(t);
            box->addItem(i);
            if (k++ == selected) {
                box->setItemSelectState(i, true);
                box->setText(i->getText());
            }
        }
        return box;
    }

    /// Pixels inside the rectangle within `tolerance` of `colour` in every channel.
    static int countNear(const sf::Image& shot, const sf::Color& colour, int left, int top, int width, int height,
                         int tolerance = 12)
    {
        int count = 0;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                const sf::Color c = shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
                count += std::abs(c.r - colour.r) <= tolerance && std::abs(c.g - colour.g) <= tolerance &&
                                 std::abs(c.b - colour.b) <= tolerance
                             ? 1
                             : 0;
            }
        }
        return count;
    }

    void save(const sf::Image& shot, const std::string& name)
    {
        if (const char* dir = std::getenv("VELK_SCREENSHOT_DIR")) {
            shot.saveToFile(std::string(dir) + "/" + name);
        }
    }

    /// Settings-like window: a frame window with tabs whose pages are
    /// scrollable panes, and a status bar with a left text.
    CEGUI::Window* buildSettings()
    {
        CEGUI::Window* frame = createAt("GWEN/FrameWindow", "Settings", root, 10, 10, 420, 400);
        frame->setText(utf8ToCeguiString("Beállítások"));
        frame->setProperty("CloseButtonEnabled", "false");
        auto* tabs = static_cast<CEGUI::TabControl*>(createAt("GWEN/TabControl", "Tabs", frame, 8, 8, 396, 300));
        const char* pages[] = {"Graphics", "Audio", "Others"};
        const char* titles[] = {"Grafika", "Hang", "Egyéb"};
        for (int p = 0; p < 3; ++p) {
            CEGUI::Window* pane = CEGUI::WindowManager::getSingleton().createWindow("GWEN/ScrollablePane", pages[p]);
            pane->setText(utf8ToCeguiString(titles[p]));
            pane->setSize(CEGUI::USize(CEGUI::UDim(1, 0), CEGUI::UDim(1, 0)));
            tabs->addTab(pane);
        }
        CEGUI::Window* graphics = tabs->getChild("Graphics");
        label(graphics, "L1", "Felbontás", 10, 10);
        combo(createAt("GWEN/Combobox", "Resolution", graphics, 150, 10, 200, 150), {"1280x1024", "1024x768"}, 0);
        label(graphics, "L2", "Teljes képernyő", 10, 44);
        static_cast<CEGUI::ToggleButton*>(createAt("GWEN/Checkbox", "Fullscreen", graphics, 150, 44, 24, 24))
            ->setSelected(true);
        label(graphics, "L3", "Függőleges szinkron", 10, 78);
        createAt("GWEN/Checkbox", "Vsync", graphics, 150, 78, 24, 24);
        label(graphics, "L4", "Látószög", 10, 112);
        auto* fov = static_cast<CEGUI::Slider*>(createAt("GWEN/Slider", "FOV", graphics, 150, 115, 200, 20));
        fov->setMaxValue(1.0f);
        fov->setCurrentValue(0.35f);
        label(graphics, "L5", "Színtévesztés", 10, 146);
        combo(createAt("GWEN/Combobox", "Colorblind", graphics, 150, 146, 200, 150), {"Nincs", "Protanópia"}, 0);
        label(graphics, "L6", "Képkocka", 10, 180);
        combo(createAt("GWEN/Combobox", "FPS", graphics, 150, 180, 200, 120), {"30", "45", "60"}, 2);
        // Below the page's height, so the pane scrolls.
        label(graphics, "L7", "Élsimítás", 10, 300);

        CEGUI::Window* status = createAt("GWEN/StatusBar", "Status", frame, 8, 318, 396, 26);
        status->setProperty("LeftText", utf8ToCeguiString("A képernyő felbontása, képpontban."));
        CEGUI::Window* back = createAt("GWEN/Button", "BackButton", frame, 304, 348 - 0, 100, 0);
        back->setSize(CEGUI::USize(CEGUI::UDim(0, 100), CEGUI::UDim(0, 28)));
        back->setPosition(CEGUI::UVector2(CEGUI::UDim(0, 304), CEGUI::UDim(0, 346)));
        back->setText(utf8ToCeguiString("Vissza"));
        return frame;
    }

    void buildSide()
    {
        CEGUI::Window* group = createAt("GWEN/GroupBox", "Langs", root, 450, 10, 160, 110);
        group->setText(utf8ToCeguiString("Nyelv"));
        auto* en = static_cast<CEGUI::RadioButton*>(createAt("GWEN/RadioButton", "En", group, 4, 4, 140, 30));
        en->setText("English");
        auto* hu = static_cast<CEGUI::RadioButton*>(createAt("GWEN/RadioButton", "Hu", group, 4, 34, 140, 30));
        hu->setText("Magyar");
        hu->setSelected(true);

        auto* list = static_cast<CEGUI::Listbox*>(createAt("GWEN/Listbox", "List", root, 620, 10, 170, 110));
        for (int n = 1; n <= 8; ++n) {
            list->addItem(item(("Item #" + std::to_string(n)).c_str()));
        }
        list->setItemSelectState(size_t(1), true);

        auto* table = static_cast<CEGUI::MultiColumnList*>(
            createAt("GWEN/MultiColumnList", "Scores", root, 450, 130, 340, 150));
        table->addColumn(utf8ToCeguiString("Név"), 0, CEGUI::UDim(0.3f, 0));
        table->addColumn("Pont", 1, CEGUI::UDim(0.2f, 0));
        table->addColumn(utf8ToCeguiString("Pálya"), 2, CEGUI::UDim(0.49f, 0));
        const char* rows[][3] = {{"Anna", "2000", "kráter.json"},
                                 {"Béla", "1200", "völgy.json"},
                                 {"Cili", "-50", "kráter.json"}};
        for (auto& r : rows) {
            const CEGUI::uint row = table->addRow();
            for (CEGUI::uint c = 0; c < 3; ++c) {
                table->setItem(item(r[c]), c, row);
            }
        }
        table->setItemSelectState(CEGUI::MCLGridRef(0, 0), true);

        auto* spinner = static_cast<CEGUI::Spinner*>(createAt("GWEN/Spinner", "Spinner", root, 450, 290, 100, 26));
        spinner->setMaximumValue(255);
        spinner->setCurrentValue(128);
        CEGUI::Window* edit = createAt("GWEN/Editbox", "Edit", root, 560, 290, 230, 26);
        edit->setText(utf8ToCeguiString("hajó.json"));
        auto* check = static_cast<CEGUI::ToggleButton*>(createAt("GWEN/Checkbox", "Check", root, 450, 326, 160, 24));
        check->setText(utf8ToCeguiString("Bekapcsolva"));
        check->setSelected(true);
        auto* slider = static_cast<CEGUI::Slider*>(createAt("GWEN/Slider", "Music", root, 620, 328, 170, 20));
        slider->setMaxValue(1.0f);
        slider->setCurrentValue(0.75f);
        createAt("GWEN/Button", "Plain", root, 450, 360, 100, 28)->setText("Gomb");
        CEGUI::Window* off = createAt("GWEN/Button", "Off", root, 560, 360, 100, 28);
        off->setText("Tiltva");
        off->setDisabled(true);
        auto* progress = static_cast<CEGUI::ProgressBar*>(
            createAt("GWEN/ProgressBar", "Progress", root, 670, 364, 120, 20));
        progress->setProgress(0.6f);

        CEGUI::Window* text = createAt("GWEN/StaticText", "Text", root, 450, 400, 340, 60);
        text->setText(utf8ToCeguiString("Statikus szöveg keretben,\nárvíztűrő tükörfúrógép."));

        auto* open = static_cast<CEGUI::Combobox*>(createAt("GWEN/Combobox", "Open", root, 10, 430, 200, 150));
        combo(open, {"Mind", "kráter.json", "völgy.json", "hegy.json"}, 0);
    }
};

TEST_F(GwenSkinShowcaseTest, EveryWidgetOfTheScreensDraws)
{
    buildSettings();
    buildSide();
    // The mouse over a button shows the focus ring.
    CEGUI::System::getSingleton().getDefaultGUIContext().injectMousePosition(500, 374);
    // Opened after the mouse moved: an open drop list captures the mouse.
    static_cast<CEGUI::Combobox*>(root->getChild("Open"))->showDropList();
    const sf::Color space(8, 12, 16);
    sf::Image shot = frame(space);
    shot = frame(space);
    save(shot, "gwen-showcase.png");

    const sf::Color selection(29, 135, 173), cyan(56, 203, 242), title(127, 227, 255);
    // Panels are dark and blue, over the space colour yet not opaque grey.
    const sf::Color panel = shot.getPixel(300, 300);
    EXPECT_NE(panel, space);
    EXPECT_GT(panel.b, panel.r) << "panel colour";
    EXPECT_LT(panel.r + panel.g + panel.b, 150) << "panel colour";
    // Selections and focus are cyan: list row, table row, open drop list,
    // ring of the button under the mouse, edge of the selected tab.
    EXPECT_GT(countNear(shot, selection, 620, 10, 170, 110), 500) << "list selection";
    EXPECT_GT(countNear(shot, selection, 450, 130, 340, 150), 1500) << "table selection";
    EXPECT_GT(countNear(shot, selection, 10, 456, 200, 40), 500) << "drop list selection";
    EXPECT_GT(countNear(shot, cyan, 450, 360, 100, 28, 20), 100) << "focus ring";
    EXPECT_EQ(countNear(shot, cyan, 560, 360, 100, 28, 20), 0) << "no ring without the mouse";
    EXPECT_GT(countNear(shot, cyan, 21, 42, 60, 4, 20), 80) << "selected tab";
    // Light texts: the group box title in cyan, the status bar's left text.
    EXPECT_GT(countNear(shot, title, 450, 10, 160, 22, 40), 15) << "group box title";
    EXPECT_GT(countNear(shot, sf::Color(228, 238, 246), 21, 352, 396, 26, 40), 40) << "status text";
    // The scrolled-out label of the graphics page is clipped by its pane.
    EXPECT_EQ(countNear(shot, sf::Color(228, 238, 246), 21, 330, 150, 10, 60), 0) << "pane clips";
}

TEST_F(GwenSkinShowcaseTest, MenuArtAndMenuButtonsTogether)
{
    // The menu's pictures as the menu screen draws them: both star layers
    // repeated, the content holder centred, then the GUI with the logo and
    // the large menu buttons.
    const std::string data = std::string(VELK_SOURCE_DIR) + "/data/";
    sf::Texture far, near, holder;
    ASSERT_TRUE(far.loadFromFile(data + "img/mainmenu/dunnnnnnnnix.png"));
    ASSERT_TRUE(near.loadFromFile(data + "img/mainmenu/stars.png"));
    ASSERT_TRUE(holder.loadFromFile(data + "img/mainmenu/MainMenu_contentholder.png"));
    far.setRepeated(true);
    near.setRepeated(true);

    CEGUI::ImageManager::getSingleton().loadImageset("MainMenu.imageset");
    const float left = 400 - holder.getSize().x / 2.0f, top = 300 - holder.getSize().y / 2.0f;
    CEGUI::Window* logo = createAt("GWEN/StaticImage", "Logo", root, left + 20, top + 14, 400, 100);
    logo->setProperty("Image", "MainMenu/Logo");
    logo->setProperty("FrameEnabled", "false");
    logo->setProperty("BackgroundEnabled", "false");
    const char* texts[] = {"Új játék", "Pontszámok", "Hajószerkesztő", "Pályaszerkesztő", "Beállítások", "Kilépés"};
    for (int i = 0; i < 6; ++i) {
        createAt("GWEN/MenuButton", "B" + CEGUI::PropertyHelper<int>::toString(i), root, left + 80,
                 top + 140 + 52.0f * i, 280, 42)
            ->setText(utf8ToCeguiString(texts[i]));
    }
    CEGUI::System::getSingleton().getDefaultGUIContext().injectMousePosition(left + 200, top + 140 + 52 * 2 + 20);

    sf::Image shot;
    for (int pass = 0; pass < 2; ++pass) {
        sf::RenderWindow& window = *sfml.getWindow();
        sfml.clear(sf::Color(8, 12, 16));
        sf::Sprite back(far, sf::IntRect(0, 0, 800, 600));
        window.draw(back);
        sf::Sprite front(near, sf::IntRect(100, 50, 800, 600));
        window.draw(front);
        sf::RectangleShape panel(sf::Vector2f(holder.getSize()));
        panel.setTexture(&holder);
        panel.setPosition(left, top);
        window.draw(panel);
        renderCeguiGui(window);
        sf::Texture grab;
        grab.create(window.getSize().x, window.getSize().y);
        grab.update(window);
        sfml.display();
        shot = grab.copyToImage();
    }
    save(shot, "gwen-menu.png");

    // Space stays dark blue-black; the logo's light letters show; the button
    // under the mouse is lit cyan and the others are not.
    const sf::Color space = shot.getPixel(20, 580);
    EXPECT_LT(space.r + space.g + space.b, 120);
    EXPECT_GE(space.b, space.r);
    EXPECT_GT(countNear(shot, sf::Color(230, 242, 250), static_cast<int>(left) + 20, static_cast<int>(top) + 14, 400,
                        100, 30),
              500)
        << "logo";
    const int buttonLeft = static_cast<int>(left) + 80, firstTop = static_cast<int>(top) + 140;
    EXPECT_GT(countNear(shot, sf::Color(56, 203, 242), buttonLeft, firstTop + 104, 280, 42, 20), 100) << "lit button";
    EXPECT_EQ(countNear(shot, sf::Color(56, 203, 242), buttonLeft, firstTop + 156, 280, 42, 20), 0) << "unlit button";
}

TEST_F(GwenSkinShowcaseTest, DialogWithCloseButtonLongTextAndTooltip)
{
    CEGUI::Window* dialog = createAt("GWEN/FrameWindow", "Credits", root, 40, 40, 480, 360);
    dialog->setText(utf8ToCeguiString("Készítők"));
    CEGUI::Window* text = createAt("GWEN/MultiLineEditbox", "Text", dialog, 10, 10, 454, 250);
    std::string lines;
    for (int i = 1; i <= 30; ++i) {
        lines += "Sor " + std::to_string(i) + ": árvíztűrő tükörfúrógép\n";
    }
    text->setText(utf8ToCeguiString(lines));
    text->setProperty("ReadOnly", "true");
    CEGUI::Window* close = createAt("GWEN/Button", "CloseButton", dialog, 364, 276, 100, 30);
    close->setText(utf8ToCeguiString("Bezár"));
    close->setTooltipText(utf8ToCeguiString("Súgó szövege"));

    // The mouse rests on the button until its tooltip shows.
    CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
    context.injectMousePosition(450, 360);
    context.injectTimePulse(2.0f);
    const sf::Color space(8, 12, 16);
    frame(space);
    const sf::Image shot = frame(space);
    const CEGUI::Window* tip = context.getDefaultTooltipObject();
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(tip->isEffectiveVisible());
    const CEGUI::Rectf tipArea = tip->getUnclippedOuterRect().get();
    const int tipLeft = static_cast<int>(tipArea.left()), tipTop = static_cast<int>(tipArea.top());
    save(shot, "gwen-dialog.png");

    // Title bar, text and the text's scroll bar all draw; the tooltip is a
    // panel with light text.
    EXPECT_GT(countNear(shot, sf::Color(228, 238, 246), 43, 40, 300, 24, 40), 20) << "title";
    EXPECT_GT(countNear(shot, sf::Color(228, 238, 246), 53, 74, 300, 240, 40), 300) << "text";
    EXPECT_NE(shot.getPixel(tipLeft + 3, tipTop + 3), space) << "tooltip panel";
    EXPECT_GT(countNear(shot, sf::Color(228, 238, 246), tipLeft, tipTop, static_cast<int>(tipArea.getWidth()),
                        static_cast<int>(tipArea.getHeight()), 40),
              15)
        << "tooltip text";
}

} // namespace
