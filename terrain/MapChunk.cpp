#include "terrain/MapChunk.hpp"

#include "terrain/MapTileShape.hpp"
#include "terrain/model/MapTile.hpp"
#include "terrain/model/TileMap.hpp"
#include "terrain/model/TileMapGeometry.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <cmath>

bool isUnitSquareOnScreen(const sf::RenderTarget& target, const sf::Transform& transform)
{
    const sf::View& view = target.getView();
    const sf::IntRect viewport = target.getViewport(view);
    const sf::Vector2f corners[4] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    // In doubles: a far-off block maps to pixels beyond the range of int.
    double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
    for (const sf::Vector2f& corner : corners) {
        const sf::Vector2f n = view.getTransform().transformPoint(transform.transformPoint(corner));
        const double x = (n.x + 1.0) / 2.0 * viewport.width + viewport.left;
        const double y = (1.0 - n.y) / 2.0 * viewport.height + viewport.top;
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
    // The square's own extent in pixels, unrounded: rounding towards zero (as
    // mapCoordsToPixel does) would drop a block that covers a fraction of the
    // first row or column, and leave that row without ground.
    const double width = std::min<double>(right, viewport.left + viewport.width) -
                         std::max<double>(left, viewport.left);
    const double height = std::min<double>(bottom, viewport.top + viewport.height) -
                          std::max<double>(top, viewport.top);
    return width > 0 && height > 0;
}

MapChunk::MapChunk(TileMap* map_) : map(map_) {}

void MapChunk::setRegion(const math::Vector2<unsigned int>& newBegin, const math::Vector2<unsigned int>& newSize)
{
    begin = newBegin;
    size = newSize;
}

void MapChunk::setUpdateNeeded(bool value)
{
    const bool turnsStale = value && !updateNeeded;
    updateNeeded = value;
    if (turnsStale && staleListener)
        staleListener();
}

float MapChunk::tileSize() const
{
    return map ? map->getTileSize() : 1.0f;
}

bool MapChunk::isIntersect(const math::Box<math::Vector2<int>>& box) const
{
    // In 64 bits: neither a far box nor a block at the top of the unsigned
    // range may wrap around.
    const long long bx = begin.x;
    const long long by = begin.y;
    return box.min.x <= bx + size.x && box.min.y <= by + size.y && bx <= box.max.x + 1LL && by <= box.max.y + 1LL;
}

void MapChunk::update()
{
    tiles.clear();
    lines.clear();
    updateNeeded = false;
    if (!map || size.x == 0 || size.y == 0)
        return;
    const math::Vector2<unsigned int>& mapSize = map->getSize();
    // Cells outside the map have neither tiles nor outline: stop at its edge,
    // however large the block claims to be.
    const unsigned columns = begin.x < mapSize.x ? std::min(size.x, mapSize.x - begin.x) : 0;
    const unsigned rows = begin.y < mapSize.y ? std::min(size.y, mapSize.y - begin.y) : 0;
    const float unitX = 1.0f / static_cast<float>(size.x);
    const float unitY = 1.0f / static_cast<float>(size.y);
    for (unsigned i = 0; i < columns; ++i)
        for (unsigned j = 0; j < rows; ++j) {
            const unsigned gx = begin.x + i;
            const unsigned gy = begin.y + j;
            const unsigned char code = map->getTile(gx, gy);
            if (isMapTileGround(code))
                tiles.push_back(
                    {&MapTileShape::getShapeForTile(code), sf::Vector2f(static_cast<float>(i), static_cast<float>(j))});
            MapTilePoints points = createFrameLines(
                getTileBorderMask(*map, static_cast<int>(gx), static_cast<int>(gy)));
            const MapTilePoints inner = createInnerLine(code);
            points.insert(points.end(), inner.begin(), inner.end());
            for (const math::Vector2<float>& p : points)
                lines.emplace_back((p.x + 0.5f + static_cast<float>(i)) * unitX,
                                   (p.y - 0.5f - static_cast<float>(j)) * unitY);
        }
}

void MapChunk::translate(sf::RenderStates& states) const
{
    const float t = tileSize();
    states.transform.translate(static_cast<float>(begin.x) * t, static_cast<float>(begin.y) * t);
}

void MapChunk::scale(sf::RenderStates& states) const
{
    const float t = tileSize();
    states.transform.scale(static_cast<float>(size.x) * t, static_cast<float>(size.y) * t);
}

void MapChunk::transform(sf::RenderStates& states) const
{
    translate(states);
    scale(states);
}

bool MapChunk::isVisible(const sf::RenderTarget& target, sf::RenderStates states) const
{
    transform(states);
    return isUnitSquareOnScreen(target, states.transform);
}

void MapChunk::drawMask(sf::RenderTarget& target, sf::RenderStates states) const
{
    const float t = tileSize();
    std::vector<sf::Vertex> vertices;
    vertices.reserve(tiles.size() * 6);
    for (const ChunkTile& tile : tiles) {
        const MapTileShape& shape = *tile.shape;
        const std::size_t count = shape.getPointCount();
        // Map cell coordinates are whole numbers, exact in float.
        const float column = static_cast<float>(begin.x) + tile.position.x;
        const float row = static_cast<float>(begin.y) + tile.position.y;
        auto vertex = [&](std::size_t k) {
            const sf::Vector2f p = shape.getPoint(k);
            return sf::Vertex(states.transform.transformPoint((column + p.x) * t, (row + p.y) * t),
                              shape.getFillColor());
        };
        // Tile shapes are convex: a fan.
        for (std::size_t k = 1; k + 1 < count; ++k) {
            vertices.push_back(vertex(0));
            vertices.push_back(vertex(k));
            vertices.push_back(vertex(k + 1));
        }
    }
    if (vertices.empty())
        return;
    states.transform = sf::Transform::Identity;
    target.draw(vertices.data(), vertices.size(), sf::Triangles, states);
}

void MapChunk::drawTexture(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (size.x == 0 || size.y == 0)
        return;
    // One texture rectangle per tiles-per-texture cells; a block cut short
    // by the chunk's edge shows the same part of the rectangle it would
    // show whole.
    const unsigned perTexture = map ? map->getTilesPerTexture() : 0;
    const unsigned blockX = perTexture ? perTexture : size.x;
    const unsigned blockY = perTexture ? perTexture : size.y;
    const float t = tileSize();
    const sf::FloatRect rect(textureRect);
    auto edge = [t](unsigned first, unsigned offset) { return static_cast<float>(first + offset) * t; };
    std::vector<sf::Vertex> vertices;
    for (unsigned x0 = 0; x0 < size.x; x0 += std::min(blockX, size.x - x0)) {
        const unsigned x1 = x0 + std::min(blockX, size.x - x0);
        const float u1 = rect.left + rect.width * static_cast<float>(x1 - x0) / static_cast<float>(blockX);
        for (unsigned y0 = 0; y0 < size.y; y0 += std::min(blockY, size.y - y0)) {
            const unsigned y1 = y0 + std::min(blockY, size.y - y0);
            const float v1 = rect.top + rect.height * static_cast<float>(y1 - y0) / static_cast<float>(blockY);
            auto vertex = [&](unsigned x, unsigned y, float u, float v) {
                return sf::Vertex(states.transform.transformPoint(edge(begin.x, x), edge(begin.y, y)),
                                  sf::Vector2f(u, v));
            };
            const sf::Vertex topLeft = vertex(x0, y0, rect.left, rect.top);
            const sf::Vertex bottomRight = vertex(x1, y1, u1, v1);
            const sf::Vertex topRight = vertex(x1, y0, u1, rect.top);
            const sf::Vertex bottomLeft = vertex(x0, y1, rect.left, v1);
            vertices.insert(vertices.end(), {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft});
        }
    }
    states.transform = sf::Transform::Identity;
    states.texture = texture;
    target.draw(vertices.data(), vertices.size(), sf::Triangles, states);
}

void MapChunk::drawBorder(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (lines.empty())
        return;
    transform(states);
    sf::VertexArray vertices(sf::Lines, lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        vertices[i].position = sf::Vector2f(lines[i].x, -lines[i].y);
        vertices[i].color = borderColor;
    }
    // SFML keeps no cache of these two, so they are set and restored here;
    // GL refuses a width of 0, and less than a pixel would not show.
    const float width = std::max(borderWidth, 1.0f);
    if (!target.setActive(true))
        return;
    glPushAttrib(GL_POINT_BIT | GL_LINE_BIT);
    glLineWidth(width);
    glPointSize(width);
    target.draw(vertices, states);
    vertices.setPrimitiveType(sf::Points);
    target.draw(vertices, states);
    glPopAttrib();
}
