#include "testsupport/gui/GuiWindowFixture.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace {

class CeguiRenderWindowTest : public velk_test::GuiWindowFixture {};

const sf::Color Background(20, 30, 60);

TEST_F(CeguiRenderWindowTest, ShaderGivenForTheGuiAppliesToItAlone)
{
    if (!sf::Shader::isAvailable()) {
        GTEST_SKIP() << "no shaders on this display";
    }
    sf::Shader green;
    ASSERT_TRUE(green.loadFromMemory("void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }", sf::Shader::Fragment));
    createAt("GWEN/Button", "Button", root, 100, 100, 200, 50);

    const sf::Image shot = frame(Background, &green, [](sf::RenderWindow& window) {
        // Drawn by SFML after the GUI: no shader may be left bound.
        sf::RectangleShape plain(sf::Vector2f(40, 40));
        plain.setPosition(500, 400);
        plain.setFillColor(sf::Color::Red);
        window.draw(plain);
    });
    EXPECT_EQ(shot.getPixel(200, 125), sf::Color::Green);
    EXPECT_EQ(shot.getPixel(600, 100), Background);
    EXPECT_EQ(shot.getPixel(520, 420), sf::Color::Red);
}

TEST_F(CeguiRenderWindowTest, SfmlTexturesDrawRightAfterTheGui)
{
    createAt("GWEN/FrameWindow", "Frame", root, 50, 50, 300, 200);
    sf::Image pixels;
    pixels.create(2, 2, sf::Color::Blue);
    pixels.setPixel(1, 1, sf::Color::Yellow);
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(pixels));

    for (int i = 0; i < 2; ++i) { // the second frame starts with SFML's cache as the first left it
        const sf::Image shot = frame(Background, nullptr, [&texture](sf::RenderWindow& window) {
            sf::Sprite sprite(texture);
            sprite.setScale(50, 50);
            sprite.setPosition(500, 300);
            window.draw(sprite);
        });
        EXPECT_EQ(shot.getPixel(520, 320), sf::Color::Blue) << "frame " << i;
        EXPECT_EQ(shot.getPixel(580, 380), sf::Color::Yellow) << "frame " << i;
        EXPECT_NE(shot.getPixel(200, 150), Background) << "frame " << i;
    }
}

TEST_F(CeguiRenderWindowTest, NewDisplaySizeMovesRelativeWindows)
{
    // A window anchored to the right edge by its scale follows a resize.
    CEGUI::Window* right = CEGUI::WindowManager::getSingleton().createWindow("GWEN/Button", "Right");
    right->setArea(CEGUI::UVector2(CEGUI::UDim(1, -110), CEGUI::UDim(0, 10)),
                   CEGUI::USize(CEGUI::UDim(0, 100), CEGUI::UDim(0, 40)));
    root->addChild(right);
    root->setSize(CEGUI::USize(CEGUI::UDim(1, 0), CEGUI::UDim(1, 0)));
    EXPECT_NE(frame().getPixel(800 - 60, 30), Background);

    sfml.setResolution(1024, 768);
    ASSERT_NE(sfml.getWindow(), nullptr);
    sfml.getWindow()->setActive(true);
    notifyCeguiDisplaySize(1024, 768);
    const sf::Image shot = frame();
    ASSERT_EQ(shot.getSize(), sf::Vector2u(1024, 768));
    EXPECT_NE(shot.getPixel(1024 - 60, 30), Background);
    EXPECT_EQ(shot.getPixel(800 - 60, 30), Background);
}

} // namespace
