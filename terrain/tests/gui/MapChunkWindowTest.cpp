// Chunks and the terrain component drawn into a render texture with alpha:
// the screen test, the mask and texture blending and the outline's GL state.
#include "terrain/MapChunk.hpp"
#include "testsupport/terrain/TerrainTestSupport.hpp"

#include <SFML/Graphics.hpp>
#include <SFML/OpenGL.hpp>
#include <gtest/gtest.h>

namespace {

using velk_test::makeMap;
using U = math::Vector2<unsigned int>;

/// 100 x 100 pixels showing 0..10 x 0..10 units, 10 pixels a unit.
struct Canvas {
    sf::RenderTexture target;
    Canvas()
    {
        EXPECT_TRUE(target.create(100, 100));
        target.setView(sf::View(sf::FloatRect(0, 0, 10, 10)));
    }
    sf::Image shot()
    {
        target.display();
        return target.getTexture().copyToImage();
    }
};

} // namespace

TEST(MapChunkWindowTest, VisibleOnlyWithAnOverlapOfSomeArea)
{
    Canvas canvas;
    TileMap map(40, 40);
    map.setTileSize(1.0f);
    MapChunk chunk(&map);
    struct Case {
        U begin;
        U size;
        bool visible;
    };
    const std::vector<Case> cases = {
        {{0, 0}, {4, 4}, true},   {{8, 8}, {4, 4}, true},    {{10, 0}, {4, 4}, false}, // touches the right edge only
        {{0, 10}, {4, 4}, false}, {{20, 20}, {4, 4}, false}, {{9, 9}, {1, 1}, true},   {{2, 2}, {0, 0}, false},
    };
    for (const Case& c : cases) {
        chunk.setRegion(c.begin, c.size);
        EXPECT_EQ(chunk.isVisible(canvas.target, sf::RenderStates()), c.visible)
            << c.begin.x << "," << c.begin.y << " size " << c.size.x;
    }
    // The states move the block: shifted left by 12 units the far chunk shows.
    chunk.setRegion({20, 2}, {4, 4});
    sf::RenderStates shifted;
    shifted.transform.translate(-12.0f, 0.0f);
    EXPECT_TRUE(chunk.isVisible(canvas.target, shifted));
}

TEST(MapChunkWindowTest, TextureShowsOnlyOnTheMaskAndTheOutlineRestoresGlState)
{
    Canvas canvas;
    sf::Image pixels;
    pixels.create(4, 4, sf::Color(200, 150, 40));
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(pixels));
    // Ground in the left half of a 10 x 10 map of unit tiles.
    TileMap map = makeMap(10, 10, 1.0f, 10, [](unsigned x, unsigned) -> unsigned char { return x < 5 ? 1 : 0; });
    MapChunk chunk(&map);
    chunk.setRegion({0, 0}, {10, 10});
    chunk.setTexture(&texture);
    chunk.setTextureRect(sf::IntRect(0, 0, 4, 4));
    chunk.setBorderColor(sf::Color::White);
    chunk.setBorderWidth(4.0f);
    chunk.update();

    canvas.target.clear(sf::Color(0, 0, 90));
    sf::RenderStates mask;
    mask.blendMode = sf::BlendMode(sf::BlendMode::OneMinusDstAlpha, sf::BlendMode::OneMinusSrcAlpha);
    chunk.drawMask(canvas.target, mask);
    sf::RenderStates textured;
    textured.blendMode = sf::BlendMode(sf::BlendMode::OneMinusDstAlpha, sf::BlendMode::One);
    chunk.drawTexture(canvas.target, textured);
    canvas.target.setActive(true);
    GLfloat lineBefore = 0, pointBefore = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineBefore);
    glGetFloatv(GL_POINT_SIZE, &pointBefore);
    chunk.drawBorder(canvas.target, sf::RenderStates());
    canvas.target.setActive(true);
    GLfloat lineAfter = 0, pointAfter = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineAfter);
    glGetFloatv(GL_POINT_SIZE, &pointAfter);
    EXPECT_EQ(lineAfter, lineBefore);
    EXPECT_EQ(pointAfter, pointBefore);

    const sf::Image shot = canvas.shot();
    EXPECT_EQ(shot.getPixel(20, 50), sf::Color(200, 150, 40)); // ground: textured
    EXPECT_EQ(shot.getPixel(80, 50), sf::Color(0, 0, 90));     // open: untouched
    EXPECT_EQ(shot.getPixel(50, 50), sf::Color::White);        // the surface at x = 5
    EXPECT_EQ(shot.getPixel(50, 0), sf::Color::White);
    EXPECT_EQ(shot.getPixel(0, 50), sf::Color(200, 150, 40)); // no outline on the map's edge
}
