#include "terrain/model/TileMap.hpp"

#include "foundation/json/ParseException.hpp"
#include "foundation/json/Parser.hpp"
#include "foundation/json/Writer.hpp"
#include "foundation/tools/AtomicFile.hpp"
#include "foundation/tools/Log.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace {

const char* const LogTag = "TileMap";

std::string text(double value)
{
    std::ostringstream stream;
    stream << value;
    return stream.str();
}

/// A number member truncated toward zero, still as a double so that no huge
/// value is converted before it is clamped; false when it is not a number.
bool readWhole(const json::Value& value, double& out)
{
    if (value.isInteger()) {
        out = static_cast<double>(value.integerValue());
        return true;
    }
    if (!value.isFloat())
        return false;
    if (std::isnan(value.floatValue()))
        return false;
    out = std::trunc(value.floatValue());
    return true;
}

/// Clamps a whole number read from `source` into [low, high], logging a change.
unsigned int clampCount(double value, unsigned int low, unsigned int high, const std::string& what,
                        const std::string& source)
{
    const double clamped = std::clamp(value, static_cast<double>(low), static_cast<double>(high));
    if (clamped != value)
        tools::log(LogTag, "Map " + source + ": " + what + " " + text(value) + " clamped to " + text(clamped));
    return static_cast<unsigned int>(clamped);
}

/// A "Tiles" element's byte: an integer's low byte; a float truncated toward
/// zero to 16 bits first. False for anything else.
bool readTileCode(const json::Value& value, unsigned char& out)
{
    if (value.isInteger()) {
        out = static_cast<unsigned char>(static_cast<unsigned long long>(value.integerValue()) & 0xFFu);
        return true;
    }
    if (!value.isFloat() || !std::isfinite(value.floatValue()))
        return false;
    const long long low16 = static_cast<long long>(std::fmod(std::trunc(value.floatValue()), 65536.0));
    out = static_cast<unsigned char>(static_cast<unsigned long long>(low16) & 0xFFu);
    return true;
}

const json::Value* member(const json::Value& object, const char* key)
{
    const auto& members = object.objectValue();
    auto found = members.find(key);
    return found == members.end() ? nullptr : &found->second;
}

} // namespace

TileMap::TileMap(const math::Vector2<unsigned int>& size_)
{
    resizeTo(size_);
}

TileMap::TileMap(unsigned int width, unsigned int height) : TileMap(math::Vector2<unsigned int>(width, height)) {}

void TileMap::setTileSize(float value)
{
    tileSize = std::isnan(value) ? MinTileSize : std::clamp(value, MinTileSize, MaxTileSize);
}

void TileMap::setTilesPerTexture(unsigned int tiles)
{
    tilesPerTexture = std::clamp(tiles, 1u, MaxTilesPerTexture);
}

void TileMap::resizeTo(unsigned int width, unsigned int height)
{
    resizeTo(math::Vector2<unsigned int>(width, height));
}

void TileMap::resizeTo(const math::Vector2<unsigned int>& requested)
{
    math::Vector2<unsigned int> newSize(std::min(requested.x, MaxSize), std::min(requested.y, MaxSize));
    if (newSize != requested)
        tools::log(LogTag, "Map size " + std::to_string(requested.x) + " x " + std::to_string(requested.y) +
                               " clamped to " + std::to_string(newSize.x) + " x " + std::to_string(newSize.y));
    if (newSize == size)
        return;
    if (newSize.x == 0 || newSize.y == 0) {
        clear();
        return;
    }
    // Built beside the old grid, so a failed allocation leaves the map as it was.
    std::vector<std::vector<unsigned char>> grid(newSize.x, std::vector<unsigned char>(newSize.y, 0));
    const unsigned int keepX = std::min(size.x, newSize.x);
    const unsigned int keepY = std::min(size.y, newSize.y);
    for (unsigned int x = 0; x < keepX; ++x)
        std::copy_n(tiles[x].begin(), keepY, grid[x].begin());
    tiles.swap(grid);
    size = newSize;
}

void TileMap::clear()
{
    tiles.clear();
    tiles.shrink_to_fit();
    size = {};
}

