#include "physics/draw/B2SceneImage_OpenGL.hpp"

#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

TEST(SceneImageGlTest, FileExtensions)
{
    EXPECT_TRUE(checkFileExtension("a.bmp", ".bmp"));
    EXPECT_FALSE(checkFileExtension(".bmp", ".bmp")); // not longer than the extension
    EXPECT_FALSE(checkFileExtension("a.BMP", ".bmp"));
    EXPECT_FALSE(checkFileExtension("bmp", ".bmp"));
    EXPECT_FALSE(checkFileExtension("picture.png", ".bmp"));
}

TEST(SceneImageGlTest, ImageWithoutALoadableFile)
{
    velk_test::LogCapture logs;
    // Only ".bmp" files load; without one no texture is made (and no OpenGL call).
    B2SceneImage record;
    record.file = "picture.png";
    B2SceneImage_OpenGL png(&record);
    EXPECT_EQ(png.textureId, 0u);
    EXPECT_FALSE(png.loadImage());

    record.file = "/nonexistent/picture.bmp";
    logs.clear();
    B2SceneImage_OpenGL missing(&record);
    EXPECT_EQ(logs.text(), "Could not load image file '/nonexistent/picture.bmp'\n");
    EXPECT_EQ(missing.textureId, 0u);
}
