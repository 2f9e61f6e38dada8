// List rows in a real window: the accent of a Hungarian capital shows whole,
// as a label shows it (a row cut at its top made Ő read as Ö).

#include "game/shell/ListItem.hpp"
#include "testsupport/gui/GuiWindowFixture.hpp"

#include <CEGUI/CEGUI.h>
#include <gtest/gtest.h>

namespace {

class ListItemWindowTest : public velk_test::GuiWindowFixture {};

/// The first pixel row of the area, from its top, that holds white text; -1 for none.
int textTop(const sf::Image& image, const CEGUI::Window* window)
{
    const CEGUI::Rectf area = window->getUnclippedOuterRect().get();
    for (int y = static_cast<int>(area.top()) + 2; y < static_cast<int>(area.bottom()) - 2; ++y)
        for (int x = static_cast<int>(area.left()) + 4; x < static_cast<int>(area.right()) - 4; ++x) {
            const sf::Color c = image.getPixel(x, y);
            if (c.r > 160 && c.g > 160 && c.b > 160)
                return y;
        }
    return -1;
}

TEST_F(ListItemWindowTest, RowsShowTheAccentsOfHungarianCapitalsWhole)
{
    CEGUI::Window* labels[2];
    CEGUI::Listbox* lists[2];
    const char* const letters[2] = {"O", "Ő"};
    for (int i = 0; i < 2; ++i) {
        const CEGUI::String name = i == 0 ? "Plain" : "Accented";
        labels[i] = createAt("GWEN/Label", "Label" + name, root, 40.0f + 200.0f * static_cast<float>(i), 40.0f, 120,
                             40);
        labels[i]->setText(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(letters[i])));
        lists[i] = static_cast<CEGUI::Listbox*>(
            createAt("GWEN/Listbox", "List" + name, root, 40.0f + 200.0f * static_cast<float>(i), 120.0f, 120, 120));
        // Below an empty first row, where the row above meets it.
        lists[i]->addItem(velk::makeListItem(""));
        lists[i]->addItem(velk::makeListItem(letters[i]));
    }
    const sf::Image shot = frame(sf::Color(10, 14, 20));
    const int accent = textTop(shot, labels[0]) - textTop(shot, labels[1]);
    ASSERT_GT(accent, 1) << "the label shows no accent over Ő";
    EXPECT_EQ(textTop(shot, lists[0]) - textTop(shot, lists[1]), accent);
}

} // namespace
