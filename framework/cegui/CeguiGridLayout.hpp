#pragma once

#include "framework/cegui/CeguiLayout.hpp"

#include <cstdint>

/// Sizes the container's children into equal cells, a fixed number per line,
/// each child keeping a fixed aspect ratio. Changing a setting re-runs the
/// layout at once when a container is bound.
class CeguiGridLayout : public CeguiLayout {
public:
    enum Mode : std::int32_t {
        Cells = 0, ///< lays the children out; any other mode leaves them alone
    };

    enum Direction : std::int32_t {
        Rows = 0,    ///< fill a row left to right, then the next row below
        Columns = 1, ///< fill a column top to bottom, then the next column to the right
    };

    explicit CeguiGridLayout(Mode mode);

    Mode getMode() const { return mode; }
    Direction getDirection() const { return direction; }
    unsigned int getItemsPerLine() const { return itemsPerLine; }
    const CEGUI::UVector2& getSpacing() const { return spacing; }
    float getAspectRatio() const { return aspectRatio; }
    const CEGUI::UBox& getMargin() const { return margin; }

    void setDirection(Direction value);
    /// Cells in one row (Rows) or one column (Columns).
    void setItemsPerLine(unsigned int value);
    /// Horizontal and vertical gap between cells.
    void setSpacing(const CEGUI::UVector2& value);
    /// Width / height given to every child.
    void setAspectRatio(float value);
    /// Space kept free at the container's top, left, bottom and right.
    void setMargin(const CEGUI::UBox& value);

    void updateLayout() override;

private:
    void changed();

    Mode mode;
    Direction direction = Rows;
    unsigned int itemsPerLine = 1;
    CEGUI::UVector2 spacing{CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)};
    float aspectRatio = 1.0f;
    CEGUI::UBox margin{CEGUI::UDim(0, 0)};
};
