// The engine's world on top of Box2D.
// - One world frame (GameWorld::update: step, then every object's update) with
//   N dynamic objects against a bare b2World::Step of the same bodies with the
//   same solver iterations: the ratio of the two is the engine's overhead.
// - Loading object files that share one scene and one image map: the first
//   object against the following ones (the texture cache serves them), and
//   the parse part (object file, image map, scene JSON) against building the
//   bodies from the parsed scene.
#include "engine/GameObject.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameWorld.hpp"
#include "engine/SfImageMap.hpp"
#include "foundation/json/Parser.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "physics/B2Scene.hpp"

#include <SFML/Graphics/Image.hpp>
#include <benchmark/benchmark.h>
#include <box2d/box2d.h>
#include <json/json.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include <unistd.h>

namespace {

constexpr float kStep = 1.0f / 60.0f;

/// N boxes drifting apart in a grid, never asleep, so every step moves all
/// of them through the broad phase without contacts.
void addBoxes(b2World& world, int count, const std::function<void(b2Body*)>& made)
{
    b2PolygonShape box;
    box.SetAsBox(0.4f, 0.4f);
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    for (int i = 0; i < count; ++i) {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.allowSleep = false;
        def.position.Set(static_cast<float>(i % side) * 2.0f, static_cast<float>(i / side) * 2.0f);
        def.linearVelocity.Set(static_cast<float>(i % 7) * 0.1f - 0.3f, static_cast<float>(i % 5) * 0.1f - 0.2f);
        def.angularVelocity = static_cast<float>(i % 3) * 0.2f;
        b2Body* body = world.CreateBody(&def);
        body->CreateFixture(&box, 1.0f);
        made(body);
    }
}

void BM_WorldFrame(benchmark::State& state)
{
    GameWorld world(b2Vec2(0, 0));
    addBoxes(*world.getB2World(), static_cast<int>(state.range(0)), [&world](b2Body* body) {
        GameObject* object = world.add(new GameObject());
        object->setMainComponent(object->add(new GamePhisicsComponent(body)));
    });
    for (auto _ : state)
        world.update(kStep);
}
BENCHMARK(BM_WorldFrame)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_BareB2Step(benchmark::State& state)
{
    b2World world(b2Vec2(0, 0));
    addBoxes(world, static_cast<int>(state.range(0)), [](b2Body*) {});
    // The iterations the world chooses without a window layer.
    const auto [velocity, position] = GameWorld::solverIterations(SfmlFramework::DefaultFps);
    for (auto _ : state)
        world.Step(kStep, velocity, position);
}
BENCHMARK(BM_BareB2Step)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

/// An object file like a ship part: a hull and four wheels on revolute joints,
/// an image map of five rectangles and a component per body.
class ObjectFiles {
public:
    ObjectFiles()
    {
        folder = std::filesystem::temp_directory_path() / ("velk_world_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::ostringstream scene;
        scene << R"({"gravity": {"x": 0, "y": -10}, "body": [)";
        scene << R"({"name": "Hull", "type": 2, "position": {"x": 0, "y": 2}, "fixture": [{"density": 1,
            "polygon": {"vertices": {"x": [-2, 2, 2.5, 0, -2.5], "y": [-0.5, -0.5, 0.5, 1.2, 0.5]}}}]})";
        for (int i = 0; i < 4; ++i)
            scene
                << R"(, {"name": "Wheel", "type": 2, "position": {"x": )" << (i - 1.5f) * 1.2f
                << R"(, "y": 1}, "fixture": [{"density": 1, "friction": 0.9, "circle": {"radius": 0.4, "center": 0}}]})";
        scene << R"(], "joint": [)";
        for (int i = 0; i < 4; ++i)
            scene << (i ? "," : "") << R"({"type": "revolute", "bodyA": 0, "bodyB": )" << i + 1
                  << R"(, "anchorA": {"x": )" << (i - 1.5f) * 1.2f
                  << R"(, "y": -1}, "anchorB": 0, "enableMotor": true, "maxMotorTorque": 50})";
        scene << "]}";
        write("scene.json", scene.str());
        write("items.img.json", R"({"ImageFile": "items.png", "Images": {"hull": [0, 0, 64, 32],
            "wheel": [64, 0, 32, 32], "a": [0, 32, 8, 8], "b": [8, 32, 8, 8], "c": [16, 32, 8, 8]}})");
        write("part.obj.json", R"({"Body": "scene.json", "ImageSet": "items.img.json",
            "Properties": {"category": "wheels"}, "Components": [
            {"Body": "Hull", "Main": true, "Image": "hull", "Size": [5, 2], "Origin": [2.5, 1]},
            {"Body": "Wheel", "Image": "wheel", "Size": [0.8, 0.8], "Origin": [0.4, 0.4],
             "Components": [{"Id": "hub", "Size": [0.2, 0.2]}]}]})");
        // Textures need a GL context, so a display: without one the image is
        // missing and the cache remembers the failure instead.
        if (std::getenv("DISPLAY")) {
            sf::Image image;
            image.create(96, 40, sf::Color(120, 130, 140));
            image.saveToFile((folder / "items.png").string());
        }
    }
    ~ObjectFiles() { std::filesystem::remove_all(folder); }

    std::string path(const char* name) const { return (folder / name).string(); }

