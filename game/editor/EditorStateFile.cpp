// The editor screen's ship menu and file window.
#include "game/editor/EditorState.hpp"

#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/editor/EditorController.hpp"
#include "game/editor/EditorText.hpp"
#include "game/editor/model/ShipFiles.hpp"
#include "game/shell/FolderList.hpp"
#include "game/shell/Global.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <CEGUI/CEGUI.h>
#include <filesystem>

namespace velk {

namespace {

CEGUI::Window* rootWindow()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

} // namespace

void EditorState::connectToShipMenu()
{
    stepper.clear();
    CEGUI::Window* menu = rootWindow()->getChild("Center/Stats/ShipMenu");
    const std::pair<const char*, bool (EditorState::*)(const CEGUI::EventArgs&)> buttons[] = {
        {"New", &EditorState::onShipMenuNewButton},   {"Load", &EditorState::onShipMenuLoadButton},
        {"Save", &EditorState::onShipMenuSaveButton}, {"SaveAs", &EditorState::onShipMenuSaveAsButton},
        {"Exit", &EditorState::onShipMenuExitButton},
    };
    for (const auto& button : buttons)
        menu->getChild(button.first)
            ->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(button.second, this));
    const unsigned joystick = GameFramework::Singleton.getSfmlFramework()
                                  ? GameFramework::Singleton.getSfmlFramework()->getPrimaryJoystick()
                                  : 8u;
    stepper.setBackAction(fx::InputAction(fx::JoystickButton(joystick, 1), fx::InputAction::Hold));
    stepper.activate();
    GuiStepper::Node* exit = stepper.getRoot()->connectTo(menu->getChild("Exit"), GuiStepper::Node::All);
    if (exit)
        exit->setIsBack(true);
    connectToFile();
}

void EditorState::connectToFile()
{
    fileWindow = rootWindow()->getChild("File");
    fileList = static_cast<CEGUI::Listbox*>(fileWindow->getChild("List"));
    fileEdit = fileWindow->getChild("Edit");
    fileButtons = fileWindow->getChild("Buttons");
    fileOkButton = fileButtons->getChild("OkButton");
    fileList->subscribeEvent(CEGUI::Listbox::EventSelectionChanged,
                             CEGUI::Event::Subscriber(&EditorState::onShipFileListSelection, this));
    fileList->subscribeEvent(CEGUI::Window::EventMouseDoubleClick,
                             CEGUI::Event::Subscriber(&EditorState::onShipFileDoubleClick, this));
    fileOkButton->subscribeEvent(CEGUI::PushButton::EventClicked,
                                 CEGUI::Event::Subscriber(&EditorState::onShipFileOkButton, this));
    fileButtons->getChild("CancelButton")
        ->subscribeEvent(CEGUI::PushButton::EventClicked,
                         CEGUI::Event::Subscriber(&EditorState::onShipFileCancelButton, this));
    fileButtons->getChild("DeleteButton")
        ->subscribeEvent(CEGUI::PushButton::EventClicked,
                         CEGUI::Event::Subscriber(&EditorState::onShipFileDeleteButton, this));
    fileWindow->setModalState(false);
    fileWindow->setVisible(false);
}

void EditorState::showStatusMessage(const std::string& code, const std::string& detail)
{
    if (!rootWindow() || !rootWindow()->isChild("Statusbar"))
        return;
    std::string text = editorText(code);
    if (!detail.empty())
        text += ": " + detail;
    rootWindow()->getChild("Statusbar")->setProperty("CenterText", utf8ToCeguiString(text));
}

CEGUI::String EditorState::getStatusMessage() const
{
    if (!rootWindow() || !rootWindow()->isChild("Statusbar"))
        return "";
    return rootWindow()->getChild("Statusbar")->getProperty("CenterText");
}

void EditorState::newShip()
{
    ship->clear();
    rebuildControllers();
    fileName.clear();
}

