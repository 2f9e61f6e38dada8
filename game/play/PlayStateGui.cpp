// PlayState: the GUI (HUD, in-game menu, game-over and time-trial dialogs),
// the game's frame and the high-score record.

#include "game/play/PlayState.hpp"

#include "app/Language.hpp"
#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTranslation.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/GameLogic.hpp"
#include "game/play/model/CheckpointKinds.hpp"
#include "game/play/model/ScoreEntry.hpp"
#include "game/shell/Global.hpp"

#include <CEGUI/CEGUI.h>

#include <filesystem>

namespace velk {

namespace {

const char* const kScript = "init_play.lua";

SfmlFramework* sfml()
{
    return GameFramework::Singleton.getSfmlFramework();
}

CEGUI::GUIContext& guiContext()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext();
}

CEGUI::Window* rootWindow()
{
    return guiContext().getRootWindow();
}

void setCursorVisible(bool visible)
{
    guiContext().getMouseCursor().setVisible(visible);
}

bool isVisible(const CEGUI::Window* window)
{
    return window && window->isVisible();
}

void showModal(CEGUI::Window* window)
{
    if (!window)
        return;
    window->setVisible(true);
    window->setModalState(true);
}

void hideModal(CEGUI::Window* window)
{
    if (!window)
        return;
    window->setModalState(false);
    window->setVisible(false);
}

/// The window is the modal window of its own GUI context.
bool isModal(const CEGUI::Window* window)
{
    return window && window->getGUIContext().getModalWindow() == window;
}

template <typename Handler>
void connect(CEGUI::Window* button, Handler handler, PlayState* screen)
{
    button->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(handler, screen));
}

} // namespace

// --- Building the GUI ---------------------------------------------------------------

bool PlayState::initGui()
{
    try {
        CEGUI::System::getSingleton().executeScriptFile(kScript, "");
        translateCeguiWindow(rootWindow(), true);
        connectToMenu();
        connectToOutputs();
        connectToGameOver();
        connectToTimeTrial();
    } catch (const CEGUI::Exception&) {
        loadFailure = "the play screen's windows cannot be built: " + exceptionText(std::current_exception());
        tools::log("Play", "The game cannot be shown: " + loadFailure);
        return false;
    }
    hideModal(menuWindow);
    setCursorVisible(false);
    if (gameLogic && gameLogic->getGameMode() == 1) {
        showModal(timeTrialWindow);
        setCursorVisible(true);
    }
    guiReady = true;
    return true;
}

void PlayState::connectToMenu()
{
    menuStepper.clear();
    menuWindow = rootWindow()->getChild("Menu");
    resumeButton = menuWindow->getChild("Resume");
    CEGUI::Window* restart = menuWindow->getChild("Restart");
    CEGUI::Window* back = menuWindow->getChild("Back");
    CEGUI::Window* exit = menuWindow->getChild("Exit");
    connect(restart, &PlayState::onMenuRestart, this);
    connect(menuWindow->getChild("Save"), &PlayState::onMenuSave, this);
    connect(back, &PlayState::onMenuBack, this);
    connect(resumeButton, &PlayState::onMenuResume, this);
    connect(exit, &PlayState::onMenuExit, this);

    GuiStepper::Node* resume = menuStepper.getRoot()->connectTo(resumeButton, GuiStepper::Node::All);
    resume->connectTo(restart, GuiStepper::Node::Down)
        ->connectTo(back, GuiStepper::Node::Down)
        ->connectTo(exit, GuiStepper::Node::Down)
        ->connectTo(resumeButton, GuiStepper::Node::Down);
    closeMenu();
}

void PlayState::connectToOutputs()
{
    shownScore = 0;
    const int mode = gameLogic ? gameLogic->getGameMode() : 0;
    CEGUI::Window* root = rootWindow();
    scoreText = root->getChild("Score");
    scoreText->setText("0");
    scoreText->setVisible(mode != 0);
    timeText = root->getChild("Time");
    timeText->setVisible(mode != 0);
    landableWindow = root->getChild("Landable");
    landableWindow->setVisible(mode == 1 && gameLogic && gameLogic->isLandable());
    CEGUI::Window* stats = root->getChild("Stats");
    healthBar = static_cast<CEGUI::ProgressBar*>(stats->getChild("Health/Bar"));
    fuelBar = static_cast<CEGUI::ProgressBar*>(stats->getChild("Fuel/Bar"));
    if (gameLogic) {
        healthBar->setProgress(gameLogic->getHpRatio());
        fuelBar->setProgress(gameLogic->getFuelRatio());
    }
}

