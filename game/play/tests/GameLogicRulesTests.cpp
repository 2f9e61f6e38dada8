#include "engine/GameFloatingTextEmitter.hpp"
#include "game/play/CheckpointObject.hpp"
#include "game/play/GameLogic.hpp"
#include "game/play/PlatformObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/tests/GameLogicTestSupport.hpp"
#include "game/ship/HullComponent.hpp"

#include <gtest/gtest.h>

namespace {

using playtest::GameLogicTest;
using velk::GameLogic;
using V = math::Vector2<float>;

const float kFrame = 1.0f / 60.0f;

/// A ship of a bare hull, 8 by 3, without parts: every hit is the hull's alone.
const char* const kBareShip =
    R"({"Points": {"X": [-4, 4, 4, -4], "Y": [-1.5, -1.5, 1.5, 1.5], "R": [0, 0, 0, 0]}, "Parts": []})";

class GameRules : public GameLogicTest {
protected:
    void run(float seconds, float dt = kFrame)
    {
        for (float t = 0.0f; t < seconds - 1e-6f; t += dt)
            game->update(dt);
    }

    /// Whether a sound plays the file's buffer.
    bool plays(const velk::PartComponent::Sound& sound, const std::string& file)
    {
        return sound.sound().getBuffer() == game->world().sndCache().find(fx::fileKey<sf::SoundBuffer>(file)).get();
    }

