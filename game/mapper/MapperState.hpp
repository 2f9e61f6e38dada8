#pragma once

#include "engine/GuiStepper.hpp"
#include "framework/cegui/CeguiStatusbarHandler.hpp"
#include "game/mapper/Tools.hpp"
#include "game/shell/VelkState.hpp"
#include "terrain/model/TileMap.hpp"

#include <filesystem>
#include <memory>
#include <string>

namespace CEGUI {
class EventArgs;
class Listbox;
class Spinner;
class Window;
} // namespace CEGUI

namespace dunnix {

class GridController;
class ToolsController;

/// The map editor screen: a menu bar (New, Load, Save, Save as, Exit), a
/// properties button with the map's details, the tile palette and the map
/// canvas, and the new-map, load, save and properties dialogs. It owns the
/// edited map, the tool state and the current file name (a bare name inside
/// the map folder; empty while untitled).
///
/// The main menu starts it with
///   auto screen = std::make_shared<dunnix::MapperState>();
///   sfml->setupState(screen.get());
///   app::State::start(screen);
/// and it returns by stopping itself. Every opening starts on an empty,
/// untitled, unsaved 0 x 0 map. Its keyboard and joystick navigation leads
/// to Exit only; it rests while a dialog is open or an edit box has the focus.
///
/// Loading reads into a copy first, so a failed load keeps the map, its name
/// and its dirty mark; a failed save keeps the name and the dirty mark. Both
/// failures, and a refused file name, are shown in the status bar.
class MapperState : public VelkState {
public:
    static const char* const ScriptName;

    MapperState();
    ~MapperState() override;

    void onStateStart() override;
    void onStateEnd() override;
    void update() override;

    void initGui();
    void updateMapDetails();
    /// The map folder joined with a bare file name.
    std::string convertFilePath(const std::string& name) const;

    // Dialogs.
    void openNewMap();
    void cancelNewMap();
    void doneNewMap();
    void openLoad();
    void cancelLoad();
    void doneLoad();
    void openSave();
    void cancelSave();
    void doneSave();
    void openProperties();
    void cancelProperties();
    void doneProperties();

    /// Reads the named file of the map folder into a copy of the map and keeps
    /// it only when the read worked; true then (name taken, dirty cleared).
    bool loadMap(const std::string& name);
    /// Writes the map under the bare name; true when it was written (name
    /// taken, dirty cleared). A failure changes neither.
    bool saveMap(const std::string& name);
    /// The map folder's ".json" files (regular files only) into the list.
    void fillUpFilelist(CEGUI::Listbox* list);

    Tools& getTools() { return tools; }
    TileMap& getMap() { return map; }
    const std::string& getFileName() const { return fileName; }
    const std::filesystem::path& getMapFolder() const { return mapFolder; }
    /// The folder the dialogs list and write; "data/map" by default.
    void setMapFolder(const std::filesystem::path& folder) { mapFolder = folder; }
    GridController* getGridController() const { return gridController.get(); }
    ToolsController* getToolsController() const { return toolsController.get(); }
    GuiStepper& getStepper() { return stepper; }
    /// The status bar's text: the last failure, or empty.
    std::string getStatusText() const;

    bool onMenuNew(const CEGUI::EventArgs&);
    bool onMenuLoad(const CEGUI::EventArgs&);
    bool onMenuSave(const CEGUI::EventArgs&);
    bool onMenuSaveAs(const CEGUI::EventArgs&);
    bool onMenuExit(const CEGUI::EventArgs&);
    bool onProperties(const CEGUI::EventArgs&);
    bool onNewMapCreate(const CEGUI::EventArgs&);
    bool onNewMapCancel(const CEGUI::EventArgs&);
    bool onLoadListDoubleClick(const CEGUI::EventArgs&);
    bool onLoadLoad(const CEGUI::EventArgs&);
    bool onLoadCancel(const CEGUI::EventArgs&);
    bool onSaveListSelectChanged(const CEGUI::EventArgs&);
    bool onSaveListDoubleClick(const CEGUI::EventArgs&);
    bool onSaveSave(const CEGUI::EventArgs&);
    bool onSaveCancel(const CEGUI::EventArgs&);
    bool onPropertiesOk(const CEGUI::EventArgs&);
    bool onPropertiesCancel(const CEGUI::EventArgs&);

private:
    void connectToMenu();
    void connectToNewMap();
    void connectToLoad();
    void connectToSave();
    void connectToProperties();
    void connectToMapDetails();
    void connectToStatusbar();
    /// Shows a translated message (and logs it with the file it is about).
    void showStatus(const std::string& code, const std::string& file);
    void clearStatus();

    Tools tools;
    TileMap map;
    std::string fileName;
    GuiStepper stepper;

    CEGUI::Window* newMapWindow = nullptr;
    CEGUI::Spinner* newMapWidth = nullptr;
    CEGUI::Spinner* newMapHeight = nullptr;
    CEGUI::Spinner* newMapTileSize = nullptr;
    CEGUI::Spinner* newMapTilesPerTexture = nullptr;

    std::filesystem::path mapFolder;

    CEGUI::Window* loadWindow = nullptr;
    CEGUI::Listbox* loadList = nullptr;

    CEGUI::Window* saveWindow = nullptr;
    CEGUI::Listbox* saveList = nullptr;
    CEGUI::Window* saveFileName = nullptr;

    CEGUI::Window* propertiesWindow = nullptr;
    CEGUI::Spinner* propertiesWidth = nullptr;
    CEGUI::Spinner* propertiesHeight = nullptr;
    CEGUI::Spinner* propertiesTileSize = nullptr;
    CEGUI::Spinner* propertiesTilesPerTexture = nullptr;
    /// The tile size as the properties spinner shows it: the spinner rounds
    /// to its text, so an untouched value must give back the map's own.
    double shownTileSize = 0.0;

    std::unique_ptr<ToolsController> toolsController;
    std::unique_ptr<GridController> gridController;

    CEGUI::Window* nameLabel = nullptr;
    CEGUI::Window* sizeLabel = nullptr;
    CEGUI::Window* tileSizeLabel = nullptr;
    CEGUI::Window* tilesPerTextureLabel = nullptr;

    CeguiStatusbarHandler statusbar;
    bool seenDirty = false;
    bool lastDirty = false;
};

} // namespace dunnix
