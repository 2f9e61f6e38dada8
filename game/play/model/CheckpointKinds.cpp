#include "game/play/model/CheckpointKinds.hpp"

namespace velk {

const unsigned char PointTile[PointKindCount] = {36, 37, 38, 39, 40};
const int PointScores[PointKindCount] = {1000, 2000, 5000, 10000, 25000};
const float PointFuels[PointKindCount] = {10.0f, 12.5f, 15.0f, 17.5f, 20.0f};

namespace {

const unsigned char kFirstMarker = 34;
const unsigned char kLastMarker = 41;

const Rgba kMarkerColors[] = {
    {255, 255, 255, 255},                                                                // 34 start
    {255, 255, 255, 255},                                                                // 35 platform
    {216, 237, 255, 255},                                                                // 36 first checkpoint kind
    {61, 255, 248, 255},  {253, 255, 125, 255}, {255, 114, 0, 255}, {241, 87, 255, 255}, // 40 fifth checkpoint kind
    {255, 255, 255, 255},                                                                // 41
};

} // namespace

Rgba markerColor(unsigned char tile)
{
    if (tile < kFirstMarker || tile > kLastMarker)
        return Rgba{0, 0, 0, 255};
    return kMarkerColors[tile - kFirstMarker];
}

} // namespace velk
