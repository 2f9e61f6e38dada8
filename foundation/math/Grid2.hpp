#pragma once

#include "foundation/math/Vector2.hpp"

#include <algorithm>
#include <cmath>

namespace math {

/// Zoomable, pannable canvas grid shared by the editors' canvases. The owner
/// sets the fields directly; the helpers below are the one place where the
/// grid/canvas conversions, zooming and snapping are written down.
template <typename T>
class Grid2 {
public:
    Vector2<T> origin{}; ///< canvas position (pixels) of grid point (0, 0)
    T zoom = T(1.0);
    T zoomMin = T(0.1);
    T zoomMax = T(10.0);
    T snapDivisor = T(1.0); ///< snap steps per grid unit (step = 1 / snapDivisor)
    bool snapToGrid = false;
    T cellSize = T(1.0); ///< pixels per grid unit at zoom 1

    Grid2() = default;
    Grid2(const Grid2&) = default;
    Grid2& operator=(const Grid2&) = default;
    virtual ~Grid2() = default;

    /// Pixels per grid unit at the current zoom.
    T scale() const { return zoom * cellSize; }

    /// Canvas position of grid position g. With yUp the grid's y axis points
    /// up while the canvas y axis points down.
    Vector2<T> gridToCanvas(const Vector2<T>& g, bool yUp = false) const
    {
        const T s = scale();
        return {origin.x + g.x * s, yUp ? origin.y - g.y * s : origin.y + g.y * s};
    }

    /// Inverse of gridToCanvas. A zero scale (zoom or cell size 0) has no
    /// inverse; the grid origin (0, 0) is returned then instead of infinities.
    Vector2<T> canvasToGrid(const Vector2<T>& c, bool yUp = false) const
    {
        const T s = scale();
        if (s == T(0) || !std::isfinite(s))
            return {};
        const T gy = (c.y - origin.y) / s;
        return {(c.x - origin.x) / s, yUp ? -gy : gy};
    }

    /// Zooms by factor f about the canvas position pivot: the new zoom is
    /// clamped to [zoomMin, zoomMax], and only a real change of zoom moves the
    /// origin, so that the grid point under the pivot stays under it.
    void zoomAt(const Vector2<T>& pivot, T f)
    {
        if (!std::isfinite(f))
            return; // a broken factor must not reset the zoom to a limit
        const T old = zoom;
        const T z = std::min(zoomMax, std::max(zoomMin, zoom * f));
        if (!std::isfinite(z))
            return; // NaN factor or limits: keep the view as it is
        zoom = z;
        if (z != old && old != T(0) && std::isfinite(old))
            origin = origin + (origin - pivot) * (z / old - T(1));
    }

    /// Moves the grid by a canvas displacement.
    void pan(const Vector2<T>& d) { origin = origin + d; }

    /// Snaps a grid position to the snap step when snapToGrid is set; halves
    /// round up (towards +infinity), also for negative coordinates. A
    /// non-positive or non-finite divisor leaves the position unsnapped.
    Vector2<T> snap(const Vector2<T>& g) const
    {
        if (!snapToGrid || !(snapDivisor > T(0)) || !std::isfinite(snapDivisor))
            return g;
        const T step = T(1) / snapDivisor;
        return {snapCoordinate(g.x, step), snapCoordinate(g.y, step)};
    }

private:
    static T snapCoordinate(T c, T step)
    {
        const T c0 = std::floor(c / step) * step;
        return (c - c0 >= step / T(2)) ? c0 + step : c0;
    }
};

} // namespace math
