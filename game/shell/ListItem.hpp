#pragma once

#include <string>

namespace CEGUI {
class Combobox;
class ListboxTextItem;
} // namespace CEGUI

namespace velk {

/// A list or combo box item as every menu list shows it: the UTF-8 text as it
/// is (no markup), the id, no user data, enabled, deleted by its list, the
/// skin's selection image in opaque white.
CEGUI::ListboxTextItem* makeListItem(const std::string& text, unsigned id = 0);

/// Lets the box's drop-down list open whole, once its items are in: the list
/// is as tall as its items (as far as the screen reaches below the box; a
/// longer list scrolls) and is not cut off by the windows the box sits in.
void fitDropList(CEGUI::Combobox* box);

} // namespace velk
