#include "framework/cegui/CeguiFlowLayout.hpp"

#include <CEGUI/Window.h>

CeguiFlowLayout::CeguiFlowLayout(Mode mode) : mode(mode) {}

void CeguiFlowLayout::updateLayout()
{
    // Where the children line up across the flow: fraction of the container
    // added to the start and fraction of the child's own size taken back.
    float crossScale = 0.0f;
    float crossShift = 0.0f;
    switch (alignment) {
    case Center:
        crossScale = 0.5f;
        crossShift = 0.5f;
        break;
    case Right:
    case Bottom:
        crossScale = 1.0f;
        crossShift = 1.0f;
        break;
    case Left:
    case Top:
    default: break;
    }

    CEGUI::UVector2 position = offset;
    if (mode == Row) {
        position.d_y.d_scale += crossScale;
    } else {
        position.d_x.d_scale += crossScale;
    }

    const size_t count = container->getChildCount();
    for (size_t i = 0; i < count; ++i) {
        CEGUI::Window* child = container->getChildAtIdx(i);
        const CEGUI::USize size = child->getSize();
        const CEGUI::Sizef pixels = child->getPixelSize();
        CEGUI::UVector2 placed = position;
        if (mode == Row) {
            placed.d_y.d_offset -= crossShift * pixels.d_height;
            position.d_x += CEGUI::UDim(spacing.d_scale, pixels.d_width + spacing.d_offset);
        } else {
            placed.d_x.d_offset -= crossShift * pixels.d_width;
            position.d_y += CEGUI::UDim(spacing.d_scale, pixels.d_height + spacing.d_offset);
        }
        child->setArea(placed, size);
    }
}