bool TileMap::isValid(int x, int y) const
{
    return x >= 0 && y >= 0 && static_cast<unsigned int>(x) < size.x && static_cast<unsigned int>(y) < size.y;
}

unsigned char& TileMap::getTile(unsigned int x, unsigned int y)
{
    return tiles.at(x).at(y);
}

const unsigned char& TileMap::getTile(unsigned int x, unsigned int y) const
{
    return tiles.at(x).at(y);
}

void TileMap::paint(const math::Vector2<int>& centre, const MapTileBrush& brush)
{
    applyBrush(centre, brush, true);
}

void TileMap::erase(const math::Vector2<int>& centre, const MapTileBrush& brush)
{
    applyBrush(centre, brush, false);
}

void TileMap::paint(const math::Vector2<int>& centre, int radius)
{
    const int r = clampRadius(centre, radius);
    if (r >= 0)
        applyBrush(centre, genMapTileBall(r), true);
}

void TileMap::erase(const math::Vector2<int>& centre, int radius)
{
    const int r = clampRadius(centre, radius);
    if (r >= 0)
        applyBrush(centre, genMapTileBall(r), false);
}

int TileMap::clampRadius(const math::Vector2<int>& centre, int radius) const
{
    if (radius < 0 || size.x == 0)
        return -1;
    const long long cx = centre.x;
    const long long cy = centre.y;
    // A ball wholly beside the map changes nothing: skip building it.
    if (cx + radius < 0 || cy + radius < 0 || cx - radius >= static_cast<long long>(size.x) ||
        cy - radius >= static_cast<long long>(size.y))
        return -1;
    // Cells nearer than radius - 1.25 to the centre are always full ground,
    // so once the map's farthest cell lies two cells inside the rim, any
    // larger ball paints the same.
    const double dx = static_cast<double>(std::max(std::llabs(cx), std::llabs(cx - (size.x - 1ll))));
    const double dy = static_cast<double>(std::max(std::llabs(cy), std::llabs(cy - (size.y - 1ll))));
    const double bound = std::ceil(std::sqrt(dx * dx + dy * dy)) + 2.0;
    if (radius > bound) {
        tools::log(LogTag, "Brush radius " + std::to_string(radius) + " clamped to " +
                               std::to_string(static_cast<long long>(bound)));
        radius = static_cast<int>(bound);
    }
    return radius;
}

void TileMap::applyBrush(const math::Vector2<int>& centre, const MapTileBrush& brush, bool add)
{
    if (brush.empty())
        return;
    const long long ox = static_cast<long long>(brush.size() / 2);
    const long long oy = static_cast<long long>(brush.front().size() / 2);
    for (std::size_t i = 0; i < brush.size(); ++i) {
        const long long x = static_cast<long long>(centre.x) - ox + static_cast<long long>(i);
        if (x < 0 || x >= static_cast<long long>(size.x))
            continue;
        std::vector<unsigned char>& column = tiles[static_cast<std::size_t>(x)];
        for (std::size_t j = 0; j < brush[i].size(); ++j) {
            const long long y = static_cast<long long>(centre.y) - oy + static_cast<long long>(j);
            if (y < 0 || y >= static_cast<long long>(size.y))
                continue;
            unsigned char& cell = column[static_cast<std::size_t>(y)];
            cell = add ? addMapTiles(cell, brush[i][j]) : subMapTiles(cell, brush[i][j]);
        }
    }
}

std::vector<math::Vector2<unsigned int>> TileMap::getMarkers(unsigned char code) const
{
    std::vector<math::Vector2<unsigned int>> markers;
    if (!isMapTileMarker(code))
        return markers;
    for (unsigned int x = 0; x < size.x; ++x)
        for (unsigned int y = 0; y < size.y; ++y)
            if (tiles[x][y] == code)
                markers.emplace_back(x, y);
    return markers;
}

bool TileMap::loadFromFile(const std::string& path)
{
    json::Value root;
    try {
        root = json::parseFromFile(path);
    } catch (const json::ParseException& e) {
        tools::log(LogTag, "Cannot load map \"" + path + "\": " + e.what());
        return false;
    }
    return apply(root, "\"" + path + "\"");
}

