#include "physics/draw/B2SceneImage_OpenGL.hpp"

#include "foundation/tools/Log.hpp"
#include "physics/CBitmap.hpp"

#include <GL/gl.h>

#include <vector>

bool checkFileExtension(std::string name, std::string extension)
{
    const long long d = static_cast<long long>(name.size()) - static_cast<long long>(extension.size());
    if (d < 1)
        return false;
    return name.compare(static_cast<std::size_t>(d), std::string::npos, extension) == 0;
}

B2SceneImage_OpenGL::B2SceneImage_OpenGL(const B2SceneImage* other) : B2SceneImage(other)
{
    loadImage();
}

B2SceneImage_OpenGL::~B2SceneImage_OpenGL()
{
    // The texture is this image's alone; leaving it would leak it for the context's life.
    if (textureId != 0)
        glDeleteTextures(1, &textureId);
}

bool B2SceneImage_OpenGL::loadImage()
{
    if (textureId != 0)
    {
        glDeleteTextures(1, &textureId);
        textureId = 0;
    }
    if (!checkFileExtension(file, ".bmp") && !checkFileExtension(file, ".BMP"))
        return false;
    CBitmap bitmap;
    if (!bitmap.Load(file.c_str()))
    {
        tools::log("", "Could not load image file '" + file + "'");
        return false;
    }
    const int width = bitmap.GetWidth();
    const int height = bitmap.GetHeight();
    std::vector<unsigned char> buffer(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const CBitmap::CColor* pixels = bitmap.GetPixels();
    for (std::size_t i = 0; i < bitmap.GetPixelCount(); ++i)
    {
        buffer[4 * i] = static_cast<unsigned char>(CBitmap::CColor::Convert(pixels[i].r, 8, 8));
        buffer[4 * i + 1] = static_cast<unsigned char>(CBitmap::CColor::Convert(pixels[i].g, 8, 8));
        buffer[4 * i + 2] = static_cast<unsigned char>(CBitmap::CColor::Convert(pixels[i].b, 8, 8));
        buffer[4 * i + 3] = static_cast<unsigned char>(CBitmap::CColor::Convert(pixels[i].a, 8, 8));
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    textureId = texture;
    glBindTexture(GL_TEXTURE_2D, textureId);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter == 1 ? GL_LINEAR : GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, buffer.data());
    bitmap.Free();
    return true;
}

void B2SceneImage_OpenGL::render()
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glColor4f(colorTint[0] / 255.0f, colorTint[1] / 255.0f, colorTint[2] / 255.0f, colorTint[3] / 255.0f * opacity);
    glPushMatrix();
    if (body != nullptr)
    {
        const b2Vec2 position = body->GetPosition();
        glTranslatef(position.x, position.y, 0.0f);
        glRotatef(body->GetAngle() * 57.29578f, 0.0f, 0.0f, 1.0f);
    }
    renderUsingArrays();
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

void B2SceneImage_OpenGL::renderUsingCorners()
{
    const float u0 = flip ? 1.0f : 0.0f;
    const float u1 = flip ? 0.0f : 1.0f;
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2f(u0, 0.0f);
    glVertex2f(corners[0].x, corners[0].y);
    glTexCoord2f(u1, 0.0f);
    glVertex2f(corners[1].x, corners[1].y);
    glTexCoord2f(u1, 1.0f);
    glVertex2f(corners[2].x, corners[2].y);
    glTexCoord2f(u0, 1.0f);
    glVertex2f(corners[3].x, corners[3].y);
    glEnd();
}

void B2SceneImage_OpenGL::renderUsingArrays()
{
    if (points == nullptr || uvCoords == nullptr || indices == nullptr)
        return;
    // Indices come from the scene file; one past the points would make OpenGL read
    // beyond the arrays.
    for (int i = 0; i < numIndices; ++i)
        if (indices[i] >= numPoints)
            return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, points);
    glTexCoordPointer(2, GL_FLOAT, 0, uvCoords);
    glDrawElements(GL_TRIANGLES, numIndices, GL_UNSIGNED_SHORT, indices);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
