#include "framework/fx/AssetCache.hpp"
#include "framework/fx/Emitter.hpp"
#include "framework/fx/ParticleSystem.hpp"
#include "testsupport/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

class TextureCacheGuiTest : public velk_test::TempFolderTest {
protected:
    std::string writeImage(const std::string& name, unsigned width, unsigned height, sf::Color color)
    {
        sf::Image image;
        image.create(width, height, color);
        const std::string path = (folder / fs::u8path(name)).u8string();
        EXPECT_TRUE(image.saveToFile(path));
        return path;
    }
};

TEST_F(TextureCacheGuiTest, TexturesLoadOnceAndAreShared)
{
    const std::string path = writeImage("szikra.png", 8, 4, sf::Color::Red);
    fx::AssetCache<sf::Texture> cache;
    const auto key = fx::fileKey<sf::Texture>(path);
    const auto texture = cache.acquire(key);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->getSize(), sf::Vector2u(8, 4));
    EXPECT_EQ(cache.acquire(key), texture);
    EXPECT_EQ(cache.find(key), texture);
}

TEST_F(TextureCacheGuiTest, TextureLoadedOnAnotherThreadIsUsableHere)
{
    const std::string path = writeImage("loading.png", 2, 2, sf::Color::Green);
    fx::AssetCache<sf::Texture> cache;
    const auto key = fx::fileKey<sf::Texture>(path);
    std::thread loader([&] { cache.acquire(key); });
    loader.join();

    const auto texture = cache.find(key);
    ASSERT_NE(texture, nullptr);
    const sf::Image pixels = texture->copyToImage();
    EXPECT_EQ(pixels.getPixel(1, 1), sf::Color::Green);
}

TEST_F(TextureCacheGuiTest, BrokenImageGivesNull)
{
    const fs::path path = folder / "broken.png";
    std::ofstream(path) << "\x89PNG but cut short";
    fx::AssetCache<sf::Texture> cache;
    EXPECT_EQ(cache.acquire(fx::fileKey<sf::Texture>(path.string())), nullptr);
}

TEST_F(TextureCacheGuiTest, FontsReadTheirGlyphsLongAfterLoading)
{
    const fs::path copy = folder / fs::u8path("Győző betűi.ttf");
    fs::copy_file("/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf", copy);
    fx::AssetCache<sf::Font> fonts;
    const auto font = fonts.acquire(fx::fileKey<sf::Font>(copy.u8string()));
    ASSERT_NE(font, nullptr);
    fonts.release(fx::fileKey<sf::Font>(copy.u8string()));
    // Each glyph is read from the file's bytes when it is first drawn.
    for (const char32_t letter : std::u32string(U"őűŐŰ"))
        EXPECT_GT(font->getGlyph(letter, 40, false).bounds.width, 5.0f) << static_cast<unsigned>(letter);
}

TEST_F(TextureCacheGuiTest, ParticlesDrawAsTexturedQuads)
{
    const std::string path = writeImage("particle.png", 4, 4, sf::Color::White);
    fx::AssetCache<sf::Texture> cache;
    fx::ParticleSystem system;
    system.setTexture(cache.acquire(fx::fileKey<sf::Texture>(path)));

    fx::Emitter emitter;
    emitter.setEmissionRate(1.f);
    emitter.setParticleLifetime(sf::seconds(10.f));
    emitter.setParticlePosition(sf::Vector2f(16.f, 16.f));
    emitter.setParticleScale(sf::Vector2f(2.f, 2.f)); // 8 x 8 pixels
    emitter.setParticleColor(sf::Color(0, 0, 255));
    system.addEmitter(emitter, sf::seconds(1.f));
    system.update(sf::seconds(1.f));
    ASSERT_EQ(system.getParticleCount(), 1u);

    sf::RenderTexture target;
    ASSERT_TRUE(target.create(32, 32));
    target.clear(sf::Color::Black);
    target.draw(system);
    target.display();
    const sf::Image shot = target.getTexture().copyToImage();
    EXPECT_EQ(shot.getPixel(16, 16), sf::Color(0, 0, 255));
    EXPECT_EQ(shot.getPixel(13, 13), sf::Color(0, 0, 255));
    EXPECT_EQ(shot.getPixel(10, 10), sf::Color::Black); // outside the 8 x 8 quad
    EXPECT_EQ(shot.getPixel(21, 16), sf::Color::Black);
}

} // namespace
