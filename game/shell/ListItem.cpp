#include "game/shell/ListItem.hpp"

#include "framework/cegui/CeguiAccentRoomParser.hpp"
#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/CoordConverter.h>
#include <CEGUI/Font.h>
#include <CEGUI/Image.h>
#include <CEGUI/widgets/ComboDropList.h>
#include <CEGUI/widgets/Combobox.h>
#include <CEGUI/widgets/Editbox.h>
#include <CEGUI/widgets/ListboxTextItem.h>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

/// A list row is as tall as its font's line spacing, and the accents of Ő, Ű
/// and É reach above that: the row cut them off, and Ő read as Ö. This row
/// has room above its text for them.
class AccentRoomItem : public CEGUI::ListboxTextItem {
public:
    using CEGUI::ListboxTextItem::ListboxTextItem;

    CEGUI::Sizef getPixelSize() const override
    {
        CEGUI::Sizef size = CEGUI::ListboxTextItem::getPixelSize();
        size.d_height += roomAbove();
        return size;
    }

    void draw(CEGUI::GeometryBuffer& buffer, const CEGUI::Rectf& targetRect, float alpha,
              const CEGUI::Rectf* clipper) const override
    {
        const float room = roomAbove();
        const CEGUI::Rectf clip = clipper ? clipper->getIntersection(targetRect) : targetRect;
        if (isSelected() && getSelectionBrushImage())
            getSelectionBrushImage()->render(
                buffer, CEGUI::Rectf(targetRect.left(), targetRect.top(), targetRect.right(), targetRect.top() + room),
                &clip, getModulateAlphaColourRect(getSelectionColours(), alpha));
        CEGUI::Rectf lowered = targetRect;
        lowered.offset(CEGUI::Vector2f(0.0f, room));
        CEGUI::ListboxTextItem::draw(buffer, lowered, alpha, &clip);
    }

private:
    float roomAbove() const
    {
        const CEGUI::Font* font = getFont();
        if (!font)
            return 0.0f;
        // Where the item puts the baseline below the top of its line.
        const float baseline = CEGUI::CoordConverter::alignToPixels((font->getLineSpacing() - font->getFontHeight()) /
                                                                    2.0f) +
                               font->getBaseline();
        return accentRoom(font, baseline);
    }
};

} // namespace

CEGUI::ListboxTextItem* makeListItem(const std::string& text, unsigned id)
{
    auto* item = new AccentRoomItem(utf8ToCeguiString(text), id, nullptr, false, true);
    // Rows hold names of files and players: "[" in one is no markup.
    item->setTextParsingEnabled(false);
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
