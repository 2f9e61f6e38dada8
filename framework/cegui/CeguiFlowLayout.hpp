#pragma once

#include "framework/cegui/CeguiLayout.hpp"

#include <cstdint>

/// Puts the container's children one after another in a row or a column,
/// keeping their sizes; only their positions change.
class CeguiFlowLayout : public CeguiLayout {
public:
    enum Mode : std::int32_t {
        Row = 0,    ///< left to right
        Column = 1, ///< top to bottom
    };

    /// Placement across the flow direction. Row: Top at offset.y, Center on
    /// the container's middle (+ offset.y), Bottom with the children's bottoms
    /// at the container's bottom (+ offset.y). Column: Left at offset.x,
    /// Center on the middle, Right with the right edges at the container's
    /// right edge. Left/Top and Right/Bottom mean the same in either mode.
    enum Alignment : std::int32_t {
        Left = 0,
        Center = 1,
        Right = 2,
        Top = 3,
        Bottom = 4,
    };

    explicit CeguiFlowLayout(Mode mode);

    Mode getMode() const { return mode; }
    Alignment getAlignment() const { return alignment; }
    const CEGUI::UVector2& getOffset() const { return offset; }
    const CEGUI::UDim& getSpacing() const { return spacing; }

    // The owner calls forceUpdate() after changing these.
    void setAlignment(Alignment value) { alignment = value; }
    /// Position of the first child.
    void setOffset(const CEGUI::UVector2& value) { offset = value; }
    /// Gap between neighbours along the flow.
    void setSpacing(const CEGUI::UDim& value) { spacing = value; }

    void updateLayout() override;

private:
    Mode mode;
    Alignment alignment = Top;
    CEGUI::UVector2 offset{CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)};
    CEGUI::UDim spacing{0, 0};
};
