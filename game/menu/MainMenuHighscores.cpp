// The high-score view of the main menu: the "scores" table in three columns,
// a read-only map filter and a Clear button for the rows the filter selects.

#include "game/menu/MainMenuState.hpp"

#include "app/Language.hpp"
#include "engine/GameFramework.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "game/play/model/ScoreEntry.hpp"
#include "game/shell/FolderFiles.hpp"
#include "game/shell/Global.hpp"
#include "game/shell/ListItem.hpp"

#include <CEGUI/CEGUI.h>

#include <sstream>

namespace velk {

namespace {

/// Item id of the filter entry that stands for every map.
const unsigned kAllMapsId = 0;
/// Item id of a filter entry that names one map.
const unsigned kMapId = 1;

std::string translate(const std::string& code)
{
    const app::Language* language = GameFramework::Singleton.getLanguage();
    return language ? language->textForCode(code) : "<!" + code + "!>";
}

} // namespace

void MainMenuState::connectToHighscores()
{
    highscoresStepper.clear();
    highscoresWindow = CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow()->getChild("Highscores");

    CEGUI::Window* close = highscoresWindow->getChild("CloseButton");
    close->subscribeEvent(CEGUI::PushButton::EventClicked,
                          CEGUI::Event::Subscriber(&MainMenuState::onHighscoresBack, this));
    GuiStepper::Node* closeNode = highscoresStepper.getRoot()->connectTo(close, GuiStepper::Node::All);
    closeNode->setIsBack(true);
    CEGUI::Window* clear = highscoresWindow->getChild("ClearButton");
    clear->subscribeEvent(CEGUI::PushButton::EventClicked,
                          CEGUI::Event::Subscriber(&MainMenuState::onHighscoresClear, this));
    closeNode->connectTo(clear, GuiStepper::Node::Right);
    closeNode->connectTo(clear, GuiStepper::Node::Left);

    highscoresList = static_cast<CEGUI::MultiColumnList*>(highscoresWindow->getChild("List"));
    highscoresList->addColumn(utf8ToCeguiString(translate("highscores.name")), 0, CEGUI::UDim(0.2f, 0.0f));
    highscoresList->addColumn(utf8ToCeguiString(translate("highscores.score")), 1, CEGUI::UDim(0.19f, 0.0f));
    highscoresList->addColumn(utf8ToCeguiString(translate("highscores.map")), 2, CEGUI::UDim(0.6f, 0.0f));

    highscoresFilter = static_cast<CEGUI::Combobox*>(highscoresWindow->getChild("Filter"));
    CEGUI::ListboxTextItem* all = makeListItem(translate("highscores.allmaps"), kAllMapsId);
    highscoresFilter->addItem(all);
    highscoresFilter->setItemSelectState(all, true);
    highscoresFilter->setText(all->getText());
    for (const std::string& map : getFilesInFolder(MapPath, ".json")) {
        highscoresFilter->addItem(makeListItem(map, kMapId));
    }
    fitDropList(highscoresFilter);
    highscoresFilter->subscribeEvent(CEGUI::Combobox::EventListSelectionAccepted,
                                     CEGUI::Event::Subscriber(&MainMenuState::onHighscoresMapFilter, this));
    closeHighscores();
}

std::string MainMenuState::getFilterMap() const
{
    // The selected entry, not the box's text: the text may be edited or stale.
    const CEGUI::ListboxItem* item = highscoresFilter ? highscoresFilter->getSelectedItem() : nullptr;
    if (!item || item->getID() == kAllMapsId)
        return std::string();
    return ceguiStringToUtf8(item->getText());
}

void MainMenuState::updateHighscores()
{
    if (!highscoresList)
        return;
    while (highscoresList->getRowCount() > 0)
        highscoresList->removeRow(0);
    const std::string map = getFilterMap();
    for (const ScoreEntry& entry : ScoreEntry::getHighscores(GameFramework::Singleton.getDatabase(), -1)) {
        if (!map.empty() && entry.getMap() != map)
            continue;
        std::ostringstream score;
        score << entry.getScore();
        const unsigned row = highscoresList->addRow(0);
        highscoresList->setItem(makeListItem(entry.getName()), 0, row);
        highscoresList->setItem(makeListItem(score.str()), 1, row);
        highscoresList->setItem(makeListItem(entry.getMap()), 2, row);
    }
}

void MainMenuState::openHighscores()
{
    showWindow(highscoresWindow);
    updateHighscores();
    if (mainMenuStepper.isDoneAny())
        highscoresStepper.stepToDefault();
}

void MainMenuState::closeHighscores()
{
    hideWindow(highscoresWindow);
    openMainMenu();
}

void MainMenuState::clearHighscores()
{
    ScoreEntry::clearHighscores(GameFramework::Singleton.getDatabase(), getFilterMap());
    updateHighscores();
}

bool MainMenuState::onMainMenuHighscores(const CEGUI::EventArgs&)
{
    openHighscores();
    return true;
}

bool MainMenuState::onHighscoresBack(const CEGUI::EventArgs&)
{
    closeHighscores();
    return true;
}

bool MainMenuState::onHighscoresClear(const CEGUI::EventArgs&)
{
    clearHighscores();
    return true;
}

bool MainMenuState::onHighscoresMapFilter(const CEGUI::EventArgs&)
{
    updateHighscores();
    return true;
}

} // namespace velk
