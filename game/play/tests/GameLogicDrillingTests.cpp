#include "framework/fx/Particle.hpp"
#include "framework/fx/Random.hpp"
#include "game/play/GameLogic.hpp"
#include "game/play/MapObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/tests/GameLogicTestSupport.hpp"
#include "game/ship/DrillComponent.hpp"
#include "terrain/MapComponent.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

using playtest::GameLogicTest;
using velk::GameLogic;
using V = math::Vector2<float>;

const float kFrame = 1.0f / 60.0f;

class Drilling : public GameLogicTest {
protected:
    /// The Mole stood on its side over the canyon's floor, drills out and
    /// heads on: its diamond head (radius 1.8, 0.45 s a hole) points down.
    void standOnTheDiamondHead()
    {
        tipOntoAHead();
        diamond = *std::find_if(game->getShip()->drills().begin(), game->getShip()->drills().end(),
                                [](velk::DrillComponent* d) { return d->getDrillTime() < 1.0f; });
        ASSERT_FLOAT_EQ(diamond->getDrillTime(), 0.45f);
        ASSERT_FLOAT_EQ(diamond->getDrillHeadRadius(), 1.8f);
    }

    void tipOntoAHead()
    {
        start("Mole.ship.json", "canyon_run.map.json");
        game->setActive(true);
        for (int i = 0; i < 120; ++i)
            game->update(kFrame);
        velk::PlayShipObject* ship = game->getShip();
        for (velk::DrillComponent* drill : ship->drills())
            drill->setOut(true);
        for (int i = 0; i < 60; ++i)
            game->update(kFrame);
        for (velk::DrillComponent* drill : ship->drills())
            drill->turnHeadOn();
        ship->setRotation(1.5707963f);
        ship->setPosition(game->getMapObject()->getStartPosition() + V(-0.3f, 4.5f));
    }

    std::size_t fixtures() const { return game->getMapObject()->getMap()->getNumberOfFixtures(); }

    bool plays(const sf::Sound& sound, const std::string& file) const
    {
        return sound.getBuffer() == game->world().sndCache().find(fx::fileKey<sf::SoundBuffer>(file)).get();
    }

    velk::DrillComponent* diamond = nullptr;
};

TEST_F(Drilling, AHeadBoresOneHolePerDrillTimeWithSparksDustAndSounds)
{
    standOnTheDiamondHead();
    int holes = 0;
    std::map<velk::DrillComponent*, int> contactFrames;
    bool sawSparks = false;
    bool sawLoop = false;
    bool sawDust = false;
    std::size_t last = fixtures();
    for (int frame = 0; frame < 600; ++frame) {
        game->update(kFrame);
        const auto& drillings = game->getDrillings();
        std::map<velk::DrillComponent*, int> stillTouching;
        for (const auto& drilling : drillings) {
            velk::DrillComponent* drill = drilling->getDrill();
            stillTouching[drill] = contactFrames[drill] + 1;
            sawLoop = sawLoop ||
                      (plays(drilling->getSound(), GameLogic::sDrillLoopFile) && drilling->getSound().getLoop() &&
                       drilling->getSound().getStatus() == sf::SoundSource::Playing);
            if (drilling->getElapsed() == 0.0f) {
                // Bored in this frame: a full drill time of contact lies behind it.
                ++holes;
                EXPECT_GE(static_cast<float>(stillTouching[drill]) * kFrame, drill->getDrillTime() - 1e-4f)
                    << "frame " << frame;
                EXPECT_TRUE(plays(game->getLastSound().sound(), GameLogic::sDrillFallBummFile));
                stillTouching[drill] = 0;
            }
        }
        contactFrames = stillTouching;
        sawSparks = sawSparks || (!drillings.empty() && game->getSparkSystem().getParticleCount() > 0);
        sawDust = sawDust || game->getSmokeSystem().getParticleCount() > 0;
        if (fixtures() != last) {
            EXPECT_GT(holes, 0);
        }
        last = fixtures();
    }
    EXPECT_GE(holes, 2);
    EXPECT_TRUE(sawSparks);
    EXPECT_TRUE(sawLoop);
    EXPECT_TRUE(sawDust);
}

TEST_F(Drilling, AHeadWithoutRadiusNeverDrills)
{
    for (const char* head : {"drillhead.diamond", "drillhead.wide"}) {
        const std::string file = std::string("data/obj/parts/") + head + "/" + head + ".obj.json";
        std::string text = velk_test::readFile(file);
        const std::size_t at = text.find("\"Radius\"");
        ASSERT_NE(at, std::string::npos);
        text.replace(at, text.find(',', at) - at, "\"Radius\": \"0\"");
        velk_test::writeFile(file, text);
    }
    tipOntoAHead();
    const std::size_t before = fixtures();
    for (int frame = 0; frame < 300; ++frame) {
        game->update(kFrame);
        ASSERT_TRUE(game->getDrillings().empty()) << frame;
        ASSERT_EQ(game->getSparkSystem().getParticleCount(), 0u) << frame;
    }
    EXPECT_EQ(fixtures(), before);
}

