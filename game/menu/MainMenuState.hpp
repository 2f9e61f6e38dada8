#pragma once

#include "engine/GameActionMapper.hpp"
#include "engine/GuiStepper.hpp"
#include "framework/cegui/CeguiStatusbarHandler.hpp"
#include "framework/fx/AssetCache.hpp"
#include "game/shell/VelkState.hpp"

#include <CEGUI/Event.h>

#include <SFML/Graphics/Texture.hpp>

#include <map>
#include <string>

class GameWorld;

namespace CEGUI {
class Combobox;
class EventArgs;
class Listbox;
class MultiColumnList;
class RadioButton;
class Slider;
class TabControl;
class ToggleButton;
class Window;
} // namespace CEGUI

namespace velk {

/// The first screen: main menu, language selector, credits, new game, high
/// scores and settings over a scrolling star field, with the menu music. Each window has
/// a stepper of its own for keyboard and joystick navigation; at most one
/// window is modal, and only its stepper is active.
class MainMenuState : public VelkState {
public:
    /// Where the language choice is remembered, in the working directory.
    static const char* const LangIniPath;
    static const char* const ContentHolderPath;
    static const char* const MusicPath;

    MainMenuState();
    ~MainMenuState() override;

    void onStateStart() override;
    void onStateEnd() override;
    void update() override;
    void renderCore() override;

    /// Runs the menu script and connects every window; also the F5 reload.
    void initGui();
    void initBgWorld();
    GameWorld* getWorld() const { return world; }

    // --- Main menu and credits ------------------------------------------------
    void openMainMenu();
    void closeMainMenu();
    void openCredits();
    void closeCredits();

    // --- New game ----------------------------------------------------------------
    void connectToNewWindow();
    /// Refills the ship and map lists from their folders.
    void updateNewLists();
    void openNewWindow();
    void closeNewWindow();
    /// Starts a game when a ship and a map are selected; else nothing.
    void doneNewWindow();
    /// Pushes the play screen on the two file names (no folder).
    void startGame(const std::string& ship, const std::string& map);
    CEGUI::Window* getNewGameWindow() const { return newGameWindow; }
    CEGUI::Listbox* getShipList() const { return shipList; }
    CEGUI::Listbox* getMapList() const { return mapList; }

    // --- Notice (why a game could not start) ---------------------------------------
    void showNotice(const std::string& text);
    bool isNoticeShown() const;

    // --- High scores ------------------------------------------------------------
    /// The map the filter's selected entry names; empty for all maps.
    std::string getFilterMap() const;
    void updateHighscores();
    void openHighscores();
    void closeHighscores();
    void clearHighscores();

    // --- Settings ---------------------------------------------------------------
    void openSettings();
    void closeSettings();
    void addTooltip(CEGUI::Window* window, const std::string& code);
    void setTooltip(const std::string& text);

    // --- Language -----------------------------------------------------------------
    void openLang();
    void closeLang();
    /// Applies the selected radio button's language; the GUI is rebuilt in the
    /// next update, outside the handler that asked for it.
    void doneLang();
    /// The first word of "lang.ini", or "" when there is none.
    static std::string getIniLangCode();
    /// Writes the bare code to "lang.ini"; false (and a log line) when it cannot.
    static bool setIniLangCode(const std::string& code);

    /// Steppers, in the order update activates them; exposed for navigation checks.
    /// Push the ship editor or the map editor over the menu.
    void startEditor();
    void startMapper();

    GuiStepper& langStepper() { return langMenuStepper; }
    GuiStepper& mainStepper() { return mainMenuStepper; }
    GuiStepper& highscoreStepper() { return highscoresStepper; }
    GuiStepper& settingStepper() { return settingsStepper; }
    GuiStepper& creditStepper() { return creditsStepper; }
    GuiStepper& newStepper() { return newGameStepper; }
    GuiStepper& noticeDialogStepper() { return noticeStepper; }

private:
    /// What the deferred rebuild shows once it has run.
    enum class AfterRebuild { None, MainMenu, SettingsOthers };

    /// Opening makes a window visible, then modal; closing undoes it in the
    /// other order. A window that was never built is left alone.
    static void showWindow(CEGUI::Window* window);
    static void hideWindow(CEGUI::Window* window);
    void forgetWindows();
    /// Loads the "MainMenu" images unless they are already there.
    void loadMenuArt();
    void connectToMainMenu();
    void connectToCredits();
    void connectToNotice();
    void connectToLangMenu();
    void connectToSettings();
    void connectToHighscores();
    void connectGraphicsPage();
    void connectAudioPage();
    void connectOthersPage();
    /// The window was made again (a new resolution, full screen swapped): the
    /// drop-down lists are sized to the screen they open on now.
    bool onDisplaySizeChanged(const CEGUI::EventArgs&);
    void runPendingRebuild();
    void applyPendingAudio();
    void updateSteppers(float dt);

