// The map editor's new-map, load, save and properties dialogs.

#include "game/mapper/MapperState.hpp"

#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "game/mapper/MapperInput.hpp"
#include "game/shell/FolderList.hpp"

#include <CEGUI/CEGUI.h>

#include <system_error>

namespace dunnix {

namespace {

CEGUI::Window* guiRoot()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

void showModal(CEGUI::Window* window)
{
    window->setVisible(true);
    window->setModalState(true);
}

void hideModal(CEGUI::Window* window)
{
    window->setModalState(false);
    window->setVisible(false);
}

CEGUI::Spinner* spinnerAt(CEGUI::Window* dialog, const char* path)
{
    return static_cast<CEGUI::Spinner*>(dialog->getChild(path));
}

template <typename Handler>
void onClick(CEGUI::Window* dialog, const char* path, Handler handler, MapperState* state)
{
    dialog->getChild(path)->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(handler, state));
}

/// Text of the list's first selected item; empty when nothing is selected.
std::string selectedText(CEGUI::Listbox* list)
{
    const CEGUI::ListboxItem* item = list->getFirstSelectedItem();
    return item ? ceguiStringToUtf8(item->getText()) : std::string();
}

} // namespace

void MapperState::connectToNewMap()
{
    newMapWindow = guiRoot()->getChild("NewMap");
    newMapWidth = spinnerAt(newMapWindow, "Size/XSpinner");
    newMapHeight = spinnerAt(newMapWindow, "Size/YSpinner");
    newMapTileSize = spinnerAt(newMapWindow, "TS/Spinner");
    newMapTilesPerTexture = spinnerAt(newMapWindow, "TPT/Spinner");
    onClick(newMapWindow, "Buttons/CreateButton", &MapperState::onNewMapCreate, this);
    onClick(newMapWindow, "Buttons/CancelButton", &MapperState::onNewMapCancel, this);
    hideModal(newMapWindow);
}

void MapperState::connectToLoad()
{
    loadWindow = guiRoot()->getChild("Load");
    loadList = static_cast<CEGUI::Listbox*>(loadWindow->getChild("FileList"));
    loadList->subscribeEvent(CEGUI::Window::EventMouseDoubleClick,
                             CEGUI::Event::Subscriber(&MapperState::onLoadListDoubleClick, this));
    onClick(loadWindow, "Buttons/LoadButton", &MapperState::onLoadLoad, this);
    onClick(loadWindow, "Buttons/CancelButton", &MapperState::onLoadCancel, this);
    hideModal(loadWindow);
}

void MapperState::connectToSave()
{
    saveWindow = guiRoot()->getChild("Save");
    saveList = static_cast<CEGUI::Listbox*>(saveWindow->getChild("FileList"));
    saveFileName = saveWindow->getChild("FileName");
    saveList->subscribeEvent(CEGUI::Listbox::EventSelectionChanged,
                             CEGUI::Event::Subscriber(&MapperState::onSaveListSelectChanged, this));
    saveList->subscribeEvent(CEGUI::Window::EventMouseDoubleClick,
                             CEGUI::Event::Subscriber(&MapperState::onSaveListDoubleClick, this));
    onClick(saveWindow, "Buttons/SaveButton", &MapperState::onSaveSave, this);
    onClick(saveWindow, "Buttons/CancelButton", &MapperState::onSaveCancel, this);
    hideModal(saveWindow);
}

void MapperState::connectToProperties()
{
    propertiesWindow = guiRoot()->getChild("Properties");
    propertiesWidth = spinnerAt(propertiesWindow, "Size/XSpinner");
    propertiesHeight = spinnerAt(propertiesWindow, "Size/YSpinner");
    propertiesTileSize = spinnerAt(propertiesWindow, "TS/Spinner");
    propertiesTilesPerTexture = spinnerAt(propertiesWindow, "TPT/Spinner");
    onClick(propertiesWindow, "Buttons/OkButton", &MapperState::onPropertiesOk, this);
    onClick(propertiesWindow, "Buttons/CancelButton", &MapperState::onPropertiesCancel, this);
    hideModal(propertiesWindow);
}

// --- New map -----------------------------------------------------------------

void MapperState::openNewMap()
{
    showModal(newMapWindow);
}

void MapperState::cancelNewMap()
{
    hideModal(newMapWindow);
}

void MapperState::doneNewMap()
{
    // Spinner values are held in their ranges before any conversion.
    const unsigned int height = spinnerToUnsigned(newMapHeight->getCurrentValue(), MapSizeRange);
    const unsigned int width = spinnerToUnsigned(newMapWidth->getCurrentValue(), MapSizeRange);
    map.clear();
    fileName.clear();
    map.resizeTo(width, height);
    map.setTileSize(spinnerToFloat(newMapTileSize->getCurrentValue(), TileSizeRange));
    map.setTilesPerTexture(spinnerToUnsigned(newMapTilesPerTexture->getCurrentValue(), TilesPerTextureRange));
    tools.setDirty(true);
    clearStatus();
    updateMapDetails();
    hideModal(newMapWindow);
}

// --- Properties ----------------------------------------------------------------

