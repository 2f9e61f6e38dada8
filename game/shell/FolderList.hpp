#pragma once

#include <string>

namespace CEGUI {
class Listbox;
}

namespace velk {

/// Empties the list and fills it with one item per name getFilesInFolder
/// gives for the folder and extension, in that order (the list box sorts when
/// its layout asks it to), each made by makeListItem. Every list of data
/// files uses it. Nothing for a null list.
void updateListFromFolder(CEGUI::Listbox* list, const std::string& folder, const std::string& extension);

} // namespace velk
