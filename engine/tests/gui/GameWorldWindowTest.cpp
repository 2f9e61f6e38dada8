// A world in a real window: objects loaded from files the test writes (a
// scene, an image map and its texture), stepped and drawn by a game screen
// under GameFramework, with the physics overlay toggled and a floating text.
#include "app/DatabaseSeeder.hpp"
#include "engine/DunnixComponent.hpp"
#include "engine/GameFloatingTextEmitter.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameFrameworkDefaultInitHelper.hpp"
#include "engine/GameObject.hpp"
#include "engine/GameObjectDrawer.hpp"
#include "engine/GameState.hpp"
#include "engine/GameWorld.hpp"
#include "engine/SfmlB2Renderer.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/engine/WindowInitHelper.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using velk_test::writeFile;

const char* const FontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

using velk_test::WindowInitHelper;

/// A screen with a world: the camera shows 20 x 15 units around (0, 5),
/// 40 pixels a unit. Each frame runs the step chosen by the test, then the
/// world's update; the screen captures the frame it is told to and stops.
class WorldScreen : public GameState {
public:
    std::function<void(WorldScreen&)> onStart;
    std::function<void(WorldScreen&, int)> onFrame;
    int lastFrame = 30;
    sf::Image shot;

    GameWorld& world() { return *gameWorld; }

    void onStateStart() override
    {
        GameState::onStateStart();
        gameWorld = std::make_unique<GameWorld>(b2Vec2(0, 0));
        gameWorld->getCamera().setCenter(0, -5);
        gameWorld->getCamera().setSize(20, 15);
        if (onStart)
            onStart(*this);
    }
    void onStateEnd() override
    {
        gameWorld.reset();
        GameState::onStateEnd();
    }
    void update() override
    {
        if (onFrame)
            onFrame(*this, frame);
        gameWorld->update(getSfmlFramework()->getFrameTime());
    }
    void renderCore() override
    {
        getSfmlFramework()->getWindow()->draw(*gameWorld);
        if (frame == lastFrame) {
            sf::Texture texture;
            texture.create(800, 600);
            texture.update(*getSfmlFramework()->getWindow());
            shot = texture.copyToImage();
            app::State::stop();
        }
        ++frame;
    }

private:
    std::unique_ptr<GameWorld> gameWorld;
    int frame = 0;
};

/// Removes another object of the world while its own object is drawn.
struct RemovingDrawer : GameObjectDrawer {
    GameWorld* world = nullptr;
    GameObject* victim = nullptr;
    void preDraw(sf::RenderTarget&, sf::RenderStates) const override
    {
        if (victim)
            world->destroy(victim);
    }
};

class GameWorldWindowTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override
    {
        helper.database = (folder / "velk.db").string();
        helper.guiLog = (folder / "gui.log").string();
        ASSERT_TRUE(app::DatabaseSeeder::update(std::string(VELK_SOURCE_DIR) + "/data/velk.sql", helper.database));
    }
    void TearDown() override { GameFramework::Singleton.shutdown(); }

    void run(const std::shared_ptr<WorldScreen>& screen)
    {
        char program[] = "velkors";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init({1, argv}, &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());
        GameFramework::Singleton.getSfmlFramework()->setupState(screen.get());
        EXPECT_EQ(GameFramework::Singleton.run(screen), 0);
    }

    /// Saves the frame beside the test program, for a person to look at.
    static void keep(const sf::Image& image, const std::string& name)
    {
        image.saveToFile(std::string(VELK_BINARY_DIR) + "/" + name);
    }

    WindowInitHelper helper;
    velk_test::LogCapture log;
};