bool TileMap::loadFromString(const std::string& document)
{
    json::Value root;
    try {
        root = json::parseFromString(document);
    } catch (const json::ParseException& e) {
        tools::log(LogTag, std::string("Cannot load map text: ") + e.what());
        return false;
    }
    return apply(root, "text");
}

bool TileMap::loadFromJson(const json::Value& root)
{
    return apply(root, "document");
}

bool TileMap::apply(const json::Value& root, const std::string& source)
{
    if (!root.isObject()) {
        tools::log(LogTag, "Cannot load map " + source + ": the document is not an object");
        return false;
    }
    // Worked on a copy, so nothing half-read is ever left in this map.
    TileMap loaded(*this);
    double number = 0.0;
    if (const json::Value* value = member(root, "TileSize"); value && value->isNumber()) {
        const double read = value->isInteger() ? static_cast<double>(value->integerValue()) : value->floatValue();
        const double clamped = std::isnan(read) ? MinTileSize
                                                : std::clamp(read, double(MinTileSize), double(MaxTileSize));
        if (clamped != read)
            tools::log(LogTag, "Map " + source + ": TileSize " + text(read) + " clamped to " + text(clamped));
        loaded.tileSize = static_cast<float>(clamped);
    }
    if (const json::Value* value = member(root, "TilesPerTexture"); value && readWhole(*value, number))
        loaded.tilesPerTexture = clampCount(number, 1, MaxTilesPerTexture, "TilesPerTexture", source);
    if (const json::Value* value = member(root, "Size"); value && value->isObject()) {
        // A missing or non-numeric dimension reads as 0 (an empty map).
        double width = 0.0;
        double height = 0.0;
        if (const json::Value* x = member(*value, "X"))
            readWhole(*x, width);
        if (const json::Value* y = member(*value, "Y"))
            readWhole(*y, height);
        // Taken as empty, a negative size would start a game on no terrain.
        if (width < 0.0 || height < 0.0) {
            tools::log(LogTag, "Cannot load map " + source + ": negative size " + text(width) + " x " + text(height));
            return false;
        }
        loaded.resizeTo(clampCount(width, 0, MaxSize, "width", source),
                        clampCount(height, 0, MaxSize, "height", source));
    }
    if (const json::Value* value = member(root, "Tiles"); value && value->isArray()) {
        const std::vector<json::Value>& elements = value->arrayValue();
        const std::size_t count = std::min<std::size_t>(elements.size(), std::size_t(loaded.size.x) * loaded.size.y);
        for (std::size_t index = 0; index < count; ++index) {
            unsigned char code = 0;
            if (readTileCode(elements[index], code))
                loaded.tiles[index / loaded.size.y][index % loaded.size.y] = code;
        }
    }
    *this = std::move(loaded);
    return true;
}

json::Value TileMap::toJson() const
{
    std::vector<json::Value> cells;
    cells.reserve(std::size_t(size.x) * size.y);
    for (const std::vector<unsigned char>& column : tiles)
        for (unsigned char code : column)
            cells.emplace_back(static_cast<long long>(code));
    std::map<std::string, json::Value> sizeObject{{"X", json::Value(static_cast<long long>(size.x))},
                                                  {"Y", json::Value(static_cast<long long>(size.y))}};
    std::map<std::string, json::Value> root;
    root["Size"] = json::Value(std::move(sizeObject));
    root["TileSize"] = json::Value(static_cast<double>(tileSize));
    root["Tiles"] = json::Value(std::move(cells));
    root["TilesPerTexture"] = json::Value(static_cast<long long>(tilesPerTexture));
    return json::Value(std::move(root));
}

bool TileMap::saveToFile(const std::string& path) const
{
    std::string document;
    json::writeToString(document, toJson());
    std::string error;
    if (tools::writeFileAtomically(path, document, &error))
        return true;
    tools::log(LogTag, "Cannot save map \"" + path + "\": " + error);
    return false;
}
