#include "terrain/MapChunk.hpp"

#include "terrain/MapTileShape.hpp"
#include "terrain/model/MapTile.hpp"
#include "terrain/model/TileMap.hpp"
#include "terrain/model/TileMapGeometry.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <climits>

bool isUnitSquareOnScreen(const sf::RenderTarget& target, const sf::Transform& transform)
{
    const sf::Vector2f corners[4] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const sf::Vector2f& corner : corners) {
        const sf::Vector2i p = target.mapCoordsToPixel(transform.transformPoint(corner));
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    const sf::IntRect viewport = target.getViewport(target.getView());
    // In 64 bits: a far-off block maps to pixels near the ends of int.
    const long long width = std::min<long long>(right, viewport.left + viewport.width) - std::max(left, viewport.left);
    const long long height = std::min<long long>(bottom, viewport.top + viewport.height) - std::max(top, viewport.top);
    return width > 0 && height > 0;
}

MapChunk::MapChunk(TileMap* map_) : map(map_) {}

void MapChunk::setRegion(const math::Vector2<unsigned int>& newBegin, const math::Vector2<unsigned int>& newSize)
{
    begin = newBegin;
    size = newSize;
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
    translate(states);
    const float t = tileSize();
    states.transform.scale(t, t);
    for (const ChunkTile& tile : tiles) {
        sf::RenderStates cell = states;
        cell.transform.translate(tile.position);
        target.draw(*tile.shape, cell);
    }
}

void MapChunk::drawTexture(sf::RenderTarget& target, sf::RenderStates states) const
{
    transform(states);
    sf::RectangleShape quad(sf::Vector2f(1.0f, 1.0f));
    quad.setTexture(texture);
    quad.setTextureRect(textureRect);
    target.draw(quad, states);
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
