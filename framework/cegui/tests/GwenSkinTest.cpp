#include "testsupport/gui/CeguiNullFixture.hpp"

#include "framework/cegui/CeguiString.hpp"

#include <gmock/gmock.h>

#include <regex>

namespace {

using velk_test::guiDataFolder;
using velk_test::readFile;

class GwenSkinTest : public velk_test::CeguiFixture {};

/// Window types the scheme file maps, read from the file itself.
std::vector<std::string> mappedTypes()
{
    const std::string scheme = readFile(guiDataFolder() + "/schemes/GWEN.scheme");
    const std::regex mapping("windowType=\"(GWEN/[A-Za-z]+)\"");
    std::vector<std::string> types;
    for (auto it = std::sregex_iterator(scheme.begin(), scheme.end(), mapping); it != std::sregex_iterator(); ++it) {
        types.push_back((*it)[1]);
    }
    return types;
}

TEST_F(GwenSkinTest, StartScriptLoadsTheSkinAndItsDefaults)
{
    EXPECT_TRUE(CEGUI::SchemeManager::getSingleton().isDefined("GWEN"));
    EXPECT_TRUE(CEGUI::ImageManager::getSingleton().isDefined("GWEN/Selection"));
    EXPECT_TRUE(CEGUI::ImageManager::getSingleton().isDefined("GWEN/MouseArrow"));
    CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
    ASSERT_NE(context.getDefaultFont(), nullptr);
    EXPECT_EQ(context.getDefaultFont()->getName(), "DejaVuSans-10");
    ASSERT_NE(context.getDefaultTooltipObject(), nullptr);
    EXPECT_EQ(context.getDefaultTooltipObject()->getType(), "GWEN/Tooltip");
    ASSERT_NE(context.getMouseCursor().getDefaultImage(), nullptr);
    EXPECT_EQ(context.getMouseCursor().getDefaultImage()->getName(), "GWEN/MouseArrow");
}

TEST_F(GwenSkinTest, FontsHaveHungarianLetters)
{
    for (const char* name : {"DejaVuSans-10", "DejaVuSans-12", "DejaVuSans-16", "BebasNeue-20", "BebasNeue-32"}) {
        CEGUI::Font& font = CEGUI::FontManager::getSingleton().get(name);
        for (CEGUI::utf32 letter : {0xE1u, 0xE9u, 0xEDu, 0xF3u, 0xF6u, 0x151u, 0xFAu, 0xFCu, 0x171u, 0x150u, 0x170u}) {
            EXPECT_TRUE(font.isCodepointAvailable(letter)) << name << " U+" << std::hex << letter;
        }
    }
}

TEST_F(GwenSkinTest, EveryMappedTypeCanBeCreated)
{
    const std::vector<std::string> types = mappedTypes();
    ASSERT_GE(types.size(), 30u);
    int counter = 0;
    for (const std::string& type : types) {
        CEGUI::Window* window = nullptr;
        EXPECT_NO_THROW(window = create(type.c_str(), "T" + CEGUI::PropertyHelper<int>::toString(++counter))) << type;
        if (window) {
            EXPECT_EQ(window->getLookNFeel(), CEGUI::String(type.c_str())) << type;
        }
    }
    // Every window is laid out and drawn once (the null renderer takes the geometry).
    EXPECT_NO_THROW(CEGUI::System::getSingleton().renderAllGUIContexts());
}

TEST_F(GwenSkinTest, WidgetsTheScreensBuildWork)
{
    // A list box item as the screens make it, with the skin's selection brush.
    auto* list = static_cast<CEGUI::Listbox*>(create("GWEN/Listbox", "List"));
    auto* item = new CEGUI::ListboxTextItem(utf8ToCeguiString("T\xC3\xBCk\xC3\xB6r"));
    item->setSelectionBrushImage("GWEN/Selection");
    list->addItem(item);
    list->setItemSelectState(item, true);
    EXPECT_EQ(list->getFirstSelectedItem(), item);

    auto* combo = static_cast<CEGUI::Combobox*>(create("GWEN/Combobox", "Combo"));
    combo->addItem(new CEGUI::ListboxTextItem("Item #1"));
    combo->addItem(new CEGUI::ListboxTextItem("Item #2"));
    EXPECT_EQ(combo->getItemCount(), 2u);

    auto* table = static_cast<CEGUI::MultiColumnList*>(create("GWEN/MultiColumnList", "MultiList"));
    for (CEGUI::uint c = 0; c < 4; ++c) {
        table->addColumn("Col #" + CEGUI::PropertyHelper<CEGUI::uint>::toString(c + 1), c, CEGUI::UDim(0.25f, 0));
    }
    table->addRow();
    table->setItem(new CEGUI::ListboxTextItem("Item #101"), 0, 0);
    EXPECT_EQ(table->getColumnCount(), 4u);
    EXPECT_EQ(table->getRowCount(), 1u);

    auto* spinner = static_cast<CEGUI::Spinner*>(create("GWEN/Spinner", "Spinner"));
    spinner->setMinimumValue(0);
    spinner->setMaximumValue(255);
    spinner->setCurrentValue(300);
    EXPECT_EQ(spinner->getCurrentValue(), 255);

    auto* slider = static_cast<CEGUI::Slider*>(create("GWEN/Slider", "Slider"));
    slider->setMaxValue(1.0f);
    slider->setCurrentValue(0.5f);
    EXPECT_FLOAT_EQ(slider->getCurrentValue(), 0.5f);

    auto* tabs = static_cast<CEGUI::TabControl*>(create("GWEN/TabControl", "Tabs"));
    CEGUI::Window* page = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Page");
    page->setText("Page");
    tabs->addTab(page);
    EXPECT_EQ(tabs->getTabCount(), 1u);

    CEGUI::Window* image = create("GWEN/StaticImage", "Image");
    image->setProperty("Image", "GWEN/Selection");
    image->setProperty("FrameEnabled", "false");
    image->setProperty("BackgroundEnabled", "false");
    image->setProperty("ImageColours", "FF102030");
    EXPECT_EQ(image->getProperty("Image"), "GWEN/Selection");

    CEGUI::Window* text = create("GWEN/StaticText", "Text");
    text->setProperty("HorzFormatting", "CentreAligned");
    text->setProperty("TextColours", "FFBFE2FF");
    EXPECT_THROW(create("GWEN/Label", "Label")->setProperty("FrameEnabled", "false"), CEGUI::UnknownObjectException);

    EXPECT_NO_THROW(CEGUI::System::getSingleton().renderAllGUIContexts());
}

TEST_F(GwenSkinTest, ImagesLieInsideTheAtlas)
{
    // Atlas size from the PNG header (width and height follow the IHDR tag).
    const std::string png = readFile(guiDataFolder() + "/imagesets/GWEN.png");
    ASSERT_GT(png.size(), 24u);
    ASSERT_EQ(png.substr(12, 4), "IHDR");
    auto bigEndian = [&png](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    const int atlasWidth = static_cast<int>(bigEndian(16));
    const int atlasHeight = static_cast<int>(bigEndian(20));

    const std::string imageset = readFile(guiDataFolder() + "/imagesets/GWEN.imageset");
    const std::regex entry(
        "<Image name=\"(\\w+)\" +xPos=\"(\\d+)\" yPos=\"(\\d+)\" width=\"(\\d+)\" height=\"(\\d+)\"");
    int checked = 0;
    for (auto it = std::sregex_iterator(imageset.begin(), imageset.end(), entry); it != std::sregex_iterator(); ++it) {
        const std::string name = "GWEN/" + (*it)[1].str();
        const int x = std::stoi((*it)[2]), y = std::stoi((*it)[3]), w = std::stoi((*it)[4]), h = std::stoi((*it)[5]);
        EXPECT_GT(w, 0) << name;
        EXPECT_GT(h, 0) << name;
        EXPECT_LE(x + w, atlasWidth) << name;
        EXPECT_LE(y + h, atlasHeight) << name;
        ASSERT_TRUE(CEGUI::ImageManager::getSingleton().isDefined(name.c_str())) << name;
        const CEGUI::Image& image = CEGUI::ImageManager::getSingleton().get(name.c_str());
        EXPECT_EQ(image.getRenderedSize(), CEGUI::Sizef(static_cast<float>(w), static_cast<float>(h))) << name;
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

} // namespace
