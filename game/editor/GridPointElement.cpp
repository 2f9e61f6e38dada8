#include "game/editor/GridPointElement.hpp"

#include "game/editor/EditorColors.hpp"
#include "game/editor/model/GridMath.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <SFML/OpenGL.hpp>

#include <algorithm>

namespace velk {

std::array<math::Vector2<float>, 8> baseCornerPoints;

void calcBaseCornerPoints()
{
    for (unsigned i = 0; i < 8; ++i) {
        const unsigned j = i % 4;
        math::Vector2<float> p{(j == 1 || j == 2) ? 1.0f : -1.0f, (j == 0 || j == 1) ? -1.0f : 1.0f};
        if (i >= 4)
            p = p * 0.4f;
        baseCornerPoints[i] = p;
    }
}

namespace {
// Filled before main, so every handle has its corners.
const bool cornersReady = (calcBaseCornerPoints(), true);
} // namespace

GridPointElement::GridPointElement(math::Grid2<float>& grid, backend::ShipEntry* ship, const math::Vector2<float>& pos,
                                   float size)
    : GridElement(grid, ship), entry(ship->insertPoint(0.0f, 0.0f, 0.0f)), halfSize(size / 2.0f)
{
    setPosition(pos);
    // Also at the canvas point (0, 0), where the move hook sees no change.
    entry->setPosition(shipPositionOfElement(true));
}

GridPointElement::GridPointElement(math::Grid2<float>& grid, backend::ShipEntry* ship, backend::PointEntry* after,
                                   const math::Vector2<float>& pos, float size)
    : GridElement(grid, ship), entry(ship->insertPointAfter(0.0f, 0.0f, 0.0f, after)), halfSize(size / 2.0f)
{
    setPosition(pos);
    // Also at the canvas point (0, 0), where the move hook sees no change.
    entry->setPosition(shipPositionOfElement(true));
}

GridPointElement::GridPointElement(math::Grid2<float>& grid, backend::ShipEntry* ship, backend::PointEntry* entry,
                                   float size)
    : GridElement(grid, ship), entry(entry), halfSize(size / 2.0f)
{
    tools::Movable2<float>::position = shipToCanvas(grid, entry->getPosition());
}

GridPointElement::~GridPointElement()
{
    if (isValid() && ship)
        ship->pointSet().destroy(entry); // an entry no longer in the set is ignored
}

void GridPointElement::onMoved(const math::Vector2<float>& delta)
{
    if (delta.x == 0.0f && delta.y == 0.0f)
        return;
    entry->setPosition(shipPositionOfElement(true));
}

bool GridPointElement::isPointInside(const math::Vector2<float>& p) const
{
    const math::Vector2<float>& c = getPosition();
    return c.x - halfSize <= p.x && p.x <= c.x + halfSize && c.y - halfSize <= p.y && p.y <= c.y + halfSize;
}

bool GridPointElement::isInsideArea(const Box& box) const
{
    const math::Vector2<float>& c = getPosition();
    return std::min(box.min.x, box.max.x) <= c.x && c.x <= std::max(box.min.x, box.max.x) &&
           std::min(box.min.y, box.max.y) <= c.y && c.y <= std::max(box.min.y, box.max.y);
}

void GridPointElement::updatePosition()
{
    tools::Movable2<float>::position = shipToCanvas(grid, entry->getPosition());
}

void GridPointElement::drawOnGrid(const math::Vector2<float>& offset)
{
    const float r = geIsOver() ? halfSize : halfSize / 2.0f;
    math::Vector2<float> corner[8];
    for (unsigned k = 0; k < 8; ++k)
        corner[k] = getPosition() + offset + baseCornerPoints[k] * r;
    const sf::Color& color = isGrabbed() ? pointColorGrabbed : (isSelected() ? pointColorSelected : pointColorNormal);
    const GLubyte rgba[4] = {color.r, color.g, color.b, color.a};
    glPushMatrix();
    glBegin(GL_QUADS);
    glColor4ubv(rgba);
    for (unsigned k = 0; k < 4; ++k) {
        const unsigned n = (k + 1) % 4;
        glVertex2f(corner[k].x, corner[k].y);
        glVertex2f(corner[n].x, corner[n].y);
        glVertex2f(corner[4 + n].x, corner[4 + n].y);
        glVertex2f(corner[4 + k].x, corner[4 + k].y);
    }
    glEnd();
    glPopMatrix();
}

GridPointElement* PointCreator::operator()() const
{
    if (after)
        return new GridPointElement(grid, ship, after, pos, 40.0f);
    return new GridPointElement(grid, ship, pos, 40.0f);
}

} // namespace velk
