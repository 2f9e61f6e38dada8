#pragma once

#include <string>

// Checks and conversions of what the player types or spins in the map
// editor's dialogs, kept apart from the GUI so they can be tested alone.

namespace dunnix {

/// Spinner ranges of the dialogs and the palette.
struct SpinnerRange {
    double min;
    double max;
};
constexpr SpinnerRange MapSizeRange{1.0, 2048.0};
constexpr SpinnerRange TileSizeRange{0.1, 10.0};
constexpr SpinnerRange TilesPerTextureRange{1.0, 64.0};
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
