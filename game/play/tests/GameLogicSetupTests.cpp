#include "engine/GameFloatingTextEmitter.hpp"
#include "game/play/CheckpointObject.hpp"
#include "game/play/GameLogic.hpp"
#include "game/play/MapObject.hpp"
#include "game/play/PlatformObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/model/CheckpointKinds.hpp"
#include "game/play/tests/GameLogicTestSupport.hpp"
#include "terrain/MapComponent.hpp"

#include <SFML/Audio/Listener.hpp>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using playtest::GameLogicTest;
using velk::GameLogic;
using V = math::Vector2<float>;

std::ptrdiff_t indexIn(const GameWorld& world, const GameObject* object)
{
    const auto& objects = world.getResources();
    return std::find(objects.begin(), objects.end(), object) - objects.begin();
}

TEST_F(GameLogicTest, TimeTrialStartsWithShipPlatformsCheckpointsAndShadowInOrder)
{
    start("Mole.ship.json", "canyon_run.map.json");
    EXPECT_EQ(game->getGameMode(), 1);
    EXPECT_FALSE(game->isActive());
    EXPECT_EQ(game->getScore(), 0);
    EXPECT_EQ(game->getTrialTime(), sf::Time::Zero);
    EXPECT_FALSE(game->isEnded());
    EXPECT_FALSE(game->isLanded());
    EXPECT_FLOAT_EQ(game->getHp(), 100.0f);
    EXPECT_FLOAT_EQ(game->getFuel(), 100.0f);
    EXPECT_FLOAT_EQ(game->getFuelRatio(), 1.0f);
    EXPECT_FLOAT_EQ(game->world().getB2World()->GetGravity().y, -5.0f);

    // The ship stands on the centre of the start marker's cell.
    velk::MapObject* level = game->getMapObject();
    const TileMap& tiles = level->getMap()->map();
    ASSERT_EQ(tiles.getMarkers(34).size(), 1u);
    const auto startCell = tiles.getMarkers(34)[0];
    const V start = level->getMap()->getTilePosition(static_cast<int>(startCell.x), static_cast<int>(startCell.y), 15);
    EXPECT_NEAR(game->getShip()->getPosition().x, start.x, 1e-3);
    EXPECT_NEAR(game->getShip()->getPosition().y, start.y, 1e-3);

    // One platform on the middle of its marker cell's bottom edge.
    ASSERT_EQ(game->getPlatforms().size(), 1u);
    ASSERT_EQ(tiles.getMarkers(35).size(), 1u);
    const auto platformCell = tiles.getMarkers(35)[0];
    const V platform = level->getMap()->getTilePosition(static_cast<int>(platformCell.x),
                                                        static_cast<int>(platformCell.y), 11);
    EXPECT_EQ(game->getPlatforms()[0]->getPosition(), platform);

    // Checkpoints by kind (36 three times, then 37 to 40), each on its marker.
    const std::vector<int> expectedScores = {1000, 1000, 1000, 2000, 5000, 10000, 25000};
    const auto& checkpoints = game->getCheckpoints();
    ASSERT_EQ(checkpoints.size(), expectedScores.size());
    std::vector<math::Vector2<unsigned int>> markers;
    for (unsigned char tile : {36, 37, 38, 39, 40})
        for (const auto& m : level->getMap()->map().getMarkers(tile))
            markers.push_back(m);
    for (std::size_t i = 0; i < checkpoints.size(); ++i) {
        EXPECT_EQ(checkpoints[i]->getScore(), expectedScores[i]) << i;
        const std::size_t kind = std::find(std::begin(velk::PointScores), std::end(velk::PointScores),
                                           expectedScores[i]) -
                                 std::begin(velk::PointScores);
        EXPECT_FLOAT_EQ(checkpoints[i]->getFuel(), velk::PointFuels[kind]) << i;
        const velk::Rgba c = velk::markerColor(velk::PointTile[kind]);
        EXPECT_EQ(checkpoints[i]->getComponentById("Field")->getShape().getFillColor(), sf::Color(c.r, c.g, c.b, c.a));
        EXPECT_EQ(checkpoints[i]->getPosition(),
                  level->getMap()->getTilePosition(static_cast<int>(markers[i].x), static_cast<int>(markers[i].y), 15));
    }

    // Objects in the world's order: emitter, background, terrain, platform,
    // ship (its part objects follow it), checkpoints, shadow last.
    const GameWorld& world = game->world();
    EXPECT_EQ(indexIn(world, world.floatingTextEmitter()), 0);
    EXPECT_EQ(indexIn(world, level), 2);
    EXPECT_EQ(indexIn(world, game->getPlatforms()[0]), 3);
    EXPECT_EQ(indexIn(world, game->getShip()), 4);
    EXPECT_LT(indexIn(world, game->getShip()), indexIn(world, checkpoints.front()));
    EXPECT_EQ(indexIn(world, game->getShadow()), static_cast<std::ptrdiff_t>(world.getResources().size()) - 1);
    EXPECT_EQ(indexIn(world, checkpoints.back()) + 1, indexIn(world, game->getShadow()));

    // The spark system waits for its texture (not here: no display), the
    // camera is 50 units high and the listener sits at the ship.
    EXPECT_FLOAT_EQ(game->world().getCamera().getSize().y, 50.0f);
    EXPECT_FLOAT_EQ(sf::Listener::getPosition().x, game->getShip()->getPosition().x);
    EXPECT_FLOAT_EQ(sf::Listener::getPosition().y, game->getShip()->getPosition().y);
    EXPECT_EQ(game->getShadow()->getPosition(), game->getShip()->getPosition());
}

