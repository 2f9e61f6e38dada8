// The main menu on the null GUI renderer: which window a start shows, the
// language selector and "lang.ini", navigation rings, credits, exit and the
// F5 rebuild.

#include "game/menu/MainMenuState.hpp"
#include "game/menu/tests/MenuTestSupport.hpp"

#include "app/GeneralSubSettings.hpp"
#include "app/Language.hpp"
#include "app/Main.hpp"
#include "engine/GameWorld.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/LogCapture.hpp"

#include <CEGUI/CEGUI.h>

#include <filesystem>
#include <memory>

namespace {

using velk::MainMenuState;
using velk_test::guiRoot;
using velk_test::modalWindow;

class MainMenuTest : public velk_test::EngineFixture {
protected:
    void TearDown() override
    {
        if (menu && started)
            menu->onStateEnd();
        menu.reset();
        EngineFixture::TearDown();
    }

    void start()
    {
        menu = velk_test::makeMenu(cursor);
        menu->onStateStart();
        started = true;
    }

    CEGUI::Window* window(const char* path) const { return guiRoot()->getChild(path); }
    std::string text(const char* path) const { return window(path)->getText().c_str(); }
    std::string activeLanguage() const { return GameFramework::Singleton.getLanguage()->getActLangCode(); }

    /// The name of the stepper's focused widget; "" for the root.
    static std::string focused(GuiStepper& stepper)
    {
        CEGUI::Window* focus = stepper.getActiveNode()->getWindow();
        return focus ? focus->getName().c_str() : "";
    }

