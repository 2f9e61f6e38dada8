#include "engine/GameState.hpp"

#include "app/AudioSubSettings.hpp"
#include "app/Main.hpp"
#include "testsupport/engine/EngineTestSupport.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

/// A screen that builds one GUI window when it starts and notes what it saw.
class MenuScreen : public GameState {
public:
    explicit MenuScreen(std::string name) : name(std::move(name)) {}

    void onStateStart() override
    {
        GameState::onStateStart();
        windowsAtStart = 0;
        for (auto it = CEGUI::WindowManager::getSingleton().getIterator(); !it.isAtEnd(); ++it)
            ++windowsAtStart;
        window = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", name);
    }

    std::string name;
    std::size_t windowsAtStart = 99;
    CEGUI::Window* window = nullptr;
};

class GameStateTest : public velk_test::HeadlessEngineTest {};

TEST_F(GameStateTest, MusicFollowsTheSettingAtEveryStart)
{
    execute("UPDATE settings SET value='0' WHERE name='audio.musicvolume';");
    start();
    MenuScreen screen("Menu");
    screen.onStateStart();
    EXPECT_EQ(screen.music().getVolume(), 0.0f);
    screen.onStateEnd();

    GameFramework::Singleton.getAudioSettings()->setMusicVolume(35.0f);
    screen.onStateStart();
    EXPECT_FLOAT_EQ(screen.music().getVolume(), 35.0f);
    screen.onStateEnd();
    EXPECT_EQ(screen.music().getStatus(), sf::Music::Stopped);
}

TEST_F(GameStateTest, CoveringAScreenDestroysEveryWindowBeforeTheNextStarts)
{
    start();
    auto menu = std::make_shared<MenuScreen>("Menu");
    auto editor = std::make_shared<MenuScreen>("Editor");
    app::Main& main = app::Main::Singleton;
    main.pushState(menu);
    main.updateState();
    ASSERT_NE(menu->window, nullptr);
    EXPECT_TRUE(CEGUI::WindowManager::getSingleton().isAlive(menu->window));

    main.pushState(editor);
    main.updateState();
    EXPECT_FALSE(CEGUI::WindowManager::getSingleton().isAlive(menu->window));
    EXPECT_EQ(editor->windowsAtStart, 0u);

    // Uncovered again, the menu builds its GUI anew.
    main.popState();
    main.updateState();
    EXPECT_FALSE(CEGUI::WindowManager::getSingleton().isAlive(editor->window));
    EXPECT_TRUE(CEGUI::WindowManager::getSingleton().isAlive(menu->window));
    main.popAllStates();
    main.updateState();

    // Without a window the frame's GUI steps have nothing to draw on.
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    sfml->setupState(menu.get());
    menu->preRender();
    menu->postRender();
}

} // namespace