TEST_F(GameLogicTest, ModeFollowsPlatformsAndCheckpointsNeedThem)
{
    struct Case {
        std::string what;
        std::vector<unsigned char> erase;
        int mode;
        std::size_t platforms;
        std::size_t checkpoints;
    };
    const std::vector<Case> cases = {
        {"no platform, checkpoint markers", {35}, 0, 0, 0},
        {"platform, no checkpoint markers", {36, 37, 38, 39, 40}, 1, 1, 0},
        {"platform and checkpoints", {}, 1, 1, 7},
    };
    for (const Case& c : cases) {
        writeMapWithout("data/map/canyon_run.map.json", "data/map/variant.map.json", c.erase);
        start("Mole.ship.json", "variant.map.json");
        EXPECT_EQ(game->getGameMode(), c.mode) << c.what;
        EXPECT_EQ(game->getPlatforms().size(), c.platforms) << c.what;
        EXPECT_EQ(game->getCheckpoints().size(), c.checkpoints) << c.what;
        game.reset();
    }
    start("Mole.ship.json", "open_caverns.map.json");
    EXPECT_EQ(game->getGameMode(), 0);
}

TEST_F(GameLogicTest, SetUpFailuresAreReported)
{
    velk_test::writeFile("data/map/broken.map.json", "{\"Size\": ");
    velk_test::writeFile("data/ships/line.ship.json",
                         R"({"Points": {"X": [0, 1], "Y": [0, 0], "R": [0, 0]}, "Parts": []})");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"data/ships/Mole.ship.json", "data/map/broken.map.json"},
        {"data/ships/Mole.ship.json", "data/map/missing.map.json"},
        {"data/ships/missing.ship.json", "data/map/canyon_run.map.json"},
        {"data/ships/line.ship.json", "data/map/canyon_run.map.json"},
    };
    for (const auto& [ship, map] : cases) {
        try {
            GameLogic logic(ship, map, input);
            ADD_FAILURE() << ship << " on " << map << " was set up";
        } catch (const velk::GameSetupError& error) {
            const std::string what = error.what();
            EXPECT_TRUE(what.find(ship) != std::string::npos || what.find(map) != std::string::npos) << what;
        }
    }
}

TEST_F(GameLogicTest, CameraIsAsWideAsANarrowMap)
{
    writeNarrowMap("data/map/narrow.map.json", 30);
    start("Mole.ship.json", "narrow.map.json");
    // Without a window the camera keeps its square aspect: 50 x 50 shrinks to 30 x 30.
    EXPECT_FLOAT_EQ(game->world().getCamera().getSize().x, 30.0f);
    EXPECT_FLOAT_EQ(game->world().getCamera().getSize().y, 30.0f);
}

TEST_F(GameLogicTest, CameraFollowsTheShipWhileInactive)
{
    start("Mole.ship.json", "open_caverns.map.json");
    velk::PlayShipObject* ship = game->getShip();
    ship->setPosition(V(0.0f, ship->getPosition().y));
    const float before = game->world().getCamera().getCenter().x;
    game->update(0.1f);
    EXPECT_GT(game->world().getCamera().getCenter().x, before);
    EXPECT_EQ(game->getShadow()->getPosition(), ship->getPosition());
    EXPECT_FLOAT_EQ(sf::Listener::getPosition().x, ship->getPosition().x);
    EXPECT_EQ(game->getTrialTime(), sf::Time::Zero);
}

TEST_F(GameLogicTest, F7TogglesThePhysicsOverlayOncePerPress)
{
    start("Mole.ship.json", "open_caverns.map.json");
    EXPECT_FALSE(game->world().isPhisicsDebugDrawEnabled());
    press(sf::Keyboard::F7);
    game->update(0.01f);
    EXPECT_TRUE(game->world().isPhisicsDebugDrawEnabled());
    game->actions().beforeSfHandle();
    game->update(0.01f);
    EXPECT_TRUE(game->world().isPhisicsDebugDrawEnabled());
    press(sf::Keyboard::F7);
    game->update(0.01f);
    EXPECT_FALSE(game->world().isPhisicsDebugDrawEnabled());
}

} // namespace
