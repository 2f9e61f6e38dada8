#pragma once

#include "foundation/math/Box.hpp"
#include "foundation/math/Grid2.hpp"
#include "foundation/math/Vector2.hpp"
#include "foundation/tools/Movable2.hpp"

namespace velk {

namespace backend {
class ShipEntry;
}

/// Something the player can grab on the builder's grid: the editable view of
/// one entry of the ship description. Its position is in canvas pixels (y
/// down); moving it writes its entry. A valid element removes its entry from
/// the ship when it is destroyed; an invalidated one (a rebuild) leaves it.
class GridElement : public tools::Movable2<float> {
public:
    using Box = math::Box<math::Vector2<float>>;

    GridElement(math::Grid2<float>& grid, backend::ShipEntry* ship);
    ~GridElement() override;

    /// Hit test at a canvas point.
    virtual bool isPointInside(const math::Vector2<float>& p) const = 0;
    /// Whether the element lies in a selection frame (corners in any order).
    virtual bool isInsideArea(const Box& box) const = 0;
    /// Re-places the element from its entry.
    virtual void updatePosition() = 0;
    /// Draws the element at position + offset (window pixels).
    virtual void drawOnGrid(const math::Vector2<float>& offset) = 0;

    bool isGrabbed() const { return grabbed; }
    void setGrabbed(bool v) { grabbed = v; }
    void grab() { grabbed = true; }
    void release() { grabbed = false; }

    bool isSelected() const { return selected; }
    void setSelected(bool v) { selected = v; }
    void select() { selected = true; }
    void deselect() { selected = false; }

    bool geIsOver() const { return over; }
    void geUpdateIsOver(const math::Vector2<float>& p) { over = isPointInside(p); }

    bool isValid() const { return valid; }
    void setValid(bool v) { valid = v; }
    void validate() { valid = true; }
    void invalidate() { valid = false; }

    math::Grid2<float>& getGrid() { return grid; }
    const math::Grid2<float>& getGrid() const { return grid; }
    backend::ShipEntry* getShip() const { return ship; }

protected:
    /// Ship position of the element's canvas position; with `snap`, snapped to
    /// the grid's step when the grid's snap flag is on (halves go up).
    math::Vector2<float> shipPositionOfElement(bool snap) const;

    math::Grid2<float>& grid;
    backend::ShipEntry* ship;

private:
    bool grabbed = false;
    bool selected = false;
    bool over = false;
    bool valid = true;
};

} // namespace velk
