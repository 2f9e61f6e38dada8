#include "game/shell/ListItem.hpp"

#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/widgets/ListboxTextItem.h>

namespace velk {

CEGUI::ListboxTextItem* makeListItem(const std::string& text, unsigned id)
{
    auto* item = new CEGUI::ListboxTextItem(utf8ToCeguiString(text), id, nullptr, false, true);
    item->setSelectionBrushImage("GWEN/Selection");
    item->setSelectionColours(CEGUI::Colour(1.0f, 1.0f, 1.0f, 1.0f));
    return item;
}

} // namespace velk
