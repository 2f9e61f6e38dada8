#pragma once

#include "foundation/math/Vector2.hpp"

#include <CEGUI/Size.h>
#include <CEGUI/Vector.h>

namespace CEGUI {
class Window;
}

// Conversions between CEGUI's vectors and sizes and math::Vector2<float>.
math::Vector2<float> cvec2mvec(const CEGUI::Vector2<float>& vector);
math::Vector2<float> csize2mvec(const CEGUI::Size<float>& size);
CEGUI::Vector2<float> mvec2cvec(const math::Vector2<float>& vector);
CEGUI::Size<float> mvec2csize(const math::Vector2<float>& vector);

/// Sets the window's position offsets to the pixel position, keeping the
/// scales of its position and its size. A null window does nothing.
void moveWindowTo(CEGUI::Window* window, const CEGUI::Vector2<float>& position);
/// Moves the window by a pixel displacement, keeping its size. A null window does nothing.
void moveWindowBy(CEGUI::Window* window, const CEGUI::Vector2<float>& delta);
