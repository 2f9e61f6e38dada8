// Drives the demo program with real X input (xdotool) and reads its window
// back with ImageMagick's import, as a player and a screenshot would see it.

#include "testsupport/TempFolder.hpp"
#include "testsupport/window/GameProcess.hpp"
#include "testsupport/window/XServerKeeper.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Where the demo script puts its windows (pixels). The skin's frame window has
// a 3 px border and a 24 px title bar around its client area.
constexpr int PanelLeft = 200, PanelTop = 100;
constexpr int ClientLeft = PanelLeft + 3, ClientTop = PanelTop + 24;
constexpr int CanvasLeft = ClientLeft + 20, CanvasTop = ClientTop + 20, CanvasWidth = 200, CanvasHeight = 120;
constexpr int OverLeft = CanvasLeft + 10, OverTop = CanvasTop + 10, OverWidth = 60, OverHeight = 30;
constexpr int ClickLeft = ClientLeft + 20, ClickTop = ClientTop + 160, ClickWidth = 160, ClickHeight = 32;

bool isRed(const sf::Color& c)
{
    return c.r > 240 && c.g < 15 && c.b < 15;
}

class GuiDemoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keeper.connected()) << "no display";
        outFile = folder / "demo.out";
        ASSERT_TRUE(demo.start({VELK_GUI_DEMO,
                                {"--out=" + outFile.string(), "--log=" + (folder / "gui.log").string()},
                                {},
                                folder / "demo.log",
                                {}}));
        ASSERT_TRUE(waitForLines("ready", 1)) << "the demo did not show its first frame";
        ASSERT_TRUE(demo.window.findWindow()) << demo.lastOutput();
    }

    void TearDown() override
    {
        if (demo.running())
            stop();
    }

    /// Escape ends the demo, which ends cleanly.
    void stop()
    {
        demo.window.chord("Escape");
        EXPECT_EQ(demo.waitForExit(), 0) << demo.lastOutput();
    }

    int countLines(const std::string& line)
    {
        std::ifstream in(outFile);
        int count = 0;
        for (std::string read; std::getline(in, read);) {
            count += read == line ? 1 : 0;
        }
        return count;
    }

    ::testing::AssertionResult waitForLines(const std::string& line, int count)
    {
        return demo.waitFor("\"" + line + "\" " + std::to_string(count) + " times in " + outFile.string(),
                            [&] { return countLines(line) >= count; });
    }

    void click(int x, int y) { ASSERT_TRUE(demo.window.click(x, y, 1, std::chrono::milliseconds(0))); }

    /// The window as X shows it once the canvas has drawn (or after a while).
    sf::Image capture(sf::Vector2u size)
    {
        const fs::path file = folder / "shot.png";
        sf::Image shot;
        EXPECT_TRUE(demo.waitFor(
            "the canvas drawn in " + file.string(),
            [&] {
                shot = demo.window.capture(file);
                return shot.getSize() == size && isRed(shot.getPixel(CanvasLeft, CanvasTop));
            },
            std::chrono::seconds(40), std::chrono::milliseconds(200)));
        return shot;
    }

    void expectCanvasClipped(const sf::Image& shot)
    {
        const int right = CanvasLeft + CanvasWidth, bottom = CanvasTop + CanvasHeight;
        EXPECT_TRUE(isRed(shot.getPixel(CanvasLeft, CanvasTop)));
        EXPECT_TRUE(isRed(shot.getPixel(right - 1, bottom - 1)));
        EXPECT_TRUE(isRed(shot.getPixel(CanvasLeft + 150, CanvasTop + 80)));
        // One pixel outside on each side: the panel, not the canvas drawing.
        EXPECT_FALSE(isRed(shot.getPixel(CanvasLeft - 1, CanvasTop + 60)));
        EXPECT_FALSE(isRed(shot.getPixel(right, CanvasTop + 60)));
        EXPECT_FALSE(isRed(shot.getPixel(CanvasLeft + 100, CanvasTop - 1)));
        EXPECT_FALSE(isRed(shot.getPixel(CanvasLeft + 100, bottom)));
        // The canvas's child button is drawn over the drawing.
        EXPECT_FALSE(isRed(shot.getPixel(OverLeft + OverWidth / 2, OverTop + OverHeight / 2)));
        // SFML's own drawing before the GUI: a green circle at (10, 10), radius 30.
        const sf::Color sun = shot.getPixel(40, 40);
        EXPECT_TRUE(sun.g > 240 && sun.r < 15 && sun.b < 15);
        // Outside the GUI the background stays.
        EXPECT_EQ(shot.getPixel(700, 500), sf::Color(20, 30, 60));
    }

    velk_test::XServerKeeper keeper;
    velk_test::TempFolder temp;
    const fs::path& folder = temp.getPath();
    fs::path outFile;
    velk_test::GameProcess demo;
};

TEST_F(GuiDemoTest, ClickOnTheButtonReachesTheGui)
{
    click(ClickLeft + ClickWidth / 2, ClickTop + ClickHeight / 2);
    ASSERT_TRUE(waitForLines("clicked", 1));
    // A click beside the button is not a click of the button.
    click(ClickLeft + ClickWidth + 20, ClickTop + ClickHeight / 2);
    click(ClickLeft + 5, ClickTop + 5);
    ASSERT_TRUE(waitForLines("clicked", 2));
    EXPECT_EQ(countLines("clicked"), 2);
    stop();
}

TEST_F(GuiDemoTest, CanvasDrawingStaysInsideTheCanvas)
{
    const sf::Image shot = capture({800, 600});
    ASSERT_EQ(shot.getSize(), sf::Vector2u(800, 600));
    expectCanvasClipped(shot);
}

TEST_F(GuiDemoTest, RecreatedWindowKeepsDrawingTheGui)
{
    demo.window.chord("F2");
    ASSERT_TRUE(waitForLines("recreated 1024x768", 1));
    ASSERT_TRUE(demo.window.findWindow()) << demo.lastOutput();
    const sf::Image shot = capture({1024, 768});
    ASSERT_EQ(shot.getSize(), sf::Vector2u(1024, 768));
    expectCanvasClipped(shot);
    EXPECT_EQ(shot.getPixel(1000, 740), sf::Color(20, 30, 60));

    // The GUI still takes input in the new window.
    click(ClickLeft + ClickWidth / 2, ClickTop + ClickHeight / 2);
    ASSERT_TRUE(waitForLines("clicked", 1));

    // And back to the first size.
    demo.window.chord("F2");
    ASSERT_TRUE(waitForLines("recreated 800x600", 1));
    ASSERT_TRUE(demo.window.findWindow()) << demo.lastOutput();
    const sf::Image again = capture({800, 600});
    ASSERT_EQ(again.getSize(), sf::Vector2u(800, 600));
    expectCanvasClipped(again);
    stop();
}

TEST_F(GuiDemoTest, GuiLogIsWritten)
{
    stop();
    std::ifstream in(folder / "gui.log");
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(log.find("GWEN"), std::string::npos);
    EXPECT_NE(log.find("CEGUI::System singleton destroyed"), std::string::npos);
}

} // namespace