bool EditorState::loadShip(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    if (!loadShipInto(*ship, path)) {
        showStatusMessage("editor.msg.loadfailed", name);
        return false;
    }
    rebuildControllers();
    fileName = path;
    showStatusMessage("editor.msg.loaded", name);
    return true;
}

bool EditorState::saveShip(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    if (!ship->saveToFile(path)) {
        showStatusMessage("editor.msg.savefailed", name);
        return false;
    }
    fileName = path;
    showStatusMessage("editor.msg.saved", name);
    return true;
}

void EditorState::openFileWindow(FileMethod method)
{
    const CEGUI::String title = utf8ToCeguiString(editorText(method == Load ? "general.load" : "general.save"));
    fileWindow->setText(title);
    fileOkButton->setText(title);
    updateFilelist();
    fileMethod = method;
    fileWindow->setVisible(true);
    fileWindow->setModalState(true);
}

void EditorState::closeFileWindow()
{
    fileWindow->setModalState(false);
    fileWindow->setVisible(false);
}

void EditorState::doneFileWindow()
{
    const std::string typed = ceguiStringToUtf8(fileEdit->getText());
    if (typed.empty())
        return;
    if (!isBareFileName(typed)) {
        tools::log("Editor", "File name refused, it must name a file of the ships folder: " + typed);
        showStatusMessage("editor.msg.badname", typed);
        return;
    }
    const std::string name = completeShipFileName(typed);
    const std::string path = (std::filesystem::path(ShipPath) / name).string();
    const bool done = fileMethod == Load ? loadShip(path) : saveShip(path);
    if (done)
        fileEdit->setText(utf8ToCeguiString(name));
    closeFileWindow();
}

void EditorState::updateFilelist()
{
    updateListFromFolder(fileList, ShipPath, ".json");
}

void EditorState::deleteFile()
{
    const std::string typed = ceguiStringToUtf8(fileEdit->getText());
    if (!typed.empty()) {
        if (!isBareFileName(typed)) {
            tools::log("Editor", "File name refused, it must name a file of the ships folder: " + typed);
            showStatusMessage("editor.msg.badname", typed);
        } else {
            std::error_code error;
            std::filesystem::remove(std::filesystem::path(ShipPath) / typed, error);
            if (error) {
                tools::log("Editor", "Cannot delete ship file \"" + typed + "\": " + error.message());
                showStatusMessage("editor.msg.deletefailed", typed);
            }
        }
    }
    updateFilelist();
}

bool EditorState::onShipMenuNewButton(const CEGUI::EventArgs&)
{
    newShip();
    return true;
}

bool EditorState::onShipMenuLoadButton(const CEGUI::EventArgs&)
{
    openFileWindow(Load);
    return true;
}

bool EditorState::onShipMenuSaveButton(const CEGUI::EventArgs&)
{
    if (fileName.empty())
        openFileWindow(Save);
    else
        saveShip(fileName);
    return true;
}

bool EditorState::onShipMenuSaveAsButton(const CEGUI::EventArgs&)
{
    openFileWindow(Save);
    return true;
}

bool EditorState::onShipMenuExitButton(const CEGUI::EventArgs&)
{
    app::State::stop();
    return true;
}

bool EditorState::onShipFileListSelection(const CEGUI::EventArgs&)
{
    if (!fileEdit->isVisible())
        return true;
    CEGUI::ListboxItem* item = fileList->getFirstSelectedItem();
    fileEdit->setText(item ? item->getText() : CEGUI::String());
    return true;
}

bool EditorState::onShipFileDoubleClick(const CEGUI::EventArgs&)
{
    if (fileList->getFirstSelectedItem())
        doneFileWindow();
    return true;
}

bool EditorState::onShipFileOkButton(const CEGUI::EventArgs&)
{
    doneFileWindow();
    return true;
}

bool EditorState::onShipFileCancelButton(const CEGUI::EventArgs&)
{
    closeFileWindow();
    return true;
}

bool EditorState::onShipFileDeleteButton(const CEGUI::EventArgs&)
{
    deleteFile();
    return true;
}

} // namespace velk
