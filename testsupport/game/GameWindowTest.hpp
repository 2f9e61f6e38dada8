#pragma once

// End-to-end tests of the game program: a fresh runtime folder, the program
// started in it, the player at its window, screenshots kept per test under
// <build>/screenshots/<group>/<test>, and the pixel tests the screens share
// (the skin's title bars, lit text, the main menu's buttons). Link
// velk_testsupport_app and velk_testsupport_window; define VELK_GAME.

#include "testsupport/app/GameFolder.hpp"
#include "testsupport/window/GameProcess.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velk_test {

inline int brightness(const sf::Color& c)
{
    return (c.r + c.g + c.b) / 3;
}

/// Lit text.
inline bool isBright(const sf::Color& c)
{
    return brightness(c) > 150;
}

/// The skin's title bars: a clearly blue, lit surface, lighter than the menu art.
inline bool isTitleBar(const sf::Color& c)
{
    return c.b > c.r + 40 && brightness(c) > 55;
}

/// Pixels of a rectangle for which the test holds.
inline int countPixels(const sf::Image& image, int left, int top, int width, int height,
                       const std::function<bool(const sf::Color&)>& test)
{
    int count = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            count += test(image.getPixel(x, y)) ? 1 : 0;
    return count;
}

/// The main menu's column of buttons in the 1024 x 768 window.
namespace mainmenu {

inline constexpr int ButtonX = 512;
inline constexpr int NewGame = 0, Highscores = 1, Editor = 2, Mapper = 3, Options = 4, Credits = 5, Exit = 6;

inline int buttonY(int index)
{
    return 235 + 52 * index;
}

/// Light pixels of a label in the 120 x 20 box centred on the point.
inline int labelPixels(const sf::Image& image, int x, int y)
{
    return countPixels(image, x - 60, y - 10, 120, 20, isBright);
}

/// The main menu: the Exit button's label is lit.
inline bool shown(const sf::Image& image)
{
    return labelPixels(image, ButtonX, buttonY(Exit)) > 20;
}

} // namespace mainmenu

class GameWindowTest : public ::testing::Test {
protected:
    explicit GameWindowTest(std::string shotGroup) : group(std::move(shotGroup)) {}

    /// The runtime folder with these shipped data folders linked in.
    void prepare(const std::vector<std::string>& dataFolders = GameFolder::AllButMaps)
    {
        folder = std::make_unique<GameFolder>(dataFolders);
        ASSERT_TRUE(folder->ready());
    }

    /// Starts the game in the runtime folder and waits for its window.
    void launch(const std::vector<std::string>& arguments = {})
    {
        ASSERT_TRUE(folder) << "prepare() first";
        ASSERT_TRUE(game.startWithWindow({VELK_GAME, arguments, folder->path(), folder->logFile(), {}}));
    }

    const XWindowDriver& player() const { return game.window; }

    /// The window as X shows it now; kept under the name for a person to look at.
    sf::Image capture(const std::string& name) const { return game.window.capture(shotFolder() / (name + ".png")); }

    /// Captures under the name until the test holds for the whole window.
    ::testing::AssertionResult waitFor(const std::string& name, const std::function<bool(const sf::Image&)>& test)
    {
        const std::filesystem::path shot = shotFolder() / (name + ".png");
        return game.waitFor(
            "the screen of " + shot.string(),
            [&] {
                const sf::Image image = game.window.capture(shot);
                return image.getSize() == sf::Vector2u(1024, 768) && test(image);
            },
            std::chrono::seconds(40), std::chrono::milliseconds(200));
    }

    /// One folder per test: the tests may run side by side.
    std::filesystem::path shotFolder() const
    {
        const std::filesystem::path path = std::filesystem::path(VELK_BINARY_DIR) / "screenshots" / group /
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(path);
        return path;
    }

    /// Exit in the main menu; the program ends with code 0.
    void exitFromMenu()
    {
        player().click(mainmenu::ButtonX, mainmenu::buttonY(mainmenu::Exit));
        EXPECT_EQ(game.waitForExit(), 0) << game.log();
    }

    std::unique_ptr<GameFolder> folder;
    GameProcess game;

private:
    std::string group;
};

} // namespace velk_test
