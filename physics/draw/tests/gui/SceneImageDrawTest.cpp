#include "physics/draw/B2SceneImage_OpenGL.hpp"

#include "testsupport/TempFolder.hpp"

#include <GL/gl.h>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <array>
#include <string>
#include <vector>

namespace
{
using Rgba = std::array<unsigned, 4>;

/// A 2x2 24-bit BMP: first file row red, green; second row blue, white.
std::string writeBitmap(const velk_test::TempFolder& temp)
{
    const std::string path = (temp / "picture.bmp").string();
    std::vector<unsigned char> b = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0,
        1, 0, 24, 0};
    b.resize(54, 0);
    const unsigned char rows[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    b.insert(b.end(), rows, rows + 16);
    velk_test::writeFile(path, std::string(b.begin(), b.end()));
    return path;
}

class SceneImageDrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(target.create(64, 64));
        ASSERT_TRUE(target.setActive(true));
        glViewport(0, 0, 64, 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        clear();
        record.file = writeBitmap(temp);
        record.filter = 0; // nearest: every texel shows as one flat colour
        record.scale = 2.0f;
        record.updateUVs(1.0f); // a quad over the whole target
    }

    void clear()
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    Rgba pixel(int x, int y)
    {
        unsigned char p[4] = {};
        glFinish();
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return Rgba{p[0], p[1], p[2], p[3]};
    }

    velk_test::TempFolder temp;
    sf::RenderTexture target;
    B2SceneImage record;
};
} // namespace

TEST_F(SceneImageDrawTest, TextureHoldsTheBitmapRowsInFileOrder)
{
    B2SceneImage_OpenGL image(&record);
    ASSERT_NE(image.textureId, 0u);
    glBindTexture(GL_TEXTURE_2D, image.textureId);
    unsigned char texels[16] = {};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    const unsigned char expected[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(texels[i], expected[i]) << i;
    GLint magnification = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magnification);
    EXPECT_EQ(magnification, GL_NEAREST);

    // Loading again replaces the texture; a linear filter is asked for by 1.
    image.filter = 1;
    ASSERT_TRUE(image.loadImage());
    glBindTexture(GL_TEXTURE_2D, image.textureId);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magnification);
    EXPECT_EQ(magnification, GL_LINEAR);
}

TEST_F(SceneImageDrawTest, RenderDrawsTheTintedTriangles)
{
    B2SceneImage_OpenGL image(&record);
    image.render();
    EXPECT_EQ(pixel(16, 16), (Rgba{255, 0, 0, 255})); // first file row at the bottom
    EXPECT_EQ(pixel(48, 16), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(pixel(16, 48), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(pixel(48, 48), (Rgba{255, 255, 255, 255}));

    clear();
    image.colorTint[1] = 0; // magenta tint
    image.render();
    EXPECT_EQ(pixel(48, 16), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(pixel(48, 48), (Rgba{255, 0, 255, 255}));
}

TEST_F(SceneImageDrawTest, OpacityAndTheBodysFrame)
{
    B2SceneImage_OpenGL image(&record);
    image.colorTint[3] = 128;
    image.opacity = 0.5f;
    image.render();
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[3], 128.0f / 255.0f * 0.5f, 1e-4f);

    // On a body the image moves and turns with it: half a unit to the right and a
    // half turn puts the white texel at the bottom left.
    b2World world(b2Vec2(0, 0));
    b2BodyDef def;
    def.position.Set(0.5f, 0.0f);
    def.angle = 3.14159265f;
    image.body = world.CreateBody(&def);
    image.colorTint[3] = 255;
    image.opacity = 1.0f;
    clear();
    image.render();
    EXPECT_EQ(pixel(4, 16), (Rgba{0, 0, 0, 255}));        // left of the moved quad
    EXPECT_EQ(pixel(24, 20), (Rgba{255, 255, 255, 255})); // turned: white is now bottom left
    EXPECT_EQ(pixel(56, 44), (Rgba{255, 0, 0, 255}));
}

TEST_F(SceneImageDrawTest, CornersDrawMirroredWhenFlipped)
{
    B2SceneImage_OpenGL image(&record);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, image.textureId);
    glColor4f(1, 1, 1, 1);
    image.renderUsingCorners();
    EXPECT_EQ(pixel(16, 16), (Rgba{255, 0, 0, 255}));
    clear();
    image.flip = true;
    image.renderUsingCorners();
    EXPECT_EQ(pixel(16, 16), (Rgba{0, 255, 0, 255}));
    glDisable(GL_TEXTURE_2D);
}

TEST_F(SceneImageDrawTest, IndicesBeyondThePointsDrawNothing)
{
    B2SceneImage_OpenGL image(&record);
    image.indices[2] = 40; // would make OpenGL read past the point arrays
    image.render();
    EXPECT_EQ(pixel(16, 16), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(pixel(48, 48), (Rgba{0, 0, 0, 255}));
}
