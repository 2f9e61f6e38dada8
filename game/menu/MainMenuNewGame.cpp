// MainMenuState: the new-game window (a ship list, a map list, Start and
// Cancel), the start of the play screen, and the notice a failed game leaves.

#include "game/menu/MainMenuState.hpp"

#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiAccentRoomParser.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/PlayState.hpp"
#include "game/shell/FolderList.hpp"
#include "game/shell/Global.hpp"

#include <CEGUI/CEGUI.h>

namespace velk {

namespace {

CEGUI::Window* rootWindow()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

/// The UTF-8 text of the list's first selected item; empty when none is selected.
std::string firstSelected(const CEGUI::Listbox* list)
{
    const CEGUI::ListboxItem* item = list ? list->getFirstSelectedItem() : nullptr;
    return item ? ceguiStringToUtf8(item->getText()) : std::string();
}

} // namespace

void MainMenuState::connectToNewWindow()
{
    newGameStepper.clear();
    newGameWindow = rootWindow()->getChild("NewGameWindow");
    shipList = static_cast<CEGUI::Listbox*>(newGameWindow->getChild("Lists/Ships"));
    mapList = static_cast<CEGUI::Listbox*>(newGameWindow->getChild("Lists/Maps"));
    CEGUI::Window* cancel = newGameWindow->getChild("Buttons/CancelButton");
    CEGUI::Window* start = newGameWindow->getChild("Buttons/StartButton");
    cancel->subscribeEvent(CEGUI::PushButton::EventClicked,
                           CEGUI::Event::Subscriber(&MainMenuState::onNewCancelButton, this));
    start->subscribeEvent(CEGUI::PushButton::EventClicked,
                          CEGUI::Event::Subscriber(&MainMenuState::onNewStartButton, this));

    GuiStepper::Node* cancelNode = newGameStepper.getRoot()->connectTo(cancel, GuiStepper::Node::All);
    cancelNode->setIsBack(true);
    GuiStepper::Node* startNode = cancelNode->connectTo(start, GuiStepper::Node::Horizontal);
    startNode->connectTo(shipList, GuiStepper::Node::Up);
    startNode->connectTo(mapList, GuiStepper::Node::Up);
    cancelNode->connectTo(shipList, GuiStepper::Node::Up);
    GuiStepper::Node* mapNode = cancelNode->connectTo(mapList, GuiStepper::Node::Up);
    mapNode->connectTo(shipList, GuiStepper::Node::Horizontal);

    hideWindow(newGameWindow);
    openMainMenu();
}

void MainMenuState::updateNewLists()
{
    updateListFromFolder(shipList, ShipPath, ".json");
    updateListFromFolder(mapList, MapPath, ".json");
}

void MainMenuState::openNewWindow()
{
    updateNewLists();
    showWindow(newGameWindow);
    if (mainMenuStepper.isDoneAny())
        newGameStepper.stepToDefault();
}

void MainMenuState::closeNewWindow()
{
    hideWindow(newGameWindow);
    openMainMenu();
}

bool MainMenuState::onMainMenuNew(const CEGUI::EventArgs&)
{
    openNewWindow();
    return true;
}

bool MainMenuState::onNewCancelButton(const CEGUI::EventArgs&)
{
    closeNewWindow();
    return true;
}

bool MainMenuState::onNewStartButton(const CEGUI::EventArgs&)
{
    doneNewWindow();
    return true;
}

void MainMenuState::doneNewWindow()
{
    const std::string ship = firstSelected(shipList);
    const std::string map = firstSelected(mapList);
    if (ship.empty() || map.empty())
        return;
    startGame(ship, map);
    hideWindow(newGameWindow);
    openMainMenu();
}

void MainMenuState::startGame(const std::string& ship, const std::string& map)
{
    const std::string shipPath = ShipPath + "/" + ship;
    const std::string mapPath = MapPath + "/" + map;
    tools::log("MMS", "Start game: Ship: " + ship + "(" + shipPath + ")" + ", Map: " + map + "(" + mapPath + ")");
    auto* state = new PlayState();
    if (SfmlFramework* framework = GameFramework::Singleton.getSfmlFramework())
        framework->setupState(state);
    std::shared_ptr<app::State> shared(state);
    state->setShipFile(shipPath);
    state->setMapFile(mapPath);
    app::State::start(shared);
}

// --- Notice -----------------------------------------------------------------------

void MainMenuState::connectToNotice()
{
    noticeStepper.clear();
    noticeWindow = rootWindow()->getChild("NoticeWindow");
    // The notice of a failed game names its file.
    showTextsVerbatim(noticeWindow->getChild("Text"));
    CEGUI::Window* ok = noticeWindow->getChild("OkButton");
    ok->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&MainMenuState::onNoticeOk, this));
    noticeStepper.getRoot()->connectTo(ok, GuiStepper::Node::All)->setIsBack(true);
    hideWindow(noticeWindow);
}

void MainMenuState::showNotice(const std::string& text)
{
    if (!noticeWindow)
        return;
    noticeWindow->getChild("Text")->setText(utf8ToCeguiString(text));
    // Over the main menu, like every dialog of the menu.
    showWindow(noticeWindow);
    noticeStepper.stepToDefault();
}

bool MainMenuState::isNoticeShown() const
{
    return noticeWindow && noticeWindow->isVisible();
}

bool MainMenuState::onNoticeOk(const CEGUI::EventArgs&)
{
    hideWindow(noticeWindow);
    openMainMenu();
    return true;
}

} // namespace velk
