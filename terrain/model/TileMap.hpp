#pragma once

#include "foundation/json/Value.hpp"
#include "foundation/math/Vector2.hpp"
#include "terrain/model/MapTileBrush.hpp"

#include <string>
#include <vector>

/// The terrain of one level: a grid of one-byte tile codes, column-major
/// (cell (x, y) is column x, row y, row 0 at the top), with the edge length
/// of a tile in world units and the number of tiles one terrain texture (and
/// one render chunk) spans. Either both dimensions are non-zero or the map is
/// 0 by 0. Cells are not checked against the tile-code range.
///
/// Untrusted values are clamped as the setters clamp them: tile size into
/// [MinTileSize, MaxTileSize], tiles per texture into [1, MaxTilesPerTexture],
/// each dimension to MaxSize, so no file can make the map exhaust memory or
/// make chunk building divide by zero or never end.
class TileMap {
public:
    static constexpr float MinTileSize = 0.1f;
    static constexpr float MaxTileSize = 100.0f;
    static constexpr unsigned int MaxTilesPerTexture = 4096;
    /// Largest width or height.
    static constexpr unsigned int MaxSize = 4096;

    explicit TileMap(const math::Vector2<unsigned int>& size = {});
    TileMap(unsigned int width, unsigned int height);
    TileMap(const TileMap&) = default;
    TileMap& operator=(const TileMap&) = default;
    TileMap(TileMap&&) = default;
    TileMap& operator=(TileMap&&) = default;
    virtual ~TileMap() = default;

    float getTileSize() const { return tileSize; }
    /// Keeps the value within [MinTileSize, MaxTileSize]; NaN gives MinTileSize.
    void setTileSize(float size);
    unsigned int getTilesPerTexture() const { return tilesPerTexture; }
    /// 0 becomes 1; values above MaxTilesPerTexture become that.
    void setTilesPerTexture(unsigned int tiles);

    const math::Vector2<unsigned int>& getSize() const { return size; }
    unsigned int getNumberOfTiles() const { return size.x * size.y; }
    /// Keeps the overlap, fills new cells with 0; a zero dimension empties
    /// the map to 0 by 0; a dimension above MaxSize is clamped (logged).
    void resizeTo(const math::Vector2<unsigned int>& newSize);
    void resizeTo(unsigned int width, unsigned int height);
    /// Frees the grid; the size becomes 0 by 0.
    void clear();

    bool isValid(const math::Vector2<int>& cell) const { return isValid(cell.x, cell.y); }
    bool isValid(int x, int y) const;

    /// Bounds-tested: a cell outside the map throws std::out_of_range.
    unsigned char& getTile(const math::Vector2<unsigned int>& cell) { return getTile(cell.x, cell.y); }
    const unsigned char& getTile(const math::Vector2<unsigned int>& cell) const { return getTile(cell.x, cell.y); }
    unsigned char& getTile(unsigned int x, unsigned int y);
    const unsigned char& getTile(unsigned int x, unsigned int y) const;
    unsigned char& operator[](const math::Vector2<unsigned int>& cell) { return getTile(cell.x, cell.y); }
    const unsigned char& operator[](const math::Vector2<unsigned int>& cell) const { return getTile(cell.x, cell.y); }

    /// Adds the brush with its middle cell (width / 2, first column's
    /// height / 2, rounded down) on `centre`; cells outside the map are skipped.
    void paint(const math::Vector2<int>& centre, const MapTileBrush& brush);
    /// Takes the brush's ground away, placed as `paint` places it.
    void erase(const math::Vector2<int>& centre, const MapTileBrush& brush);
    /// Paints the ball brush of that radius; a radius that would cover the
    /// whole map is clamped (logged) to one that still does.
    void paint(const math::Vector2<int>& centre, int radius);
    void erase(const math::Vector2<int>& centre, int radius);

    /// Cells holding a marker code, column by column (x, then y, upwards);
    /// empty for a code that is not a marker.
    std::vector<math::Vector2<unsigned int>> getMarkers(unsigned char code) const;

    /// Reads a ".map.json" file leniently: missing or mistyped members keep
    /// the current values. A file that cannot be read, is not JSON, whose
    /// root is not an object or whose size is negative leaves the map
    /// unchanged, logs a line naming the file and gives false.
    bool loadFromFile(const std::string& path);
    /// As loadFromFile, from the text of a map file.
    bool loadFromString(const std::string& text);
    /// Applies a parsed map document; false (map unchanged) unless it is an object.
    bool loadFromJson(const json::Value& root);

    /// The map document: exactly "Size" {"X", "Y"}, "TileSize",
    /// "Tiles" (column-major) and "TilesPerTexture".
    json::Value toJson() const;
    /// Writes the map document atomically; false (logged, old file kept)
    /// when it cannot be written.
    bool saveToFile(const std::string& path) const;

private:
    bool apply(const json::Value& root, const std::string& source);
    void applyBrush(const math::Vector2<int>& centre, const MapTileBrush& brush, bool add);
    int clampRadius(const math::Vector2<int>& centre, int radius) const;

    float tileSize = 1.0f;
    unsigned int tilesPerTexture = 1;
    math::Vector2<unsigned int> size;
    std::vector<std::vector<unsigned char>> tiles;
};