    /// Puts the ship `height` above the platform with a downward speed and
    /// runs until the hull first touches something.
    float dropOntoPlatform(float height, float speed, std::size_t* newSounds = nullptr)
    {
        velk::PlatformObject* platform = game->getPlatforms().at(0);
        velk::PlayShipObject* ship = game->getShip();
        ship->setPosition(platform->getPosition() + V(0.0f, 1.0f + 1.5f + height));
        b2Body* hull = ship->hull()->getBody();
        hull->SetLinearVelocity(b2Vec2(0.0f, -speed));
        hull->SetAngularVelocity(0.0f);
        float before = speed;
        auto touching = [hull] {
            for (b2ContactEdge* edge = hull->GetContactList(); edge; edge = edge->next)
                if (edge->contact->IsTouching())
                    return true;
            return false;
        };
        for (int i = 0; i < 240 && !touching(); ++i) {
            before = -hull->GetLinearVelocity().y;
            const std::size_t queued = game->getNumberOfSounds();
            game->update(kFrame);
            if (newSounds)
                *newSounds = game->getNumberOfSounds() - queued;
        }
        return before;
    }
};

TEST_F(GameRules, ScoreDrainsWhileActiveOnly)
{
    start("Mole.ship.json", "canyon_run.map.json");
    game->addScore(1000);
    run(2.0f, 0.5f);
    EXPECT_EQ(game->getScore(), 1000);
    EXPECT_EQ(game->getTrialTime(), sf::Time::Zero);
    game->setActive(true);
    run(1.5f, 0.5f);
    EXPECT_EQ(game->getScore(), 950);
    EXPECT_EQ(game->getTrialTime(), sf::seconds(1.5f));
    run(0.5f, 0.5f);
    EXPECT_EQ(game->getScore(), 900);
    game->update(10.0f); // one long frame drains for each whole second
    EXPECT_EQ(game->getScore(), 400);
    game->update(20.0f);
    EXPECT_EQ(game->getScore(), 0);
}

TEST_F(GameRules, CheckpointsGiveScoreFuelTextAndSoundToTheHullOnly)
{
    start("Mole.ship.json", "canyon_run.map.json");
    game->setActive(true);
    velk::PlayShipObject* ship = game->getShip();
    ship->setFuel(10.0f);
    std::vector<velk::CheckpointObject*> checkpoints = game->getCheckpoints();
    ASSERT_EQ(checkpoints.size(), 7u);
    // The second 1000 and the 25000 checkpoint onto the ship: both go in one frame.
    checkpoints[1]->setPosition(ship->getPosition());
    checkpoints[6]->setPosition(ship->getPosition());
    const std::size_t textsBefore = game->world().floatingTextEmitter()->getNumberOfComponents();
    game->update(kFrame);
    EXPECT_EQ(game->getScore(), 26000);
    EXPECT_FLOAT_EQ(ship->getFuel(), 10.0f + 10.0f + 20.0f);
    EXPECT_EQ(game->world().floatingTextEmitter()->getNumberOfComponents(), textsBefore + 2);
    EXPECT_TRUE(log.contains("No font for the text \"1000\""));
    EXPECT_TRUE(log.contains("No font for the text \"25000\""));
    EXPECT_TRUE(plays(game->getLastSound(), GameLogic::sCheckpointScoreFile));
    EXPECT_TRUE(game->getLastSound().sound().isRelativeToListener());
    const std::vector<velk::CheckpointObject*> left = {checkpoints[0], checkpoints[2], checkpoints[3], checkpoints[4],
                                                       checkpoints[5]};
    EXPECT_EQ(game->getCheckpoints(), left);
    const auto& objects = game->world().getResources();
    EXPECT_EQ(std::count(objects.begin(), objects.end(), checkpoints[6]), 0);

    // Fuel never beyond the tank.
    checkpoints[5]->setPosition(ship->getPosition());
    ship->setFuel(95.0f);
    game->update(kFrame);
    EXPECT_FLOAT_EQ(ship->getFuel(), 100.0f);
    EXPECT_EQ(game->getScore(), 36000);

    // A dead ship collects nothing, even while inactive frames go on.
    ship->setHealth(0.0f);
    game->update(kFrame);
    ASSERT_FALSE(ship->isAlive());
    checkpoints[4]->setPosition(ship->getPosition());
    game->update(kFrame);
    EXPECT_EQ(game->getCheckpoints().size(), 4u);
}

TEST_F(GameRules, LandingOnThePlatformAndReturnEndsTheGame)
{
    start("Mole.ship.json", "canyon_run.map.json");
    game->setActive(true);
    // The tracks reach below the hull: dropped from a little higher.
    dropOntoPlatform(2.5f, 0.0f);
    run(4.0f);
    ASSERT_TRUE(game->isLanded());
    EXPECT_TRUE(game->isLandable());
    EXPECT_EQ(game->getLandedPlatform(), game->getPlatforms()[0]);
    EXPECT_FALSE(game->isEnded());

    // Too fast: not resting in that frame.
    game->getShip()->hull()->getBody()->SetLinearVelocity(b2Vec2(0.0f, 1.2f));
    game->setActive(false);
    game->update(kFrame);
    EXPECT_FALSE(game->isLanded());
    game->setActive(true);
    run(4.0f);
    ASSERT_TRUE(game->isLanded());

    // Return held while resting ends the game, also with the rules paused.
    game->setActive(false);
    input.keys.insert(sf::Keyboard::Return);
    game->update(kFrame);
    EXPECT_TRUE(game->isEnded());
    input.keys.clear();
    game->getShip()->hull()->getBody()->SetLinearVelocity(b2Vec2(3.0f, 0.0f));
    game->update(kFrame);
    EXPECT_TRUE(game->isEnded());
    EXPECT_TRUE(game->isLanded()); // kept from the frame that ended it

    // A dead ship still rests but is not landable for the HUD.
    game->getShip()->setHealth(-1.0f);
    game->setActive(true);
    game->update(kFrame);
    EXPECT_FALSE(game->isLandable());
}

TEST_F(GameRules, ReturnWithoutRestingDoesNotEndTheGame)
{
    start("Mole.ship.json", "canyon_run.map.json");
    input.keys.insert(sf::Keyboard::Return);
    game->update(kFrame);
    EXPECT_FALSE(game->isLanded());
    EXPECT_FALSE(game->isEnded());
}

TEST_F(GameRules, FreeFlightRefuelsHalfAUnitPerSecondUpToTheTank)
{
    start("Mole.ship.json", "open_caverns.map.json");
    ASSERT_EQ(game->getGameMode(), 0);
    game->getShip()->setFuel(10.0f);
    run(2.0f, 0.25f); // inactive: the refill goes on
    EXPECT_NEAR(game->getFuel(), 11.0f, 1e-4);
    game->getShip()->setFuel(99.9f);
    run(1.0f, 0.25f);
    EXPECT_FLOAT_EQ(game->getFuel(), 100.0f);
    EXPECT_FLOAT_EQ(game->getFuelRatio(), 1.0f);
    EXPECT_FALSE(game->isEnded());
}

TEST_F(GameRules, HullAloneOnThePlatformSoundsAndTakesDamage)
{
    velk_test::writeFile("data/ships/bare.ship.json", kBareShip);
    start("bare.ship.json", "canyon_run.map.json");
    game->setActive(true);
    std::size_t impacts = 0;
    const float speed = dropOntoPlatform(0.3f, 8.0f, &impacts);
    const float hp = game->getHp();
    ASSERT_LT(hp, 100.0f);
    // One impact per hull fixture that touched (the box is two triangles),
    // each 0.025 v², v a little above the speed before the step.
    ASSERT_GE(impacts, 1u);
    const float damage = 100.0f - hp;
    const float low = 0.025f * speed * speed * static_cast<float>(impacts);
    EXPECT_GE(damage, low * 0.99f);
    EXPECT_LE(damage, 0.025f * (speed + 0.3f) * (speed + 0.3f) * static_cast<float>(impacts));
    EXPECT_TRUE(plays(game->getLastSound(), GameLogic::sPlatformGroundBummFile));
    EXPECT_FALSE(game->getLastSound().sound().isRelativeToListener());

    // Resting on it: the contact persists and hurts no more.
    run(2.0f);
    const float rested = game->getHp();
    run(2.0f);
    EXPECT_FLOAT_EQ(game->getHp(), rested);
}

TEST_F(GameRules, HardHitsKillTheShip)
{
    velk_test::writeFile("data/ships/bare.ship.json", kBareShip);
    start("bare.ship.json", "canyon_run.map.json");
    game->setActive(true);
    game->getShip()->setHealth(1.0f);
    dropOntoPlatform(0.3f, 12.0f);
    game->update(kFrame);
    EXPECT_LE(game->getHp(), 0.0f);
    EXPECT_FALSE(game->getShip()->isAlive());
    run(2.0f);
    EXPECT_TRUE(game->isLanded());
    EXPECT_FALSE(game->isLandable());
}

TEST_F(GameRules, PartsOnTheGroundSoundWithoutDamage)
{
    // The Mole lands on its tracks after its start: part sounds, no damage.
    start("Mole.ship.json", "open_caverns.map.json");
    game->setActive(true);
    run(3.0f);
    EXPECT_FLOAT_EQ(game->getHp(), 100.0f);
    ASSERT_GT(game->getNumberOfSounds(), 0u);
    EXPECT_TRUE(plays(game->getLastSound(), GameLogic::sPartGroundBummFile));
}

TEST_F(GameRules, HullOnTheGroundSounds)
{
    velk_test::writeFile("data/ships/bare.ship.json", kBareShip);
    start("bare.ship.json", "open_caverns.map.json");
    game->setActive(true);
    game->getShip()->hull()->getBody()->SetLinearVelocity(b2Vec2(0.0f, -10.0f));
    run(3.0f);
    EXPECT_LT(game->getHp(), 100.0f);
    ASSERT_GT(game->getNumberOfSounds(), 0u);
    EXPECT_TRUE(plays(game->getLastSound(), GameLogic::sHullGroundBummFile));
}

TEST_F(GameRules, MissingSoundsPlaySilentAndTheQueueStaysBounded)
{
    start("Mole.ship.json", "open_caverns.map.json");
    EXPECT_NO_THROW(game->playBummSound("data/snd/impact/none.wav", 1.0f, V(0, 0)));
    EXPECT_EQ(game->getNumberOfSounds(), 1u);
    for (int frame = 0; frame < 10000; ++frame) {
        game->playBummSound(GameLogic::sDrillFallBummFile, 5.0f, V(0, 0));
        game->update(kFrame);
        ASSERT_LE(game->getNumberOfSounds(), GameLogic::MaxOneShotSounds);
    }
    // Factors above 1 play at the full volume setting (100 without a window).
    EXPECT_FLOAT_EQ(game->getLastSound().getVolume(), 100.0f);
}

} // namespace
