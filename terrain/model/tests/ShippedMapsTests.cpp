// The maps in data/map load through the game's own reader, hold the markers
// play mode looks for, are closed on every side and have room at the start
// and a platform on flat ground. Whether the sample ships can fly their ways
// is checked in play mode's tests, with the ships' own sizes.

#include "terrain/model/TileMap.hpp"
#include "terrain/model/TileMapGeometry.hpp"

#include "foundation/json/Writer.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using U = math::Vector2<unsigned int>;

namespace {

std::string shippedMap(const std::string& name)
{
    return std::string(VELK_SOURCE_DIR) + "/data/map/" + name;
}

TileMap load(const std::string& name)
{
    velk_test::LogCapture log;
    TileMap map;
    EXPECT_TRUE(map.loadFromFile(shippedMap(name))) << name;
    EXPECT_TRUE(log.lines().empty()) << log.text();
    return map;
}

bool isGround(const TileMap& map, int x, int y)
{
    return map.isValid(x, y) && isMapTileGround(map.getTile(static_cast<unsigned>(x), static_cast<unsigned>(y)));
}

void expectRoomAround(const TileMap& map, const U& cell, int radius)
{
    for (int dx = -radius; dx <= radius; ++dx)
        for (int dy = -radius; dy <= radius; ++dy)
            EXPECT_FALSE(isGround(map, static_cast<int>(cell.x) + dx, static_cast<int>(cell.y) + dy))
                << "ground near (" << cell.x << ", " << cell.y << ")";
}

/// Partial tiles belong to a surface: each one's ground meets a neighbour's
/// ground on some side, or the map's edge.
void expectNoLonePartialTiles(const TileMap& map)
{
    for (unsigned int x = 0; x < map.getSize().x; ++x)
        for (unsigned int y = 0; y < map.getSize().y; ++y) {
            const unsigned char code = map.getTile(x, y);
            if (!isMapTileCorner(code))
                continue;
            EXPECT_NE(getTileBorderMask(map, static_cast<int>(x), static_cast<int>(y)), createTileFrame(code))
                << "lone partial tile " << int(code) << " at (" << x << ", " << y << ")";
        }
}

} // namespace

TEST(ShippedMapsTest, FilesAreExactlyWhatTheMapWriterWrites)
{
    for (const std::string name : {"canyon_run.map.json", "open_caverns.map.json"}) {
        const TileMap map = load(name);
        std::string written;
        json::writeToString(written, map.toJson());
        EXPECT_EQ(written, velk_test::readFile(shippedMap(name))) << name;
        for (unsigned int x = 0; x < map.getSize().x; ++x)
            for (unsigned int y = 0; y < map.getSize().y; ++y)
                EXPECT_TRUE(isMapTileValid(map.getTile(x, y)) && map.getTile(x, y) != 41) << x << "," << y;
        expectNoLonePartialTiles(map);
    }
}

TEST(ShippedMapsTest, EveryMapIsClosedOnEverySide)
{
    // Ground all round the edge: no ship flies or falls off a map.
    for (const auto& file : std::filesystem::directory_iterator(std::string(VELK_SOURCE_DIR) + "/data/map")) {
        const TileMap map = load(file.path().filename().string());
        const U size = map.getSize();
        ASSERT_GT(size.x * size.y, 0u) << file.path();
        for (unsigned int x = 0; x < size.x; ++x)
            for (unsigned int y = 0; y < size.y; ++y)
                if (x == 0 || y == 0 || x == size.x - 1 || y == size.y - 1) {
                    EXPECT_TRUE(isMapTileGround(map.getTile(x, y))) << file.path().filename() << " " << x << "," << y;
                }
    }
}

TEST(ShippedMapsTest, TimeTrialMapHasStartPlatformAndEveryCheckpointKind)
{
    const TileMap map = load("canyon_run.map.json");
    EXPECT_EQ(map.getSize(), U(192, 144));
    EXPECT_EQ(map.getTileSize(), 1.0f);
    EXPECT_EQ(map.getTilesPerTexture(), 8u);
    const auto starts = map.getMarkers(34);
    ASSERT_EQ(starts.size(), 1u);
    expectRoomAround(map, starts[0], 3);
    const auto platforms = map.getMarkers(35);
    ASSERT_EQ(platforms.size(), 1u);
    const U platform = platforms[0];
    // Flat, full ground under the whole platform (14 wide) and room above it.
    for (int dx = -7; dx <= 7; ++dx)
        EXPECT_EQ(map.getTile(platform.x + dx, platform.y + 1), 1) << dx;
    expectRoomAround(map, U(platform.x, platform.y - 3), 2);

    for (unsigned char kind = 36; kind <= 40; ++kind)
        EXPECT_FALSE(map.getMarkers(kind).empty()) << int(kind);
}

TEST(ShippedMapsTest, FreeFlightMapHasAStartAndNoPlatform)
{
    const TileMap map = load("open_caverns.map.json");
    EXPECT_EQ(map.getSize(), U(192, 128));
    const auto starts = map.getMarkers(34);
    ASSERT_EQ(starts.size(), 1u);
    expectRoomAround(map, starts[0], 3);
    EXPECT_TRUE(map.getMarkers(35).empty());
    for (unsigned char kind = 36; kind <= 41; ++kind)
        EXPECT_TRUE(map.getMarkers(kind).empty()) << int(kind);
}