TEST_F(Drilling, DrillingGoesOnWhileTheRulesArePausedAndEndsWithTheHead)
{
    standOnTheDiamondHead();
    for (int frame = 0; frame < 120 && game->getDrillings().empty(); ++frame)
        game->update(kFrame);
    ASSERT_EQ(game->getDrillings().size(), 1u);
    game->setActive(false);
    const float elapsed = game->getDrillings().front()->getElapsed();
    game->update(0.1f);
    ASSERT_EQ(game->getDrillings().size(), 1u);
    EXPECT_FLOAT_EQ(game->getDrillings().front()->getElapsed(), elapsed + 0.1f);
    EXPECT_EQ(game->getSparkSystem().getEmitterCount(), 1u);

    diamond->turnHeadOff();
    game->update(kFrame);
    EXPECT_TRUE(game->getDrillings().empty());
    EXPECT_EQ(game->getSparkSystem().getEmitterCount(), 0u);
}

TEST_F(Drilling, HolesEraseTheGroundAndRadiusZeroDoesNothing)
{
    start("Mole.ship.json", "open_caverns.map.json");
    MapComponent* terrain = game->getMapObject()->getMap();
    // Somewhere deep in the rock: the bottom rows of the map.
    const V point = terrain->getTilePosition(40, static_cast<int>(terrain->map().getSize().y) - 4, 15);
    const math::Vector2<int> cell = terrain->getTileIndicesAt(point);
    ASSERT_NE(terrain->map().getTile(cell.x, cell.y), 0);
    game->drill(point, 0.0f);
    EXPECT_NE(terrain->map().getTile(cell.x, cell.y), 0);
    EXPECT_EQ(game->getSmokeSystem().getEmitterCount(), 0u);
    game->drill(point, 2.0f);
    EXPECT_EQ(terrain->map().getTile(cell.x, cell.y), 0);
    EXPECT_EQ(game->getSmokeSystem().getEmitterCount(), 1u);
    game->update(0.2f);
    EXPECT_EQ(game->getSmokeSystem().getEmitterCount(), 0u);
}

/// The lifetimes of a dust burst of a hole of that radius, in a fresh game.
std::pair<float, float> dustLifetimes(GameLogic& game, float radius)
{
    game.emitHoleDust(V(0.0f, 0.0f), radius);
    game.update(0.05f);
    std::pair<float, float> range(1e9f, -1e9f);
    for (const fx::Particle& p : game.getSmokeSystem().particles()) {
        range.first = std::min(range.first, p.lifetime.asSeconds());
        range.second = std::max(range.second, p.lifetime.asSeconds());
    }
    return range;
}

TEST_F(Drilling, DustLivesAsLongAsEachHolesOwnRadiusSays)
{
    struct Case {
        float radius;
        float base; // sqrt(r) / 4
    };
    for (const Case& c : {Case{1.0f, 0.25f}, Case{16.0f, 1.0f}, Case{4.0f, 0.5f}}) {
        start("Mole.ship.json", "open_caverns.map.json");
        const auto [shortest, longest] = dustLifetimes(*game, c.radius);
        ASSERT_LE(shortest, longest) << c.radius;
        EXPECT_GE(shortest, 0.5f * c.base - 1e-4f) << c.radius;
        EXPECT_LE(longest, 1.25f * c.base + 1e-4f) << c.radius;
        game.reset();
    }
}

TEST(Sparks, IndexDistributionAndColourAging)
{
    int zeros = 0;
    std::vector<int> counts(4, 0);
    for (int i = 0; i < 20000; ++i) {
        const unsigned index = velk::genSpackIndex();
        ASSERT_LT(index, 4u);
        ++counts[index];
    }
    zeros = counts[0];
    EXPECT_NEAR(zeros / 20000.0, 0.4, 0.03);
    for (int i = 1; i < 4; ++i)
        EXPECT_NEAR(counts[i] / 20000.0, 0.2, 0.03) << i;

    fx::Particle spark;
    spark.textureIndex = 2;
    spark.lifetime = sf::seconds(1.0f);
    spark.elapsed = sf::Time::Zero;
    velk::affectSparkColor(spark, sf::Time::Zero);
    EXPECT_EQ(spark.color, velk::SparkColors[0]);
    spark.elapsed = sf::seconds(1.0f);
    velk::affectSparkColor(spark, sf::Time::Zero);
    EXPECT_EQ(spark.color, velk::SparkColors[2]);
    spark.elapsed = sf::seconds(0.5f); // remaining 0.5, cubed 0.125: mostly colour 2
    velk::affectSparkColor(spark, sf::Time::Zero);
    EXPECT_EQ(spark.color, fx::blendColors(velk::SparkColors[2], velk::SparkColors[0], 0.125f));
}

} // namespace