private:
    void write(const char* name, const std::string& text) const { std::ofstream(folder / name) << text; }
    std::filesystem::path folder;
};

const ObjectFiles& files()
{
    static const ObjectFiles instance;
    return instance;
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/// The first object of a fresh world: parsing, bodies and the texture load.
void BM_LoadFirstObject(benchmark::State& state)
{
    const std::string path = files().path("part.obj.json");
    for (auto _ : state) {
        GameWorld world(b2Vec2(0, -10));
        const auto start = Clock::now();
        world.add(new GameObject())->loadFromFile(path);
        state.SetIterationTime(secondsSince(start));
    }
}
BENCHMARK(BM_LoadFirstObject)->UseManualTime()->Unit(benchmark::kMicrosecond);

/// Objects 2 to 100 of a world, per object.
void BM_LoadNextObject(benchmark::State& state)
{
    const std::string path = files().path("part.obj.json");
    for (auto _ : state) {
        GameWorld world(b2Vec2(0, -10));
        world.add(new GameObject())->loadFromFile(path);
        const auto start = Clock::now();
        for (int i = 1; i < 100; ++i)
            world.add(new GameObject())->loadFromFile(path);
        state.SetIterationTime(secondsSince(start) / 99.0);
    }
}
BENCHMARK(BM_LoadNextObject)->UseManualTime()->Unit(benchmark::kMicrosecond);

/// The parsing part of one load: the object file, the image map and the scene JSON.
void BM_LoadParseOnly(benchmark::State& state)
{
    const std::string object = files().path("part.obj.json");
    const std::string images = files().path("items.img.json");
    const std::string scene = files().path("scene.json");
    for (auto _ : state) {
        benchmark::DoNotOptimize(json::parseFromFile(object));
        SfImageMap map;
        benchmark::DoNotOptimize(map.loadFromFile(images));
        std::ifstream in(scene);
        Json::Value root;
        Json::CharReaderBuilder builder;
        std::string errors;
        benchmark::DoNotOptimize(Json::parseFromStream(builder, in, &root, &errors));
    }
}
BENCHMARK(BM_LoadParseOnly)->Unit(benchmark::kMicrosecond);

/// Building the bodies and joints of one load from the parsed scene.
void BM_LoadBuildBodiesOnly(benchmark::State& state)
{
    std::ifstream in(files().path("scene.json"));
    Json::Value root;
    Json::CharReaderBuilder builder;
    std::string errors;
    Json::parseFromStream(builder, in, &root, &errors);
    b2World world(b2Vec2(0, -10));
    int loaded = 0;
    for (auto _ : state) {
        B2Scene scene(false);
        benchmark::DoNotOptimize(scene.readFromValue(root, &world));
        if (++loaded == 100) {
            state.PauseTiming();
            while (world.GetBodyList())
                world.DestroyBody(world.GetBodyList());
            loaded = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_LoadBuildBodiesOnly)->Unit(benchmark::kMicrosecond);

/// One scene file through the scene loader (read, format check, parse and
/// bodies); minus the build-only time, this is the loader's own parse share.
void BM_LoadSceneFileOnly(benchmark::State& state)
{
    const std::string path = files().path("scene.json");
    b2World world(b2Vec2(0, -10));
    int loaded = 0;
    for (auto _ : state) {
        B2Scene scene(false);
        std::string error;
        benchmark::DoNotOptimize(scene.readFromFile(path.c_str(), error, &world));
        if (++loaded == 100) {
            state.PauseTiming();
            while (world.GetBodyList())
                world.DestroyBody(world.GetBodyList());
            loaded = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_LoadSceneFileOnly)->Unit(benchmark::kMicrosecond);

} // namespace
