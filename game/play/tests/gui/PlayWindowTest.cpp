// A game of the rules in a real window: the time-trial canyon with the Mole,
// driven by scripted input (thrust, then drills out and heads on, then the
// ship tipped onto a head so it bores into the ground). A screenshot shows the
// terrain, the ship, checkpoints, a collected checkpoint's score and sparks.
#include "app/DatabaseSeeder.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameFrameworkDefaultInitHelper.hpp"
#include "engine/GameState.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/CheckpointObject.hpp"
#include "game/play/GameLogic.hpp"
#include "game/play/MapObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/tests/PlayTestSupport.hpp"
#include "game/ship/DrillComponent.hpp"
#include "game/ship/HullComponent.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "terrain/MapComponent.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/engine/WindowInitHelper.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace {

using V = math::Vector2<float>;

const sf::Color Clear(255, 0, 128); // nothing of the game comes near it

using velk_test::WindowInitHelper;

sf::Event keyPress(sf::Keyboard::Key key)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {key, false, false, false, false};
    return event;
}

/// The play screen in small: the rules run and draw each frame; the test
/// scripts each frame and looks at one shot.
class RulesScreen : public GameState {
public:
    playtest::FakeInput input;
    std::unique_ptr<velk::GameLogic> game;
    std::function<void(RulesScreen&, int)> script;
    std::function<void(RulesScreen&, const sf::Image&)> onShot;
    int shotFrame = 0;

    sf::RenderWindow& window() { return *getSfmlFramework()->getWindow(); }

    void onStateStart() override
    {
        GameState::onStateStart();
        setBackgroundSfColor(Clear);
        game = std::make_unique<velk::GameLogic>("data/ships/Mole.ship.json", "data/map/canyon_run.map.json", input);
        game->setActive(true);
    }
    void onStateEnd() override
    {
        game.reset();
        GameState::onStateEnd();
    }
    void update() override
    {
        if (script)
            script(*this, frame);
        game->update(getSfmlFramework()->getFrameTime());
    }
    void renderCore() override
    {
        window().draw(game->world());
        if (frame == shotFrame) {
            sf::Texture texture;
            texture.create(800, 600);
            texture.update(window());
            if (onShot)
                onShot(*this, texture.copyToImage());
            app::State::stop();
        }
        ++frame;
    }

private:
    int frame = 0;
};

int distance(sf::Color a, sf::Color b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

class PlayWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        playtest::loadCatalogue();
        helper.database = (runtime.root() / "velk.db").string();
        helper.guiLog = (runtime.root() / "gui.log").string();
        ASSERT_TRUE(app::DatabaseSeeder::update(std::string(VELK_SOURCE_DIR) + "/data/velk.sql", helper.database));
    }
    void TearDown() override { GameFramework::Singleton.shutdown(); }

    void run(const std::shared_ptr<GameState>& screen)
    {
        char program[] = "velkors";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init({1, argv}, &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());
        GameFramework::Singleton.getSfmlFramework()->setupState(screen.get());
        EXPECT_EQ(GameFramework::Singleton.run(screen), 0);
    }

    playtest::RuntimeFolder runtime{true};
    WindowInitHelper helper;
    velk_test::LogCapture log;
};