void MapperState::openProperties()
{
    propertiesWidth->setCurrentValue(map.getSize().x);
    propertiesHeight->setCurrentValue(map.getSize().y);
    propertiesTileSize->setCurrentValue(map.getTileSize());
    shownTileSize = propertiesTileSize->getCurrentValue();
    propertiesTilesPerTexture->setCurrentValue(map.getTilesPerTexture());
    showModal(propertiesWindow);
}

void MapperState::cancelProperties()
{
    hideModal(propertiesWindow);
}

void MapperState::doneProperties()
{
    map.resizeTo(spinnerToUnsigned(propertiesWidth->getCurrentValue(), MapSizeRange),
                 spinnerToUnsigned(propertiesHeight->getCurrentValue(), MapSizeRange));
    const double tileSize = propertiesTileSize->getCurrentValue();
    if (tileSize != shownTileSize)
        map.setTileSize(spinnerToFloat(tileSize, TileSizeRange));
    map.setTilesPerTexture(spinnerToUnsigned(propertiesTilesPerTexture->getCurrentValue(), TilesPerTextureRange));
    tools.setDirty(true);
    updateMapDetails();
    hideModal(propertiesWindow);
}

// --- Load ------------------------------------------------------------------------

void MapperState::fillUpFilelist(CEGUI::Listbox* list)
{
    // A missing or unreadable folder reads as an empty list.
    velk::updateListFromFolder(list, mapFolder.string(), ".json");
}

void MapperState::openLoad()
{
    fillUpFilelist(loadList);
    showModal(loadWindow);
}

void MapperState::cancelLoad()
{
    hideModal(loadWindow);
}

void MapperState::doneLoad()
{
    const std::string selected = selectedText(loadList);
    if (selected.empty())
        return;
    loadMap(completeMapFileName(selected));
    hideModal(loadWindow);
}

bool MapperState::loadMap(const std::string& name)
{
    if (!isBareFileName(name)) {
        showStatus("mapper.status.badname", name);
        return false;
    }
    const std::string path = convertFilePath(name);
    std::error_code error;
    // A folder named like a map would read as an empty text; say so plainly.
    if (!std::filesystem::is_regular_file(path, error)) {
        showStatus("mapper.status.loadfailed", name);
        updateMapDetails();
        return false;
    }
    // The reader fills a copy, so a failure leaves the edited map alone.
    TileMap loaded(map);
    if (!loaded.loadFromFile(path)) {
        showStatus("mapper.status.loadfailed", name);
        updateMapDetails();
        return false;
    }
    map = std::move(loaded);
    fileName = name;
    tools.setDirty(false);
    clearStatus();
    updateMapDetails();
    return true;
}

// --- Save ------------------------------------------------------------------------

void MapperState::openSave()
{
    fillUpFilelist(saveList);
    showModal(saveWindow);
}

void MapperState::cancelSave()
{
    hideModal(saveWindow);
}

void MapperState::doneSave()
{
    const std::string typed = ceguiStringToUtf8(saveFileName->getText());
    if (typed.empty()) {
        // Nothing is written, and the map becomes untitled.
        fileName.clear();
        updateMapDetails();
        hideModal(saveWindow);
        return;
    }
    if (!isBareFileName(typed)) {
        // Refused: the dialog stays open for a better name.
        showStatus("mapper.status.badname", typed);
        return;
    }
    saveMap(completeMapFileName(typed));
    hideModal(saveWindow);
}

bool MapperState::saveMap(const std::string& name)
{
    if (!isBareFileName(name)) {
        showStatus("mapper.status.badname", name);
        return false;
    }
    if (!map.saveToFile(convertFilePath(name))) {
        showStatus("mapper.status.savefailed", name);
        updateMapDetails();
        return false;
    }
    fileName = name;
    tools.setDirty(false);
    clearStatus();
    updateMapDetails();
    return true;
}

// --- Handlers ----------------------------------------------------------------------

bool MapperState::onNewMapCreate(const CEGUI::EventArgs&)
{
    doneNewMap();
    return true;
}

bool MapperState::onNewMapCancel(const CEGUI::EventArgs&)
{
    cancelNewMap();
    return true;
}

bool MapperState::onLoadListDoubleClick(const CEGUI::EventArgs&)
{
    if (loadList->getSelectedCount() != 0)
        doneLoad();
    return true;
}

bool MapperState::onLoadLoad(const CEGUI::EventArgs&)
{
    doneLoad();
    return true;
}

bool MapperState::onLoadCancel(const CEGUI::EventArgs&)
{
    cancelLoad();
    return true;
}

bool MapperState::onSaveListSelectChanged(const CEGUI::EventArgs&)
{
    if (const CEGUI::ListboxItem* item = saveList->getFirstSelectedItem())
        saveFileName->setText(item->getText());
    return true;
}

bool MapperState::onSaveListDoubleClick(const CEGUI::EventArgs&)
{
    if (saveList->getSelectedCount() != 0)
        doneSave();
    return true;
}

bool MapperState::onSaveSave(const CEGUI::EventArgs&)
{
    doneSave();
    return true;
}

bool MapperState::onSaveCancel(const CEGUI::EventArgs&)
{
    cancelSave();
    return true;
}

bool MapperState::onPropertiesOk(const CEGUI::EventArgs&)
{
    doneProperties();
    return true;
}

bool MapperState::onPropertiesCancel(const CEGUI::EventArgs&)
{
    cancelProperties();
    return true;
}

} // namespace dunnix
