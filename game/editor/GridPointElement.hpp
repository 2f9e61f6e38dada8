#pragma once

#include "game/editor/GridElement.hpp"

#include <array>

namespace velk {

namespace backend {
class PointEntry;
}

/// Corners of a point handle: an outer square (-1..1), then an inner one at 0.4.
extern std::array<math::Vector2<float>, 8> baseCornerPoints;
void calcBaseCornerPoints();

/// A hull point on the builder grid: a square ring handle. Its hit square is
/// always the full size; it draws at half size unless the mouse is over it.
class GridPointElement : public GridElement {
public:
    /// A new point at the end of the outline, placed at a canvas position.
    GridPointElement(math::Grid2<float>& grid, backend::ShipEntry* ship, const math::Vector2<float>& pos, float size);
    /// A new point right after `after` (at the end when `after` is not in the outline).
    GridPointElement(math::Grid2<float>& grid, backend::ShipEntry* ship, backend::PointEntry* after,
                     const math::Vector2<float>& pos, float size);
    /// The element of an existing point.
    GridPointElement(math::Grid2<float>& grid, backend::ShipEntry* ship, backend::PointEntry* entry, float size);
    /// A valid element takes its point out of the outline.
    ~GridPointElement() override;

    backend::PointEntry* getPointEntry() const { return entry; }
    float getSize() const { return halfSize * 2.0f; }
    void setSize(float s) { halfSize = s / 2.0f; }

    void onMoved(const math::Vector2<float>& delta) override;
    bool isPointInside(const math::Vector2<float>& p) const override;
    bool isInsideArea(const Box& box) const override;
    void updatePosition() override;
    void drawOnGrid(const math::Vector2<float>& offset) override;

private:
    backend::PointEntry* entry;
    float halfSize;
};

/// Makes a point element of size 40, appended or inserted after a point.
class PointCreator {
public:
    PointCreator(math::Grid2<float>& grid, backend::ShipEntry* ship, const math::Vector2<float>& pos,
                 backend::PointEntry* after = nullptr)
        : grid(grid), ship(ship), pos(pos), after(after)
    {}
    GridPointElement* operator()() const;

private:
    math::Grid2<float>& grid;
    backend::ShipEntry* ship;
    math::Vector2<float> pos;
    backend::PointEntry* after;
};

} // namespace velk
