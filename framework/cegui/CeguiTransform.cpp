#include "framework/cegui/CeguiTransform.hpp"

#include <CEGUI/Window.h>

math::Vector2<float> cvec2mvec(const CEGUI::Vector2<float>& vector)
{
    return {vector.d_x, vector.d_y};
}

math::Vector2<float> csize2mvec(const CEGUI::Size<float>& size)
{
    return {size.d_width, size.d_height};
}

CEGUI::Vector2<float> mvec2cvec(const math::Vector2<float>& vector)
{
    return CEGUI::Vector2<float>(vector.x, vector.y);
}

CEGUI::Size<float> mvec2csize(const math::Vector2<float>& vector)
{
    return CEGUI::Size<float>(vector.x, vector.y);
}

namespace {

void placeAt(CEGUI::Window* window, float x, float y)
{
    const CEGUI::URect& area = window->getArea();
    const CEGUI::UVector2 position(CEGUI::UDim(area.d_min.d_x.d_scale, x), CEGUI::UDim(area.d_min.d_y.d_scale, y));
    window->setArea(position, area.getSize());
}

} // namespace

void moveWindowTo(CEGUI::Window* window, const CEGUI::Vector2<float>& position)
{
    if (window) {
        placeAt(window, position.d_x, position.d_y);
    }
}

void moveWindowBy(CEGUI::Window* window, const CEGUI::Vector2<float>& delta)
{
    if (window) {
        const CEGUI::URect& area = window->getArea();
        placeAt(window, area.d_min.d_x.d_offset + delta.d_x, area.d_min.d_y.d_offset + delta.d_y);
    }
}
