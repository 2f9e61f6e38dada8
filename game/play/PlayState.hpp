#pragma once

#include "engine/GameActionMapper.hpp"
#include "engine/GuiStepper.hpp"
#include "game/play/LoadingAnimation.hpp"
#include "game/play/model/PlayScreenMath.hpp"
#include "game/shell/VelkState.hpp"

#include <SFML/System/Thread.hpp>
#include <SFML/System/Vector2.hpp>

#include <atomic>
#include <memory>
#include <string>

namespace CEGUI {
class EventArgs;
class ProgressBar;
class Window;
} // namespace CEGUI

namespace sf {
class Shape;
}

namespace velk {

class GameLogic;

/// The screen a game is played on: one ship file flown on one map file.
///
/// When it becomes the top state it builds its GameLogic on a loading thread
/// while the main thread shows a looping loading animation and plays the
/// in-game music. On the first frame after loading it builds its GUI (HUD,
/// in-game menu, game-over and time-trial dialogs) and runs the game.
///
/// A game that cannot be built (bad map or ship file, missing part, unusable
/// outline) ends the screen: the reason is logged, and the screen below (the
/// main menu) finds it with takeNotice() and shows it.
class PlayState : public VelkState {
public:
    PlayState();
    ~PlayState() override;

    void onStateStart() override;
    void onStateEnd() override;
    void update() override;
    void renderCore() override;

    void setShipFile(const std::string& path) { shipFile = path; }
    void setMapFile(const std::string& path) { mapFile = path; }
    std::string getShipFile() const { return shipFile; }
    std::string getMapFile() const { return mapFile; }
    /// Null until the loading thread has built the game (and after a failed load).
    GameLogic* logic() const;
    bool isLoaded() const { return loaded; }
    bool isGuiReady() const { return guiReady; }
    /// Why loading failed, as the player reads it (a file the game cannot use
    /// in the player's language); empty while loading and after a success.
    std::string getLoadFailure() const;

    /// Where the screen's keys, its steppers and the game it builds read
    /// input (the live window by default); must outlive the screen.
    void setInputSource(const GameInputSource& source);

    /// A message left for the next screen (a failed load), taken once.
    static std::string takeNotice();

    bool isLoadingAnimationRunning() const { return loadingAnimation != nullptr; }
    void startLoadingAnimation();
    void endLoadingAnimation();
    void animateLoading(sf::Shape& shape, float progress);
    const LoadingAnimation* getLoadingAnimation() const { return loadingAnimation.get(); }

    /// Body of the loading thread.
    void loadingFunction();
    /// Waits until the loading thread has finished (nothing when it never ran).
    void waitForLoading();

    void initMusic();
    void updateMusic();
    const Playlist& getPlaylist() const { return playlist; }

    /// Replaces this screen with a new one on the same files.
    void resetMap();

    // --- GUI ------------------------------------------------------------------
    /// Runs "init_play.lua" and connects the windows; false (the reason kept
    /// as the load failure) when a window the screen needs is missing.
    bool initGui();
    /// Stores the finished game in "scores"; false when it was not stored.
    bool insertToHighscores();
    void connectToMenu();
    void connectToOutputs();
    void connectToGameOver();
    void connectToTimeTrial();
    void openMenu();
    void closeMenu();
    bool isMenuOpened() const;
    void openGameOver();
    void closeGameOver();
    bool isGameOverOpened() const;
    void openTimeTrial();
    void closeTimeTrial();
    bool isTimeTrialOpened() const;
    int getShownScore() const { return shownScore; }

    bool onMenuResume(const CEGUI::EventArgs&);
    bool onMenuRestart(const CEGUI::EventArgs&);
    bool onMenuSave(const CEGUI::EventArgs&);
    bool onMenuBack(const CEGUI::EventArgs&);
    bool onMenuExit(const CEGUI::EventArgs&);
    bool onGameOverOk(const CEGUI::EventArgs&);
    bool onGameOverCancel(const CEGUI::EventArgs&);
    bool onTimeTrialStart(const CEGUI::EventArgs&);
    bool onTimeTrialBack(const CEGUI::EventArgs&);

    /// Steppers, exposed for navigation checks and for tests' input sources.
    GuiStepper& getMenuStepper() { return menuStepper; }
    GuiStepper& getGameOverStepper() { return gameOverStepper; }
    GuiStepper& getTimeTrialStepper() { return timeTrialStepper; }
    GameActionMapper<char>& getActions() { return actions; }

private:
    void updateGame(float dt);
    void updateHud(float dt);
    void updateSteppers(float dt);
    void leaveAfterFailedLoad();

    bool guiReady = false;
    std::string shipFile;
    std::string mapFile;
    sf::Thread loadingThread;
    // Read by the loading thread; set before it starts.
    sf::Vector2f firstViewSize;
    bool loadingLaunched = false;
    std::atomic<bool> loaded{false};
    std::unique_ptr<LoadingAnimation> loadingAnimation;
    std::unique_ptr<GameLogic> gameLogic;
    // Written by the loading thread before it publishes `loaded`: the cause as
    // the log gives it and, for a file the game cannot use, the cause's
    // translation code and the file.
    std::string loadFailure;
    std::string loadFailureCode;
    std::string loadFailureFile;
    bool failureHandled = false;
    GameActionMapper<char> actions;
    CEGUI::Window* menuWindow = nullptr;
    CEGUI::Window* resumeButton = nullptr;
    GuiStepper menuStepper;
    Playlist playlist;
    int shownScore = 0;
    CEGUI::Window* scoreText = nullptr;
    CEGUI::Window* timeText = nullptr;
    CEGUI::Window* landableWindow = nullptr;
    CEGUI::ProgressBar* healthBar = nullptr;
    CEGUI::ProgressBar* fuelBar = nullptr;
    CEGUI::Window* gameOverWindow = nullptr;
    CEGUI::Window* nameBox = nullptr;
    CEGUI::Window* gameOverInfo = nullptr;
    GuiStepper gameOverStepper;
    CEGUI::Window* timeTrialWindow = nullptr;
    GuiStepper timeTrialStepper;
    const GameInputSource* input = &GameInputSource::live();
};

} // namespace velk
