#pragma once

#include "engine/GuiStepper.hpp"
#include "game/shell/VelkState.hpp"

#include <CEGUI/Event.h>
#include <CEGUI/String.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace CEGUI {
class AnimationInstance;
class EventArgs;
class Listbox;
class Window;
} // namespace CEGUI

namespace velk {

namespace backend {
class ShipEntry;
}

class EditorController;

/// The ship editor screen: one ship description edited in place by three
/// panes on the tabs of one tab control (builder, texture pane, test drive),
/// a ship menu (New, Load, Save, Save as, Exit) and a modal file window on
/// the ships folder. Saving reports failure and never adopts a name it could
/// not write; loading reads into a description of its own first, so a bad
/// file leaves the edited ship and its name alone.
///
/// The main menu starts it as any screen: construct it with no arguments,
/// hand it to SfmlFramework::setupState, push it with app::State::start.
/// It leaves through its Exit button (app::State::stop).
class EditorState : public VelkState {
public:
    enum FileMethod { Load = 0, Save = 1 };

    static const char* const ScriptFile;
    static const char* const MusicPath;
    static const char* const AnimationsFile;

    EditorState();
    ~EditorState() override;

    void onStateStart() override;
    void onStateEnd() override;
    void update() override;

    void activateTab(unsigned index);
    void rebuildControllers();

    // Ship menu and file window.
    void newShip();
    /// False (and a status message) when the file cannot be read; the ship
    /// and the file name then stay as they were.
    bool loadShip(const std::string& path);
    /// False (and a status message) when the file cannot be written; the file
    /// name then stays as it was.
    bool saveShip(const std::string& path);
    void openFileWindow(FileMethod method);
    void closeFileWindow();
    void doneFileWindow();
    void updateFilelist();
    void deleteFile();

    const std::string& getFileName() const { return fileName; }
    backend::ShipEntry* getShip() const { return ship.get(); }
    const std::vector<std::unique_ptr<EditorController>>& getControllers() const { return controllers; }
    EditorController* getController(unsigned index) const;
    GuiStepper& getStepper() { return stepper; }
    FileMethod getFileMethod() const { return fileMethod; }
    CEGUI::Window* getFileWindow() const { return fileWindow; }
    /// The status bar's centre text: the last file message.
    CEGUI::String getStatusMessage() const;

private:
    void initGui();
    void initBuilder();
    void initTexturer();
    void initTest();
    void initTabAnimations();
    void connectToShipMenu();
    void connectToFile();
    void showStatusMessage(const std::string& code, const std::string& detail = "");

    bool onMainTabChange(const CEGUI::EventArgs& args);
    bool onAnimatedTabChange(const CEGUI::EventArgs& args);
    bool onShipMenuNewButton(const CEGUI::EventArgs& args);
    bool onShipMenuLoadButton(const CEGUI::EventArgs& args);
    bool onShipMenuSaveButton(const CEGUI::EventArgs& args);
    bool onShipMenuSaveAsButton(const CEGUI::EventArgs& args);
    bool onShipMenuExitButton(const CEGUI::EventArgs& args);
    bool onShipFileListSelection(const CEGUI::EventArgs& args);
    bool onShipFileDoubleClick(const CEGUI::EventArgs& args);
    bool onShipFileOkButton(const CEGUI::EventArgs& args);
    bool onShipFileCancelButton(const CEGUI::EventArgs& args);
    bool onShipFileDeleteButton(const CEGUI::EventArgs& args);

    std::vector<std::unique_ptr<CEGUI::Event::ScopedConnection>> connections;
    std::vector<std::unique_ptr<EditorController>> controllers;
    std::string fileName;
    std::unique_ptr<backend::ShipEntry> ship;
    std::map<CEGUI::Window*, std::pair<CEGUI::String, CEGUI::AnimationInstance*>> tabAnimations;
    GuiStepper stepper;
    CEGUI::Window* fileWindow = nullptr;
    CEGUI::Listbox* fileList = nullptr;
    CEGUI::Window* fileEdit = nullptr;
    CEGUI::Window* fileButtons = nullptr;
    CEGUI::Window* fileOkButton = nullptr;
    FileMethod fileMethod = Load;
};

} // namespace velk