TEST_F(PlayWindowTest, ThrustThenDrillShowsTerrainShipCheckpointsAndSparks)
{
    std::size_t fixturesBefore = 0;
    int holes = 0;
    auto screen = std::make_shared<RulesScreen>();
    screen->shotFrame = 420;
    screen->script = [&](RulesScreen& s, int frame) {
        velk::GameLogic& game = *s.game;
        velk::PlayShipObject* ship = game.getShip();
        const std::size_t fixtures = game.getMapObject()->getMap()->getNumberOfFixtures();
        if (frame == 0)
            fixturesBefore = fixtures;
        // Thrust: the main engines lift the ship off its start.
        if (frame == 60)
            s.input.keys.insert(sf::Keyboard::W);
        if (frame == 100)
            s.input.keys.clear();
        // Drills out ('H' is C), then heads on ('D' is F).
        if (frame == 200)
            ship->actions().handleSfEvent(keyPress(sf::Keyboard::C));
        if (frame == 240)
            ship->actions().handleSfEvent(keyPress(sf::Keyboard::F));
        // Tipped onto the diamond head over the canyon floor.
        if (frame == 260) {
            ship->setRotation(1.5707963f);
            ship->setPosition(V(-52.8f, -79.0f));
        }
        // A checkpoint flown into: its score floats up.
        if (frame == 380 && game.getCheckpoints().size() > 1)
            game.getCheckpoints()[1]->setPosition(ship->hull()->getPosition());
        if (frame > 0 && fixtures < fixturesBefore && holes == 0) {
            ++holes;
            tools::log("PlayWindowTest", "hole bored at frame " + std::to_string(frame));
        }
    };
    bool shot = false;
    screen->onShot = [&](RulesScreen& s, const sf::Image& image) {
        shot = true;
        image.saveToFile(std::string(VELK_BINARY_DIR) + "/play_frame.png");
        velk::GameLogic& game = *s.game;
        tools::log("PlayWindowTest", "score " + std::to_string(game.getScore()));
        const sf::View& camera = game.world().getCamera();
        auto colourAt = [&](V p) {
            const sf::Vector2i px = s.window().mapCoordsToPixel(rvec2svec(p), camera);
            if (px.x < 0 || px.y < 0 || px.x >= 800 || px.y >= 600)
                return Clear;
            return image.getPixel(static_cast<unsigned>(px.x), static_cast<unsigned>(px.y));
        };
        // Nothing is left of the clear colour: background layers, terrain
        // and the shadow cover the screen.
        int clear = 0;
        for (unsigned x = 0; x < 800; x += 8)
            for (unsigned y = 0; y < 600; y += 8)
                clear += distance(image.getPixel(x, y), Clear) < 30 ? 1 : 0;
        EXPECT_LT(clear, 20);

        // The ship's hull is drawn around its position in its warm colour
        // (parts in front of it cover some of it).
        const sf::Vector2i centre = s.window().mapCoordsToPixel(rvec2svec(game.getShip()->hull()->getPosition()),
                                                                camera);
        int warm = 0, near = 0;
        for (int dx = -15; dx <= 15; dx += 3)
            for (int dy = -15; dy <= 15; dy += 3) {
                const int x = centre.x + dx, y = centre.y + dy;
                if (x < 0 || y < 0 || x >= 800 || y >= 600)
                    continue;
                const sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
                ++near;
                warm += c.r > c.b + 60 ? 1 : 0;
            }
        EXPECT_GT(warm * 3, near) << warm << " of " << near;

        // A checkpoint in view glows in its kind's colour at its centre.
        const velk::CheckpointObject* checkpoint = game.getCheckpoints().at(0);
        const sf::Color field = colourAt(checkpoint->getPosition());
        EXPECT_GT(field.r + field.g + field.b, 200);

        // The shadow sits on the ship and covers the camera twice over (lamps off).
        sf::Image shadowImage;
        ASSERT_TRUE(shadowImage.loadFromFile("data/img/play/arnyekfilter.png"));
        const float aspect = static_cast<float>(shadowImage.getSize().y) / static_cast<float>(shadowImage.getSize().x);
        const float cover = std::max(camera.getSize().y / aspect, camera.getSize().x / 1.0f);
        EXPECT_EQ(game.getShadow()->getPosition(), game.getShip()->getPosition());
        EXPECT_FALSE(game.getShip()->isLampOn());
        EXPECT_NEAR(game.getShadow()->getMainComponent()->getShape().getScale().x, 2.0f * cover, 1e-3f);
        EXPECT_FLOAT_EQ(camera.getSize().y, 50.0f);
        EXPECT_NEAR(camera.getSize().x, 50.0f * 800.0f / 600.0f, 1e-3f);

        // Sparks fly while a head bores.
        EXPECT_GT(game.getSparkSystem().getParticleCount(), 0u);
        // The collected checkpoint's 1000, less the drain since.
        EXPECT_EQ(game.getCheckpoints().size(), 6u);
        EXPECT_GT(game.getScore(), 0);
    };
    run(screen);
    EXPECT_TRUE(shot);
    EXPECT_GT(holes, 0);
    EXPECT_TRUE(log.contains("hole bored at frame"));
    EXPECT_TRUE(log.contains("score "));
}

