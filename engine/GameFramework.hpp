#pragma once

#include "foundation/tools/NonCopyable.hpp"
#include "framework/sfml/SfmlEventListener.hpp"

#include <CEGUI/InputEvent.h>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace app {
class GeneralSubSettings;
class Language;
class Settings;
class State;
} // namespace app
class AudioSubSettings;
class CeguiFramework;
class CeguiFrameworkInitHelper;
class GameFrameworkInitHelper;
class GameState;
class GraphicsSubSettings;
class SfmlFramework;
class SfmlFrameworkInitHelper;

/// The engine of the whole run, reached through GameFramework::Singleton. init
/// starts, in order, the database, the settings and their general, graphics
/// and audio groups, the language, the window layer and the GUI layer; run
/// drives the state loop; shutdown stops them in reverse. As a window-event
/// listener it hands keys, text and the mouse to the GUI.
///
/// The language is handed to the GUI layer's translation whenever the engine
/// makes a new one, and taken back before it is deleted.
class GameFramework : public tools::NonCopyable, public SfmlEventListener {
public:
    static GameFramework Singleton;

    using KeyMap = std::map<sf::Keyboard::Key, CEGUI::Key::Scan>;
    using MouseMap = std::map<sf::Mouse::Button, CEGUI::MouseButton>;

    GameFramework() = default;
    /// Calls shutdown(), so the layers stop at program exit.
    ~GameFramework() override;

    /// Starts everything; nothing when already initialised. An exception from
    /// the helper or a layer stops start-up: it is logged as
    /// "[GameFramework] init failed: <reason>", what was started is stopped
    /// again and the exception reaches the caller.
    void init(std::pair<int, char**> args, GameFrameworkInitHelper* helper);
    /// init, with any exception caught (init logs it); true when initialised.
    bool tryInit(std::pair<int, char**> args, GameFrameworkInitHelper* helper);
    /// 1 when not initialised; otherwise runs the state loop from the state.
    int run(std::shared_ptr<app::State> first);
    /// Stops everything; nothing when not initialised. Arguments and input
    /// maps stay.
    void shutdown();
    bool isInitialised() const { return initialised; }

    sqlite3* getDatabase() const { return database; }
    app::Settings* getSettings() const { return settings; }
    app::GeneralSubSettings* getGeneralSettings() const { return general; }
    GraphicsSubSettings* getGraphicsSettings() const { return graphics; }
    AudioSubSettings* getAudioSettings() const { return audio; }
    app::Language* getLanguage() const { return language; }
    SfmlFramework* getSfmlFramework() const { return sfml; }
    CeguiFramework* getCeguiFramework() const { return cegui; }

    /// True only when initialised and the object exists.
    bool isSettingsValid() const { return initialised && settings; }
    bool isGeneralSettingsValid() const { return initialised && general; }
    bool isGraphicsSettingsValid() const { return initialised && graphics; }
    bool isAudioSettingsValid() const { return initialised && audio; }
    bool isLanguageValid() const { return initialised && language; }
    bool isSfmlFrameworkValid() const { return initialised && sfml; }
    bool isCeguiFrameworkValid() const { return initialised && cegui; }

    /// Words "key=value" (split at the first '=') or a bare "key"; a later
    /// word replaces an earlier one with the same key. The program path goes
    /// under "filepath", which no argument can change.
    void parseArgs(std::pair<int, char**> args);
    bool isArg(const std::string& key) const { return args.count(key) != 0; }
    /// The value, or an empty text for an absent key (nothing is added).
    std::string getArg(const std::string& key) const;
    const std::map<std::string, std::string>& getArgs() const { return args; }

    /// Before a screen draws: the GUI's time pulse of one frame time.
    void preRender(const GameState* state);
    /// After a screen drew: the GUI, under the colour-blind filter when set.
    void postRender(const GameState* state);

    /// Hands input to the GUI's default context; Alt+F4 closes the window
    /// (when closing is enabled), Alt+Return swaps full screen.
    void handleSfEvent(const sf::Event& event) override;

    /// Fills the key and mouse-button translations for the GUI.
    void initInputMaps();
    void initInputHandling() { initInputMaps(); }
    const KeyMap& getKeyMap() const { return keyMap; }
    const MouseMap& getMouseMap() const { return mouseMap; }

    // The steps of init, each usable on its own.
    void initDatabase(GameFrameworkInitHelper* helper);
    void initSettings();
    void initGeneralSettings();
    void initGraphicsSettings();
    void initAudioSettings();
    /// A new language on the database in the general settings' language; an
    /// earlier one is taken back from the GUI and deleted first.
    void initLanguage();
    void initSfmlFramework(SfmlFrameworkInitHelper* helper);
    void initCeguiFramework(CeguiFrameworkInitHelper* helper);
    void shutdownDatabase();
    void shutdownSettings();
    void shutdownLanguage();
    void shutdownSfmlFramework();
    void shutdownCeguiFramework();

private:
    void startAll(GameFrameworkInitHelper* helper);
    void stopAll();

    bool initialised = false;
    std::map<std::string, std::string> args;
    sqlite3* database = nullptr;
    app::Settings* settings = nullptr;
    app::GeneralSubSettings* general = nullptr;
    GraphicsSubSettings* graphics = nullptr;
    AudioSubSettings* audio = nullptr;
    app::Language* language = nullptr;
    SfmlFramework* sfml = nullptr;
    CeguiFramework* cegui = nullptr;
    KeyMap keyMap;
    MouseMap mouseMap;
};