void PlayState::connectToGameOver()
{
    gameOverStepper.clear();
    gameOverWindow = rootWindow()->getChild("GameOver");
    CEGUI::Window* ok = gameOverWindow->getChild("Ok");
    CEGUI::Window* cancel = gameOverWindow->getChild("Cancel");
    connect(ok, &PlayState::onGameOverOk, this);
    connect(cancel, &PlayState::onGameOverCancel, this);
    GuiStepper::Node* okNode = gameOverStepper.getRoot()->connectTo(ok, GuiStepper::Node::All);
    okNode->connectTo(cancel, GuiStepper::Node::Horizontal);
    okNode->setIsBack(true);
    nameBox = gameOverWindow->getChild("Name");
    gameOverInfo = gameOverWindow->isChild("Info") ? gameOverWindow->getChild("Info") : nullptr;
    closeGameOver();
}

void PlayState::connectToTimeTrial()
{
    timeTrialStepper.clear();
    timeTrialWindow = rootWindow()->getChild("TimeTrial");
    CEGUI::Window* back = timeTrialWindow->getChild("Back");
    CEGUI::Window* start = timeTrialWindow->getChild("Start");
    connect(back, &PlayState::onTimeTrialBack, this);
    connect(start, &PlayState::onTimeTrialStart, this);
    GuiStepper::Node* startNode = timeTrialStepper.getRoot()->connectTo(start, GuiStepper::Node::All);
    startNode->connectTo(back, GuiStepper::Node::Horizontal)->setIsBack(true);

    CEGUI::Window* points = timeTrialWindow->getChild("Description/Points");
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    for (std::size_t i = 0; i < PointKindCount; ++i) {
        CEGUI::Window* column = windows.createWindow(CEGUI::DefaultWindow::WidgetTypeName, "");
        column->setPosition(CEGUI::UVector2(CEGUI::UDim(static_cast<float>(i) / 5.0f, 0), CEGUI::UDim(0, 0)));
        column->setSize(CEGUI::USize(CEGUI::UDim(0.2f, 0), CEGUI::UDim(1.0f, 0)));

        CEGUI::Window* image = windows.createWindow("GWEN/StaticImage", "");
        image->setPosition(CEGUI::UVector2(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)));
        image->setSize(CEGUI::USize(CEGUI::UDim(1.0f, 0), CEGUI::UDim(0, 10)));
        image->setProperty("Image", "Ingame/Checkpoint");
        const sf::Color c = colorForMapTile(PointTile[i]);
        image->setProperty<CEGUI::Colour>("ImageColours",
                                          CEGUI::Colour(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f));
        image->setProperty("BackgroundEnabled", "false");
        image->setProperty("FrameEnabled", "false");
        image->setAspectMode(CEGUI::AM_EXPAND);
        image->setAspectRatio(1.0f);
        image->setMousePassThroughEnabled(true);

        CEGUI::Window* text = windows.createWindow("GWEN/StaticText", "");
        text->setPosition(CEGUI::UVector2(CEGUI::UDim(0, 0), CEGUI::UDim(1.0f, -20)));
        text->setSize(CEGUI::USize(CEGUI::UDim(1.0f, 0), CEGUI::UDim(0, 20)));
        text->setText(std::to_string(PointScores[i]).c_str());
        text->setProperty("FrameEnabled", "false");
        text->setProperty("BackgroundEnabled", "false");
        text->setProperty("TextColours", "FFBFE2FF");
        text->setProperty("HorzFormatting", "CentreAligned");
        text->setFont("TimeTrial");
        text->setMousePassThroughEnabled(true);

        column->addChild(image);
        column->addChild(text);
        points->addChild(column);
    }
    closeTimeTrial();
}

// --- Dialogs ----------------------------------------------------------------------------

void PlayState::openMenu()
{
    if (guiContext().getModalWindow())
        return;
    showModal(menuWindow);
    setCursorVisible(true);
    menuStepper.stepToDefault();
}

void PlayState::closeMenu()
{
    hideModal(menuWindow);
    setCursorVisible(false);
}

bool PlayState::isMenuOpened() const
{
    return isVisible(menuWindow);
}

void PlayState::openGameOver()
{
    showModal(gameOverWindow);
    setCursorVisible(true);
    // The player types the name at once, without clicking into the box.
    if (nameBox)
        nameBox->activate();
}

void PlayState::closeGameOver()
{
    hideModal(gameOverWindow);
    openMenu();
}

