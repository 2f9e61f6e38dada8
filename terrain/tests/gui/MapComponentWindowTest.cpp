// The terrain component drawn into a render texture with alpha: neighbouring
// chunks meet without a seam wherever the camera stands, and large chunks
// keep the texture's scale.
#include "terrain/MapComponent.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/terrain/TerrainTestSupport.hpp"

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

namespace {

const sf::Color Sky(255, 0, 128);

class MapComponentWindowTest : public velk_test::TempFolderTest {
protected:
    void load(velk_test::TerrainWorld& w, unsigned width, unsigned height)
    {
        const std::string path = (folder / "Győző Őrs.map.json").string();
        velk_test::writeMap(velk_test::makeMap(width, height, 1.0f, 8, velk_test::plain(0)), path);
        ASSERT_TRUE(w.terrain->loadFromFile(path, MapComponent::DrawingOnly));
    }
    sf::Image draw(velk_test::TerrainWorld& w, const sf::View& view, const sf::RenderStates& states)
    {
        target.setView(view);
        target.clear(Sky);
        target.draw(*w.terrain, states);
        target.display();
        return target.getTexture().copyToImage();
    }
    sf::RenderTexture target;
};

} // namespace

TEST_F(MapComponentWindowTest, ChunksMeetWithoutASeamAtAnyCameraPosition)
{
    // Solid ground everywhere; without a texture the ground is white, a
    // pixel the texture pass misses stays black, one the mask misses sky.
    velk_test::TerrainWorld w;
    load(w, 64, 64);
    ASSERT_TRUE(target.create(200, 150));
    constexpr float PixelsPerUnit = 24.0f;
    struct Sweep {
        sf::Vector2f placement; ///< the map's top-left corner in the world
        sf::Vector2f start;     ///< the first camera centre
    };
    // At the origin, and at an odd offset as the parallax background has it.
    for (const Sweep& sweep : {Sweep{{0, 0}, {26, 26}}, Sweep{{-8.591555f, 13.465027f}, {39.470863f, 30.602999f}}}) {
        sf::RenderStates states;
        states.transform.translate(sweep.placement);
        // Quarter-pixel steps over 2.5 units: chunk boundaries (every 8
        // cells) pass over the screen and its edges.
        for (int step = 0; step < 240; ++step) {
            const float along = static_cast<float>(step) / (4.0f * PixelsPerUnit);
            const sf::View view(sweep.start + sf::Vector2f(along, along),
                                sf::Vector2f(200 / PixelsPerUnit, 150 / PixelsPerUnit));
            const sf::Image shot = draw(w, view, states);
            unsigned seams = 0;
            for (unsigned x = 0; x < 200; ++x)
                for (unsigned y = 0; y < 150; ++y)
                    seams += shot.getPixel(x, y) != sf::Color::White ? 1 : 0;
            if (seams) {
                shot.saveToFile(std::string(VELK_BINARY_DIR) + "/terrain_seam.png");
                FAIL() << seams << " pixels off the ground, camera at " << view.getCenter().x << ", "
                       << view.getCenter().y;
            }
        }
    }
}

TEST_F(MapComponentWindowTest, LargeChunksKeepTheTextureScale)
{
    // 257 texture blocks along the map: chunks of two blocks each.
    velk_test::TerrainWorld w;
    load(w, 257 * 8, 8);
    EXPECT_EQ(w.terrain->getChunkEdge(), 16u);
    // Left half red, right half blue: cells 0..3 of every 8 red, 4..7 blue.
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
    const sf::Image shot = draw(w, sf::View(sf::FloatRect(0, 0, 40, 8)), sf::RenderStates());
    for (unsigned cell = 0; cell < 40; ++cell)
        EXPECT_EQ(shot.getPixel(cell * 10 + 5, 40), cell % 8 < 4 ? sf::Color::Red : sf::Color::Blue) << cell;
}
