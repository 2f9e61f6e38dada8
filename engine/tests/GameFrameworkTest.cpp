#include "engine/GameFramework.hpp"

#include "app/AudioSubSettings.hpp"
#include "app/GeneralSubSettings.hpp"
#include "app/Language.hpp"
#include "engine/GameActionMapper.hpp"
#include "engine/GameAxis.hpp"
#include "engine/GameFrameworkDefaultInitHelper.hpp"
#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTranslation.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/engine/EngineTestSupport.hpp"

#include <SFML/Audio/Listener.hpp>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

GameFramework& engine = GameFramework::Singleton;

class GameFrameworkTest : public velk_test::HeadlessEngineTest {};

TEST(GameFrameworkArgsTest, KeyValueWordsAndBareKeys)
{
    GameFramework framework;
    std::vector<std::string> words = {"prog", "x=1", "x=2", "y", "filepath=x", "a=b=c", "-g", "=v", "z=1", "z"};
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    framework.parseArgs({static_cast<int>(argv.size()), argv.data()});
    const std::map<std::string, std::string> expected = {{"filepath", "prog"}, {"x", "2"}, {"y", ""}, {"a", "b=c"},
                                                         {"-g", ""},           {"", "v"},  {"z", ""}};
    EXPECT_EQ(framework.getArgs(), expected);
    EXPECT_TRUE(framework.isArg("-g"));
    EXPECT_FALSE(framework.isArg("--guitest"));
    EXPECT_EQ(framework.getArg("absent"), "");
    EXPECT_EQ(framework.getArgs().size(), expected.size()) << "getArg adds nothing";
    // Not initialised: nothing runs.
    EXPECT_EQ(framework.run(nullptr), 1);
}

TEST_F(GameFrameworkTest, StartsEveryLayerInOrderAndStopsThemAgain)
{
    velk_test::LogCapture log;
    velk_test::HeadlessInitHelper h = helper();
    bool checkedInPostInit = false;
    h.onPostInit = [&checkedInPostInit] {
        // Usable through the getters, not yet valid.
        EXPECT_NE(engine.getSettings(), nullptr);
        EXPECT_NE(engine.getCeguiFramework(), nullptr);
        EXPECT_FALSE(engine.isSettingsValid());
        EXPECT_FALSE(engine.isCeguiFrameworkValid());
        checkedInPostInit = true;
    };
    start(h);
    EXPECT_TRUE(checkedInPostInit);
    EXPECT_TRUE(engine.isSettingsValid() && engine.isGeneralSettingsValid() && engine.isGraphicsSettingsValid() &&
                engine.isAudioSettingsValid() && engine.isLanguageValid() && engine.isSfmlFrameworkValid() &&
                engine.isCeguiFrameworkValid());
    EXPECT_TRUE(engine.getCeguiFramework()->isInitialised());
    EXPECT_TRUE(engine.getSfmlFramework()->hasListener(&engine));
    EXPECT_EQ(engine.getLanguage()->getActLangCode(), "en");
    EXPECT_EQ(engine.getArg("filepath"), "velkors");

    // A second init is ignored, its arguments too.
    char program[] = "other";
    char* argv[] = {program, nullptr};
    engine.init({1, argv}, &h);
    EXPECT_EQ(engine.getArg("filepath"), "velkors");

    engine.shutdown();
    EXPECT_FALSE(engine.isInitialised());
    EXPECT_EQ(engine.getDatabase(), nullptr);
    EXPECT_EQ(engine.getSfmlFramework(), nullptr);
    EXPECT_EQ(engine.getGraphicsSettings(), nullptr);
    EXPECT_FALSE(engine.isSettingsValid());
    EXPECT_EQ(engine.run(nullptr), 1);
    EXPECT_EQ(engine.getArg("filepath"), "velkors") << "arguments stay";

    const std::vector<std::string> order = {
        "[GameFramework] init started", "[GameFramework] Database connection's established",
        "[GameFramework] init ended", "[GameFramework] shutdown started", "[GameFramework] shutdown ended"};
    std::size_t at = 0;
    for (const std::string& line : log.lines())
        if (at < order.size() && line == order[at])
            ++at;
    EXPECT_EQ(at, order.size()) << log.text();

    // After a shutdown the engine starts again.
    start();
}

TEST_F(GameFrameworkTest, GlobalVolumeIsTheClampedMainVolume)
{
    for (const char* stored : {"150", "-20", "35"}) {
        execute(std::string("UPDATE settings SET value='") + stored +
                "' WHERE name='audio.mainvolume';"
                "UPDATE settings SET value='250' WHERE name='audio.musicvolume';");
        start();
        const float clamped = SfmlFramework::clampVolume(std::stof(stored));
        EXPECT_EQ(engine.getAudioSettings()->getMainVolume(), std::stof(stored));
        EXPECT_EQ(engine.getSfmlFramework()->getMainVolume(), clamped);
        EXPECT_EQ(engine.getSfmlFramework()->getMusicVolume(), 100.0f);
        EXPECT_EQ(sf::Listener::getGlobalVolume(), clamped) << "stored " << stored;
        engine.shutdown();
    }
}

