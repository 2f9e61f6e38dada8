// Every sample ship on every shipped map, set up as play mode sets up a game:
// it starts resting level on the start marker, lifts off level, and has room
// to fly from there past every checkpoint to a platform. A time trial's way
// is twice as wide as the ship; free flight's caves at least let it in.

#include "game/play/GameLogic.hpp"
#include "game/play/MapObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/tests/GameLogicTestSupport.hpp"
#include "terrain/MapComponent.hpp"
#include "terrain/model/MapTile.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <queue>
#include <string>
#include <vector>

namespace {

using playtest::GameLogicTest;
using Cell = math::Vector2<int>;

const float kFrame = 1.0f / 60.0f;
const float kDegree = 3.14159265f / 180.0f;

Cell cellOf(const math::Vector2<unsigned int>& cell)
{
    return {static_cast<int>(cell.x), static_cast<int>(cell.y)};
}

/// The ship's width in world units: the extent across of its bodies, parts
/// and all, as the world holds them (sensors left out).
float shipWidth(const velk::PlayShipObject& ship, b2World& world)
{
    float left = 0.0f;
    float right = 0.0f;
    bool first = true;
    for (b2Body* body = world.GetBodyList(); body; body = body->GetNext()) {
        if (!ship.hasBody(body))
            continue;
        for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
            if (f->IsSensor())
                continue;
            for (int child = 0; child < f->GetShape()->GetChildCount(); ++child) {
                const b2AABB box = f->GetAABB(child);
                left = first ? box.lowerBound.x : std::min(left, box.lowerBound.x);
                right = first ? box.upperBound.x : std::max(right, box.upperBound.x);
                first = false;
            }
        }
    }
    return right - left;
}

/// Where a ship flies on a tile map without drilling: the cells whose disc of
/// `radius` cells holds no ground (off the map counts as ground), reached
/// from the first such cell straight above `from`.
class Flight {
public:
    Flight(const TileMap& map, float radius, Cell from)
        : map(map),
          width(static_cast<int>(map.getSize().x)),
          height(static_cast<int>(map.getSize().y)),
          room(static_cast<std::size_t>(width * height)),
          steps(room.size(), -1)
    {
        const int r = static_cast<int>(std::ceil(radius));
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y) {
                bool clear = true;
                for (int dx = -r; dx <= r && clear; ++dx)
                    for (int dy = -r; dy <= r && clear; ++dy)
                        clear = static_cast<float>(dx * dx + dy * dy) > radius * radius || !isGround({x + dx, y + dy});
                room[index({x, y})] = clear;
            }
        const Cell start = roomAbove(from);
        if (start.x < 0)
            return;
        std::queue<Cell> open;
        open.push(start);
        steps[index(start)] = 0;
        while (!open.empty()) {
            const Cell c = open.front();
            open.pop();
            for (const Cell& n : {Cell(c.x + 1, c.y), Cell(c.x - 1, c.y), Cell(c.x, c.y + 1), Cell(c.x, c.y - 1)})
                if (map.isValid(n) && room[index(n)] && steps[index(n)] < 0) {
                    steps[index(n)] = steps[index(c)] + 1;
                    open.push(n);
                }
        }
    }

    /// Steps of the way to the cell; -1 when the ship cannot get there.
    int stepsTo(Cell cell) const { return map.isValid(cell) ? steps[index(cell)] : -1; }
    /// Steps of the way to the first cell with room straight above the cell.
    int stepsAbove(Cell cell) const { return stepsTo(roomAbove(cell)); }
    int deepestRow() const
    {
        int deepest = -1;
        for (std::size_t i = 0; i < steps.size(); ++i)
            deepest = steps[i] >= 0 ? std::max(deepest, static_cast<int>(i) % height) : deepest;
        return deepest;
    }

