#include "game/shell/ListItem.hpp"

#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/widgets/ComboDropList.h>
#include <CEGUI/widgets/Combobox.h>
#include <CEGUI/widgets/Editbox.h>
#include <CEGUI/widgets/ListboxTextItem.h>

#include <algorithm>
#include <cmath>

namespace velk {

CEGUI::ListboxTextItem* makeListItem(const std::string& text, unsigned id)
{
    auto* item = new CEGUI::ListboxTextItem(utf8ToCeguiString(text), id, nullptr, false, true);
    item->setSelectionBrushImage("GWEN/Selection");
    item->setSelectionColours(CEGUI::Colour(1.0f, 1.0f, 1.0f, 1.0f));
    return item;
}

void fitDropList(CEGUI::Combobox* box)
{
    if (!box)
        return;
    CEGUI::ComboDropList* list = box->getDropList();
    list->setClippedByParent(false);
    float items = 0.0f;
    for (std::size_t i = 0; i < box->getItemCount(); ++i)
        items += box->getListboxItemFromIndex(i)->getPixelSize().d_height;
    // The list's frame (and any scroll bar) around the items, as the skin lays it out.
    const float frame = list->getPixelSize().d_height - list->getListRenderArea().getHeight();
    const float editHeight = box->getEditbox()->getPixelSize().d_height;
    const float room = box->getRootContainerSize().d_height - box->getUnclippedOuterRect().get().top();
    const auto setBoxHeight = [&](float height) {
        box->setHeight(CEGUI::UDim(0.0f, std::max(std::min(std::ceil(height), room), editHeight)));
    };
    setBoxHeight(editHeight + frame + items);
    // Whole pixels may take a fraction from the items' area; then the list
    // would scroll by less than a line.
    const float missing = items - list->getListRenderArea().getHeight();
    if (missing > 0.0f)
        setBoxHeight(box->getPixelSize().d_height + missing);
}

} // namespace velk