/// Whether the pixel is near the colour.
::testing::AssertionResult near(const sf::Image& image, unsigned x, unsigned y, sf::Color expected, int tolerance = 24)
{
    const sf::Color c = image.getPixel(x, y);
    if (std::abs(c.r - expected.r) <= tolerance && std::abs(c.g - expected.g) <= tolerance &&
        std::abs(c.b - expected.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << int(c.r) << ", " << int(c.g)
                                         << ", " << int(c.b) << ")";
}

TEST_F(GameWorldWindowTest, LoadedObjectsStepDrawOverlayAndFloatingText)
{
    // Texture: left half red (the crate), right half green (the ground).
    sf::Image texture;
    texture.create(64, 32, sf::Color(220, 30, 30));
    for (unsigned x = 32; x < 64; ++x)
        for (unsigned y = 0; y < 32; ++y)
            texture.setPixel(x, y, sf::Color(30, 200, 60));
    std::filesystem::create_directories(folder / "obj");
    ASSERT_TRUE(texture.saveToFile((folder / "obj" / "tex.png").string()));
    writeFile(folder / "obj" / "items.img.json",
              R"({"ImageFile": "tex.png", "Images": {"crate": [0, 0, 32, 32], "ground": [32, 0, 32, 32]}})");
    // A crate, the ground, and a marker body that no component names.
    writeFile(folder / "obj" / "scene.json", R"({"gravity": {"x": 0, "y": 0}, "body": [
        {"name": "Crate", "type": 2, "position": {"x": 0, "y": 3}, "fixture": [{"density": 1,
            "polygon": {"vertices": {"x": [-1, 1, 1, -1], "y": [-1, -1, 1, 1]}}}]},
        {"name": "Ground", "type": 0, "position": {"x": 0, "y": 0}, "fixture": [{
            "polygon": {"vertices": {"x": [-10, 10, 10, -10], "y": [-0.5, -0.5, 0.5, 0.5]}}}]},
        {"name": "Marker", "type": 0, "position": {"x": 6, "y": 6}, "fixture": [{
            "polygon": {"vertices": {"x": [-1, 1, 1, -1], "y": [-1, -1, 1, 1]}}}]}]})");
    writeFile(folder / "obj" / "crate.obj.json", R"({"Body": "scene.json", "ImageSet": "items.img.json",
        "Properties": {"kind": "crate"}, "Components": [
        {"Body": "Crate", "Main": true, "Image": "crate", "Size": [2, 2], "Origin": [1, 1]},
        {"Body": "Ground", "Image": "ground", "Size": [20, 1], "Origin": [10, 0.5]}]})");
    writeFile(folder / "obj" / "plain.obj.json", R"({"Components": [{"Id": "p"}]})");

    RemovingDrawer remover;
    GameObject* crate = nullptr;
    auto screen = std::make_shared<WorldScreen>();
    screen->lastFrame = 40;
    screen->onStart = [&](WorldScreen& s) {
        GameWorld& world = s.world();
        world.setDefaultFont(FontPath);
        crate = world.add(new GameObject());
        crate->loadFromFile((folder / "obj" / "crate.obj.json").string());
        // Removed while the world draws it: the draw goes on safely.
        remover.world = &world;
        remover.victim = world.add(new GameObject());
        remover.victim->loadFromFile((folder / "obj" / "plain.obj.json").string());
        crate->addDrawer(&remover);
    };
    bool overlaySeenOff = false;
    screen->onFrame = [&](WorldScreen& s, int frame) {
        GameWorld& world = s.world();
        if (frame == 2) {
            remover.victim = nullptr;
            EXPECT_EQ(world.getResources().size(), 2u); // the emitter and the crate
        }
        if (frame == 5) {
            world.enablePhisicsDebugDraw();
            world.getPhisicsDebugDraw()->SetFlags(b2Draw::e_shapeBit);
        }
        if (frame == 10) {
            world.disablePhisicsDebugDraw();
            overlaySeenOff = !world.isPhisicsDebugDrawEnabled();
            world.setPhisicsDebugDrawEnabled(true);
            world.getPhisicsDebugDraw()->SetFlags(b2Draw::e_shapeBit);
        }
        if (frame == 20) {
            GameFloatingTextEmitter::EmittingDescription text;
            text.text = "Pont: \xC5\x91\xC5\xB1";
            text.position = sf::Vector2f(-5, 8);
            text.lifetime = sf::seconds(30);
            world.floatingTextEmitter()->emittMessage(text);
        }
        if (frame == 30) {
            EXPECT_FLOAT_EQ(world.getPixelUnit(), 40.0f);
        }
    };
    run(screen);
    const sf::Image& shot = screen->shot;
    ASSERT_EQ(shot.getSize(), sf::Vector2u(800, 600));
    keep(shot, "engine_world_window.png");

    EXPECT_TRUE(overlaySeenOff);
    EXPECT_TRUE(log.contains("[GameFramework] init ended"));
    EXPECT_FALSE(log.contains("[GameObject] Error")) << log.text();
    EXPECT_FALSE(log.contains("No font")) << log.text();
    EXPECT_EQ(log.count("[GameObject] NO BODY SET!"), 1); // the plain object only
    EXPECT_FALSE(log.contains("[B2DebugDrawObject]"));

    // The crate (world -1..1, 2..4) in red under the translucent overlay.
    EXPECT_TRUE(near(shot, 400, 380, sf::Color(220 * 3 / 4 + 32, 30 * 3 / 4 + 57, 30 * 3 / 4 + 32), 30));
    // The ground (world y -0.5..0.5) in green under the overlay.
    EXPECT_TRUE(near(shot, 100, 500, sf::Color(30 * 3 / 4 + 32, 200 * 3 / 4 + 57, 60 * 3 / 4 + 32), 30));
    // The marker body has no shape: only the overlay's faint static-body fill.
    EXPECT_TRUE(near(shot, 640, 260, sf::Color(32, 57, 32), 12));
    // Outside everything: the background.
    EXPECT_TRUE(near(shot, 700, 60, sf::Color::Black, 0));
    // The floating text around world (-5, 8): some light pixels, one unit tall.
    int light = 0;
    for (unsigned x = 150; x < 330; ++x)
        for (unsigned y = 160; y < 220; ++y)
            light += shot.getPixel(x, y).r > 150 ? 1 : 0;
    EXPECT_GT(light, 50);
    int lightElsewhere = 0;
    for (unsigned x = 150; x < 330; ++x)
        for (unsigned y = 60; y < 120; ++y)
            lightElsewhere += shot.getPixel(x, y).r > 150 ? 1 : 0;
    EXPECT_EQ(lightElsewhere, 0);
}

