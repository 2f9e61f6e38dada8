#include "framework/cegui/CeguiGridLayout.hpp"

#include <CEGUI/Window.h>

CeguiGridLayout::CeguiGridLayout(Mode mode) : mode(mode) {}

void CeguiGridLayout::setDirection(Direction value)
{
    direction = value;
    changed();
}

void CeguiGridLayout::setItemsPerLine(unsigned int value)
{
    itemsPerLine = value;
    changed();
}

void CeguiGridLayout::setSpacing(const CEGUI::UVector2& value)
{
    spacing = value;
    changed();
}

void CeguiGridLayout::setAspectRatio(float value)
{
    aspectRatio = value;
    changed();
}

void CeguiGridLayout::setMargin(const CEGUI::UBox& value)
{
    margin = value;
    changed();
}

void CeguiGridLayout::changed()
{
    forceUpdate();
}

void CeguiGridLayout::updateLayout()
{
    if (mode != Cells) {
        return;
    }
    const unsigned int n = itemsPerLine;
    const float m = n > 0 ? static_cast<float>(n - 1) : 0.0f;

    // The cell's extent along the line; the other extent follows from the aspect ratio.
    CEGUI::UDim cell(0, 0);
    if (n > 0) {
        if (direction == Rows) {
            cell = CEGUI::UDim((1.0f - m * spacing.d_x.d_scale - margin.d_left.d_scale - margin.d_right.d_scale) / n,
                               (-(m * spacing.d_x.d_offset) - margin.d_left.d_offset - margin.d_right.d_offset) / n);
        } else {
            cell = CEGUI::UDim((1.0f - m * spacing.d_y.d_scale - margin.d_top.d_scale - margin.d_bottom.d_scale) / n,
                               (-(m * spacing.d_y.d_offset) - margin.d_top.d_offset - margin.d_bottom.d_offset) / n);
        }
    }
    const CEGUI::USize cellSize = direction == Rows ? CEGUI::USize(cell, CEGUI::UDim(0, 0))
                                                    : CEGUI::USize(CEGUI::UDim(0, 0), cell);

    CEGUI::UVector2 position(margin.d_left, margin.d_top);
    unsigned int inLine = 0;
    const size_t count = container->getChildCount();
    for (size_t i = 0; i < count; ++i) {
        CEGUI::Window* child = container->getChildAtIdx(i);
        child->setAspectMode(CEGUI::AM_EXPAND);
        child->setAspectRatio(aspectRatio);
        child->setArea(position, cellSize);
        ++inLine;
        if (inLine == n) {
            inLine = 0;
            const CEGUI::Sizef pixels = child->getPixelSize();
            if (direction == Rows) {
                position.d_x = margin.d_left;
                position.d_y += CEGUI::UDim(spacing.d_y.d_scale, pixels.d_height + spacing.d_y.d_offset);
            } else {
                position.d_y = margin.d_top;
                position.d_x += CEGUI::UDim(spacing.d_x.d_scale, pixels.d_width + spacing.d_x.d_offset);
            }
        } else if (direction == Rows) {
            position.d_x += cell + spacing.d_x;
        } else {
            position.d_y += cell + spacing.d_y;
        }
    }
}
