#include "game/shell/FolderList.hpp"

#include "game/shell/FolderFiles.hpp"
#include "game/shell/ListItem.hpp"

#include <CEGUI/CEGUI.h>

namespace velk {

void updateListFromFolder(CEGUI::Listbox* list, const std::string& folder, const std::string& extension)
{
    if (!list)
        return;
    while (list->getItemCount() > 0)
        list->removeItem(list->getListboxItemFromIndex(0));
    for (const std::string& name : getFilesInFolder(folder, extension))
        list->addItem(makeListItem(name));
}

} // namespace velk
