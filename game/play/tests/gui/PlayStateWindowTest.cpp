// The play screen's loading animation in a real window: the 59 frames load,
// the current one is drawn at its own size in the middle of the window, and
// it moves from frame to frame. The screen is driven without its loading
// thread, so the animation stays up as long as the test wants. Then the real
// loading thread while the window draws (also a ThreadSanitizer case), and the
// game-over dialog in Hungarian.

#include "app/DatabaseSeeder.hpp"
#include "app/Language.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameState.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/GameLogic.hpp"
#include "game/play/PlayState.hpp"
#include "game/shell/VelkInitHelper.hpp"
#include "testsupport/TempFolder.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

/// Shows a play screen that has not started: its loading animation, advanced
/// by the screen's own update, drawn by its own renderCore. Captures the
/// frames it is told to, then stops.
class LoadingScreen : public GameState {
public:
    std::vector<int> captureAt;
    std::vector<sf::Image> shots;
    std::size_t frameCount = 0;
    velk::PlayState play;

    LoadingScreen() { setBackgroundColor4ub(33, 33, 33, 255); }

    void onStateStart() override
    {
        GameState::onStateStart();
        play.startLoadingAnimation();
        frameCount = play.getLoadingAnimation()->frames.size();
    }
    void update() override { play.update(); }
    void renderCore() override
    {
        play.renderCore();
        if (frame == captureAt[shots.size()]) {
            sf::RenderWindow& window = *getSfmlFramework()->getWindow();
            sf::Texture texture;
            texture.create(window.getSize().x, window.getSize().y);
            texture.update(window);
            shots.push_back(texture.copyToImage());
            if (shots.size() == captureAt.size())
                app::State::stop();
        }
        ++frame;
    }

private:
    int frame = 0;
};

struct Box {
    unsigned left = 100000, top = 100000, right = 0, bottom = 0;
};

/// The rectangle of pixels that differ from the screen's background.
Box drawnArea(const sf::Image& image)
{
    Box box;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x) {
            const sf::Color c = image.getPixel(x, y);
            if (std::abs(c.r - 33) + std::abs(c.g - 33) + std::abs(c.b - 33) > 12) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
        }
    return box;
}

int warmPixels(const sf::Image& image)
{
    int count = 0;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x) {
            const sf::Color c = image.getPixel(x, y);
            count += c.r > 180 && c.g > 70 && c.b < 120 ? 1 : 0;
        }
    return count;
}

/// A working directory like the game's: the shipped data linked in, a
/// database of its own.
class PlayStateWindowTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        const fs::path source = fs::path(VELK_SOURCE_DIR) / "data";
        fs::create_directories(folder / "data");
        for (const char* name : {"gui", "glsl", "img", "mus", "snd", "obj", "ships", "map"})
            fs::create_directory_symlink(source / name, folder / "data" / name);
        ASSERT_TRUE(
            app::DatabaseSeeder::update((source / "velk.sql").string(), (folder / "data" / "velk.db").string()));
        previous = fs::current_path();
        fs::current_path(folder);
    }
    void TearDown() override
    {
        GameFramework::Singleton.shutdown();
        std::filesystem::current_path(previous);
    }

    /// The engine as the game starts it; true when it started.
    bool startEngine()
    {
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init({1, argv}, &helper);
        return GameFramework::Singleton.isInitialised();
    }

    /// Runs the screen until it stops.
    void run(const std::shared_ptr<GameState>& screen)
    {
        GameFramework::Singleton.getSfmlFramework()->setupState(screen.get());
        EXPECT_EQ(GameFramework::Singleton.run(screen), 0);
    }

    std::filesystem::path previous;
    velk::VelkInitHelper helper;
};