bool PlayState::isGameOverOpened() const
{
    return isVisible(gameOverWindow);
}

void PlayState::openTimeTrial()
{
    showModal(timeTrialWindow);
    setCursorVisible(true);
}

void PlayState::closeTimeTrial()
{
    hideModal(timeTrialWindow);
    setCursorVisible(false);
}

bool PlayState::isTimeTrialOpened() const
{
    return isVisible(timeTrialWindow);
}

// --- High score -------------------------------------------------------------------------

bool PlayState::insertToHighscores()
{
    if (!gameLogic || !nameBox)
        return false;
    ScoreEntry entry;
    entry.setName(ceguiStringToUtf8(nameBox->getText()));
    entry.setScore(gameLogic->getScore());
    entry.setMap(std::filesystem::path(mapFile).filename().string());
    entry.setMode(gameLogic->getGameMode());
    return ScoreEntry::addToHighscores(GameFramework::Singleton.getDatabase(), entry);
}

// --- Handlers ---------------------------------------------------------------------------

bool PlayState::onMenuResume(const CEGUI::EventArgs&)
{
    closeMenu();
    return true;
}

bool PlayState::onMenuRestart(const CEGUI::EventArgs&)
{
    resetMap();
    return true;
}

bool PlayState::onMenuSave(const CEGUI::EventArgs&)
{
    return true;
}

bool PlayState::onMenuBack(const CEGUI::EventArgs&)
{
    app::State::stop();
    return true;
}

bool PlayState::onMenuExit(const CEGUI::EventArgs&)
{
    app::State::terminate();
    return true;
}

bool PlayState::onGameOverOk(const CEGUI::EventArgs&)
{
    if (!insertToHighscores()) {
        // Not stored: the dialog stays, saying so; Cancel leaves it.
        if (gameOverInfo) {
            const app::Language* language = GameFramework::Singleton.getLanguage();
            gameOverInfo->setText(utf8ToCeguiString(language ? language->textForCode("play.gameover.notstored")
                                                             : "The score could not be saved."));
        }
        return true;
    }
    closeGameOver();
    return true;
}

bool PlayState::onGameOverCancel(const CEGUI::EventArgs&)
{
    closeGameOver();
    return true;
}

bool PlayState::onTimeTrialStart(const CEGUI::EventArgs&)
{
    closeTimeTrial();
    return true;
}

bool PlayState::onTimeTrialBack(const CEGUI::EventArgs&)
{
    app::State::stop();
    return true;
}

// --- Frame ------------------------------------------------------------------------------

void PlayState::updateGame(float dt)
{
    if (gameLogic->isEnded()) {
        if (!isMenuOpened() && !isGameOverOpened()) {
            openGameOver();
            if (resumeButton)
                resumeButton->setEnabled(false);
        }
    } else if (actions.isActive('M')) {
        if (isMenuOpened())
            closeMenu();
        else
            openMenu();
    }
    gameLogic->setActive(guiContext().getModalWindow() == nullptr);
    gameLogic->update(dt);
    SfmlFramework* framework = sfml();
    if (gameLogic->isActive() && framework && framework->getWindow() && framework->isWindowFocused()) {
        const sf::Vector2u size = framework->getWindow()->getSize();
        framework->moveMouseRelativeTo(sf::Vector2i(static_cast<int>(size.x / 2), static_cast<int>(size.y / 2)));
    }
    updateHud(dt);
}

void PlayState::updateHud(float dt)
{
    if (gameLogic->getGameMode() == 1) {
        const int target = gameLogic->getScore();
        if (target != shownScore) {
            shownScore = catchUpScore(shownScore, target, dt);
            if (scoreText)
                scoreText->setText(std::to_string(shownScore).c_str());
        }
        if (timeText)
            timeText->setText(formatTrialTime(gameLogic->getTrialTime().asMilliseconds()).c_str());
        if (landableWindow)
            landableWindow->setVisible(gameLogic->isLandable());
    }
    if (healthBar)
        healthBar->setProgress(gameLogic->getHpRatio());
    if (fuelBar)
        fuelBar->setProgress(gameLogic->getFuelRatio());
}

void PlayState::updateSteppers(float dt)
{
    menuStepper.setActive(isModal(menuWindow));
    gameOverStepper.setActive(isModal(gameOverWindow));
    timeTrialStepper.setActive(isModal(timeTrialWindow));
    menuStepper.update(dt);
    gameOverStepper.update(dt);
    timeTrialStepper.update(dt);
}

} // namespace velk
