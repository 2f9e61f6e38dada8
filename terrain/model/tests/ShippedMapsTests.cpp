// The maps in data/map load through the game's own reader, hold the markers
// play mode looks for, and are playable: room at the start, a platform on
// flat ground, goals a ship can fly to, and sealed pockets a drill opens.

#include "terrain/model/TileMap.hpp"
#include "terrain/model/TileMapGeometry.hpp"

#include "foundation/json/Writer.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

using U = math::Vector2<unsigned int>;
using I = math::Vector2<int>;

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

/// Cells where a ship of the given radius (in cells) fits, reachable from the
/// start without drilling.
std::set<std::pair<int, int>> flyable(const TileMap& map, const U& start, float radius)
{
    const int w = static_cast<int>(map.getSize().x);
    const int h = static_cast<int>(map.getSize().y);
    const int r = static_cast<int>(std::ceil(radius));
    auto fits = [&](int x, int y) {
        for (int dx = -r; dx <= r; ++dx)
            for (int dy = -r; dy <= r; ++dy)
                if (static_cast<float>(dx * dx + dy * dy) <= radius * radius && isGround(map, x + dx, y + dy))
                    return false;
        return true;
    };
    std::set<std::pair<int, int>> seen;
    std::vector<std::pair<int, int>> open{{static_cast<int>(start.x), static_cast<int>(start.y)}};
    seen.insert(open.front());
    while (!open.empty()) {
        const auto [x, y] = open.back();
        open.pop_back();
        for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}})
            if (nx >= 0 && ny >= 0 && nx < w && ny < h && !seen.count({nx, ny}) && fits(nx, ny)) {
                seen.insert({nx, ny});
                open.emplace_back(nx, ny);
            }
    }
    return seen;
}

constexpr float ShipRadius = 2.5f;

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

TEST(ShippedMapsTest, TimeTrialMapHasStartPlatformAndEveryCheckpointWithinReach)
{
    const TileMap map = load("canyon_run.map.json");
    EXPECT_EQ(map.getSize(), U(128, 96));
    EXPECT_EQ(map.getTileSize(), 1.0f);
    EXPECT_EQ(map.getTilesPerTexture(), 8u);
    const auto starts = map.getMarkers(34);
    ASSERT_EQ(starts.size(), 1u);
    expectRoomAround(map, starts[0], 3);
    const auto platforms = map.getMarkers(35);
    ASSERT_EQ(platforms.size(), 1u);
    const U platform = platforms[0];
    // Flat, full ground under the platform and room above it.
    for (int dx = -4; dx <= 4; ++dx)
        EXPECT_EQ(map.getTile(platform.x + dx, platform.y + 1), 1) << dx;
    expectRoomAround(map, U(platform.x, platform.y - 3), 2);

    const auto reach = flyable(map, starts[0], ShipRadius);
    EXPECT_TRUE(reach.count({static_cast<int>(platform.x), static_cast<int>(platform.y) - 3}));
    for (unsigned char kind = 36; kind <= 40; ++kind) {
        SCOPED_TRACE(int(kind));
        const auto checkpoints = map.getMarkers(kind);
        ASSERT_FALSE(checkpoints.empty());
        for (const U& c : checkpoints) {
            const bool reachable = reach.count({static_cast<int>(c.x), static_cast<int>(c.y)}) > 0;
            // The richest checkpoint waits in a sealed chamber: only drilling reaches it.
            EXPECT_EQ(reachable, kind != 40) << c.x << "," << c.y;
        }
    }
}

TEST(ShippedMapsTest, DrillingOpensTheSealedChamber)
{
    TileMap map = load("canyon_run.map.json");
    const U start = map.getMarkers(34).at(0);
    const U platform = map.getMarkers(35).at(0);
    const U chamber = map.getMarkers(40).at(0);
    // Bore from the platform's cavern straight west to the chamber, as a drill of radius 3 would.
    const int y = static_cast<int>(chamber.y);
    for (int x = static_cast<int>(platform.x); x >= static_cast<int>(chamber.x); --x)
        map.erase(I(x, y), 3);
    EXPECT_TRUE(flyable(map, start, ShipRadius).count({static_cast<int>(chamber.x), y}));
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
    // The caves are open to the sky: most of the air can be flown through.
    const auto reach = flyable(map, starts[0], ShipRadius);
    std::size_t air = 0;
    std::size_t deepAirReached = 0;
    for (unsigned int x = 0; x < map.getSize().x; ++x)
        for (unsigned int y = 0; y < map.getSize().y; ++y) {
            air += isGround(map, static_cast<int>(x), static_cast<int>(y)) ? 0 : 1;
            deepAirReached += y > 80 && reach.count({static_cast<int>(x), static_cast<int>(y)}) ? 1 : 0;
        }
    EXPECT_GT(reach.size() * 2, air);
    EXPECT_GT(deepAirReached, 500u);
}
