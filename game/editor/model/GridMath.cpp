#include "game/editor/model/GridMath.hpp"

#include <cmath>

namespace velk {

unsigned getNumberOfLevels(float zoom)
{
    if (zoom >= 2.9f)
        return 4;
    if (zoom >= 1.0f)
        return 3;
    if (zoom >= 0.5f)
        return 2;
    return 1;
}

float getLevelZoom(unsigned level)
{
    switch (level) {
    case 1: return 0.5f;
    case 2: return 0.1f;
    case 3: return 0.05f;
    default: return 1.0f;
    }
}

float getLevelLineWidth(unsigned level)
{
    return level == 0 ? 2.0f : 1.0f;
}

float snapDivisorForZoom(float zoom)
{
    return 1.0f / getLevelZoom(getNumberOfLevels(zoom) - 1);
}

float gapShift(float start, float min, float gap)
{
    if (!(gap > 0.0f) || !std::isfinite(gap) || !std::isfinite(start) || !std::isfinite(min))
        return start;
    float value = start + std::ceil((min - start) / gap) * gap;
    // Rounding may land one gap off either way; settle on the exact rule.
    if (value < min)
        value += gap;
    else if (value - gap >= min)
        value -= gap;
    return value;
}

math::Vector2<float> gapShift(const math::Vector2<float>& start, const math::Vector2<float>& min,
                              const math::Vector2<float>& gap)
{
    return {gapShift(start.x, min.x, gap.x), gapShift(start.y, min.y, gap.y)};
}

math::Vector2<float> canvasToShip(const math::Grid2<float>& grid, const math::Vector2<float>& canvas)
{
    return grid.canvasToGrid(canvas, true);
}

math::Vector2<float> shipToCanvas(const math::Grid2<float>& grid, const math::Vector2<float>& ship)
{
    return grid.gridToCanvas(ship, true);
}

} // namespace velk
