// One play frame of the game rules without drawing (the world step with its
// contact callbacks, every object's update, the rules, drilling and both
// particle systems) while the Mole, tipped onto its diamond drill head, bores
// into the canyon map; against the Box2D step of the same world alone, in the
// same schedule. The ratio of the two is what the rules and objects cost on
// top of the physics.
#include "app/DatabaseSeeder.hpp"
#include "engine/GameInputSource.hpp"
#include "engine/GameObject.hpp"
#include "engine/GameWorld.hpp"
#include "framework/fx/InputState.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/GameLogic.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/ship/DrillComponent.hpp"
#include "game/ship/HullComponent.hpp"
#include "game/ship/backend/ShipPartStore.hpp"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr float kFrame = 1.0f / 60.0f;
/// Frames between two placements of the ship on its drill head.
constexpr int kFramesPerDrop = 120;

/// No keys held, focus kept: no display is needed.
class StillInput : public GameInputSource, public fx::InputState {
public:
    bool isWindowFocused() const override { return true; }
    sf::Vector2i getMouseDelta() const override { return sf::Vector2i(); }
    float getJoystickAxisPosition(unsigned, sf::Joystick::Axis) const override { return 0.0f; }
    const fx::InputState& heldInput() const override { return *this; }
    void setMousePosition(const sf::Vector2i&) const override {}
    bool isKeyDown(sf::Keyboard::Key) const override { return false; }
    bool isMouseButtonDown(sf::Mouse::Button) const override { return false; }
    bool isJoystickButtonDown(unsigned, unsigned) const override { return false; }
};

/// The game's data without its pictures (a texture needs a display) in a
/// temporary folder that is the working directory while the scene lives.
class PlayScene {
public:
    PlayScene() : previous(fs::current_path())
    {
        folder = fs::temp_directory_path() / ("velk-play-bench-" + std::to_string(::getpid()));
        const fs::path source = fs::path(VELK_SOURCE_DIR) / "data";
        for (const char* sub : {"obj", "map", "ships"})
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source / sub)) {
                const fs::path target = folder / "data" / sub / fs::relative(entry.path(), source / sub);
                if (entry.is_directory())
                    fs::create_directories(target);
                else if (entry.path().extension() != ".png") {
                    fs::create_directories(target.parent_path());
                    fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
                }
            }
        fs::create_directory_symlink(source / "snd", folder / "data" / "snd");
        fs::current_path(folder);
        loadCatalogue(source / "velk.sql");

        game = std::make_unique<velk::GameLogic>("data/ships/Mole.ship.json", "data/map/canyon_run.map.json", input);
        game->setActive(true);
        run(120);
        for (velk::DrillComponent* drill : game->getShip()->drills())
            drill->setOut(true);
        run(60);
        for (velk::DrillComponent* drill : game->getShip()->drills())
            drill->turnHeadOn();
    }

    ~PlayScene()
    {
        game.reset();
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    /// The ship on its side over the ground somewhere along the map, diamond
    /// head down, sinking at a steady 4 units a second: the hull is driven
    /// (kinematic), so the head keeps pressing into fresh rock and bores on.
    void drop()
    {
        const float x = -58.0f + static_cast<float>((drops++ * 7) % 100);
        velk::PlayShipObject* ship = game->getShip();
        b2Body* hull = ship->hull()->getBody();
        hull->SetType(b2_dynamicBody);
        ship->setRotation(0.0f);
        ship->setPosition(math::Vector2<float>(x, groundBelow(x) + 7.0f));
        ship->setRotation(1.5707963f);
        hull->SetType(b2_kinematicBody);
        hull->SetLinearVelocity(b2Vec2(0.0f, -4.0f));
        hull->SetAngularVelocity(0.0f);
    }

    void run(int frames)
    {
        for (int i = 0; i < frames; ++i)
            game->update(kFrame);
    }

    StillInput input;
    std::unique_ptr<velk::GameLogic> game;

private:
    /// The height of the first terrain surface below the top of the map at x.
    float groundBelow(float x)
    {
        struct FirstGround : b2RayCastCallback {
            float y = -80.0f;
            float ReportFixture(b2Fixture* fixture, const b2Vec2& point, const b2Vec2&, float fraction) override
            {
                if (fixture->GetFilterData().categoryBits != 0x0001)
                    return -1.0f;
                y = point.y;
                return fraction;
            }
        } ground;
        game->world().getB2World()->RayCast(&ground, b2Vec2(x, 0.0f), b2Vec2(x, -150.0f));
        return ground.y;
    }

    static void loadCatalogue(const fs::path& script)
    {
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        std::string text;
        if (app::DatabaseSeeder::readScript(script.string(), text) && app::DatabaseSeeder::apply(db, text))
            velk::backend::ShipPartStore::Singleton.loadFromDatabase(db);
        sqlite3_close(db);
    }

    fs::path previous;
    fs::path folder;
    int drops = 0;
};

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_PlayFrame(benchmark::State& state)
{
    PlayScene scene;
    int frame = 0;
    double drilling = 0.0;
    for (auto _ : state) {
        if (frame % kFramesPerDrop == 0)
            scene.drop();
        const Clock::time_point start = Clock::now();
        scene.game->update(kFrame);
        state.SetIterationTime(secondsSince(start));
        drilling += scene.game->getDrillings().empty() ? 0.0 : 1.0;
        ++frame;
    }
    state.counters["drilling_frames"] = benchmark::Counter(drilling / frame);
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond)->Iterations(3000)->UseManualTime();

/// The same frames, only the Box2D step timed: the rest of the frame (the
/// objects' updates and the rules with their boring) runs untimed, so the
/// terrain is drilled exactly as above.
void BM_PlayWorldStepOnly(benchmark::State& state)
{
    PlayScene scene;
    GameWorld& world = scene.game->world();
    const auto [velocity, position] = GameWorld::solverIterations(SfmlFramework::DefaultFps);
    int frame = 0;
    double objects = 0.0, rules = 0.0;
    for (auto _ : state) {
        if (frame % kFramesPerDrop == 0)
            scene.drop();
        const Clock::time_point start = Clock::now();
        world.getB2World()->Step(kFrame, velocity, position);
        state.SetIterationTime(secondsSince(start));
        const Clock::time_point objectsStart = Clock::now();
        for (GameObject* object : std::vector<GameObject*>(world.getResources()))
            object->update(kFrame);
        objects += secondsSince(objectsStart);
        const Clock::time_point rulesStart = Clock::now();
        scene.game->setActive(false);
        scene.game->update(kFrame);
        scene.game->setActive(true);
        rules += secondsSince(rulesStart);
        ++frame;
    }
    // Microseconds per frame of the untimed parts, for the split of a frame.
    state.counters["objects_us"] = benchmark::Counter(objects * 1e6 / frame);
    state.counters["rules_us"] = benchmark::Counter(rules * 1e6 / frame);
}
BENCHMARK(BM_PlayWorldStepOnly)->Unit(benchmark::kMicrosecond)->Iterations(3000)->UseManualTime();

} // namespace
