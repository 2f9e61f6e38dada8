#include "game/play/PlayAntennaComponent.hpp"
#include "game/play/PlayCockpitComponent.hpp"
#include "game/play/PlayDrillComponent.hpp"
#include "game/play/PlayFuelTankComponent.hpp"
#include "game/play/PlayHullComponent.hpp"
#include "game/play/PlayJetComponent.hpp"
#include "game/play/PlayLampComponent.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/PlayTrackComponent.hpp"
#include "game/play/tests/PlayTestSupport.hpp"

#include "engine/GameWorld.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using V = math::Vector2<float>;

class PlayShip : public ::testing::Test {
protected:
    void SetUp() override { playtest::loadCatalogue(); }

    velk::PlayShipObject* build(const std::string& file)
    {
        EXPECT_TRUE(entry.loadFromFile(file));
        entry.moveToCenter();
        auto* ship = new velk::PlayShipObject(&entry);
        ship->actions().setInputSource(input);
        for (char axis = 0; axis < 4; ++axis)
            ship->control()[axis]->setInputSource(input);
        world.add(ship);
        return ship;
    }

    playtest::RuntimeFolder runtime;
    playtest::FakeInput input;
    velk::backend::ShipEntry entry;
    GameWorld world{b2Vec2(0.0f, -5.0f)};
};

template <typename Play, typename Base>
bool allOf(const std::vector<Base*>& parts)
{
    return !parts.empty() &&
           std::all_of(parts.begin(), parts.end(), [](Base* p) { return dynamic_cast<Play*>(p) != nullptr; });
}

TEST_F(PlayShip, EveryPartIsAPlayPart)
{
    velk::PlayShipObject* ship = build("data/ships/Mole.ship.json");
    ASSERT_NE(dynamic_cast<velk::PlayHullComponent*>(ship->hull()), nullptr);
    EXPECT_TRUE((allOf<velk::PlayJetComponent>(ship->jets())));
    EXPECT_TRUE((allOf<velk::PlayTrackComponent>(ship->tracks())));
    EXPECT_TRUE((allOf<velk::PlayDrillComponent>(ship->drills())));
    EXPECT_TRUE((allOf<velk::PlayCockpitComponent>(ship->cockpits())));
    EXPECT_TRUE((allOf<velk::PlayLampComponent>(ship->lamps())));
    EXPECT_TRUE((allOf<velk::PlayFuelTankComponent>(ship->fuelTanks())));
    bool antenna = false;
    for (GameComponent* c : ship->backList())
        antenna = antenna || dynamic_cast<velk::PlayAntennaComponent*>(c) != nullptr;
    EXPECT_TRUE(antenna);
    // Play parts are not in test mode: they load, weld and sound.
    for (velk::DrillComponent* drill : ship->drills()) {
        EXPECT_FALSE(drill->isTest());
        EXPECT_TRUE(drill->isPhisical());
        EXPECT_GT(drill->getNumberOfSounds(), 0u);
    }
    EXPECT_FLOAT_EQ(ship->getFuel(), 100.0f);
}

TEST_F(PlayShip, HullMeshOutlineColoursAndTexturePlacement)
{
    velk_test::writeFile("data/ships/square.ship.json", R"({
        "Points": {"X": [-1, 1, 1, -1], "Y": [-1, -1, 1, 1], "R": [0, 0, 0, 0]},
        "Texture": {"File": "missing.png", "Offset": {"X": 0.5, "Y": 0}, "Scale": 2},
        "Color": [200, 100, 50], "Parts": []})");
    velk::PlayShipObject* ship = build("data/ships/square.ship.json");
    auto* hull = dynamic_cast<velk::PlayHullComponent*>(ship->hull());
    ASSERT_NE(hull, nullptr);
    ASSERT_NE(hull->getBody(), nullptr);

    // 4 points: a closed strip of 5, the last repeating the first; y turned down.
    const sf::VertexArray& outline = hull->getOutline();
    ASSERT_EQ(outline.getVertexCount(), 5u);
    EXPECT_EQ(outline[4].position, outline[0].position);
    EXPECT_EQ(outline[0].position, sf::Vector2f(-1.0f, 1.0f));
    EXPECT_EQ(outline[0].color, sf::Color(117, 58, 29, 255));

    // Two triangles, each corner coloured and sampled at its own point.
    const sf::VertexArray& mesh = hull->getMesh();
    ASSERT_EQ(mesh.getVertexCount(), 6u);
    for (std::size_t i = 0; i < mesh.getVertexCount(); ++i)
        EXPECT_EQ(mesh[i].color, sf::Color(200, 100, 50, 255));
    EXPECT_EQ(hull->getOutlineBand().getVertexCount(), 4u * 6u);
    EXPECT_EQ(hull->getOutlineBand()[0].color, sf::Color(117, 58, 29, 255));

    // Scale 2, offset half a texture: sampled at 2 x (p + 0.5) texture widths,
    // so the pattern repeats every half world unit.
    EXPECT_EQ(hull->getTextureSample(sf::Vector2f(0.0f, 0.0f)), V(1.0f, 0.0f));
    EXPECT_EQ(hull->getTextureSample(sf::Vector2f(0.5f, 0.0f)), V(2.0f, 0.0f));
    EXPECT_EQ(hull->getTextureSample(sf::Vector2f(-1.0f, 0.25f)), V(-1.0f, 0.5f));
    // No such texture: the colour alone.
    EXPECT_EQ(hull->getTexture(), nullptr);
}

TEST_F(PlayShip, UnusableOutlineLeavesTheHullBare)
{
    velk_test::writeFile("data/ships/line.ship.json",
                         R"({"Points": {"X": [0, 1], "Y": [0, 0], "R": [0, 0]}, "Parts": []})");
    velk::PlayShipObject* ship = build("data/ships/line.ship.json");
    auto* hull = dynamic_cast<velk::PlayHullComponent*>(ship->hull());
    ASSERT_NE(hull, nullptr);
    EXPECT_EQ(hull->getBody(), nullptr);
    EXPECT_EQ(hull->getMesh().getVertexCount(), 0u);
    EXPECT_EQ(hull->getOutline().getVertexCount(), 0u);
}

} // namespace