TEST_F(GameFrameworkTest, FailedStartUpReachesTheCallerAndLeavesNothingBehind)
{
    struct Case {
        const char* name;
        bool throwInPreInit;
    } cases[] = {{"preInit", true}, {"postInit", false}};
    for (const Case& c : cases) {
        velk_test::HeadlessInitHelper h = helper();
        bool databaseOpenAtThrow = true;
        auto fail = [&databaseOpenAtThrow, &c] {
            databaseOpenAtThrow = engine.getDatabase() != nullptr;
            throw std::runtime_error(std::string("cannot create folders in ") + c.name);
        };
        (c.throwInPreInit ? h.onPreInit : h.onPostInit) = fail;
        char program[] = "velkors";
        char* argv[] = {program, nullptr};
        EXPECT_THROW(engine.init({1, argv}, &h), std::runtime_error) << c.name;
        EXPECT_EQ(databaseOpenAtThrow, !c.throwInPreInit) << "preInit runs before the database is opened";
        EXPECT_FALSE(engine.isInitialised());
        EXPECT_EQ(engine.getDatabase(), nullptr);
        EXPECT_EQ(engine.getSfmlFramework(), nullptr);
        EXPECT_EQ(engine.getCeguiFramework(), nullptr);
        EXPECT_EQ(CEGUI::System::getSingletonPtr(), nullptr);
        EXPECT_EQ(getCeguiTranslationLanguage(), nullptr) << "no dangling language in the GUI layer";

        // What the game's entry point does with it: a log line and a failure.
        velk_test::LogCapture log;
        EXPECT_FALSE(engine.tryInit({1, argv}, &h));
        EXPECT_TRUE(log.contains(std::string("[GameFramework] init failed: cannot create folders in ") + c.name))
            << log.text();
    }
    // Nothing half-started blocks a later start.
    start();
}

TEST_F(GameFrameworkTest, LanguageIsHandedToTheGuiAndTakenBack)
{
    start();
    app::Language* language = engine.getLanguage();
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(getCeguiTranslationLanguage(), language);

    CEGUI::Window* label = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Label");
    label->setText("@highscores.name");
    translateCeguiWindow(label, false);
    EXPECT_EQ(ceguiStringToUtf8(label->getText()), "Name");

    // A new language replaces the old one in the GUI layer too.
    engine.getGeneralSettings()->setLangCode("hu");
    engine.initLanguage();
    EXPECT_EQ(getCeguiTranslationLanguage(), engine.getLanguage());
    label->setText("@highscores.name");
    translateCeguiWindow(label, false);
    EXPECT_EQ(ceguiStringToUtf8(label->getText()), "N\xC3\xA9v");
    CEGUI::WindowManager::getSingleton().destroyWindow(label);

    engine.shutdown();
    EXPECT_EQ(getCeguiTranslationLanguage(), nullptr);
}

TEST_F(GameFrameworkTest, KeysAndButtonsTranslateToTheGuisScanCodes)
{
    start();
    const GameFramework::KeyMap& keys = engine.getKeyMap();
    EXPECT_EQ(keys.size(), 96u);
    const std::map<sf::Keyboard::Key, int> codes = {
        {sf::Keyboard::Escape, 1},     {sf::Keyboard::Num1, 2},     {sf::Keyboard::Num0, 11},
        {sf::Keyboard::A, 30},         {sf::Keyboard::F1, 59},      {sf::Keyboard::F11, 87},
        {sf::Keyboard::F12, 88},       {sf::Keyboard::F13, 100},    {sf::Keyboard::F15, 102},
        {sf::Keyboard::RControl, 157}, {sf::Keyboard::Divide, 181}, {sf::Keyboard::RAlt, 184},
        {sf::Keyboard::Pause, 197},    {sf::Keyboard::Home, 199},   {sf::Keyboard::Up, 200},
        {sf::Keyboard::Left, 203},     {sf::Keyboard::Right, 205},  {sf::Keyboard::Down, 208},
        {sf::Keyboard::Insert, 210},   {sf::Keyboard::Delete, 211}, {sf::Keyboard::Enter, 28},
        {sf::Keyboard::Hyphen, 12},    {sf::Keyboard::Equal, 13},   {sf::Keyboard::Add, 78}};
    for (const auto& [key, code] : codes) {
        ASSERT_EQ(keys.count(key), 1u) << key;
        EXPECT_EQ(static_cast<int>(keys.at(key)), code) << key;
    }
    for (sf::Keyboard::Key key :
         {sf::Keyboard::LSystem, sf::Keyboard::RSystem, sf::Keyboard::Menu, sf::Keyboard::Quote, sf::Keyboard::Tilde})
        EXPECT_EQ(keys.count(key), 0u) << key;
    EXPECT_EQ(engine.getMouseMap().size(), 5u);
    EXPECT_EQ(engine.getMouseMap().at(sf::Mouse::XButton2), CEGUI::X2Button);

    // A key outside the map reaches the GUI as scan code 0 and joins the map.
    engine.handleSfEvent(velk_test::keyEvent(sf::Keyboard::Menu));
    ASSERT_EQ(keys.count(sf::Keyboard::Menu), 1u);
    EXPECT_EQ(keys.at(sf::Keyboard::Menu), CEGUI::Key::Unknown);
}

