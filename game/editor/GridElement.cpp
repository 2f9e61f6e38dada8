#include "game/editor/GridElement.hpp"

#include "game/editor/model/GridMath.hpp"

namespace velk {

GridElement::GridElement(math::Grid2<float>& grid, backend::ShipEntry* ship) : grid(grid), ship(ship) {}

GridElement::~GridElement() = default;

math::Vector2<float> GridElement::shipPositionOfElement(bool snap) const
{
    const math::Vector2<float> position = canvasToShip(grid, getPosition());
    return snap ? grid.snap(position) : position;
}

} // namespace velk
