#include "game/menu/MainMenuState.hpp"

#include "app/Language.hpp"
#include "engine/DunnixComponent.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameObject.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTranslation.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/editor/EditorState.hpp"
#include "game/mapper/MapperState.hpp"
#include "game/play/PlayState.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <exception>

namespace velk {

namespace {

const char* const kScript = "init_mainmenu.lua";
const char* const kImageCollection = "MainMenu";
const char* const kImagesetFile = "MainMenu.imageset";
/// Back to front: the far haze, then the stars.
const char* const kHazeLayer = "data/img/mainmenu/dunnnnnnnnix.png";
const char* const kStarLayer = "data/img/mainmenu/stars.png";
const float kHazeParallax = 0.98f;
const float kStarParallax = 0.96f;
/// World units (pixels) per second that the camera drifts to the right.
const float kCameraSpeed = 250.0f;

CEGUI::Window* rootWindow()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

SfmlFramework* sfml()
{
    return GameFramework::Singleton.getSfmlFramework();
}

} // namespace

const char* const MainMenuState::LangIniPath = "lang.ini";
const char* const MainMenuState::ContentHolderPath = "data/img/mainmenu/MainMenu_contentholder.png";
const char* const MainMenuState::MusicPath = "data/mus/Menu - Dovidi.ogg";

MainMenuState::MainMenuState() : contentHolderKey(fx::fileKey<sf::Texture>(ContentHolderPath))
{
    setBackgroundColor4ub(8, 12, 16, 255);
    actions['G'] = fx::InputAction(sf::Keyboard::F5, fx::InputAction::PressOnce);
}

MainMenuState::~MainMenuState()
{
    delete world;
}

void MainMenuState::onStateStart()
{
    VelkState::onStateStart();
    const std::string code = getIniLangCode();
    app::Language* language = GameFramework::Singleton.getLanguage();
    const bool accepted = language && !code.empty() && language->isTranslationExist(code);
    if (language)
        language->setActLangCode(accepted ? code : "en");
    changeGwenSkin(MainMenu);
    initGui();
    displaySizeConnection = CEGUI::System::getSingleton().subscribeEvent(
        CEGUI::System::EventDisplaySizeChanged, CEGUI::Event::Subscriber(&MainMenuState::onDisplaySizeChanged, this));
    if (accepted) {
        openMainMenu();
        // A game that could not be loaded says why once the menu is back.
        const std::string notice = PlayState::takeNotice();
        if (!notice.empty())
            showNotice(notice);
    } else {
        // The selector over the main menu; no stepper is touched here.
        showWindow(langSelector);
    }
    initBgWorld();

    // Without a window there is no GL context to hold the texture.
    if (sfml() && sfml()->getWindow()) {
        contentHolder = textureCache.acquire(contentHolderKey);
        if (contentHolder)
            contentHolder->setSmooth(true);
    }
    if (openMusic(MusicPath)) {
        music().setLoop(true);
        music().play();
    } else {
        tools::log("MainMenu", std::string("Menu music \"") + MusicPath + "\" cannot be opened; the menu stays silent");
    }
}

void MainMenuState::onStateEnd()
{
    displaySizeConnection.disconnect();
    CEGUI::ImageManager::getSingleton().destroyImageCollection(kImageCollection, true);
    contentHolder.reset();
    textureCache.release(contentHolderKey);
    delete world;
    world = nullptr;
    forgetWindows();
    rebuildPending = false;
    VelkState::onStateEnd();
}

void MainMenuState::showWindow(CEGUI::Window* window)
{
    if (!window)
        return;
    window->setVisible(true);
    window->setModalState(true);
}

void MainMenuState::hideWindow(CEGUI::Window* window)
{
    if (!window)
        return;
    window->setModalState(false);
    window->setVisible(false);
}

void MainMenuState::forgetWindows()
{
    // The windows go with the base's end or the script's next run; nothing may
    // point at them afterwards, not even a stepper.
    langMenuStepper.clear();
    mainMenuStepper.clear();
    highscoresStepper.clear();
    settingsStepper.clear();
    creditsStepper.clear();
    newGameStepper.clear();
    noticeStepper.clear();
    langSelector = langDoneButton = mainMenu = creditsWindow = highscoresWindow = nullptr;
    lastRadioButton = nullptr;
    settingsWindow = fovMessage = colorblindPreview = nullptr;
    settingsTabs = nullptr;
    resolutionList = fpsList = antialiasingList = colorblindList = languageList = highscoresFilter = nullptr;
    fullscreenBox = vsyncBox = nullptr;
    fovSlider = mainVolumeSlider = musicVolumeSlider = soundVolumeSlider = nullptr;
    highscoresList = nullptr;
    newGameWindow = noticeWindow = nullptr;
    shipList = mapList = nullptr;
    tooltips.clear();
    statusbar.setStatusbar(nullptr);
}

void MainMenuState::initGui()
{
    // The script destroys the windows of the last build first; when it stops
    // half-way, the menu must hold none of them.
    forgetWindows();
    loadMenuArt();
    try {
        CEGUI::System::getSingleton().executeScriptFile(kScript, "");
        translateCeguiWindow(rootWindow(), true);
        connectToLangMenu();
        connectToMainMenu();
        connectToCredits();
        connectToNewWindow();
        connectToNotice();
        connectToSettings();
        connectToHighscores();
    } catch (const CEGUI::Exception&) {
        // A broken script or a window it lacks: the menu shows what it has,
        // and the window can still be closed.
        tools::log("MainMenu", std::string("The menu cannot be built from \"") + kScript +
                                   "\": " + exceptionText(std::current_exception()));
    }
}

void MainMenuState::loadMenuArt()
{
    // Loaded once per start: a reload finds it defined.
    CEGUI::ImageManager& images = CEGUI::ImageManager::getSingleton();
    const CEGUI::String prefix = CEGUI::String(kImageCollection) + "/";
    for (auto it = images.getIterator(); !it.isAtEnd(); ++it) {
        if (it.getCurrentKey().compare(0, prefix.length(), prefix) == 0)
            return;
    }
    try {
        images.loadImageset(kImagesetFile);
    } catch (const CEGUI::Exception& error) {
        tools::log("MainMenu", std::string("Image collection \"") + kImageCollection +
                                   "\" not loaded; the menu shows without its art: " + error.getMessage().c_str());
    }
}

void MainMenuState::initBgWorld()
{
    delete world;
    world = new GameWorld(b2Vec2(0.0f, 0.0f));
    if (!sfml() || !sfml()->getWindow())
        return;
    GameObject* object = world->add(new GameObject());
    auto* background = new DunnixComponent();
    object->add(background);
    background->addLayer(kHazeLayer, kHazeParallax);
    background->addLayer(kStarLayer, kStarParallax);
}

void MainMenuState::update()
{
    VelkState::update();
    const float dt = sfml() ? sfml()->getFrameTime() : 0.0f;
    if (world) {
        world->update(dt);
        if (sfml() && sfml()->getWindow())
            world->getCamera().setSize(sfml()->getRenderTarget().getView().getSize());
        world->getCamera().move(kCameraSpeed * dt, 0.0f);
    }
    if (actions.isActive('G'))
        initGui();
    runPendingRebuild();
    if (fullscreenBox && sfml())
        fullscreenBox->setSelected(sfml()->isFullscreen());
    if (pendingAudio != 0)
        applyPendingAudio();
    updateSteppers(dt);
}

void MainMenuState::updateSteppers(float dt)
{
    CEGUI::Window* modal = CEGUI::System::getSingleton().getDefaultGUIContext().getModalWindow();
    const std::pair<GuiStepper*, CEGUI::Window*> steppers[] = {
        {&langMenuStepper, langSelector},   {&mainMenuStepper, mainMenu},     {&highscoresStepper, highscoresWindow},
        {&settingsStepper, settingsWindow}, {&creditsStepper, creditsWindow}, {&newGameStepper, newGameWindow},
        {&noticeStepper, noticeWindow},
    };
    for (const auto& [stepper, window] : steppers)
        stepper->setActive(window && window == modal);
    for (const auto& entry : steppers)
        entry.first->update(dt);
}

void MainMenuState::runPendingRebuild()
{
    if (!rebuildPending)
        return;
    rebuildPending = false;
    initGui();
    if (afterRebuild == AfterRebuild::MainMenu) {
        openMainMenu();
    } else if (afterRebuild == AfterRebuild::SettingsOthers) {
        showWindow(settingsWindow);
        if (settingsTabs)
            settingsTabs->setSelectedTab("Others");
    }
    afterRebuild = AfterRebuild::None;
}

void MainMenuState::renderCore()
{
    if (!sfml() || !sfml()->getWindow())
        return;
    sf::RenderTarget& target = sfml()->getRenderTarget();
    sf::RenderStates states(sfml()->getColorblindShader());
    if (world)
        target.draw(*world, states);
    if (!contentHolder)
        return;
    target.pushGLStates();
    target.resetGLStates();
    sf::RectangleShape holder(sf::Vector2f(contentHolder->getSize()));
    holder.setTexture(contentHolder.get(), true);
    holder.setOrigin(holder.getSize() / 2.0f);
    holder.setPosition(sf::Vector2f(target.getSize()) / 2.0f);
    target.draw(holder, states);
    target.popGLStates();
}

// --- Main menu ------------------------------------------------------------------

void MainMenuState::connectToMainMenu()
{
    mainMenuStepper.clear();
    mainMenu = rootWindow()->getChild("ContentHolder");
    CEGUI::Window* content = mainMenu->getChild("Content");
    const std::pair<const char*, bool (MainMenuState::*)(const CEGUI::EventArgs&)> buttons[] = {
        {"NewGameButton", &MainMenuState::onMainMenuNew},
        {"LoadButton", &MainMenuState::onMainMenuLoad},
        {"HighscoresButton", &MainMenuState::onMainMenuHighscores},
        {"EditorButton", &MainMenuState::onMainMenuEditor},
        {"MapperButton", &MainMenuState::onMainMenuMapper},
        {"OptionsButton", &MainMenuState::onMainMenuOptions},
        {"CreditsButton", &MainMenuState::onMainMenuCredits},
        {"ExitButton", &MainMenuState::onMainMenuExit},
    };
    for (const auto& [name, handler] : buttons)
        content->getChild(name)->subscribeEvent(CEGUI::PushButton::EventClicked,
                                                CEGUI::Event::Subscriber(handler, this));

    // A closed vertical ring; the Load button stays off it.
    const char* const ring[] = {"HighscoresButton", "EditorButton",  "MapperButton",
                                "OptionsButton",    "CreditsButton", "ExitButton"};
    CEGUI::Window* first = content->getChild("NewGameButton");
    GuiStepper::Node* node = mainMenuStepper.getRoot()->connectTo(first, GuiStepper::Node::All);
    for (const char* name : ring)
        node = node->connectTo(content->getChild(name), GuiStepper::Node::Down);
    node->connectTo(first, GuiStepper::Node::Down);
    hideWindow(mainMenu);
}

void MainMenuState::openMainMenu()
{
    showWindow(mainMenu);
    if (highscoresStepper.isDoneAny() || creditsStepper.isDoneAny() || settingsStepper.isDoneAny() ||
        newGameStepper.isDoneAny() || noticeStepper.isDoneAny())
        mainMenuStepper.moveCursorToActive();
}

void MainMenuState::closeMainMenu()
{
    hideWindow(mainMenu);
}

bool MainMenuState::onMainMenuLoad(const CEGUI::EventArgs&)
{
    return true;
}

namespace {

/// Pushes a screen over the menu; it takes effect at the end of the frame, and
/// the screen leaves by stopping itself, which brings the menu back.
void startScreen(const std::shared_ptr<SfmlState>& screen)
{
    if (SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework())
        sfml->setupState(screen.get());
    app::State::start(screen);
}

} // namespace

void MainMenuState::startEditor()
{
    startScreen(std::make_shared<velk::EditorState>());
}

void MainMenuState::startMapper()
{
    startScreen(std::make_shared<dunnix::MapperState>());
}

bool MainMenuState::onMainMenuEditor(const CEGUI::EventArgs&)
{
    startEditor();
    return true;
}

bool MainMenuState::onMainMenuMapper(const CEGUI::EventArgs&)
{
    startMapper();
    return true;
}

bool MainMenuState::onMainMenuCredits(const CEGUI::EventArgs&)
{
    openCredits();
    return true;
}

bool MainMenuState::onMainMenuExit(const CEGUI::EventArgs&)
{
    app::State::terminate();
    return true;
}

// --- Credits --------------------------------------------------------------------

void MainMenuState::connectToCredits()
{
    creditsStepper.clear();
    creditsWindow = rootWindow()->getChild("Credits");
    CEGUI::Window* close = creditsWindow->getChild("CloseButton");
    close->subscribeEvent(CEGUI::PushButton::EventClicked,
                          CEGUI::Event::Subscriber(&MainMenuState::onCreditsClose, this));
    creditsStepper.getRoot()->connectTo(close, GuiStepper::Node::All)->setIsBack(true);
    hideWindow(creditsWindow);
    openMainMenu();
}

void MainMenuState::openCredits()
{
    showWindow(creditsWindow);
    if (mainMenuStepper.isDoneAny())
        creditsStepper.stepToDefault();
}

void MainMenuState::closeCredits()
{
    hideWindow(creditsWindow);
    openMainMenu();
}

bool MainMenuState::onCreditsClose(const CEGUI::EventArgs&)
{
    closeCredits();
    return true;
}

} // namespace velk