/// A world with one play ship on a plain background, for the hull's look.
class HullScreen : public GameState {
public:
    playtest::FakeInput input;
    velk::backend::ShipEntry entry;
    std::unique_ptr<GameWorld> world;
    velk::PlayShipObject* ship = nullptr;
    std::vector<sf::Image> shots;

    sf::RenderWindow& window() { return *getSfmlFramework()->getWindow(); }

    void onStateStart() override
    {
        GameState::onStateStart();
        setBackgroundSfColor(Clear);
        world = std::make_unique<GameWorld>(b2Vec2(0.0f, 0.0f));
        // A lopsided outline, so a mirror image differs from the original.
        EXPECT_TRUE(entry.loadFromString(R"({
            "Points": {"X": [-4, 3, 4, 1, -3], "Y": [-2, -2, 0, 2, 1], "R": [0, 0, 0, 0, 0]},
            "Texture": {"File": "plates.png", "Offset": {"X": 0, "Y": 0}, "Scale": 0.5},
            "Color": [200, 100, 50], "Parts": []})"));
        ship = new velk::PlayShipObject(&entry);
        for (char axis = 0; axis < 4; ++axis)
            ship->control()[axis]->setInputSource(input);
        ship->actions().setInputSource(input);
        world->add(ship);
        world->getCamera().setCenter(0.0f, 0.0f);
        world->getCamera().setSize(800.0f / 40.0f, 600.0f / 40.0f);
    }
    void onStateEnd() override
    {
        world.reset();
        GameState::onStateEnd();
    }
    void update() override
    {
        if (frame == 3)
            ship->mirrorX();
    }
    void renderCore() override
    {
        window().draw(*world);
        if (frame == 2 || frame == 5) {
            sf::Texture texture;
            texture.create(800, 600);
            texture.update(window());
            shots.push_back(texture.copyToImage());
        }
        if (frame == 5)
            app::State::stop();
        ++frame;
    }

private:
    int frame = 0;
};

TEST_F(PlayWindowTest, HullDrawsTexturedTintedOutlinedAndMirrored)
{
    auto screen = std::make_shared<HullScreen>();
    run(screen);
    ASSERT_EQ(screen->shots.size(), 2u);
    const sf::Image& plain = screen->shots[0];
    const sf::Image& mirrored = screen->shots[1];
    plain.saveToFile(std::string(VELK_BINARY_DIR) + "/play_hull.png");
    mirrored.saveToFile(std::string(VELK_BINARY_DIR) + "/play_hull_mirrored.png");

    // Inside the hull the texture shows through the tint: warm, and not one
    // flat colour.
    std::set<int> shades;
    int warm = 0, inside = 0;
    for (unsigned x = 300; x < 500; x += 4)
        for (unsigned y = 280; y < 330; y += 4) {
            const sf::Color c = plain.getPixel(x, y);
            ++inside;
            warm += c.r > c.g && c.g > c.b ? 1 : 0;
            shades.insert(c.r / 8);
        }
    EXPECT_GT(warm * 10, inside * 9);
    EXPECT_GT(shades.size(), 2u);

    // The bottom edge (y = -2, 80 px below the centre) is drawn darker than
    // the hull just above it.
    const sf::Color edge = plain.getPixel(400, 380);
    const sf::Color above = plain.getPixel(400, 370);
    EXPECT_LT(edge.r, above.r) << int(edge.r) << " vs " << int(above.r);
    EXPECT_LT(distance(edge, Clear), 200);

    // The mirrored hull is the original flipped about the ship's x.
    int same = 0, flipped = 0, differ = 0, count = 0;
    for (unsigned x = 200; x < 600; x += 3)
        for (unsigned y = 200; y < 400; y += 3) {
            ++count;
            flipped += distance(plain.getPixel(x, y), mirrored.getPixel(799 - x, y)) < 40 ? 1 : 0;
            same += distance(plain.getPixel(x, y), mirrored.getPixel(x, y)) < 40 ? 1 : 0;
            differ += distance(plain.getPixel(x, y), plain.getPixel(799 - x, y)) >= 40 ? 1 : 0;
        }
    EXPECT_GT(differ, count / 20);
    EXPECT_GT(flipped * 100, count * 97) << flipped << " of " << count;
    EXPECT_LT(same, flipped);
}

} // namespace
