// The colour-blind filters compiled by the real driver and run on pixels, and
// the one-pixel colour textures.

// gtest before the X11 headers: Xlib defines macros such as None.
#include <gtest/gtest.h>

#include "WindowTestSupport.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>

// For glGetUniformLocation (OpenGL 2.0), which libGL exports.
#define GL_GLEXT_PROTOTYPES
#include <SFML/OpenGL.hpp>

#include <cmath>
#include <fstream>
#include <unistd.h>

using namespace windowtest;

namespace {

// The shaders are read from "data/..." relative to the working directory,
// which is the source tree when the game runs.
class SfmlFilter : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(chdir(VELK_SOURCE_DIR), 0);
        sfml.init(&helper);
        ASSERT_NE(sfml.getWindow(), nullptr);
    }

    // Draws the colours as a row of pixels through the shader and reads the
    // result back.
    std::vector<sf::Color> run(sf::Shader* shader, const std::vector<sf::Color>& colours)
    {
        const unsigned n = static_cast<unsigned>(colours.size());
        sf::Image image;
        image.create(n, 1);
        for (unsigned i = 0; i < n; ++i)
            image.setPixel(i, 0, colours[i]);
        sf::Texture texture;
        texture.loadFromImage(image);
        sf::RenderTexture target;
        target.create(n, 1);
        target.clear(sf::Color::Transparent);
        sf::RenderStates states(sf::BlendNone);
        states.shader = shader;
        target.draw(sf::Sprite(texture), states);
        target.display();
        const sf::Image out = target.getTexture().copyToImage();
        std::vector<sf::Color> result;
        for (unsigned i = 0; i < n; ++i)
            result.push_back(out.getPixel(i, 0));
        return result;
    }

    sf::Shader* use(SfmlFramework::ColorblindType type, SfmlFramework::ColoblindMode mode)
    {
        sfml.setColorblindType(type);
        sfml.setColorblindMode(mode);
        return sfml.getColorblindShader();
    }

    static float distance(const sf::Color& a, const sf::Color& b)
    {
        const float dr = (a.r - b.r) / 255.0f, dg = (a.g - b.g) / 255.0f, db = (a.b - b.b) / 255.0f;
        return std::sqrt(dr * dr + dg * dg + db * db);
    }

    TestInitHelper helper;
    SfmlFramework sfml;
};

const SfmlFramework::ColorblindType Types[] = {SfmlFramework::Protanopia, SfmlFramework::Deuteranopia,
                                               SfmlFramework::Tritanopia};
const SfmlFramework::ColoblindMode Modes[] = {SfmlFramework::ColorblindSym, SfmlFramework::ColorblindFix};

} // namespace

TEST_F(SfmlFilter, AllSixShadersCompileAndKeepGreysAndAlpha)
{
    for (auto type : Types)
        for (auto mode : Modes) {
            sf::Shader* shader = use(type, mode);
            ASSERT_NE(shader, nullptr);
            ASSERT_NE(shader->getNativeHandle(), 0u) << SfmlFramework::getColorblindShaderPath(type, mode);
            const std::vector<sf::Color> greys = {sf::Color(0, 0, 0), sf::Color(128, 128, 128, 200),
                                                  sf::Color(255, 255, 255)};
            const std::vector<sf::Color> out = run(shader, greys);
            for (std::size_t i = 0; i < greys.size(); ++i) {
                EXPECT_NEAR(out[i].r, greys[i].r, 2) << type << "/" << mode << " #" << i;
                EXPECT_NEAR(out[i].g, greys[i].g, 2) << type << "/" << mode << " #" << i;
                EXPECT_NEAR(out[i].b, greys[i].b, 2) << type << "/" << mode << " #" << i;
                EXPECT_EQ(out[i].a, greys[i].a) << type << "/" << mode << " #" << i;
            }
        }
}

TEST_F(SfmlFilter, ShadersAreOldGlslAndReadTheTextureUniform)
{
    // GLSL 1.10 or 1.20, so that any OpenGL 2 driver takes them, and the
    // picture comes in through the uniform "texture" that the layer sets.
    for (auto type : Types)
        for (auto mode : Modes) {
            const std::string path = SfmlFramework::getColorblindShaderPath(type, mode);
            std::ifstream file(path);
            std::string firstLine;
            ASSERT_TRUE(std::getline(file, firstLine)) << path;
            EXPECT_TRUE(firstLine == "#version 110" || firstLine == "#version 120") << path << ": " << firstLine;

            sf::Shader* shader = use(type, mode);
            ASSERT_NE(shader, nullptr);
            ASSERT_NE(shader->getNativeHandle(), 0u) << path;
            // -1 when the name is missing or unused (and optimised away).
            EXPECT_GE(glGetUniformLocation(shader->getNativeHandle(), "texture"), 0) << path;
        }
}