    velk_test::GuiCursorSource cursor;
    std::shared_ptr<MainMenuState> menu;
    bool started = false;
};

TEST_F(MainMenuTest, LangIniDecidesBetweenSelectorAndMenu)
{
    struct Case {
        const char* name;
        const char* content; // null: no file
        bool directory;
        bool selector;
        const char* language;
    };
    const Case cases[] = {
        {"missing", nullptr, false, true, "en"},
        {"valid", "hu", false, false, "hu"},
        {"code and line break", "hu\n", false, false, "hu"},
        {"code and more words", "  hu en\n", false, false, "hu"},
        {"only blanks", "  \n\t", false, true, "en"},
        {"unknown code", "xx", false, true, "en"},
        {"a folder", nullptr, true, true, "en"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(MainMenuState::LangIniPath);
        if (c.content)
            velk_test::writeFile(MainMenuState::LangIniPath, c.content);
        if (c.directory)
            std::filesystem::create_directory(MainMenuState::LangIniPath);
        start();
        EXPECT_EQ(activeLanguage(), c.language);
        EXPECT_TRUE(window("ContentHolder")->isVisible());
        EXPECT_EQ(window("LangSelector")->isVisible(), c.selector);
        EXPECT_EQ(modalWindow(), window(c.selector ? "LangSelector" : "ContentHolder"));
        menu->onStateEnd();
        started = false;
    }
}

TEST_F(MainMenuTest, SelectorOffersEveryLanguageWithEnglishSelected)
{
    start();
    CEGUI::Window* langs = window("LangSelector/Langs");
    ASSERT_EQ(langs->getChildCount(), 2u);
    const char* names[] = {"English", "Magyar"};
    for (std::size_t i = 0; i < 2; ++i) {
        auto* radio = static_cast<CEGUI::RadioButton*>(langs->getChildAtIdx(i));
        EXPECT_EQ(radio->getText(), names[i]);
        EXPECT_EQ(radio->getYPosition(), CEGUI::UDim(0, 30.0f * i));
        EXPECT_EQ(radio->getHeight(), CEGUI::UDim(0, 30));
        EXPECT_EQ(radio->isSelected(), i == 0);
    }
    // Down through the radios to Done; sideways to Exit; up and down from there.
    GuiStepper& stepper = menu->langStepper();
    const std::pair<GuiStepper::Node::Direction, const char*> walk[] = {
        {GuiStepper::Node::Down, "English"},    {GuiStepper::Node::Down, "Magyar"},
        {GuiStepper::Node::Down, "DoneButton"}, {GuiStepper::Node::Right, "ExitButton"},
        {GuiStepper::Node::Left, "DoneButton"}, {GuiStepper::Node::Down, "English"},
    };
    for (const auto& [direction, expected] : walk) {
        stepper.stepOnAxis(direction == GuiStepper::Node::Down ? 0 : 1,
                           direction == GuiStepper::Node::Left || direction == GuiStepper::Node::Down
                               ? GameAxis::Negative
                               : GameAxis::Positive);
        CEGUI::Window* focus = stepper.getActiveNode()->getWindow();
        ASSERT_NE(focus, nullptr);
        EXPECT_TRUE(focus->getText() == expected || focus->getName() == expected) << expected;
    }
}

TEST_F(MainMenuTest, DoneWithHungarianWritesTheCodeAndTranslatesTheMenu)
{
    start();
    ASSERT_EQ(text("ContentHolder/Content/OptionsButton"), "Settings");
    static_cast<CEGUI::RadioButton*>(window("LangSelector/Langs")->getChildAtIdx(1))->setSelected(true);
    velk_test::click(window("LangSelector/Buttons/DoneButton"));
    menu->update();

    EXPECT_EQ(velk_test::readFile(MainMenuState::LangIniPath), "hu");
    EXPECT_EQ(activeLanguage(), "hu");
    EXPECT_EQ(text("ContentHolder/Content/OptionsButton"), "Beállítások");
    EXPECT_EQ(modalWindow(), window("ContentHolder"));
    EXPECT_FALSE(window("LangSelector")->isVisible());
    // The selector's choice is remembered in "lang.ini" only.
    EXPECT_EQ(storedSetting("general.lang"), "en");
}

TEST_F(MainMenuTest, UnwritableLangIniIsLogged)
{
    std::filesystem::create_directory(MainMenuState::LangIniPath);
    start();
    velk_test::LogCapture log;
    velk_test::click(window("LangSelector/Buttons/DoneButton"));
    menu->update();
    EXPECT_TRUE(log.contains("[MainMenu] Language choice not saved to \"lang.ini\""));
    EXPECT_EQ(modalWindow(), window("ContentHolder"));
}

TEST_F(MainMenuTest, MainMenuRingSkipsLoadAndWraps)
{
    velk_test::writeFile(MainMenuState::LangIniPath, "en");
    start();
    GuiStepper& stepper = menu->mainStepper();
    const char* ring[] = {"NewGameButton", "HighscoresButton", "EditorButton", "MapperButton",
                          "OptionsButton", "CreditsButton",    "ExitButton",   "NewGameButton"};
    for (const char* expected : ring) {
        stepper.stepOnAxis(0, GameAxis::Negative);
        EXPECT_EQ(focused(stepper), expected);
    }
    stepper.stepOnAxis(0, GameAxis::Positive);
    EXPECT_EQ(focused(stepper), "ExitButton");
    stepper.stepOnAxis(1, GameAxis::Positive);
    EXPECT_EQ(focused(stepper), "ExitButton");
    EXPECT_EQ(stepper.searchNode(window("ContentHolder/Content/LoadButton")), nullptr);
    // From the root every direction leads to the first button.
    for (auto direction : {GameAxis::Positive, GameAxis::Negative}) {
        for (char axis : {0, 1}) {
            stepper.clear();
            menu->initGui();
            menu->mainStepper().stepOnAxis(axis, direction);
            EXPECT_EQ(focused(menu->mainStepper()), "NewGameButton");
        }
    }
}

TEST_F(MainMenuTest, CreditsOpenAndCloseOverTheMenu)
{
    velk_test::writeFile(MainMenuState::LangIniPath, "en");
    start();
    velk_test::click(window("ContentHolder/Content/CreditsButton"));
    EXPECT_EQ(modalWindow(), window("Credits"));
    EXPECT_TRUE(window("ContentHolder")->isVisible());
    EXPECT_NE(text("Credits/Text").find("VELKORS"), std::string::npos);
    // The credits stepper's back action presses Close.
    menu->creditStepper().doBack();
    EXPECT_EQ(modalWindow(), window("ContentHolder"));
    EXPECT_FALSE(window("Credits")->isVisible());
}

TEST_F(MainMenuTest, ExitEmptiesTheStateStack)
{
    for (const char* button : {"ContentHolder/Content/ExitButton", "LangSelector/Buttons/ExitButton"}) {
        SCOPED_TRACE(button);
        app::Main::Singleton.pushState(std::make_shared<app::State>());
        start();
        app::Main::Singleton.pushState(menu);
        velk_test::click(window(button));
        EXPECT_TRUE(app::Main::Singleton.empty());
        EXPECT_FALSE(std::filesystem::exists(MainMenuState::LangIniPath));
        menu->onStateEnd();
        started = false;
    }
}

TEST_F(MainMenuTest, ReloadLeavesExactlyOneGuiTree)
{
    velk_test::writeFile(MainMenuState::LangIniPath, "en");
    start();
    const std::size_t windowsAfterStart = guiRoot()->getChildCount();
    std::size_t allWindows = 0;
    for (auto it = CEGUI::WindowManager::getSingleton().getIterator(); !it.isAtEnd(); ++it)
        ++allWindows;
    velk_test::click(window("ContentHolder/Content/OptionsButton"));
    ASSERT_EQ(modalWindow(), window("Settings"));

    velk_test::LogCapture log;
    for (int i = 0; i < 3; ++i)
        menu->initGui();
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    EXPECT_EQ(guiRoot()->getChildCount(), windowsAfterStart);
    for (const char* name : {"LangSelector", "ContentHolder", "Credits", "Highscores", "Settings"}) {
        int count = 0;
        for (std::size_t i = 0; i < guiRoot()->getChildCount(); ++i)
            count += guiRoot()->getChildAtIdx(i)->getName() == name ? 1 : 0;
        EXPECT_EQ(count, 1) << name;
    }
    std::size_t allAfter = 0;
    for (auto it = CEGUI::WindowManager::getSingleton().getIterator(); !it.isAtEnd(); ++it)
        ++allAfter;
    EXPECT_EQ(allAfter, allWindows);
    EXPECT_EQ(window("LangSelector/Langs")->getChildCount(), 2u);
    // The settings window closed, the main menu took the modal state back.
    EXPECT_EQ(modalWindow(), window("ContentHolder"));
    EXPECT_FALSE(window("Settings")->isVisible());
    EXPECT_FALSE(log.contains("already exists"));
    EXPECT_FALSE(log.contains("Image collection"));
    EXPECT_TRUE(CEGUI::ImageManager::getSingleton().isDefined("MainMenu/Logo"));
    EXPECT_TRUE(window("ContentHolder")->isChild("Logo"));
    // The art goes with the screen's end and comes back with its next start.
    menu->onStateEnd();
    EXPECT_FALSE(CEGUI::ImageManager::getSingleton().isDefined("MainMenu/Logo"));
    menu->onStateStart();
    EXPECT_TRUE(CEGUI::ImageManager::getSingleton().isDefined("MainMenu/Logo"));
    EXPECT_EQ(menu->getFilterMap(), "");
}

TEST_F(MainMenuTest, MissingMusicIsLoggedAndTheMenuStarts)
{
    std::filesystem::remove("data/mus");
    velk_test::writeFile(MainMenuState::LangIniPath, "en");
    velk_test::LogCapture log;
    start();
    EXPECT_TRUE(log.contains("[MainMenu] Menu music \"data/mus/Menu - Dovidi.ogg\" cannot be opened"));
    EXPECT_EQ(modalWindow(), window("ContentHolder"));
    menu->update();
    EXPECT_NE(menu->getWorld(), nullptr);
}

TEST_F(MainMenuTest, CameraDriftsWithTheFrames)
{
    velk_test::writeFile(MainMenuState::LangIniPath, "en");
    start();
    const float x = menu->getWorld()->getCamera().getCenter().x;
    const int frames = 30;
    for (int i = 0; i < frames; ++i)
        menu->update();
    const float dt = GameFramework::Singleton.getSfmlFramework()->getFrameTime();
    EXPECT_NEAR(menu->getWorld()->getCamera().getCenter().x - x, 250.0f * dt * frames, 0.01f);
}

TEST_F(MainMenuTest, F5ClosesTheSettingsAndKeepsTheBackground)
{
    velk_test::writeFile(MainMenuState::LangIniPath, "en");
    start();
    velk_test::click(window("ContentHolder/Content/OptionsButton"));
    menu->update();
    const float x = menu->getWorld()->getCamera().getCenter().x;
    GameWorld* world = menu->getWorld();
    velk_test::pressKey(sf::Keyboard::F5);
    menu->update();
    EXPECT_EQ(modalWindow(), window("ContentHolder"));
    EXPECT_FALSE(window("Settings")->isVisible());
    EXPECT_EQ(menu->getWorld(), world);
    EXPECT_GT(menu->getWorld()->getCamera().getCenter().x, x);
}

TEST_F(MainMenuTest, ScriptFailingHalfWayOnReloadLeavesNoDestroyedWindowInUse)
{
    velk_test::writeFile(MainMenuState::LangIniPath, "en");
    start();
    velk_test::click(window("ContentHolder/Content/OptionsButton"));
    menu->update();
    // Like the real script, it first destroys the windows of the last build.
    velk_test::writeFile("broken/init_mainmenu.lua",
                         "local root = CEGUI.System:getSingleton():getDefaultGUIContext():getRootWindow()\n"
                         "for _, name in ipairs({ 'LangSelector', 'ContentHolder', 'Credits', 'NewGameWindow',\n"
                         "                        'NoticeWindow', 'Highscores', 'Settings' }) do\n"
                         "    CEGUI.WindowManager:getSingleton():destroyWindow(root:getChild(name))\n"
                         "end\n"
                         "error('Győző left it half-built')\n");
    auto* provider = static_cast<CEGUI::DefaultResourceProvider*>(CEGUI::System::getSingleton().getResourceProvider());
    const CEGUI::String scripts = provider->getResourceGroupDirectory("Scripts");
    provider->setResourceGroupDirectory("Scripts", "broken");

    velk_test::LogCapture log;
    velk_test::pressKey(sf::Keyboard::F5);
    menu->update();
    // Freed now, as after a drawn frame; the next frames must not reach them.
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    for (int frame = 0; frame < 3; ++frame)
        menu->update();
    EXPECT_TRUE(log.contains("[MainMenu] The menu cannot be built from \"init_mainmenu.lua\"")) << log.text();
    // Lua's message in UTF-8, as every other line.
    EXPECT_TRUE(log.contains(":6: Győző left it half-built")) << log.text();

    // The next reload with a sound script brings the menu back.
    provider->setResourceGroupDirectory("Scripts", scripts);
    velk_test::pressKey(sf::Keyboard::F5);
    menu->update();
    EXPECT_EQ(modalWindow(), window("ContentHolder"));
}

} // namespace
