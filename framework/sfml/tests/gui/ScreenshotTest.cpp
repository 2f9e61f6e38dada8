// F11 puts the finished frame on the X11 clipboard, where another program
// (xclip) can paste it as PNG or BMP.

// gtest before the X11 headers: Xlib defines macros such as None.
#include <gtest/gtest.h>

#include "WindowTestSupport.hpp"
#include "testsupport/LogCapture.hpp"

#include <SFML/Graphics/RectangleShape.hpp>

#include <chrono>
#include <thread>

using namespace windowtest;

namespace {

const sf::Color Background(10, 20, 30);
const sf::Color Box(200, 100, 50);

void drawScene(SfmlFramework& sfml, const sf::Color& background)
{
    sfml.clear(background);
    sf::RectangleShape box({60.0f, 30.0f});
    box.setPosition(50.0f, 40.0f);
    box.setFillColor(Box);
    sfml.getRenderTarget().draw(box);
    sfml.display();
}

void runFrames(SfmlFramework& sfml, int frames, const sf::Color& background)
{
    for (int i = 0; i < frames; ++i) {
        sfml.pollEvent();
        drawScene(sfml, background);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string pasteAs(const std::string& target)
{
    return runCommand("xclip -o -selection clipboard -t " + target).output;
}

// Asks the clipboard until it offers PNG data (the owner takes the selection
// on its own thread).
std::string waitForPng()
{
    for (int i = 0; i < 100; ++i) {
        if (pasteAs("TARGETS").find("image/png") != std::string::npos) {
            std::string png = pasteAs("image/png");
            if (!png.empty())
                return png;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

sf::Image decode(const std::string& bytes)
{
    sf::Image image;
    if (!bytes.empty())
        image.loadFromMemory(bytes.data(), bytes.size());
    return image;
}

} // namespace

TEST(SfmlScreenshot, F11PutsTheFrameOnTheClipboardAsPngAndBmp)
{
    velk_test::LogCapture logs;
    TestInitHelper helper;
    helper.resolution = {320, 200};
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    focusWindow(windowId(sfml));
    runFrames(sfml, 5, Background);
    ASSERT_TRUE(sfml.isWindowFocused());

    logs.clear();
    xdotool("key F11");
    runFrames(sfml, 10, Background);
    const std::string log = logs.text();
    EXPECT_NE(log.find("[Sfml] Screenshot\n"), std::string::npos) << log;

    const std::string png = waitForPng();
    ASSERT_FALSE(png.empty());
    const std::string targets = pasteAs("TARGETS");
    EXPECT_NE(targets.find("image/bmp"), std::string::npos) << targets;

    const sf::Image fromPng = decode(png);
    ASSERT_EQ(fromPng.getSize(), sf::Vector2u(320, 200));
    EXPECT_EQ(fromPng.getPixel(0, 0), Background);
    EXPECT_EQ(fromPng.getPixel(319, 199), Background);
    EXPECT_EQ(fromPng.getPixel(50, 40), Box);  // top-left corner of the box
    EXPECT_EQ(fromPng.getPixel(109, 69), Box); // bottom-right corner
    EXPECT_EQ(fromPng.getPixel(110, 70), Background);

    // The BMP (192 000 bytes of pixels, sent in chunks) holds the same picture.
    const std::string bmp = pasteAs("image/bmp");
    ASSERT_EQ(bmp.size(), 14u + 40u + 320u * 3u * 200u);
    // Both headers, little-endian: 192 054 = 0x2EE36 bytes in all, pixels at
    // 54; width 320 = 0x140, height 200 (bottom-up), 1 plane, 24 bits,
    // uncompressed, 192 000 = 0x2EE00 bytes of rows (960 each, no padding).
    const std::string headers = {'B',  'M',  0x36, '\xEE', 0x02,   0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0,    0,
                                 0x40, 0x01, 0,    0,      '\xC8', 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 0x00, '\xEE',
                                 0x02, 0x00, 0,    0,      0,      0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0,    0};
    ASSERT_EQ(headers.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 54), headers);
    // Pixel (x, y) of the frame sits in stored row 199 - y, as blue, green, red.
    const auto bgrAt = [&](unsigned x, unsigned y) { return bmp.substr(54 + (199 - y) * 960 + 3 * x, 3); };
    const std::string backgroundBgr = {30, 20, 10}, boxBgr = {50, 100, '\xC8'};
    EXPECT_EQ(bmp.substr(54, 3), backgroundBgr); // the first stored pixel is the bottom-left one
    EXPECT_EQ(bgrAt(50, 40), boxBgr);
    EXPECT_EQ(bgrAt(109, 69), boxBgr);
    EXPECT_EQ(bgrAt(110, 70), backgroundBgr);
    EXPECT_EQ(bgrAt(49, 40), backgroundBgr);
    const sf::Image fromBmp = decode(bmp);
    ASSERT_EQ(fromBmp.getSize(), sf::Vector2u(320, 200));
    for (unsigned y = 0; y < 200; y += 7)
        for (unsigned x = 0; x < 320; x += 9)
            ASSERT_EQ(fromBmp.getPixel(x, y), fromPng.getPixel(x, y)) << x << "," << y;

    // A second F11 replaces the clipboard's picture.
    const sf::Color second(0, 160, 0);
    xdotool("key F11");
    runFrames(sfml, 10, second);
    sf::Image replaced;
    for (int i = 0; i < 100 && !(replaced.getSize().x > 0 && replaced.getPixel(0, 0) == second); ++i) {
        replaced = decode(pasteAs("image/png"));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(replaced.getSize(), sf::Vector2u(320, 200));
    EXPECT_EQ(replaced.getPixel(0, 0), second);
    EXPECT_EQ(replaced.getPixel(60, 50), Box);
}

TEST(SfmlScreenshot, F11WithoutFocusTakesNoScreenshot)
{
    velk_test::LogCapture logs;
    TestInitHelper helper;
    SfmlFramework sfml;
    sfml.init(&helper);
    ASSERT_NE(sfml.getWindow(), nullptr);
    XProbe probe;
    const Window other = probe.createOtherWindow();
    focusWindow(other);
    ASSERT_TRUE(pumpUntil(sfml, [&] { return !sfml.isWindowFocused(); }));

    logs.clear();
    xdotool("key F11");
    runFrames(sfml, 10, Background);
    const std::string log = logs.text();
    EXPECT_EQ(log.find("[Sfml] Screenshot"), std::string::npos) << log;
    EXPECT_EQ(pasteAs("TARGETS").find("image/png"), std::string::npos);
}
