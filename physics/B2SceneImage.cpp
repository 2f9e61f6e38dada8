#include "physics/B2SceneImage.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

B2SceneImage::B2SceneImage()
{
    for (b2Vec2& corner : corners)
        corner.SetZero();
}

B2SceneImage::B2SceneImage(const B2SceneImage* other) : B2SceneImage()
{
    if (other == nullptr)
        return;
    name = other->name;
    file = other->file;
    body = other->body;
    center = other->center;
    angle = other->angle;
    scale = other->scale;
    aspectScale = other->aspectScale;
    flip = other->flip;
    opacity = other->opacity;
    filter = other->filter;
    renderOrder = other->renderOrder;
    std::copy(other->colorTint, other->colorTint + 4, colorTint);
    std::copy(other->corners, other->corners + 4, corners);
    if (other->numPoints > 0 && other->points != nullptr && other->uvCoords != nullptr)
    {
        numPoints = other->numPoints;
        points = new float[2 * numPoints];
        uvCoords = new float[2 * numPoints];
        std::copy(other->points, other->points + 2 * numPoints, points);
        std::copy(other->uvCoords, other->uvCoords + 2 * numPoints, uvCoords);
    }
    if (other->numIndices > 0 && other->indices != nullptr)
    {
        numIndices = other->numIndices;
        indices = new std::uint16_t[numIndices];
        std::copy(other->indices, other->indices + numIndices, indices);
    }
}

B2SceneImage::~B2SceneImage()
{
    freeArrays();
}

void B2SceneImage::freeArrays()
{
    delete[] points;
    delete[] uvCoords;
    delete[] indices;
    points = nullptr;
    uvCoords = nullptr;
    indices = nullptr;
}

bool B2SceneImage::loadImage()
{
    return false;
}

void B2SceneImage::render() {}

b2Mat33 B2SceneImage::quadTransform() const
{
    b2Mat33 rotation;
    b2Mat33 scaling;
    _setMat33Rotation(rotation, angle);
    _setMat33Scale(scaling, scale, scale);
    return _b2Mul(rotation, scaling);
}

void B2SceneImage::updateCorners(float aspect)
{
    const float hx = 0.5f * aspect;
    const b2Vec2 quad[4] = {{-hx, -0.5f}, {hx, -0.5f}, {hx, 0.5f}, {-hx, 0.5f}};
    const b2Mat33 m = quadTransform();
    for (int i = 0; i < 4; ++i)
        corners[i] = center + _b2Mul(m, quad[i]);
}

void B2SceneImage::updateUVs(float aspect)
{
    freeArrays();
    numPoints = 4;
    numIndices = 6;
    points = new float[8];
    uvCoords = new float[8];
    indices = new std::uint16_t[6];
    updateCorners(aspect);
    const float uv[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    for (int i = 0; i < 4; ++i)
    {
        points[2 * i] = corners[i].x;
        points[2 * i + 1] = corners[i].y;
    }
    std::copy(uv, uv + 8, uvCoords);
    const std::uint16_t order[6] = {0, 1, 2, 2, 3, 0};
    std::copy(order, order + 6, indices);
}

b2AABB B2SceneImage::getAABB() const
{
    b2AABB box;
    box.lowerBound.Set(3.4028235e38f, 3.4028235e38f);
    box.upperBound.Set(-3.4028235e38f, -3.4028235e38f);
    for (const b2Vec2& corner : corners)
    {
        const b2Vec2 p = body != nullptr ? b2Mul(body->GetTransform(), corner) : corner;
        box.lowerBound = b2Min(box.lowerBound, p);
        box.upperBound = b2Max(box.upperBound, p);
    }
    return box;
}

bool B2SceneImage_renderOrder_ascending(const B2SceneImage* a, const B2SceneImage* b)
{
    return a->renderOrder < b->renderOrder;
}

void _setMat33Translation(b2Mat33& matrix, b2Vec2 t)
{
    matrix.ex.Set(1, 0, 0);
    matrix.ey.Set(0, 1, 0);
    matrix.ez.Set(t.x, t.y, 1);
}

void _setMat33Rotation(b2Mat33& matrix, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    matrix.ex.Set(c, s, 0);
    matrix.ey.Set(-s, c, 0);
    matrix.ez.Set(0, 0, 1);
}

void _setMat33Scale(b2Mat33& matrix, float sx, float sy)
{
    matrix.ex.Set(sx, 0, 0);
    matrix.ey.Set(0, sy, 0);
    matrix.ez.Set(0, 0, 1);
}

b2Vec2 _b2Mul(const b2Mat33& A, const b2Vec2& v)
{
    return b2Vec2(A.ex.x * v.x + A.ey.x * v.y + A.ez.x, A.ex.y * v.x + A.ey.y * v.y + A.ez.y);
}

b2Mat33 _b2Mul(const b2Mat33& A, const b2Mat33& B)
{
    auto apply = [&B](const b2Vec3& c)
    {
        return b2Vec3(B.ex.x * c.x + B.ey.x * c.y + B.ez.x * c.z, B.ex.y * c.x + B.ey.y * c.y + B.ez.y * c.z,
            B.ex.z * c.x + B.ey.z * c.y + B.ez.z * c.z);
    };
    return b2Mat33(apply(A.ex), apply(A.ey), apply(A.ez));
}
