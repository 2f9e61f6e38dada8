#include "engine/GameFramework.hpp"

#include "app/AudioSubSettings.hpp"
#include "app/GeneralSubSettings.hpp"
#include "app/GraphicsSubSettings.hpp"
#include "app/Language.hpp"
#include "app/Main.hpp"
#include "app/Settings.hpp"
#include "engine/GameFrameworkInitHelper.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiRender.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTranslation.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <CEGUI/GUIContext.h>
#include <CEGUI/System.h>
#include <SFML/Audio/Listener.hpp>

#include <exception>

GameFramework GameFramework::Singleton;

namespace {
const char* const Tag = "GameFramework";
} // namespace

GameFramework::~GameFramework()
{
    shutdown();
}

void GameFramework::init(std::pair<int, char**> arguments, GameFrameworkInitHelper* helper)
{
    if (initialised)
        return;
    parseArgs(arguments);
    tools::log(Tag, "init started");
    if (!helper) {
        tools::log(Tag, "init failed: no init helper");
        return;
    }
    try {
        startAll(helper);
    } catch (...) {
        tools::log(Tag, "init failed: " + exceptionText(std::current_exception()));
        // Nothing half-started stays behind: the GUI must not keep a language
        // that is about to go, and a later init starts from scratch.
        stopAll();
        throw;
    }
    initialised = true;
    tools::log(Tag, "init ended");
}

bool GameFramework::tryInit(std::pair<int, char**> arguments, GameFrameworkInitHelper* helper)
{
    try {
        init(arguments, helper);
    } catch (...) {
        // init has logged why.
    }
    return initialised;
}

void GameFramework::startAll(GameFrameworkInitHelper* helper)
{
    helper->preInit();
    initDatabase(helper);
    initSettings();
    initGeneralSettings();
    initGraphicsSettings();
    initAudioSettings();
    initLanguage();
    initSfmlFramework(helper->getSfmlInitHelper());
    initCeguiFramework(helper->getCeguiInitHelper());
    initInputMaps();
    sfml->setColorblindType(static_cast<SfmlFramework::ColorblindType>(graphics->getColorblindType()));
    // The clamped volume: a stored value beyond 100 (or a broken one) must not
    // reach the audio listener.
    sf::Listener::setGlobalVolume(sfml->getMainVolume());
    helper->postInit();
}

int GameFramework::run(std::shared_ptr<app::State> first)
{
    if (!initialised)
        return 1;
    return app::Main::Singleton.run(std::move(first));
}

void GameFramework::shutdown()
{
    if (!initialised)
        return;
    tools::log(Tag, "shutdown started");
    stopAll();
    initialised = false;
    tools::log(Tag, "shutdown ended");
}

void GameFramework::stopAll()
{
    shutdownCeguiFramework();
    shutdownSfmlFramework();
    shutdownLanguage();
    shutdownSettings();
    shutdownDatabase();
}

std::string GameFramework::getArg(const std::string& key) const
{
    const auto it = args.find(key);
    return it == args.end() ? std::string() : it->second;
}

void GameFramework::parseArgs(std::pair<int, char**> arguments)
{
    for (int i = 0; i < arguments.first; ++i) {
        const char* word = arguments.second ? arguments.second[i] : nullptr;
        const std::string text = word ? word : "";
        if (i == 0) {
            args["filepath"] = text;
            continue;
        }
        const std::size_t equal = text.find('=');
        const std::string key = text.substr(0, equal);
        if (key == "filepath")
            continue;
        args[key] = equal == std::string::npos ? std::string() : text.substr(equal + 1);
    }
}

void GameFramework::preRender(const GameState*)
{
    CEGUI::System* system = CEGUI::System::getSingletonPtr();
    if (!sfml || !system)
        return;
    const float step = sfml->getFrameTime();
    system->injectTimePulse(step);
    // The context's own pulse drives hover and tooltip timing.
    system->getDefaultGUIContext().injectTimePulse(step);
}

void GameFramework::postRender(const GameState*)
{
    if (!sfml || !sfml->getWindow())
        return;
    renderCeguiGui(*sfml->getWindow(), sfml->getColorblindShader());
}

void GameFramework::initDatabase(GameFrameworkInitHelper* helper)
{
    shutdownDatabase();
    const std::string path = helper->getDatabasePath();
    const int code = sqlite3_open(path.c_str(), &database);
    if (code == SQLITE_OK)
        tools::log(Tag, "Database connection's established");
    else
        tools::log(Tag, "Database connection failed (ec: " + std::to_string(code) + ")");
}

void GameFramework::initSettings()
{
    shutdownSettings();
    settings = new app::Settings();
    settings->setDatabase(database);
}

void GameFramework::initGeneralSettings()
{
    if (settings)
        general = settings->addSubSettings<app::GeneralSubSettings>();
}

void GameFramework::initGraphicsSettings()
{
    if (settings)
        graphics = settings->addSubSettings<GraphicsSubSettings>();
}

void GameFramework::initAudioSettings()
{
    if (settings)
        audio = settings->addSubSettings<AudioSubSettings>();
}

void GameFramework::initLanguage()
{
    shutdownLanguage();
    language = new app::Language();
    language->setDatabase(database);
    if (general)
        language->setActLangCode(general->getLangCode());
    setCeguiTranslationLanguage(language);
}

void GameFramework::initSfmlFramework(SfmlFrameworkInitHelper* helper)
{
    shutdownSfmlFramework();
    sfml = new SfmlFramework();
    sfml->init(helper);
    sfml->addListener(this);
    if (audio) {
        sfml->setMainVolume(audio->getMainVolume());
        sfml->setMusicVolume(audio->getMusicVolume());
        sfml->setSoundVolume(audio->getSoundVolume());
    }
}

void GameFramework::initCeguiFramework(CeguiFrameworkInitHelper* helper)
{
    shutdownCeguiFramework();
    cegui = new CeguiFramework();
    cegui->init(helper);
}

void GameFramework::shutdownDatabase()
{
    if (database)
        sqlite3_close(database);
    database = nullptr;
}

void GameFramework::shutdownSettings()
{
    // The groups belong to the store.
    delete settings;
    settings = nullptr;
    general = nullptr;
    graphics = nullptr;
    audio = nullptr;
}

void GameFramework::shutdownLanguage()
{
    if (!language)
        return;
    // Taken back first: the GUI layer must never translate through a deleted language.
    if (getCeguiTranslationLanguage() == language)
        setCeguiTranslationLanguage(nullptr);
    delete language;
    language = nullptr;
}

void GameFramework::shutdownSfmlFramework()
{
    if (!sfml)
        return;
    sfml->removeListener(this);
    delete sfml;
    sfml = nullptr;
}

void GameFramework::shutdownCeguiFramework()
{
    delete cegui;
    cegui = nullptr;
}