TEST_F(GameFrameworkTest, InputObjectsListenWhileTheyLive)
{
    start();
    SfmlFramework* sfml = engine.getSfmlFramework();
    auto axis = std::make_unique<GameAxis>();
    auto mapper = std::make_unique<GameActionMapper<char>>();
    EXPECT_TRUE(sfml->hasListener(axis.get()));
    EXPECT_TRUE(sfml->hasListener(mapper.get()));

    (*mapper)['R'] = fx::InputAction(sf::Keyboard::Return, fx::InputAction::PressOnce);
    sfml->callListenersPreHandle();
    sfml->callListenersHandle(velk_test::keyEvent(sf::Keyboard::Return));
    EXPECT_TRUE(mapper->isActive('R'));
    sfml->callListenersPreHandle();
    EXPECT_FALSE(mapper->isActive('R'));

    GameAxis* gone = axis.get();
    axis.reset();
    mapper.reset();
    EXPECT_FALSE(sfml->hasListener(gone));
    EXPECT_EQ(sfml->getListenerCount(), 1u) << "only the engine itself";
    // Dispatch after the destruction reaches nobody that is gone (ASan watches).
    sfml->callListenersHandle(velk_test::keyEvent(sf::Keyboard::Return));
}

TEST_F(GameFrameworkTest, DefaultHelperTakesTheWindowFromTheGraphicsSettings)
{
    struct Helper : GameFrameworkDefaultInitHelper {
        std::string path;
        std::string log;
        std::string getDatabasePath() override { return path; }
        std::string getWindowTitle() override { return "Velkors test"; }
        std::string getWindowIconPath() override { return ""; }
        void bootstrapCeguiRenderer() override { CEGUI::NullRenderer::bootstrapSystem(); }
        CEGUI::String getCeguiLogPath() override { return CEGUI::String(log.c_str()); }
        std::string getCeguiResourceFolderPath() override { return std::string(VELK_SOURCE_DIR) + "/data/gui"; }
    };
    execute("UPDATE settings SET value='640x480' WHERE name='graphics.resolution';"
            "UPDATE settings SET value='30' WHERE name='graphics.fps';");
    Helper h;
    h.path = databasePath;
    h.log = (folder / "gui.log").string();
    start(h);
    SfmlFramework* sfml = engine.getSfmlFramework();
    EXPECT_EQ(sfml->getResolution(), std::make_pair(640u, 480u));
    EXPECT_EQ(sfml->getFPS(), 30u);
    EXPECT_EQ(sfml->getWindowTitle(), "Velkors test");
    EXPECT_FALSE(sfml->isFullscreen());

    GameFrameworkDefaultInitHelper defaults;
    EXPECT_EQ(defaults.getDatabasePath(), "app.db");
    EXPECT_EQ(defaults.getWindowTitle(), "App");
    EXPECT_EQ(defaults.getWindowIconPath(), "icon.png");
    EXPECT_EQ(defaults.getCeguiLogPath(), "cegui.log");
    EXPECT_EQ(defaults.getCeguiResourceFolderPath(), "cegui");
    EXPECT_EQ(defaults.getFPS(), 30.0f);
    EXPECT_EQ(static_cast<SfmlFrameworkInitHelper*>(&defaults), defaults.getSfmlInitHelper());
    EXPECT_EQ(static_cast<CeguiFrameworkInitHelper*>(&defaults), defaults.getCeguiInitHelper());
}

TEST_F(GameFrameworkTest, DefaultRendererWithoutAWindowFailsCleanly)
{
    struct Helper : GameFrameworkDefaultInitHelper {
        std::string path;
        std::string getDatabasePath() override { return path; }
        CEGUI::String getCeguiLogPath() override { return "/dev/null"; }
    } h;
    h.path = databasePath;
    velk_test::LogCapture log;
    char program[] = "velkors";
    char* argv[] = {program, nullptr};
    EXPECT_FALSE(engine.tryInit({1, argv}, &h));
    EXPECT_TRUE(log.contains("[GameFramework] init failed: no window to draw the GUI into")) << log.text();
    EXPECT_EQ(engine.getSfmlFramework(), nullptr);
    EXPECT_EQ(CEGUI::System::getSingletonPtr(), nullptr);
}

} // namespace
