#pragma once

#include "terrain/model/TileMap.hpp"

#include <string>

// Checks and conversions of what the player types or spins in the map
// editor's dialogs, kept apart from the GUI so they can be tested alone.

namespace dunnix {

/// Spinner ranges of the dialogs and the palette. The map values span what
/// the map reader accepts, so a loaded map survives the properties dialog
/// unchanged; a size of 0 gives an empty map. init_mapper.lua uses the same.
struct SpinnerRange {
    double min;
    double max;
};
constexpr SpinnerRange MapSizeRange{0.0, TileMap::MaxSize};
constexpr SpinnerRange TileSizeRange{TileMap::MinTileSize, TileMap::MaxTileSize};
constexpr SpinnerRange TilesPerTextureRange{1.0, TileMap::MaxTilesPerTexture};
constexpr SpinnerRange BrushSizeRange{1.0, 20.0};

/// The value held within the range; NaN gives the range's minimum.
double clampSpinnerValue(double value, const SpinnerRange& range);
/// The clamped value truncated toward zero.
unsigned int spinnerToUnsigned(double value, const SpinnerRange& range);
int spinnerToInt(double value, const SpinnerRange& range);
float spinnerToFloat(double value, const SpinnerRange& range);

/// True for a name that stays inside its folder: not empty, no '/' or '\\',
/// no NUL, and not "." or "..".
bool isBareFileName(const std::string& name);

/// A name whose extension (from its last dot) is not exactly ".json" gets
/// ".map.json" appended; the test is case-sensitive.
std::string completeMapFileName(const std::string& name);

} // namespace dunnix