TEST_F(SfmlFilter, SimulationMergesConfusedColoursAndCorrectionSeparatesThem)
{
    // Pairs on each deficiency's confusion line: red and green for the
    // red-green types, blue and green for tritanopia.
    const sf::Color red(255, 0, 0), green(0, 128, 0), blue(0, 0, 255);
    for (auto type : Types) {
        const sf::Color a = type == SfmlFramework::Tritanopia ? blue : red;
        const sf::Color b = green;
        sf::Shader* simulate = use(type, SfmlFramework::ColorblindSym);
        const std::vector<sf::Color> seen = run(simulate, {a, b});
        const float seenApart = distance(seen[0], seen[1]);
        EXPECT_LT(seenApart, 0.5f * distance(a, b)) << type;

        const std::vector<sf::Color> corrected = run(use(type, SfmlFramework::ColorblindFix), {a, b});
        EXPECT_GT(distance(corrected[0], a), 0.1f) << type; // the correction changes the colour
        const std::vector<sf::Color> seenCorrected = run(use(type, SfmlFramework::ColorblindSym), corrected);
        EXPECT_GT(distance(seenCorrected[0], seenCorrected[1]), 2.0f * seenApart) << type;
    }
}

TEST_F(SfmlFilter, TypeAndModeChangesRebuildOnlyWhenTheyChange)
{
    sf::Shader* first = use(SfmlFramework::Tritanopia, SfmlFramework::ColorblindFix);
    ASSERT_NE(first, nullptr);
    sfml.setColorblindType(SfmlFramework::Tritanopia);
    sfml.setColorblindMode(SfmlFramework::ColorblindFix);
    EXPECT_EQ(sfml.getColorblindShader(), first);
    sfml.updateColorblindShader();
    EXPECT_NE(sfml.getColorblindShader(), first);

    // A type without a name: the file does not exist, an empty shader stays
    // (it binds as no program, so drawing goes on unfiltered).
    sfml.setColorblindType(static_cast<SfmlFramework::ColorblindType>(4));
    ASSERT_NE(sfml.getColorblindShader(), nullptr);
    EXPECT_EQ(sfml.getColorblindShader()->getNativeHandle(), 0u);
    const std::vector<sf::Color> out = run(sfml.getColorblindShader(), {sf::Color(255, 0, 0)});
    EXPECT_EQ(out[0], sf::Color(255, 0, 0));

    sfml.setColorblindType(SfmlFramework::ColorblindNone);
    EXPECT_EQ(sfml.getColorblindShader(), nullptr);
}

TEST_F(SfmlFilter, OnePixelTexturesAreMadeOnFirstUseInTheirColours)
{
    const std::pair<const SfmlStaticTexture*, sf::Color> textures[] = {
        {&SfmlFramework::sBlackTexture, sf::Color::Black},
        {&SfmlFramework::sWhiteTexture, sf::Color::White},
        {&SfmlFramework::sRedTexture, sf::Color::Red},
        {&SfmlFramework::sGreenTexture, sf::Color::Green},
        {&SfmlFramework::sBlueTexture, sf::Color::Blue},
        {&SfmlFramework::sCyanTexture, sf::Color::Cyan},
        {&SfmlFramework::sMagentaTexture, sf::Color::Magenta},
        {&SfmlFramework::sYellowTexture, sf::Color::Yellow},
        {&SfmlFramework::sTransparentTexture, sf::Color::Transparent},
    };
    for (const auto& [texture, colour] : textures) {
        EXPECT_FALSE(texture->isCreated());
        const sf::Texture& made = texture->get();
        EXPECT_TRUE(texture->isCreated());
        EXPECT_EQ(&texture->get(), &made); // made once
        ASSERT_EQ(made.getSize(), sf::Vector2u(1, 1));
        EXPECT_EQ(made.copyToImage().getPixel(0, 0), colour);
    }
    // Copies are plain textures (missing textures are replaced this way).
    sf::Texture copy = SfmlFramework::sRedTexture;
    EXPECT_EQ(copy.copyToImage().getPixel(0, 0), sf::Color::Red);
}

TEST_F(SfmlFilter, PlainColoursDrawnWithTheWhiteTextureAreFiltered)
{
    // The filters read the texture being drawn; a plain shape draws through
    // them when it carries the one-pixel white texture.
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(4, 4));
    target.clear(sf::Color::Transparent);
    sf::RectangleShape square({4.0f, 4.0f});
    square.setTexture(&SfmlFramework::sWhiteTexture.get());
    square.setFillColor(sf::Color(128, 128, 128));
    sf::RenderStates states(sf::BlendNone);
    states.shader = use(SfmlFramework::Deuteranopia, SfmlFramework::ColorblindSym);
    ASSERT_NE(states.shader, nullptr);
    target.draw(square, states);
    target.display();
    const sf::Color out = target.getTexture().copyToImage().getPixel(2, 2);
    // A grey stays grey (within rounding) instead of turning black.
    EXPECT_NEAR(out.r, 128, 2);
    EXPECT_NEAR(out.g, 128, 2);
    EXPECT_NEAR(out.b, 128, 2);
    EXPECT_EQ(out.a, 255);
}
