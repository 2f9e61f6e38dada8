// The settings window of the main menu: graphics, audio and language pages.
// Every change is applied and stored at once; volumes are gathered per frame.

#include "game/menu/MainMenuState.hpp"

#include "app/AudioSubSettings.hpp"
#include "app/GraphicsSubSettings.hpp"
#include "app/Language.hpp"
#include "app/Resolution.hpp"
#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "foundation/tools/StringUtils.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/shell/ListItem.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Window/VideoMode.hpp>

namespace velk {

namespace {

enum AudioChange : unsigned { MainVolume = 1, MusicVolume = 2, SoundVolume = 4 };

std::string translate(const std::string& code)
{
    const app::Language* language = GameFramework::Singleton.getLanguage();
    return language ? language->textForCode(code) : "<!" + code + "!>";
}

SfmlFramework* sfml()
{
    return GameFramework::Singleton.getSfmlFramework();
}

/// Marks the item selected and shows its text in the box.
void select(CEGUI::Combobox* list, CEGUI::ListboxItem* item)
{
    list->setItemSelectState(item, true);
    list->setText(item->getText());
}

using Handler = bool (MainMenuState::*)(const CEGUI::EventArgs&);

} // namespace

void MainMenuState::connectToSettings()
{
    settingsStepper.clear();
    tooltips.clear();
    settingsWindow = CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow()->getChild("Settings");
    settingsTabs = static_cast<CEGUI::TabControl*>(settingsWindow->getChild("Tabs"));

    CEGUI::Window* back = settingsWindow->getChild("Buttons/BackButton");
    back->subscribeEvent(CEGUI::PushButton::EventClicked,
                         CEGUI::Event::Subscriber(&MainMenuState::onSettingsBackButton, this));
    settingsStepper.getRoot()->connectTo(back, GuiStepper::Node::All)->setIsBack(true);

    connectGraphicsPage();
    connectAudioPage();
    connectOthersPage();
    statusbar.setStatusbar(settingsWindow->getChild("Status"));
    closeSettings();
}

void MainMenuState::connectGraphicsPage()
{
    CEGUI::Window* page = settingsTabs->getChild("Graphics/__auto_container__");
    const auto subscribe = [this](CEGUI::Window* window, const CEGUI::String& event, Handler handler) {
        window->subscribeEvent(event, CEGUI::Event::Subscriber(handler, this));
    };
    const auto tooltip = [this, page](const char* label, CEGUI::Window* control, const std::string& code) {
        addTooltip(page->getChild(CEGUI::String("Labels/") + label), code);
        addTooltip(control, code);
    };

    resolutionList = static_cast<CEGUI::Combobox*>(page->getChild("Settings/Resolution"));
    const std::pair<unsigned, unsigned> stored = GameFramework::Singleton.getGraphicsSettings()->getResolution();
    // Asking for the modes needs a display; without a window the list stays empty.
    const std::vector<sf::VideoMode> modes = sfml()->getWindow() ? sf::VideoMode::getFullscreenModes()
                                                                 : std::vector<sf::VideoMode>();
    for (const sf::VideoMode& mode : modes) {
        if (mode.bitsPerPixel != 32)
            continue;
        CEGUI::ListboxTextItem* item = makeListItem(tools::res2str(mode.width, mode.height));
        resolutionList->addItem(item);
        if (mode.width == stored.first && mode.height == stored.second)
            select(resolutionList, item);
    }
    // A windowed size need not be a fullscreen mode (nor is any mode known without a display): the box still shows
    // the size in effect rather than staying blank.
    if (!resolutionList->getSelectedItem() && stored.first > 0 && stored.second > 0) {
        CEGUI::ListboxTextItem* item = makeListItem(tools::res2str(stored.first, stored.second));
        resolutionList->addItem(item);
        select(resolutionList, item);
    }
    fitDropList(resolutionList);
    subscribe(resolutionList, CEGUI::Combobox::EventListSelectionAccepted, &MainMenuState::onResolutionChanged);
    tooltip("Resolution", resolutionList, "setting.graphics.resolution.tooltip");

    fullscreenBox = static_cast<CEGUI::ToggleButton*>(page->getChild("Settings/Fullscreen"));
    fullscreenBox->setSelected(sfml()->isFullscreen());
    subscribe(fullscreenBox, CEGUI::ToggleButton::EventSelectStateChanged, &MainMenuState::onFullscreenChanged);
    tooltip("Fullscreen", fullscreenBox, "setting.graphics.fullscreen.tooltip");

    fpsList = static_cast<CEGUI::Combobox*>(page->getChild("Settings/FPS"));
    for (const auto& [label, fps] : SfmlFramework::sFpsList) {
        const std::string text = !label.empty() && label[0] == '@' ? translate(label.substr(1)) : label;
        CEGUI::ListboxTextItem* item = makeListItem(text);
        item->setTooltipText(utf8ToCeguiString(tools::t2str(fps)));
        fpsList->addItem(item);
        if (fps == sfml()->getFPS())
            select(fpsList, item);
    }
    fitDropList(fpsList);
    subscribe(fpsList, CEGUI::Combobox::EventListSelectionAccepted, &MainMenuState::onFpsChanged);
    tooltip("FPS", fpsList, "setting.graphics.fps.tooltip");

    antialiasingList = static_cast<CEGUI::Combobox*>(page->getChild("Settings/AntiAliasing"));
    for (unsigned level = 0; level <= 32; level = level == 0 ? 1 : level * 2) {
        CEGUI::ListboxTextItem* item = makeListItem(tools::t2str(level) + "x", level);
        antialiasingList->addItem(item);
        if (level == sfml()->getAntiAliasing())
            select(antialiasingList, item);
    }
    fitDropList(antialiasingList);
    subscribe(antialiasingList, CEGUI::Combobox::EventListSelectionAccepted, &MainMenuState::onAntialiasingChanged);
    tooltip("AntiAliasing", antialiasingList, "setting.graphics.aa.tooltip");

    vsyncBox = static_cast<CEGUI::ToggleButton*>(page->getChild("Settings/Vsync"));
    vsyncBox->setSelected(sfml()->isVsyncEnabled());
    subscribe(vsyncBox, CEGUI::ToggleButton::EventSelectStateChanged, &MainMenuState::onVsyncChanged);
    tooltip("Vsync", vsyncBox, "setting.graphics.vsync.tooltip");

    fovSlider = static_cast<CEGUI::Slider*>(page->getChild("Settings/FOV"));
    subscribe(fovSlider, CEGUI::Slider::EventValueChanged, &MainMenuState::onFovChanged);
    fovMessage = fovSlider->getChild("Message");
    tooltip("FOV", fovSlider, "setting.graphics.fov.tooltip");

    colorblindList = static_cast<CEGUI::Combobox*>(page->getChild("Settings/Colorblind"));
    for (unsigned type = 0; type <= 3; ++type) {
        const auto kind = static_cast<SfmlFramework::ColorblindType>(type);
        CEGUI::ListboxTextItem* item = makeListItem(translate(SfmlFramework::getColorblindCode(kind)), type);
        colorblindList->addItem(item);
        if (kind == sfml()->getColorblindType())
            select(colorblindList, item);
    }
    fitDropList(colorblindList);
    subscribe(colorblindList, CEGUI::Combobox::EventListSelectionAccepted, &MainMenuState::onColorblindChanged);
    tooltip("Colorblind", colorblindList, "setting.graphics.colorblind.tooltip");
    colorblindPreview = page->getChild("Colorblind");
    colorblindPreview->setVisible(sfml()->getColorblindType() != SfmlFramework::ColorblindNone);
}

void MainMenuState::connectAudioPage()
{
    CEGUI::Window* page = settingsTabs->getChild("Audio/__auto_container__");
    const AudioSubSettings* audio = GameFramework::Singleton.getAudioSettings();
    const auto connect = [this, page](const char* path, float value, Handler handler) {
        auto* slider = static_cast<CEGUI::Slider*>(page->getChild(path));
        // The value first, so building the page marks no change.
        slider->setCurrentValue(value);
        slider->subscribeEvent(CEGUI::Slider::EventValueChanged, CEGUI::Event::Subscriber(handler, this));
        return slider;
    };
    mainVolumeSlider = connect("Settings/Main", audio->getMainVolumeFactor(), &MainMenuState::onMainVolumeChanged);
    musicVolumeSlider = connect("Settings/Music", audio->getMusicVolumeFactor(), &MainMenuState::onMusicVolumeChanged);
    soundVolumeSlider = connect("Settings/Sound", audio->getSoundVolumeFactor(), &MainMenuState::onSoundVolumeChanged);
}

void MainMenuState::connectOthersPage()
{
    CEGUI::Window* page = settingsTabs->getChild("Others/__auto_container__");
    languageList = static_cast<CEGUI::Combobox*>(page->getChild("Settings/Language"));
    const app::Language* language = GameFramework::Singleton.getLanguage();
    for (const auto& [code, name] : language->getLanguageList()) {
        CEGUI::ListboxTextItem* item = makeListItem(name);
        item->setTooltipText(utf8ToCeguiString(code));
        languageList->addItem(item);
        if (code == language->getActLangCode())
            select(languageList, item);
    }
    fitDropList(languageList);
    languageList->subscribeEvent(CEGUI::Combobox::EventListSelectionAccepted,
                                 CEGUI::Event::Subscriber(&MainMenuState::onLanguageChanged, this));
}

bool MainMenuState::onDisplaySizeChanged(const CEGUI::EventArgs&)
{
    for (CEGUI::Combobox* box :
         {resolutionList, fpsList, antialiasingList, colorblindList, languageList, highscoresFilter})
        fitDropList(box);
    return true;
}

void MainMenuState::openSettings()
{
    showWindow(settingsWindow);
    if (mainMenuStepper.isDoneAny())
        settingsStepper.stepToDefault();
}

void MainMenuState::closeSettings()
{
    hideWindow(settingsWindow);
    openMainMenu();
}

bool MainMenuState::onMainMenuOptions(const CEGUI::EventArgs&)
{
    openSettings();
    return true;
}

bool MainMenuState::onSettingsBackButton(const CEGUI::EventArgs&)
{
    closeSettings();
    return true;
}

// --- Graphics: stored in the settings group first, then applied -------------------

bool MainMenuState::onResolutionChanged(const CEGUI::EventArgs&)
{
    const CEGUI::ListboxItem* item = resolutionList->getSelectedItem();
    if (!item)
        return true;
    const std::pair<unsigned, unsigned> size = tools::str2res(ceguiStringToUtf8(item->getText()));
    GameFramework::Singleton.getGraphicsSettings()->setResolution(size);
    sfml()->setResolution(size);
    return true;
}

bool MainMenuState::onFullscreenChanged(const CEGUI::EventArgs&)
{
    const bool on = fullscreenBox->isSelected();
    GameFramework::Singleton.getGraphicsSettings()->setFullscreen(on);
    sfml()->setFullscreen(on);
    return true;
}

bool MainMenuState::onFpsChanged(const CEGUI::EventArgs&)
{
    tools::log("MainMenu", "Setting changed: fps");
    const CEGUI::ListboxItem* item = fpsList->getSelectedItem();
    if (!item)
        return true;
    const unsigned fps = tools::str2t<unsigned>(ceguiStringToUtf8(item->getTooltipText()));
    GameFramework::Singleton.getGraphicsSettings()->setFPS(static_cast<float>(fps));
    sfml()->setFPS(fps);
    return true;
}

bool MainMenuState::onAntialiasingChanged(const CEGUI::EventArgs&)
{
    const CEGUI::ListboxItem* item = antialiasingList->getSelectedItem();
    if (!item)
        return true;
    GameFramework::Singleton.getGraphicsSettings()->setFSAA(item->getID());
    sfml()->setAntiAliasing(item->getID());
    return true;
}

bool MainMenuState::onVsyncChanged(const CEGUI::EventArgs&)
{
    const bool on = vsyncBox->isSelected();
    GameFramework::Singleton.getGraphicsSettings()->setVsyncEnabled(on);
    sfml()->setVsyncEnabled(on);
    return true;
}

bool MainMenuState::onFovChanged(const CEGUI::EventArgs&)
{
    fovMessage->setText(utf8ToCeguiString(translate("setting.graphics.fovfun")));
    return true;
}

bool MainMenuState::onColorblindChanged(const CEGUI::EventArgs&)
{
    const CEGUI::ListboxItem* item = colorblindList->getSelectedItem();
    if (!item)
        return true;
    GameFramework::Singleton.getGraphicsSettings()->setColorblindType(item->getID());
    sfml()->setColorblindType(static_cast<SfmlFramework::ColorblindType>(item->getID()));
    colorblindPreview->setVisible(true);
    return true;
}

// --- Audio: marked by the sliders, stored and applied once per frame --------------

bool MainMenuState::onMainVolumeChanged(const CEGUI::EventArgs&)
{
    pendingAudio |= MainVolume;
    return true;
}

bool MainMenuState::onMusicVolumeChanged(const CEGUI::EventArgs&)
{
    pendingAudio |= MusicVolume;
    return true;
}

bool MainMenuState::onSoundVolumeChanged(const CEGUI::EventArgs&)
{
    pendingAudio |= SoundVolume;
    return true;
}

void MainMenuState::applyPendingAudio()
{
    AudioSubSettings* audio = GameFramework::Singleton.getAudioSettings();
    if ((pendingAudio & MainVolume) && mainVolumeSlider) {
        audio->setMainVolumeFactor(mainVolumeSlider->getCurrentValue());
        sfml()->setMainVolumeFactor(mainVolumeSlider->getCurrentValue());
    }
    if ((pendingAudio & MusicVolume) && musicVolumeSlider) {
        audio->setMusicVolumeFactor(musicVolumeSlider->getCurrentValue());
        sfml()->setMusicVolumeFactor(musicVolumeSlider->getCurrentValue());
        music().setVolume(audio->getMusicVolume());
    }
    if ((pendingAudio & SoundVolume) && soundVolumeSlider) {
        audio->setSoundVolumeFactor(soundVolumeSlider->getCurrentValue());
        sfml()->setSoundVolumeFactor(soundVolumeSlider->getCurrentValue());
    }
    pendingAudio = 0;
}

// --- Tooltips in the status bar ---------------------------------------------------

void MainMenuState::addTooltip(CEGUI::Window* window, const std::string& code)
{
    window->subscribeEvent(CEGUI::Window::EventMouseEntersArea,
                           CEGUI::Event::Subscriber(&MainMenuState::onWindowMouseEnterTooltipable, this));
    window->subscribeEvent(CEGUI::Window::EventMouseLeavesArea,
                           CEGUI::Event::Subscriber(&MainMenuState::onWindowMouseLeaveTooltipable, this));
    tooltips[window] = code;
}

void MainMenuState::setTooltip(const std::string& text)
{
    statusbar.setLeftText(utf8ToCeguiString(text));
}

bool MainMenuState::onWindowMouseEnterTooltipable(const CEGUI::EventArgs& args)
{
    const auto found = tooltips.find(static_cast<const CEGUI::WindowEventArgs&>(args).window);
    if (found != tooltips.end())
        setTooltip(translate(found->second));
    return true;
}

bool MainMenuState::onWindowMouseLeaveTooltipable(const CEGUI::EventArgs&)
{
    setTooltip("");
    return true;
}

} // namespace velk