TEST_F(GameWorldWindowTest, ParallaxLayersCoverTheView)
{
    sf::Image tile;
    tile.create(64, 64, sf::Color(40, 40, 120));
    for (unsigned i = 0; i < 64; ++i)
        tile.setPixel(i, i, sf::Color::White);
    ASSERT_TRUE(tile.saveToFile((folder / "stars.png").string()));

    auto screen = std::make_shared<WorldScreen>();
    screen->lastFrame = 10;
    screen->onStart = [&](WorldScreen& s) {
        GameObject* background = s.world().add(new GameObject());
        auto* dunnix = static_cast<DunnixComponent*>(background->add(new DunnixComponent()));
        dunnix->addLayer((folder / "stars.png").string(), 0.98f);
        dunnix->addLayer((folder / "missing.png").string(), 0.5f);
        EXPECT_EQ(dunnix->getLayerCount(), 1u);
        dunnix->hide(); // the layers are drawn all the same
    };
    screen->onFrame = [](WorldScreen& s, int) { s.world().getCamera().move(3.7f, -1.3f); };
    run(screen);
    const sf::Image& shot = screen->shot;
    keep(shot, "engine_parallax_window.png");
    int black = 0;
    for (unsigned x = 0; x < 800; x += 7)
        for (unsigned y = 0; y < 600; y += 7)
            black += shot.getPixel(x, y) == sf::Color::Black ? 1 : 0;
    EXPECT_EQ(black, 0);
}

} // namespace
