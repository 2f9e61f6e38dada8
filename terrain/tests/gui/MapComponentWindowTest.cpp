// The terrain component drawn into a render texture with alpha: chunks meet
// without a seam wherever the camera stands; large chunks keep the texture's scale;
// an empty map draws nothing.
#include "terrain/MapComponent.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/terrain/TerrainTestSupport.hpp"

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

class MapComponentWindowTest : public velk_test::TempFolderTest {
protected:
    /// Solid ground of unit cells, 8 a texture, drawn only.
    void load(unsigned width, unsigned height)
    {
        const std::string path = (folder / "Győző Őrs.map.json").string();
        velk_test::writeMap(velk_test::makeMap(width, height, 1.0f, 8, velk_test::plain(0)), path);
        ASSERT_TRUE(w.terrain->loadFromFile(path, MapComponent::DrawingOnly));
    }
    sf::Image draw(const sf::View& view, const sf::RenderStates& states = sf::RenderStates())
    {
        target.setView(view);
        target.clear(sf::Color(255, 0, 128));
        target.draw(*w.terrain, states);
        target.display();
        return target.getTexture().copyToImage();
    }
    velk_test::TerrainWorld w;
    sf::RenderTexture target;
};

} // namespace

TEST_F(MapComponentWindowTest, ChunksMeetWithoutASeamAtAnyCameraPosition)
{
    // Untextured ground is white; a pixel the texture pass misses stays
    // black, one the mask misses shows the clear colour.
    load(64, 64);
    ASSERT_TRUE(target.create(200, 150));
    const float unit = 24.0f; // pixels
    // The map at the origin, and at an odd offset as the parallax background
    // has it; the camera then moves in quarter pixels over 2.5 units, so
    // chunk boundaries (every 8 cells) cross the screen and its edges.
    const std::pair<sf::Vector2f, sf::Vector2f> sweeps[] = {{{0, 0}, {26, 26}},
                                                            {{-8.591555f, 13.465027f}, {39.470863f, 30.602999f}}};
    for (const auto& [placement, start] : sweeps)
        for (int step = 0; step < 240; ++step) {
            const float along = static_cast<float>(step) / (4.0f * unit);
            const sf::View view(start + sf::Vector2f(along, along), sf::Vector2f(200 / unit, 150 / unit));
            const sf::Image shot = draw(view, sf::RenderStates(sf::Transform().translate(placement)));
            const sf::Uint8* bytes = shot.getPixelsPtr();
            if (std::count(bytes, bytes + 200 * 150 * 4, 255) != 200 * 150 * 4) {
                shot.saveToFile(std::string(VELK_BINARY_DIR) + "/terrain_seam.png");
                FAIL() << "a seam, camera at " << view.getCenter().x << ", " << view.getCenter().y;
            }
        }
}

TEST_F(MapComponentWindowTest, LargeChunksKeepTheTextureScale)
{
    load(257 * 8, 8); // 257 texture blocks along the map: chunks of two
    EXPECT_EQ(w.terrain->getChunkEdge(), 16u);
    // Left texel red, right blue: of every 8 cells, 0..3 red and 4..7 blue.
    sf::Image pixels;
    pixels.create(2, 1, sf::Color::Red);
    pixels.setPixel(1, 0, sf::Color::Blue);
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(pixels));
    for (unsigned i = 0; i < w.terrain->getNumberOfChunks(); ++i) {
        w.terrain->getChunk(i)->setTexture(&texture);
        w.terrain->getChunk(i)->setTextureRect(sf::IntRect(0, 0, 2, 1));
    }
    ASSERT_TRUE(target.create(400, 80));
    const sf::Image shot = draw(sf::View(sf::FloatRect(0, 0, 40, 8)));
    for (unsigned cell = 0; cell < 40; ++cell)
        EXPECT_EQ(shot.getPixel(cell * 10 + 5, 40), cell % 8 < 4 ? sf::Color::Red : sf::Color::Blue) << cell;
}

TEST_F(MapComponentWindowTest, EmptyMapsLoadAndDrawNothing)
{
    ASSERT_TRUE(target.create(40, 30));
    const std::string path = (folder / "Üres ő.map.json").string();
    for (const auto& [width, height] : {std::pair{0u, 0u}, {0u, 5u}, {5u, 0u}}) {
        velk_test::writeMap(velk_test::makeMap(width, height, 1.0f, 8, velk_test::plain(0)), path);
        ASSERT_TRUE(w.terrain->loadFromFile(path, MapComponent::Physical)) << width << " x " << height;
        EXPECT_EQ(w.terrain->getNumberOfChunks(), 0u);
        w.terrain->drill(math::Vector2<int>(2, 2), 3.0f);
        w.world.update(1.0f / 60);
        const sf::Image shot = draw(sf::View(sf::FloatRect(-2, -2, 8, 6)));
        EXPECT_EQ(shot.getPixel(20, 15), sf::Color(255, 0, 128)) << width << " x " << height;
    }
}
