// Names that files and players bring are shown as they are, in list rows and
// in the windows that show them: "[" in one starts no markup.

#include "game/shell/ListItem.hpp"
#include "framework/cegui/CeguiAccentRoomParser.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "testsupport/gui/CeguiNullFixture.hpp"

#include <CEGUI/CEGUI.h>
#include <gtest/gtest.h>

namespace {

class ShownNamesTest : public velk_test::CeguiFixture {};

TEST_F(ShownNamesTest, ListRowsAndLabelsShowEveryCharacterOfAName)
{
    auto* list = static_cast<CEGUI::Listbox*>(create("GWEN/Listbox", "List"));
    CEGUI::Window* label = create("GWEN/Label", "Name");
    showTextsVerbatim(label);
    // The game's own parser gives every line room above it for the accents of Ő and Ű.
    CEGUI::Window* reference = create("GWEN/Label", "Reference");
    reference->setText(utf8ToCeguiString("Ő"));
    const float lineWithRoom = reference->getRenderedString().getVerticalExtent(reference);
    ASSERT_GT(lineWithRoom, reference->getFont()->getLineSpacing());

    const char* const names[] = {
        "[HUN] Győző", "[font='x']a", "[colour='FFFF0000']b", "[",       "a\\",
        "\\[HUN] Ő",   "[HUN] Ő",     "[image='GWEN/Box']ű]", "Győző [",
    };
    for (const char* name : names) {
        const CEGUI::String text = utf8ToCeguiString(name);
        CEGUI::ListboxTextItem* row = velk::makeListItem(name);
        list->addItem(row);
        EXPECT_FLOAT_EQ(row->getPixelSize().d_width, row->getFont()->getTextExtent(text)) << name;

        label->setText(text);
        const CEGUI::RenderedString& shown = label->getRenderedString();
        EXPECT_FLOAT_EQ(shown.getHorizontalExtent(label), label->getFont()->getTextExtent(text)) << name;
        EXPECT_FLOAT_EQ(shown.getVerticalExtent(label), lineWithRoom) << name;
    }
}

} // namespace
