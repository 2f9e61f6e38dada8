#include "terrain/model/MapTileBrush.hpp"

#include "foundation/tools/Log.hpp"

#include <cmath>
#include <string>
#include <utility>

namespace {

constexpr unsigned char Edge = MapTileCodes::Start; // an undecided rim cell while a brush is built
constexpr unsigned char Any = 255;

struct Rule {
    MapTileNeigborhood pattern; // left, up, right, down; Any matches every code
    unsigned char code;
};

// Corners first (diagonals), then steep steps into slope pairs, then the
// cells next to those slopes, then whatever is left of the rim.
constexpr Rule rules[34] = {
    {{1, 0, 0, 1}, 30},          {{0, 0, 1, 1}, 33},          {{0, 1, 1, 0}, 32},       {{1, 1, 0, 0}, 31},
    {{Edge, 0, 0, Edge}, 30},    {{0, 0, Edge, Edge}, 33},    {{0, Edge, Edge, 0}, 32}, {{Edge, Edge, 0, 0}, 31},
    {{1, 0, 0, Edge}, 11},       {{Edge, 0, 0, 1}, 14},       {{0, 0, Edge, 1}, 10},    {{0, 0, 1, Edge}, 17},
    {{0, Edge, 1, 0}, 13},       {{0, 1, Edge, 0}, 16},       {{Edge, 1, 0, 0}, 12},    {{1, Edge, 0, 0}, 15},
    {{1, 11, 0, 15}, 1},         {{10, 0, 14, 1}, 1},         {{0, 17, 1, 13}, 1},      {{16, 1, 12, 0}, 1},
    {{1, 30, 0, 31}, 1},         {{33, 0, 30, 1}, 1},         {{0, 33, 1, 32}, 1},      {{32, 1, 31, 0}, 1},
    {{Any, Edge, Any, Edge}, 1}, {{Edge, Any, Edge, Any}, 1}, {{Any, 11, Any, Any}, 3}, {{Any, Any, 14, Any}, 6},
    {{10, Any, Any, Any}, 2},    {{Any, 17, Any, Any}, 9},    {{Any, Any, Any, 13}, 5}, {{16, Any, Any, Any}, 8},
    {{Any, Any, 12, Any}, 4},    {{Any, Any, Any, 15}, 7},
};

/// The neighbours that patterns 16..19 rewrite: (dx, dy, code) twice.
struct NeighbourWrite {
    int dx1, dy1;
    unsigned char code1;
    int dx2, dy2;
    unsigned char code2;
};
constexpr int firstRewritingRule = 16;
constexpr NeighbourWrite neighbourWrites[4] = {
    {0, -1, 30, 0, 1, 31}, // up, down
    {-1, 0, 33, 1, 0, 30}, // left, right
    {0, -1, 33, 0, 1, 32}, // up, down
    {-1, 0, 32, 1, 0, 31}, // left, right
};

bool inside(const MapTileBrush& brush, int x, int y)
{
    return x >= 0 && y >= 0 && x < static_cast<int>(brush.size()) &&
           y < static_cast<int>(brush[static_cast<std::size_t>(x)].size());
}

unsigned char at(const MapTileBrush& brush, int x, int y)
{
    return inside(brush, x, y) ? brush[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] : 0;
}

void set(MapTileBrush& brush, int x, int y, unsigned char code)
{
    if (inside(brush, x, y))
        brush[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = code;
}

bool matches(const MapTileNeigborhood& pattern, const MapTileNeigborhood& n)
{
    auto same = [](unsigned char p, unsigned char c) { return p == Any || p == c; };
    return same(pattern.left, n.left) && same(pattern.up, n.up) && same(pattern.right, n.right) &&
           same(pattern.down, n.down);
}

bool touches(const MapTileNeigborhood& n, unsigned char code)
{
    return n.left == code || n.up == code || n.right == code || n.down == code;
}

/// Edge-marked cells, x outer and y inner.
std::vector<std::pair<int, int>> edgeCells(const MapTileBrush& brush)
{
    std::vector<std::pair<int, int>> cells;
    for (std::size_t x = 0; x < brush.size(); ++x)
        for (std::size_t y = 0; y < brush[x].size(); ++y)
            if (brush[x][y] == Edge)
                cells.emplace_back(static_cast<int>(x), static_cast<int>(y));
    return cells;
}

} // namespace

MapTileNeigborhood getNeigborhood(const MapTileBrush& brush, int x, int y)
{
    return {at(brush, x - 1, y), at(brush, x, y - 1), at(brush, x + 1, y), at(brush, x, y + 1)};
}

void smoothToNeigborhood(MapTileBrush& brush, unsigned char from, unsigned char to)
{
    std::vector<std::pair<int, int>> changed;
    for (const auto& [x, y] : edgeCells(brush))
        if (!touches(getNeigborhood(brush, x, y), from))
            changed.emplace_back(x, y);
    for (const auto& [x, y] : changed)
        set(brush, x, y, to);
}

void applyRules(MapTileBrush& brush)
{
    // Only edge-marked cells can match, and no rule writes the mark, so the
    // marks found once are the only candidates of every pattern.
    const std::vector<std::pair<int, int>> candidates = edgeCells(brush);
    std::vector<std::pair<int, int>> matched;
    for (int p = 0; p < 34; ++p) {
        matched.clear();
        for (const auto& [x, y] : candidates)
            if (at(brush, x, y) == Edge && matches(rules[p].pattern, getNeigborhood(brush, x, y)))
                matched.emplace_back(x, y);
        for (const auto& [x, y] : matched) {
            set(brush, x, y, rules[p].code);
            if (p >= firstRewritingRule && p < firstRewritingRule + 4) {
                const NeighbourWrite& w = neighbourWrites[p - firstRewritingRule];
                set(brush, x + w.dx1, y + w.dy1, w.code1);
                set(brush, x + w.dx2, y + w.dy2, w.code2);
            }
        }
    }
    for (const auto& [x, y] : candidates)
        if (at(brush, x, y) == Edge)
            set(brush, x, y, MapTileCodes::Full);
}

MapTileBrush genMapTileBall(int radius)
{
    if (radius < 0)
        return {};
    if (radius > MaxMapTileBrushRadius) {
        tools::log("MapTile",
                   "Brush radius " + std::to_string(radius) + " clamped to " + std::to_string(MaxMapTileBrushRadius));
        radius = MaxMapTileBrushRadius;
    }
    const std::size_t n = 2 * static_cast<std::size_t>(radius) + 1;
    MapTileBrush brush(n, std::vector<unsigned char>(n, MapTileCodes::Empty));
    if (radius == 0) {
        brush[0][0] = MapTileCodes::Full;
        return brush;
    }
    // Compared in float on purpose: the rim's shape depends on it.
    const float r = static_cast<float>(radius);
    for (int x = 0; x < static_cast<int>(n); ++x) {
        for (int y = 0; y < static_cast<int>(n); ++y) {
            const float dx = static_cast<float>(x - radius);
            const float dy = static_cast<float>(y - radius);
            const float d = std::sqrt(dx * dx + dy * dy);
            unsigned char code = MapTileCodes::Empty;
            if (d <= r - 0.25f)
                code = MapTileCodes::Full;
            else if (d <= r + 0.75f)
                code = Edge;
            brush[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = code;
        }
    }
    smoothToNeigborhood(brush, MapTileCodes::Empty, MapTileCodes::Full);
    if (n > 3)
        smoothToNeigborhood(brush, MapTileCodes::Full, MapTileCodes::Empty);
    applyRules(brush);
    return brush;
}

MapTileBrush genMapTileHole(int radius)
{
    MapTileBrush brush = genMapTileBall(radius);
    for (std::vector<unsigned char>& column : brush)
        for (unsigned char& code : column)
            code = getMapTileInverse(code);
    return brush;
}
