#pragma once

#include "foundation/math/Vector2.hpp"

#include <vector>

namespace math {

/// Axis-aligned box given by two corners. The corners need not be ordered
/// (a selection frame stores its start and current corner as they come), so
/// containment tests take the smaller and larger coordinate per axis and
/// count the border as inside.
template <typename V>
struct Box {
    V min{};
    V max{};
};

/// Bounding box of a point list: min = (smallest x, smallest y),
/// max = (largest x, largest y). An empty list gives (0, 0)-(0, 0).
template <typename T>
Box<Vector2<T>> getPolygonBoundaries(const std::vector<Vector2<T>>& points)
{
    Box<Vector2<T>> box;
    if (points.empty())
        return box;
    box.min = points.front();
    box.max = points.front();
    for (const Vector2<T>& p : points) {
        if (p.x < box.min.x)
            box.min.x = p.x;
        if (p.y < box.min.y)
            box.min.y = p.y;
        if (p.x > box.max.x)
            box.max.x = p.x;
        if (p.y > box.max.y)
            box.max.y = p.y;
    }
    return box;
}

} // namespace math
