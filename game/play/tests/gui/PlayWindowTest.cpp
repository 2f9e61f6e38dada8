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
#include "terrain/MapComponent.hpp"
#include "testsupport/LogCapture.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using V = math::Vector2<float>;

const sf::Color Clear(255, 0, 128); // nothing of the game comes near it

struct WindowInitHelper : GameFrameworkDefaultInitHelper {
    std::string database;
    std::string guiLog;
    std::string getDatabasePath() override { return database; }
    std::pair<unsigned, unsigned> getResolution() override { return {800, 600}; }
    bool isFullscreen() override { return false; }
    std::string getWindowTitle() override { return "Velkors"; }
    std::string getWindowIconPath() override { return ""; }
    bool isMouseVisible() override { return false; }
    float getFPS() override { return 60.0f; }
    CEGUI::String getCeguiLogPath() override { return CEGUI::String(guiLog.c_str()); }
    std::string getCeguiResourceFolderPath() override { return std::string(VELK_SOURCE_DIR) + "/data/gui"; }
};

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

    void run(const std::shared_ptr<RulesScreen>& screen)
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
        const sf::Vector2i centre = s.window().mapCoordsToPixel(rvec2svec(game.getShip()->hull()->getPosition()), camera);
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

} // namespace
