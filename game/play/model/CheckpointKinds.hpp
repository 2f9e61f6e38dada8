#pragma once

#include <cstddef>
#include <cstdint>

namespace velk {

/// Number of checkpoint kinds; the tables below are parallel, one entry each.
constexpr std::size_t PointKindCount = 5;

/// The map marker tile of each checkpoint kind.
extern const unsigned char PointTile[PointKindCount];
/// The score a checkpoint of each kind is worth.
extern const int PointScores[PointKindCount];
/// The fuel a checkpoint of each kind gives.
extern const float PointFuels[PointKindCount];

/// A colour as red, green, blue and alpha bytes (the model draws nothing).
struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
};

/// The display colour of a map marker tile: the same colours the map editor
/// paints its markers in, so a checkpoint glows in the colour of its marker.
/// Codes outside the markers (34 to 41) read black.
Rgba markerColor(unsigned char tile);

} // namespace velk
