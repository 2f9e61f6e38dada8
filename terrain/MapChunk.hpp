#pragma once

#include "foundation/math/Box.hpp"
#include "foundation/math/Vector2.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/System/Vector2.hpp>

#include <functional>
#include <utility>
#include <vector>

class MapTileShape;
class TileMap;

namespace sf {
class RenderTarget;
class Texture;
class Transform;
} // namespace sf

/// Whether the unit square, under the transform and then the target's view,
/// covers part of the target's viewport of non-zero area (touching is not
/// enough). A square covering a fraction of the first pixel row or column
/// counts.
bool isUnitSquareOnScreen(const sf::RenderTarget& target, const sf::Transform& transform);

/// One rectangular block of a tile map, drawn in three passes: the ground
/// cells as black tile polygons (mask), one textured quad over the block, and
/// the outline of the ground surface as thick lines with round-ish ends. The
/// caller sets the blending that lets the texture show only on the mask.
/// The texture keeps its scale: one texture rectangle per tiles-per-texture
/// cells, however large the block.
///
/// Geometry is in screen orientation: x right, y down, one cell = the map's
/// tile size (read at each use). The tile list and the outline are caches
/// that update() rebuilds; a drill marks the chunk stale and its owner calls
/// update() later, on its own thread.
///
/// The mask and texture passes place every vertex from its map cell through
/// the given transform alone, so the shared edge of two neighbouring cells or
/// blocks is the same float on both sides and no pixel falls between them.
class MapChunk {
public:
    /// A ground cell of the block: its shared tile shape and its cell
    /// (column, row) inside the block.
    struct ChunkTile {
        const MapTileShape* shape;
        sf::Vector2f position;
    };

    explicit MapChunk(TileMap* map);
    virtual ~MapChunk() = default;

    TileMap* getMap() const { return map; }
    void setMap(TileMap* value) { map = value; }
    const math::Vector2<unsigned int>& getBegin() const { return begin; }
    void setBegin(const math::Vector2<unsigned int>& value) { begin = value; }
    const math::Vector2<unsigned int>& getSize() const { return size; }
    void setSize(const math::Vector2<unsigned int>& value) { size = value; }
    void setRegion(const math::Vector2<unsigned int>& newBegin, const math::Vector2<unsigned int>& newSize);

    const sf::Texture* getTexture() const { return texture; }
    void setTexture(const sf::Texture* value) { texture = value; }
    const sf::IntRect& getTextureRect() const { return textureRect; }
    void setTextureRect(const sf::IntRect& value) { textureRect = value; }
    const sf::Color& getBorderColor() const { return borderColor; }
    void setBorderColor(const sf::Color& value) { borderColor = value; }
    float getBorderWidth() const { return borderWidth; }
    void setBorderWidth(float value) { borderWidth = value; }

    bool isUpdateNeeded() const { return updateNeeded; }
    /// Turning stale, from false to true, tells the stale listener.
    void setUpdateNeeded(bool value);
    /// Called whenever the chunk turns stale, however it was marked, so its
    /// owner can rebuild exactly the stale chunks.
    void setStaleListener(std::function<void()> listener) { staleListener = std::move(listener); }
    /// Whether the cell box {min, max}, grown by one cell on every side,
    /// overlaps the block: a hole next to the block changes its rim outline.
    bool isIntersect(const math::Box<math::Vector2<int>>& box) const;
    /// Rebuilds the tile list and the outline from the map; only cells
    /// inside the map count, so the work is bounded by the map as well.
    void update();

    const std::vector<ChunkTile>& getTiles() const { return tiles; }
    /// Outline segments as point pairs, in block units: (0, 0) is the block's
    /// top-left corner, (1, -1) its bottom-right (y up).
    const std::vector<math::Vector2<float>>& getLines() const { return lines; }

    /// Appends the translation to the block's top-left corner.
    void translate(sf::RenderStates& states) const;
    /// Appends the scaling of the unit square to the block's size.
    void scale(sf::RenderStates& states) const;
    /// Both: the unit square becomes the block.
    void transform(sf::RenderStates& states) const;

    /// Whether the block covers a part of the target's viewport of non-zero area.
    bool isVisible(const sf::RenderTarget& target, sf::RenderStates states) const;
    void drawMask(sf::RenderTarget& target, sf::RenderStates states) const;
    void drawTexture(sf::RenderTarget& target, sf::RenderStates states) const;
    /// Lines and then points of the border width (pixels), so thick lines
    /// join without gaps; the GL line width and point size are restored.
    void drawBorder(sf::RenderTarget& target, sf::RenderStates states) const;

private:
    float tileSize() const;

    TileMap* map;
    math::Vector2<unsigned int> begin;
    math::Vector2<unsigned int> size;
    const sf::Texture* texture = nullptr;
    sf::IntRect textureRect;
    bool updateNeeded = false;
    std::function<void()> staleListener;
    sf::Color borderColor = sf::Color::Black;
    float borderWidth = 1.0f;
    std::vector<ChunkTile> tiles;
    std::vector<math::Vector2<float>> lines;
};