private:
    std::size_t index(Cell c) const { return static_cast<std::size_t>(c.x * height + c.y); }
    bool isGround(Cell c) const
    {
        return !map.isValid(c) || isMapTileGround(map.getTile(static_cast<unsigned>(c.x), static_cast<unsigned>(c.y)));
    }
    /// Up through air from the cell to the first cell with room; (-1, -1) when ground comes first.
    Cell roomAbove(Cell c) const
    {
        for (; map.isValid(c) && !isGround(c); --c.y)
            if (room[index(c)])
                return c;
        return {-1, -1};
    }

    const TileMap& map;
    int width;
    int height;
    std::vector<bool> room;
    std::vector<int> steps;
};

/// The names of the files in a folder of the game's data, sorted.
std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(GameLogicTest, EverySampleShipStartsLevelAndFliesEveryShippedMap)
{
    const std::vector<std::string> maps = filesIn("data/map");
    const std::vector<std::string> ships = filesIn("data/ships");
    ASSERT_GE(maps.size(), 2u);
    ASSERT_GE(ships.size(), 3u);
    for (const std::string& mapFile : maps)
        for (const std::string& shipFile : ships) {
            SCOPED_TRACE(shipFile + " on " + mapFile);
            start(shipFile, mapFile);
            velk::PlayShipObject& ship = *game->getShip();
            const TileMap& map = game->getMapObject()->getMap()->map();
            const float width = shipWidth(ship, *game->world().getB2World()) / map.getTileSize();
            ASSERT_GT(width, 5.0f);
            // A time trial's ways are twice as wide as the ship; free flight's caves let it in.
            const float ways = game->getGameMode() == 1 ? 2.0f * width : width;
            const Flight flight(map, 0.5f * ways, cellOf(map.getMarkers(34).at(0)));
            for (unsigned char kind = 36; kind <= 40; ++kind)
                for (const auto& checkpoint : map.getMarkers(kind))
                    EXPECT_GE(flight.stepsTo(cellOf(checkpoint)), 0)
                        << int(kind) << " at " << checkpoint.x << "," << checkpoint.y;
            bool platform = false;
            for (const auto& cell : map.getMarkers(35))
                platform = platform || flight.stepsAbove(cellOf(cell)) >= 0;
            if (game->getGameMode() == 1)
                EXPECT_TRUE(platform);
            else
                EXPECT_GE(flight.deepestRow(), static_cast<int>(map.getSize().y) * 2 / 3);

            // Resting level where it starts, then straight up on full main thrust.
            game->setActive(true);
            for (int frame = 0; frame < 120; ++frame)
                game->update(kFrame);
            EXPECT_LT(std::abs(ship.getRotation()), 1.0f * kDegree);
            const float resting = ship.getPosition().y;
            input.keys = {sf::Keyboard::W};
            for (int frame = 0; frame < 300 && ship.getPosition().y < resting + 3.0f; ++frame)
                game->update(kFrame);
            input.keys.clear();
            EXPECT_GE(ship.getPosition().y, resting + 3.0f);
            EXPECT_LE(std::abs(ship.getRotation()), 5.0f * kDegree);
            game.reset();
        }
}

TEST_F(GameLogicTest, ADrillCutsTheWayFromTheFarthestChamberToThePlatformShort)
{
    // The richest checkpoint waits at the far end of the caves, a thin wall
    // away from the platform's cavern: flying back is long, boring is short.
    start("Mole.ship.json", "canyon_run.map.json");
    MapComponent& terrain = *game->getMapObject()->getMap();
    const float radius = shipWidth(*game->getShip(), *game->world().getB2World()) / terrain.map().getTileSize();
    const Cell chamber = cellOf(terrain.map().getMarkers(40).at(0));
    const Cell platform = cellOf(terrain.map().getMarkers(35).at(0));
    const int flown = Flight(terrain.map(), radius, platform).stepsTo(chamber);
    ASSERT_GT(flown, 0);
    for (int x = platform.x; x >= chamber.x; --x)
        game->drill(terrain.getTilePosition(x, chamber.y, 15), (radius + 1.0f) * terrain.map().getTileSize());
    const int bored = Flight(terrain.map(), radius, platform).stepsTo(chamber);
    EXPECT_GT(bored, 0);
    EXPECT_LT(bored * 3, flown);
}

} // namespace
