// The terrain component on maps of growing size. Drilling a radius-3 hole
// (with the next world update: the physics step that takes in the new
// fixtures and the chunk rebuild) should cost the same on a 64 x 64
// and a 1024 x 1024 map: compare DrillHole/64 with DrillHole/1024. Loading a
// map into the component (parse, chunks, bodies, fixtures) should grow with
// the number of cells only: compare the items (cells) per second of
// LoadMap/64, /256 and /1024. Finding the chunks to draw (the terrain's draw
// set-up) at the same view should cost the same on both maps: DrawSetUp
// reports its time as a multiple of the 64 x 64 map's ("x_64").

#include "testsupport/terrain/TerrainTestSupport.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

using I = math::Vector2<int>;

constexpr float DrillRadius = 3.0f;
constexpr float Frame = 1.0f / 60.0f;

/// Ground below the top quarter, as a level has it.
TileMap levelMap(unsigned int size)
{
    return velk_test::makeMap(size, size, 1.0f, 8, velk_test::plain(size / 4));
}

/// Map files written once per size into a folder removed at exit.
class MapFiles {
public:
    ~MapFiles()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    const std::string& path(unsigned int size)
    {
        auto found = paths.find(size);
        if (found != paths.end())
            return found->second;
        std::filesystem::create_directories(folder);
        const std::string file = (folder / ("level" + std::to_string(size) + ".map.json")).string();
        velk_test::writeMap(levelMap(size), file);
        return paths[size] = file;
    }

private:
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("velk-terrain-bench-" + std::to_string(getpid()));
    std::map<unsigned int, std::string> paths;
};

MapFiles& mapFiles()
{
    static MapFiles files;
    return files;
}

void DrillHole(benchmark::State& state)
{
    const auto size = static_cast<unsigned int>(state.range(0));
    velk_test::TerrainWorld w;
    if (!w.terrain->loadFromFile(mapFiles().path(size), MapComponent::Physical)) {
        state.SkipWithError("cannot load the map");
        return;
    }
    // As in a game: the world has run before anyone drills. Until the first
    // step Box2D keeps every new fixture in a list it scans on each removal.
    w.world.update(Frame);
    // Holes all over the ground, each filled again (untimed) after it is measured.
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> column(4, static_cast<int>(size) - 5);
    std::uniform_int_distribution<int> row(static_cast<int>(size / 4) + 4, static_cast<int>(size) - 5);
    std::vector<I> spots;
    for (int i = 0; i < 256; ++i)
        spots.emplace_back(column(rng), row(rng));
    std::size_t next = 0;
    const int n = 3;
    for (auto _ : state) {
        const I cell = spots[next++ % spots.size()];
        w.terrain->drill(cell, DrillRadius);
        w.world.update(Frame);

        state.PauseTiming();
        for (int x = cell.x - n; x <= cell.x + n; ++x)
            for (int y = cell.y - n; y <= cell.y + n; ++y) {
                w.terrain->map().getTile(static_cast<unsigned>(x), static_cast<unsigned>(y)) = 1;
                w.terrain->createFixtureAt(x, y);
            }
        w.terrain->markChunks({{cell.x - n, cell.y - n}, {cell.x + n, cell.y + n}});
        w.world.update(Frame);
        state.ResumeTiming();
    }
}
BENCHMARK(DrillHole)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

void LoadMap(benchmark::State& state)
{
    const auto size = static_cast<unsigned int>(state.range(0));
    const std::string& path = mapFiles().path(size);
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<velk_test::TerrainWorld>();
        state.ResumeTiming();
        if (!w->terrain->loadFromFile(path, MapComponent::Physical))
            state.SkipWithError("cannot load the map");
        benchmark::DoNotOptimize(w->terrain->getNumberOfFixtures());
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * size * size);
}
BENCHMARK(LoadMap)->Arg(64)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

/// A drawing-only terrain with the game's view: 800 x 600 pixels, 24 a
/// unit, over the same cells of any map.
struct DrawScene {
    velk_test::TerrainWorld w;
    velk_test::SizeOnlyTarget target;
    sf::RenderStates states;
    bool loaded = false;

    explicit DrawScene(unsigned int size)
    {
        loaded = w.terrain->loadFromFile(mapFiles().path(size), MapComponent::DrawingOnly);
        target.setView(sf::View(sf::Vector2f(40.3f, 30.7f), sf::Vector2f(800 / 24.0f, 600 / 24.0f)));
    }
    std::size_t setUp() const
    {
        return w.terrain->isVisible(target, states) ? w.terrain->findVisibleChunks(target, states).size() : 0;
    }
};

using Clock = std::chrono::steady_clock;

/// Seconds per draw set-up: the best of a short timed round.
double roundSeconds(const DrawScene& scene)
{
    int calls = 0;
    const auto start = Clock::now();
    auto now = start;
    do {
        benchmark::DoNotOptimize(scene.setUp());
        ++calls;
        now = Clock::now();
    } while (now - start < std::chrono::milliseconds(20));
    return std::chrono::duration<double>(now - start).count() / calls;
}

/// The scene's set-up time over the 64 x 64 map's, timed in alternating
/// rounds so that a busy moment of the machine weighs on both alike.
double ratioTo64(const DrawScene& scene)
{
    const DrawScene reference(64);
    double best = 1e9, bestReference = 1e9;
    for (int round = 0; round < 10; ++round) {
        bestReference = std::min(bestReference, roundSeconds(reference));
        best = std::min(best, roundSeconds(scene));
    }
    return best / bestReference;
}

void DrawSetUp(benchmark::State& state)
{
    const auto size = static_cast<unsigned int>(state.range(0));
    const DrawScene scene(size);
    if (!scene.loaded) {
        state.SkipWithError("cannot load the map");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.setUp());
    state.counters["chunks"] = static_cast<double>(scene.setUp());
    state.counters["x_64"] = ratioTo64(scene);
}
BENCHMARK(DrawSetUp)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

} // namespace
