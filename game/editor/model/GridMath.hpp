#pragma once

#include "foundation/math/Grid2.hpp"
#include "foundation/math/Vector2.hpp"

namespace velk {

// The builder's grid levels: level 0 draws a line per ship unit, finer levels
// add lines at fractions of a unit. How many levels show depends on the zoom,
// and snapping follows the finest level shown.

/// 4 from zoom 2.9, 3 from 1.0, 2 from 0.5, else 1.
unsigned getNumberOfLevels(float zoom);
/// Ship units between the lines of a level: 1, 0.5, 0.1, 0.05; 1 for any other level.
float getLevelZoom(unsigned level);
/// 2 for level 0, else 1.
float getLevelLineWidth(unsigned level);
/// Snap steps per ship unit at a zoom: the finest level's lines.
float snapDivisorForZoom(float zoom);

/// The smallest start + k * gap (k a whole number) that is not below min, per
/// axis. Computed with floor, so a far pan costs no more than a near one; a
/// gap that is not positive and finite leaves that axis at start.
math::Vector2<float> gapShift(const math::Vector2<float>& start, const math::Vector2<float>& min,
                              const math::Vector2<float>& gap);
float gapShift(float start, float min, float gap);

/// Ship position (y up) of a canvas pixel (y down), and back.
math::Vector2<float> canvasToShip(const math::Grid2<float>& grid, const math::Vector2<float>& canvas);
math::Vector2<float> shipToCanvas(const math::Grid2<float>& grid, const math::Vector2<float>& ship);

} // namespace velk
