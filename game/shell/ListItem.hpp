#pragma once

#include <string>

namespace CEGUI {
class ListboxTextItem;
}

namespace velk {

/// A list or combo box item as every menu list shows it: the UTF-8 text, the
/// id, no user data, enabled, deleted by its list, the skin's selection image
/// in opaque white.
CEGUI::ListboxTextItem* makeListItem(const std::string& text, unsigned id = 0);

} // namespace velk
