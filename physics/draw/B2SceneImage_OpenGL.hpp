#pragma once

#include "physics/B2SceneImage.hpp"

#include <string>

/// A scene image drawn with OpenGL's fixed pipeline from a BMP texture. Needs a
/// current OpenGL context for loading, drawing and destruction.
class B2SceneImage_OpenGL : public B2SceneImage
{
public:
    /// Copies the record and loads its texture.
    explicit B2SceneImage_OpenGL(const B2SceneImage* other);
    ~B2SceneImage_OpenGL() override;

    /// Loads `file` (".bmp" or ".BMP") into a new texture, replacing an earlier one.
    bool loadImage() override;
    void render() override;
    /// Draws the four corners as one textured quad (mirrored when `flip` is set).
    void renderUsingCorners();
    /// Draws the triangle list of points and texture coordinates.
    void renderUsingArrays();

    unsigned int textureId = 0;
};

/// True when `name` is longer than `extension` and ends in it (case-sensitive).
bool checkFileExtension(std::string name, std::string extension);
