// The engine's own window handling in a real window: Alt+F4, Alt+Return and
// resizing, with every key still reaching the GUI.

#include "engine/GameFrameworkDefaultInitHelper.hpp"

#include "app/DatabaseSeeder.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameState.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/TempFolder.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Mouse.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace {

class Helper : public GameFrameworkDefaultInitHelper {
public:
    explicit Helper(const velk_test::TempFolder& temp) : temp(temp) {}
    std::string getDatabasePath() override { return (temp / "velk.db").string(); }
    std::string getWindowIconPath() override { return ""; }
    CEGUI::String getCeguiLogPath() override { return CEGUI::String((temp / "gui.log").string().c_str()); }
    std::string getCeguiResourceFolderPath() override { return std::string(VELK_SOURCE_DIR) + "/data/gui"; }

private:
    const velk_test::TempFolder& temp;
};

sf::Event altKey(sf::Keyboard::Key key)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {key, true, false, false, false};
    return event;
}

class GameFrameworkWindowTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app::DatabaseSeeder::update(std::string(VELK_SOURCE_DIR) + "/data/velk.sql",
                                                (folder / "velk.db").string()));
        Helper helper(temp);
        char program[] = "velkors";
        char* argv[] = {program, nullptr};
        ASSERT_TRUE(engine.tryInit({1, argv}, &helper));
        sfml = engine.getSfmlFramework();
        ASSERT_NE(sfml->getWindow(), nullptr);
        // Key-downs arrive at the active window: an edit box that notes them.
        CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
        CEGUI::Window* root = windows.createWindow("DefaultWindow", "Root");
        CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(root);
        CEGUI::Window* edit = windows.createWindow("GWEN/Editbox", "Edit");
        root->addChild(edit);
        edit->activate();
        edit->subscribeEvent(CEGUI::Window::EventKeyDown, CEGUI::Event::Subscriber([this](const CEGUI::EventArgs& a) {
                                 keys.push_back(static_cast<const CEGUI::KeyEventArgs&>(a).scancode);
                                 return true;
                             }));
    }

    void TearDown() override { engine.shutdown(); }

    GameFramework& engine = GameFramework::Singleton;
    SfmlFramework* sfml = nullptr;
    std::vector<CEGUI::Key::Scan> keys;
};

TEST_F(GameFrameworkWindowTest, AltF4ClosesOnlyWhenClosingIsEnabled)
{
    EXPECT_EQ(sfml->getWindowTitle(), "App") << "the default helper's title";
    sfml->setCloseEnabled(false);
    engine.handleSfEvent(altKey(sf::Keyboard::F4));
    EXPECT_TRUE(sfml->getWindow()->isOpen());
    sfml->setCloseEnabled(true);
    engine.handleSfEvent(altKey(sf::Keyboard::F4));
    EXPECT_FALSE(sfml->getWindow()->isOpen());
    EXPECT_EQ(keys, (std::vector<CEGUI::Key::Scan>{CEGUI::Key::F4, CEGUI::Key::F4}));
}

TEST_F(GameFrameworkWindowTest, AltReturnAndResizingKeepOneViewUnitPerPixel)
{
    const sf::Vector2u windowed = sfml->getWindow()->getSize();
    EXPECT_EQ(windowed, sf::Vector2u(1024, 768)) << "the shipped settings' resolution";
    engine.handleSfEvent(altKey(sf::Keyboard::Return));
    EXPECT_TRUE(sfml->isFullscreen());
    EXPECT_EQ(keys, std::vector<CEGUI::Key::Scan>{CEGUI::Key::Return});
    const sf::Vector2u full = sfml->getWindow()->getSize();
    const sf::View& view = sfml->getWindow()->getView();
    EXPECT_EQ(view.getSize(), sf::Vector2f(full));
    EXPECT_EQ(view.getCenter(), sf::Vector2f(full) / 2.0f);
    const CEGUI::Sizef display = CEGUI::System::getSingleton().getRenderer()->getDisplaySize();
    EXPECT_EQ(display, CEGUI::Sizef(static_cast<float>(full.x), static_cast<float>(full.y)));

    engine.handleSfEvent(altKey(sf::Keyboard::Return));
    EXPECT_FALSE(sfml->isFullscreen());
    EXPECT_EQ(sfml->getWindow()->getSize(), windowed);

    sf::Event resized;
    resized.type = sf::Event::Resized;
    resized.size = {500, 300};
    engine.handleSfEvent(resized);
    EXPECT_EQ(sfml->getWindow()->getView().getSize(), sf::Vector2f(500, 300));
    EXPECT_EQ(sfml->getWindow()->getView().getCenter(), sf::Vector2f(250, 150));
    EXPECT_EQ(CEGUI::System::getSingleton().getRenderer()->getDisplaySize(), CEGUI::Sizef(500, 300));
}