TEST_F(PlayStateWindowTest, LoadingAnimationLoopsItsFramesInTheMiddle)
{
    ASSERT_TRUE(startEngine());
    auto screen = std::make_shared<LoadingScreen>();
    // At 60 frames a second one loop is 36 frames; 9 frames are a quarter turn.
    screen->captureAt = {10, 19, 28};
    run(screen);

    EXPECT_EQ(screen->frameCount, 59u);
    ASSERT_EQ(screen->shots.size(), 3u);
    const std::filesystem::path folder = std::filesystem::path(VELK_BINARY_DIR) / "screenshots" / "play-window";
    std::filesystem::create_directories(folder);
    for (std::size_t i = 0; i < screen->shots.size(); ++i) {
        const sf::Image& shot = screen->shots[i];
        shot.saveToFile((folder / ("loading-" + std::to_string(i) + ".png")).string());
        SCOPED_TRACE(i);
        // The frame at its own size (160 x 160 at most) around the middle.
        const Box box = drawnArea(shot);
        const sf::Vector2u size = shot.getSize();
        ASSERT_LE(box.left, box.right) << "nothing drawn";
        EXPECT_LE(box.right - box.left, 160u);
        EXPECT_LE(box.bottom - box.top, 160u);
        EXPECT_GE(box.left, size.x / 2 - 80);
        EXPECT_LE(box.right, size.x / 2 + 80);
        EXPECT_GE(box.top, size.y / 2 - 80);
        EXPECT_LE(box.bottom, size.y / 2 + 80);
        // The moon's grey-blue in the middle, the lamp's warm light somewhere.
        const sf::Color middle = shot.getPixel(size.x / 2, size.y / 2);
        EXPECT_GT(middle.b, middle.r) << int(middle.r) << " " << int(middle.g) << " " << int(middle.b);
        EXPECT_GT(warmPixels(shot), 20);
    }
    // The lamp has moved between the shots.
    EXPECT_NE(drawnArea(screen->shots[0]).right, 0u);
    int moved = 0;
    const sf::Image& a = screen->shots[0];
    const sf::Image& b = screen->shots[1];
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
            moved += a.getPixel(x, y) != b.getPixel(x, y) ? 1 : 0;
    EXPECT_GT(moved, 100);
}

/// The play screen whose frames set a square view on the window while its
/// game is built, as a screen that draws something of its own may. It keeps
/// the camera the loaded game starts with, before any frame of this thread
/// has moved it, and the views of the window at the start and at that frame.
class ViewChangingPlay : public velk::PlayState {
public:
    sf::Vector2f viewAtStart;
    sf::Vector2f viewWhenLoaded;
    sf::Vector2f firstCamera;

    void onStateStart() override
    {
        viewAtStart = window().getView().getSize();
        velk::PlayState::onStateStart();
        squareView();
    }
    void update() override
    {
        keepFirstCamera();
        velk::PlayState::update();
    }
    void renderCore() override
    {
        keepFirstCamera();
        velk::PlayState::renderCore();
        if (firstCamera.y > 0.0f)
            app::State::stop();
        else
            squareView();
    }

private:
    static sf::RenderWindow& window() { return *GameFramework::Singleton.getSfmlFramework()->getWindow(); }

    void squareView()
    {
        const float side = static_cast<float>(window().getSize().y);
        window().setView(sf::View(sf::FloatRect(0.0f, 0.0f, side, side)));
    }

    void keepFirstCamera()
    {
        if (firstCamera.y > 0.0f || !logic())
            return;
        firstCamera = logic()->world().getCamera().getSize();
        viewWhenLoaded = window().getView().getSize();
    }
};

TEST_F(PlayStateWindowTest, FirstCameraTakesTheWindowAspectWithoutTheWorkerReadingTheWindow)
{
    ASSERT_TRUE(startEngine());
    auto screen = std::make_shared<ViewChangingPlay>();
    screen->setShipFile("data/ships/Mole.ship.json");
    screen->setMapFile("data/map/canyon_run.map.json");
    run(screen);

    ASSERT_GT(screen->firstCamera.y, 0.0f) << "the game did not load";
    // The window's view was square while the game was built, and not before.
    ASSERT_EQ(screen->viewWhenLoaded.x, screen->viewWhenLoaded.y);
    ASSERT_NE(screen->viewAtStart.x, screen->viewAtStart.y);
    EXPECT_FLOAT_EQ(screen->firstCamera.y, 50.0f);
    EXPECT_NEAR(screen->firstCamera.x, 50.0f * screen->viewAtStart.x / screen->viewAtStart.y, 1e-3f);
}