    bool onMainMenuNew(const CEGUI::EventArgs&);
    bool onMainMenuLoad(const CEGUI::EventArgs&);
    bool onMainMenuHighscores(const CEGUI::EventArgs&);
    bool onMainMenuEditor(const CEGUI::EventArgs&);
    bool onMainMenuMapper(const CEGUI::EventArgs&);
    bool onMainMenuOptions(const CEGUI::EventArgs&);
    bool onMainMenuCredits(const CEGUI::EventArgs&);
    bool onMainMenuExit(const CEGUI::EventArgs&);
    bool onCreditsClose(const CEGUI::EventArgs&);
    bool onNewCancelButton(const CEGUI::EventArgs&);
    bool onNewStartButton(const CEGUI::EventArgs&);
    bool onNoticeOk(const CEGUI::EventArgs&);

    bool onHighscoresBack(const CEGUI::EventArgs&);
    bool onHighscoresClear(const CEGUI::EventArgs&);
    bool onHighscoresMapFilter(const CEGUI::EventArgs&);

    bool onSettingsBackButton(const CEGUI::EventArgs&);
    bool onResolutionChanged(const CEGUI::EventArgs&);
    bool onFullscreenChanged(const CEGUI::EventArgs&);
    bool onFpsChanged(const CEGUI::EventArgs&);
    bool onAntialiasingChanged(const CEGUI::EventArgs&);
    bool onVsyncChanged(const CEGUI::EventArgs&);
    bool onFovChanged(const CEGUI::EventArgs&);
    bool onColorblindChanged(const CEGUI::EventArgs&);
    bool onMainVolumeChanged(const CEGUI::EventArgs&);
    bool onMusicVolumeChanged(const CEGUI::EventArgs&);
    bool onSoundVolumeChanged(const CEGUI::EventArgs&);
    bool onWindowMouseEnterTooltipable(const CEGUI::EventArgs&);
    bool onWindowMouseLeaveTooltipable(const CEGUI::EventArgs&);

    bool onLangDone(const CEGUI::EventArgs&);
    bool onLangExit(const CEGUI::EventArgs&);
    bool onLanguageChanged(const CEGUI::EventArgs&);

    fx::AssetCache<sf::Texture> textureCache;
    fx::AssetKey<sf::Texture> contentHolderKey;
    std::shared_ptr<sf::Texture> contentHolder;
    GameWorld* world = nullptr;

    CEGUI::Window* langSelector = nullptr;
    CEGUI::RadioButton* lastRadioButton = nullptr;
    CEGUI::Window* langDoneButton = nullptr;
    GuiStepper langMenuStepper;

    CEGUI::Window* mainMenu = nullptr;
    GuiStepper mainMenuStepper;
    GameActionMapper<char> actions;

    unsigned pendingAudio = 0;
    CEGUI::Window* settingsWindow = nullptr;
    CEGUI::TabControl* settingsTabs = nullptr;
    CEGUI::Combobox* resolutionList = nullptr;
    CEGUI::ToggleButton* fullscreenBox = nullptr;
    CEGUI::Combobox* fpsList = nullptr;
    CEGUI::Combobox* antialiasingList = nullptr;
    CEGUI::ToggleButton* vsyncBox = nullptr;
    CEGUI::Slider* fovSlider = nullptr;
    CEGUI::Window* fovMessage = nullptr;
    CEGUI::Combobox* colorblindList = nullptr;
    CEGUI::Window* colorblindPreview = nullptr;
    CEGUI::Slider* mainVolumeSlider = nullptr;
    CEGUI::Slider* musicVolumeSlider = nullptr;
    CEGUI::Slider* soundVolumeSlider = nullptr;
    CEGUI::Combobox* languageList = nullptr;
    GuiStepper settingsStepper;
    std::map<CEGUI::Window*, std::string> tooltips;
    CeguiStatusbarHandler statusbar;

    CEGUI::Window* creditsWindow = nullptr;
    GuiStepper creditsStepper;

    CEGUI::Window* newGameWindow = nullptr;
    CEGUI::Listbox* shipList = nullptr;
    CEGUI::Listbox* mapList = nullptr;
    GuiStepper newGameStepper;

    CEGUI::Window* noticeWindow = nullptr;
    GuiStepper noticeStepper;

    CEGUI::Window* highscoresWindow = nullptr;
    CEGUI::MultiColumnList* highscoresList = nullptr;
    CEGUI::Combobox* highscoresFilter = nullptr;
    GuiStepper highscoresStepper;

    CEGUI::Event::ScopedConnection displaySizeConnection;

    bool rebuildPending = false;
    AfterRebuild afterRebuild = AfterRebuild::None;
};

} // namespace velk
