#pragma once

#include <box2d/box2d.h>

#include <cstdint>
#include <string>

/// An image placed on a body of a scene: a textured quad or a triangle list in the
/// body's frame. The scene loader fills and owns these records; drawing is left to
/// subclasses.
class B2SceneImage
{
public:
    B2SceneImage();
    /// A deep copy of `other`, arrays included.
    explicit B2SceneImage(const B2SceneImage* other);
    virtual ~B2SceneImage();
    B2SceneImage(const B2SceneImage&) = delete;
    B2SceneImage& operator=(const B2SceneImage&) = delete;

    /// Loads the image file; the record itself has nothing to load.
    virtual bool loadImage();
    virtual void render();

    /// Sets `corners` to the quad of width `aspect` and height 1, scaled, turned and
    /// moved to `center`.
    void updateCorners(float aspect);
    /// Sets the points, texture coordinates and indices to that quad as two triangles.
    void updateUVs(float aspect);
    /// The bounds of the corners in world coordinates (body frame applied).
    b2AABB getAABB() const;

    std::string name;
    std::string file;
    b2Body* body = nullptr;
    b2Vec2 center{0.0f, 0.0f};
    float angle = 0.0f;
    float scale = 1.0f;
    float aspectScale = 1.0f;
    bool flip = false;
    float opacity = 1.0f;
    int filter = 1; ///< 1 linear texture magnification, other values nearest.
    float renderOrder = 0.0f;
    int colorTint[4] = {255, 255, 255, 255};
    b2Vec2 corners[4];
    int numPoints = 0;
    float* points = nullptr;   ///< 2 x numPoints floats (x, y).
    float* uvCoords = nullptr; ///< 2 x numPoints floats (u, v).
    int numIndices = 0;
    std::uint16_t* indices = nullptr;

private:
    void freeArrays();
    b2Mat33 quadTransform() const;
};

/// Orders images by ascending render order.
bool B2SceneImage_renderOrder_ascending(const B2SceneImage* a, const B2SceneImage* b);

/// Affine 2D transforms as 3x3 matrices (columns ex, ey, ez; points are (x, y, 1)).
void _setMat33Translation(b2Mat33& matrix, b2Vec2 t);
void _setMat33Rotation(b2Mat33& matrix, float angle);
void _setMat33Scale(b2Mat33& matrix, float sx, float sy);
b2Vec2 _b2Mul(const b2Mat33& A, const b2Vec2& v);
/// Each column of the result is B applied to the same column of A: B·A, not A·B.
b2Mat33 _b2Mul(const b2Mat33& A, const b2Mat33& B);