/// The play screen's windows with the game-over dialog open: its prompt as
/// translated, then with I in place of Í. A label in the dialog, where nothing
/// cuts a letter, shows Í and then I. Each is shot with the GUI drawn.
class GameOverScreen : public GameState {
public:
    velk::PlayState play;
    CEGUI::Window* prompt = nullptr;
    CEGUI::Window* label = nullptr;
    CEGUI::String translated;
    std::vector<sf::Image> shots;

    void onStateStart() override
    {
        GameState::onStateStart();
        play.initGui();
        play.openGameOver();
        CEGUI::Window* dialog = CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow()->getChild(
            "GameOver");
        prompt = dialog->getChild("Text");
        translated = prompt->getText();
        label = CEGUI::WindowManager::getSingleton().createWindow("GWEN/Label", "Reference");
        label->setArea(CEGUI::UVector2(CEGUI::UDim(0, 20), CEGUI::UDim(0, 100)),
                       CEGUI::USize(CEGUI::UDim(0, 40), CEGUI::UDim(0, 40)));
        dialog->addChild(label);
        label->setText(CEGUI::String(1, 0xCD));
    }
    void postRender() override
    {
        GameFramework::Singleton.postRender(this);
        if (++frame % 3 == 0) {
            sf::RenderWindow& window = *getSfmlFramework()->getWindow();
            sf::Texture texture;
            texture.create(window.getSize().x, window.getSize().y);
            texture.update(window);
            shots.push_back(texture.copyToImage());
            CEGUI::String plain = translated;
            std::replace(plain.begin(), plain.end(), CEGUI::utf32(0xCD), CEGUI::utf32('I'));
            prompt->setText(plain);
            label->setText("I");
            if (shots.size() == 2)
                app::State::stop();
        }
        SfmlState::postRender();
    }

private:
    int frame = 0;
};

/// The first row of light text in the area of the screen; -1 for none. A
/// small accent is a thin, soft line: half as bright as the text counts.
int textTop(const sf::Image& image, const CEGUI::Rectf& area)
{
    for (int y = static_cast<int>(area.top()); y < static_cast<int>(area.bottom()); ++y)
        for (int x = static_cast<int>(area.left()); x < static_cast<int>(area.right()); ++x) {
            const sf::Color c = image.getPixel(x, y);
            if (c.r + c.g + c.b > 3 * 90)
                return y;
        }
    return -1;
}

TEST_F(PlayStateWindowTest, GameOverPromptShowsTheAccentOfItsHungarianCapital)
{
    ASSERT_TRUE(startEngine());
    GameFramework::Singleton.getLanguage()->setActLangCode("hu");
    auto screen = std::make_shared<GameOverScreen>();
    run(screen);

    ASSERT_EQ(screen->shots.size(), 2u);
    ASSERT_EQ(screen->translated.substr(0, 3), CEGUI::String(reinterpret_cast<const CEGUI::utf8*>("Írd")));
    const sf::Image& accented = screen->shots[0];
    const sf::Image& plain = screen->shots[1];
    const std::filesystem::path folder = std::filesystem::path(VELK_BINARY_DIR) / "screenshots" / "play-window";
    std::filesystem::create_directories(folder);
    accented.saveToFile((folder / "gameover-hu.png").string());
    const CEGUI::Rectf label = screen->label->getUnclippedOuterRect().get();
    const int accent = textTop(plain, label) - textTop(accented, label);
    ASSERT_GT(accent, 1) << "the label shows no accent over Í";

    // The prompt's first letter: from its first lit column on, as wide as I.
    const CEGUI::Rectf prompt = screen->prompt->getUnclippedOuterRect().get();
    const auto columns = [&](float x, float width) {
        return CEGUI::Rectf(x, prompt.top(), x + width, prompt.bottom());
    };
    float left = prompt.left();
    while (left < prompt.right() && textTop(plain, columns(left, 1.0f)) < 0)
        left += 1.0f;
    const CEGUI::Rectf letter = columns(left - 2.0f, 7.0f);
    ASSERT_GE(textTop(plain, letter), 0) << "no prompt text";
    EXPECT_EQ(textTop(plain, letter) - textTop(accented, letter), accent) << "the prompt's Í lost its accent's top";
}

} // namespace