TEST_F(GameFrameworkWindowTest, AfterAltReturnTheGuiPointerIsWhereTheMouseIs)
{
    sf::RenderWindow& window = *sfml->getWindow();
    CEGUI::GUIContext& gui = CEGUI::System::getSingleton().getDefaultGUIContext();
    const sf::Vector2i before(300, 200);
    sf::Mouse::setPosition(before, window);
    gui.injectMousePosition(static_cast<float>(before.x), static_cast<float>(before.y));

    // The mouse stays still; the full-screen window starts elsewhere on the screen.
    engine.handleSfEvent(altKey(sf::Keyboard::Return));
    ASSERT_TRUE(sfml->isFullscreen());
    const sf::Vector2i real = sf::Mouse::getPosition(window);
    ASSERT_NE(real, before) << "the window did not move under the mouse";
    EXPECT_EQ(gui.getMouseCursor().getPosition(),
              CEGUI::Vector2f(static_cast<float>(real.x), static_cast<float>(real.y)));
}

/// One frame as a screen draws it, read back before it is shown.
sf::Image drawFrame(GameState& screen, SfmlFramework& sfml)
{
    screen.setBackgroundSfColor(sf::Color(20, 30, 60));
    screen.preRender();
    GameFramework::Singleton.postRender(&screen);
    sf::RenderWindow& window = *sfml.getWindow();
    sf::Texture grab;
    grab.create(window.getSize().x, window.getSize().y);
    grab.update(window);
    sfml.display();
    return grab.copyToImage();
}

TEST_F(GameFrameworkWindowTest, GuiIsDrawnThroughTheColourBlindFilter)
{
    CEGUI::Window* panel = CEGUI::WindowManager::getSingleton().createWindow("GWEN/Button", "Panel");
    panel->setArea(CEGUI::UVector2(CEGUI::UDim(0, 100), CEGUI::UDim(0, 100)),
                   CEGUI::USize(CEGUI::UDim(0, 300), CEGUI::UDim(0, 200)));
    panel->setProperty("NormalTextColour", "FFFF0000");
    panel->setText("RED RED RED");
    CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow()->addChild(panel);
    GameState screen;
    sfml->setupState(&screen);

    const sf::Image plain = drawFrame(screen, *sfml);
    // The shaders are read from "data/..." below the game's folder.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(VELK_SOURCE_DIR);
    sfml->setColorblindType(SfmlFramework::Protanopia);
    std::filesystem::current_path(previous);
    ASSERT_NE(sfml->getColorblindShader(), nullptr);
    const sf::Image filtered = drawFrame(screen, *sfml);

    // Outside the GUI the cleared background stays as it is.
    EXPECT_EQ(plain.getPixel(600, 500), sf::Color(20, 30, 60));
    EXPECT_EQ(filtered.getPixel(600, 500), sf::Color(20, 30, 60));
    int changed = 0;
    for (unsigned y = 100; y < 300; ++y)
        for (unsigned x = 100; x < 400; ++x)
            changed += plain.getPixel(x, y) != filtered.getPixel(x, y) ? 1 : 0;
    EXPECT_GT(changed, 100) << "the GUI's pixels pass through the filter";
    filtered.saveToFile(std::string(VELK_BINARY_DIR) + "/engine-colourblind.png");
}

} // namespace

/// Covers a screen for one frame, then leaves again.
class CoveringScreen : public GameState {
protected:
    void update() override { app::State::stop(); }
};

/// On its first frame starts a covering screen; when uncovered it makes a GUI
/// texture, as a screen does when it loads its image collections, then ends.
class ReturningScreen : public GameState {
public:
    int starts = 0;
    std::string textureError = "not tried";

protected:
    void onStateStart() override
    {
        GameState::onStateStart();
        if (++starts < 2)
            return;
        try {
            CEGUI::Renderer* renderer = CEGUI::System::getSingleton().getRenderer();
            renderer->destroyTexture(renderer->createTexture("ReturnTexture", CEGUI::Sizef(64, 64)));
            textureError.clear();
        } catch (const CEGUI::Exception& e) {
            textureError = e.getMessage().c_str();
        }
    }
    void update() override
    {
        if (starts == 1) {
            auto covering = std::make_shared<CoveringScreen>();
            GameFramework::Singleton.getSfmlFramework()->setupState(covering.get());
            app::State::start(covering);
        } else
            app::State::terminate();
    }
};

TEST_F(GameFrameworkWindowTest, AScreenComingBackBetweenFramesCanMakeGuiTextures)
{
    auto screen = std::make_shared<ReturningScreen>();
    sfml->setupState(screen.get());
    EXPECT_EQ(engine.run(screen), 0);
    EXPECT_EQ(screen->starts, 2);
    EXPECT_EQ(screen->textureError, "");
}
