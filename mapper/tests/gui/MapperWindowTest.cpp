// The map editor in a real window, driven by X input (xdotool) from a second
// thread while the main thread runs the game loop, as a player would use it:
// a new map, ground painted with two brush sizes, a cave erased, markers
// placed, the map saved under a new name and loaded back. Screenshots are
// read back with ImageMagick's import.

#include "engine/GameFramework.hpp"
#include "foundation/math/Grid2.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/shell/VelkInitHelper.hpp"
#include "testsupport/game/GameTestSupport.hpp"
#include "mapper/MapperController.hpp"
#include "mapper/MapperState.hpp"
#include "terrain/MapTileShape.hpp"
#include "terrain/model/TileMap.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Window pixels of the layout in init_mapper.lua at 1024 x 768.
constexpr int CanvasLeft = 236;
constexpr int NewButtonX = 57, LoadButtonX = 163, MenuRow1Y = 48;
constexpr int SaveAsButtonX = 163, MenuRow2Y = 86;
constexpr int ExitX = 110, ExitY = 124;
constexpr int PaletteLeft = 6, PaletteTop = 392, PaletteWidth = 206;
// Dialogs are centred; a frame window's client area starts 3 px in and 24 px down.
constexpr int NewMapClientX = 312 + 3, NewMapClientY = 259 + 24;
constexpr int LoadClientX = 312 + 3, LoadClientY = 204 + 24;
constexpr int SaveClientX = 312 + 3, SaveClientY = 184 + 24;

std::string output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

/// The player: X input to the game window, run on its own thread.
class Player {
public:
    bool findWindow()
    {
        window = output("timeout 20 xdotool search --sync --onlyvisible --name '^Velkors$' 2>/dev/null | head -n1");
        return !window.empty();
    }

    bool run(const std::string& arguments)
    {
        return std::system(("xdotool " + arguments).c_str()) == 0;
    }

    void moveTo(int x, int y) { run(at(x, y)); }

    void click(int x, int y, int button = 1)
    {
        run(at(x, y) + " click " + std::to_string(button));
        std::this_thread::sleep_for(120ms);
    }

    /// A press, moves cell by cell along the points, a release.
    void drag(const std::vector<std::pair<int, int>>& points, int button)
    {
        run(at(points.front().first, points.front().second) + " mousedown " + std::to_string(button));
        for (const auto& p : points) {
            run(at(p.first, p.second));
            std::this_thread::sleep_for(20ms);
        }
        run("mouseup " + std::to_string(button));
        std::this_thread::sleep_for(120ms);
    }

    void wheel(int x, int y, int steps, bool shift = false)
    {
        moveTo(x, y);
        if (shift)
            run("keydown shift");
        for (int i = 0; i < std::abs(steps); ++i) {
            run(std::string("click ") + (steps > 0 ? "4" : "5"));
            std::this_thread::sleep_for(40ms);
        }
        if (shift)
            run("keyup shift");
        std::this_thread::sleep_for(120ms);
    }

    /// Selects the word in an edit box with a double click and types over it.
    void typeOver(int x, int y, const std::string& text)
    {
        run(at(x, y) + " click --repeat 2 --delay 80 1");
        std::this_thread::sleep_for(150ms);
        run("type --delay 40 '" + text + "'");
        std::this_thread::sleep_for(150ms);
    }

    /// Clicks into an empty edit box and types the text.
    void typeInto(int x, int y, const std::string& text)
    {
        click(x, y);
        run("type --delay 40 '" + text + "'");
        std::this_thread::sleep_for(150ms);
    }

    bool capture(const fs::path& file)
    {
        moveTo(ExitX, 300); // the cursor off the canvas
        std::this_thread::sleep_for(400ms);
        return std::system(("import -window " + window + " " + file.string()).c_str()) == 0;
    }

    std::string window;

private:
    std::string at(int x, int y)
    {
        return "mousemove --sync --window " + window + " " + std::to_string(x) + " " + std::to_string(y);
    }
};

/// The map canvas's view as the editor works it out, replayed for the clicks.
struct CanvasView {
    math::Grid2<float> grid;

    CanvasView() { grid.cellSize = 50.0f; }

    void zoomOut(const math::Vector2<float>& point, int steps)
    {
        for (int i = 0; i < steps; ++i)
            grid.zoomAt(point, 1.0f / 1.1f);
    }

    /// Window pixel of the middle of a cell.
    std::pair<int, int> cell(int x, int y) const
    {
        const float pitch = grid.scale();
        return {CanvasLeft + static_cast<int>(std::lround(grid.origin.x + (x + 0.5f) * pitch)),
                static_cast<int>(std::lround(grid.origin.y + (y + 0.5f) * pitch))};
    }

    /// The cells of a row (every `step`-th) or of a column.
    std::vector<std::pair<int, int>> row(int y, int fromX, int toX, int step = 1) const
    {
        std::vector<std::pair<int, int>> points;
        for (int x = fromX; x <= toX; x += step)
            points.push_back(cell(x, y));
        return points;
    }
    std::vector<std::pair<int, int>> column(int x, int fromY, int toY) const
    {
        std::vector<std::pair<int, int>> points;
        for (int y = fromY; y >= toY; --y)
            points.push_back(cell(x, y));
        return points;
    }
};

bool isGrey(const sf::Color& c, int level)
{
    return std::abs(c.r - level) <= 3 && std::abs(c.g - level) <= 3 && std::abs(c.b - level) <= 3;
}

bool isBlack(const sf::Color& c)
{
    return c.r < 10 && c.g < 10 && c.b < 10;
}

fs::path screenshotFolder()
{
    const fs::path folder = fs::path(VELK_BINARY_DIR) / "mapper" / "screenshots";
    fs::create_directories(folder);
    return folder;
}

class MapperWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "window tests run under tools/with-display.sh";
        // The map folder of the run is a folder of its own, never the shipped
        // one: the shipped maps are copied into it.
        const fs::path maps = runtime.path() / "data" / "map";
        if (fs::is_symlink(maps)) {
            const fs::path shipped = fs::read_symlink(maps);
            fs::remove(maps);
            fs::copy(shipped, maps);
        }
        velk::VelkInitHelper helper;
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init(std::make_pair(1, argv), &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());
        ASSERT_NE(GameFramework::Singleton.getSfmlFramework(), nullptr);
    }

    void TearDown() override
    {
        screen.reset();
        GameFramework::Singleton.shutdown();
    }

    /// Runs the editor until the player leaves it (or, as a last resort,
    /// closes the window with Alt+F4 when the script went wrong).
    void runEditor(const std::function<void(Player&)>& script)
    {
        screen = std::make_shared<dunnix::MapperState>();
        GameFramework::Singleton.getSfmlFramework()->setupState(screen.get());
        std::atomic<bool> finished{false};
        std::thread driver([&] {
            Player player;
            if (player.findWindow()) {
                std::this_thread::sleep_for(500ms);
                script(player);
                player.click(ExitX, ExitY);
            }
            for (int i = 0; i < 100 && !finished; ++i)
                std::this_thread::sleep_for(100ms);
            if (!finished && !player.window.empty())
                player.run("key --window " + player.window + " alt+F4");
        });
        GameFramework::Singleton.run(screen);
        finished = true;
        driver.join();
    }

    velk_test::RuntimeFolder runtime;
    std::shared_ptr<dunnix::MapperState> screen;
};

TEST_F(MapperWindowTest, PaintPlaceMarkersSaveAndLoadBack)
{
    const fs::path shots = screenshotFolder();
    const fs::path painted = shots / "mapper-painted.png";
    const fs::path reloaded = shots / "mapper-reloaded.png";
    const fs::path zoomed = shots / "mapper-zoomed.png";
    for (const auto& entry : fs::directory_iterator(runtime.path() / "data" / "map"))
        fs::remove(entry.path());
    fs::remove(painted);
    fs::remove(reloaded);
    fs::remove(zoomed);

    CanvasView view;
    // Zoomed out about the canvas corner, so the whole map shows.
    view.zoomOut({1.0f, 1.0f}, 15);

    runEditor([&](Player& player) {
        // A new 60 x 40 map.
        player.click(NewButtonX, MenuRow1Y);
        player.typeOver(NewMapClientX + 16 + 250 + 20, NewMapClientY + 12 + 14, "60");
        player.typeOver(NewMapClientX + 16 + 250 + 20, NewMapClientY + 12 + 34 + 14, "40");
        player.click(NewMapClientX + 16 + 80 + 65, NewMapClientY + 168 + 16);

        player.wheel(CanvasLeft + 1, 1, -15);

        // Ground with brush 3 along rows 30 and 35, then brush 1 for a pillar.
        player.wheel(CanvasLeft + 400, 700, 2, true);
        player.drag(view.row(30, 0, 59, 2), 1);
        player.drag(view.row(35, 0, 59, 2), 1);
        player.drag(view.row(38, 0, 59, 2), 1);
        player.wheel(CanvasLeft + 400, 700, -2, true);
        player.drag(view.column(50, 27, 22), 1);
        // A cave: the right button erases with brush 2.
        player.wheel(CanvasLeft + 400, 700, 1, true);
        player.drag(view.row(33, 12, 30), 3);

        // Markers: scroll the palette to its end, then pick and place.
        player.wheel(PaletteLeft + 50, PaletteTop + 100, -8);
        const int markerRow = PaletteTop + 14 * 30 - 138 + 15;
        const int column = PaletteWidth / 4;
        player.click(PaletteLeft + column / 2, markerRow); // start
        player.click(view.cell(8, 26).first, view.cell(8, 26).second);
        player.click(PaletteLeft + column + column / 2, markerRow); // platform
        player.click(view.cell(40, 26).first, view.cell(40, 26).second);
        player.click(PaletteLeft + 2 * column + column / 2, markerRow); // checkpoint 36
        player.click(view.cell(20, 18).first, view.cell(20, 18).second);
        player.click(PaletteLeft + 3 * column + column / 2, markerRow); // checkpoint 37
        player.click(view.cell(33, 15).first, view.cell(33, 15).second);
        player.capture(painted);

        // Save under a new name.
        player.click(SaveAsButtonX, MenuRow2Y);
        player.typeInto(SaveClientX + 126 + 100, SaveClientY + 272 + 15, "kanyon");
        player.click(SaveClientX + 16 + 98 + 65, SaveClientY + 316 + 16);

        // A fresh map, then the saved one loaded back from the list.
        player.click(NewButtonX, MenuRow1Y);
        player.click(NewMapClientX + 16 + 80 + 65, NewMapClientY + 168 + 16);
        player.click(LoadButtonX, MenuRow1Y);
        player.click(LoadClientX + 16 + 100, LoadClientY + 12 + 10);
        player.click(LoadClientX + 16 + 98 + 65, LoadClientY + 276 + 16);
        player.capture(reloaded);

        // Closer to the start marker, which stays under the cursor.
        player.wheel(view.cell(8, 26).first, view.cell(8, 26).second, 10);
        player.capture(zoomed);
    });

    // The start marker drawn large with its picture: not one flat colour.
    sf::Image close;
    ASSERT_TRUE(close.loadFromFile(zoomed.string()));
    const auto [markerX, markerY] = view.cell(8, 26);
    std::set<unsigned int> colours;
    for (int dx = -12; dx <= 12; dx += 3)
        for (int dy = -12; dy <= 12; dy += 3)
            colours.insert(close.getPixel(markerX + dx, markerY + dy).toInteger());
    EXPECT_GT(colours.size(), 3u);

    // The saved file holds what was painted.
    const fs::path file = runtime.path() / "data" / "map" / "kanyon.map.json";
    ASSERT_TRUE(fs::is_regular_file(file));
    TileMap saved;
    ASSERT_TRUE(saved.loadFromFile(file.string()));
    ASSERT_EQ(saved.getSize(), (math::Vector2<unsigned int>(60, 40)));
    EXPECT_EQ(saved.getMarkers(34), (std::vector<math::Vector2<unsigned int>>{{8, 26}}));
    EXPECT_EQ(saved.getMarkers(35), (std::vector<math::Vector2<unsigned int>>{{40, 26}}));
    EXPECT_EQ(saved.getMarkers(36), (std::vector<math::Vector2<unsigned int>>{{20, 18}}));
    EXPECT_EQ(saved.getMarkers(37), (std::vector<math::Vector2<unsigned int>>{{33, 15}}));
    for (int x : {5, 30, 55}) {
        EXPECT_EQ(saved.getTile(x, 30), 1) << x;
        EXPECT_EQ(saved.getTile(x, 37), 1) << x;
    }
    EXPECT_EQ(saved.getTile(30, 20), 0);
    EXPECT_EQ(saved.getTile(50, 24), 1);
    EXPECT_EQ(saved.getTile(49, 24), 0);
    for (int x : {14, 20, 28})
        EXPECT_EQ(saved.getTile(x, 33), 0) << x;
    EXPECT_EQ(saved.getTile(20, 31), 1);

    // The editor holds the loaded map, saved and named.
    EXPECT_EQ(screen->getFileName(), "kanyon.map.json");
    EXPECT_FALSE(screen->getTools().isDirty());
    EXPECT_EQ(screen->getMap().getTile(20, 18), 36);

    // The shared tile shapes are as play mode expects them after the editor.
    for (unsigned char code = 0; code < MapTileCodes::Count; ++code) {
        const MapTileShape& shape = MapTileShape::getShapeForTile(code);
        EXPECT_EQ(shape.getFillColor(), MapTileShape::getColorForTile(code)) << int(code);
        EXPECT_EQ(shape.getTexture(), nullptr) << int(code);
        EXPECT_EQ(shape.getTextureRect(), sf::IntRect()) << int(code);
    }
    EXPECT_EQ(dunnix::MapperController::sTileTexture, nullptr);

    // What the player saw: ground black, empty map cells grey, the canvas
    // beyond the map darker grey, the markers in colour.
    for (const fs::path& shot : {painted, reloaded}) {
        sf::Image image;
        ASSERT_TRUE(image.loadFromFile(shot.string())) << shot;
        ASSERT_EQ(image.getSize(), sf::Vector2u(1024, 768));
        const auto pixel = [&](std::pair<int, int> p) { return image.getPixel(p.first, p.second); };
        EXPECT_TRUE(isBlack(pixel(view.cell(5, 30)))) << shot;
        EXPECT_TRUE(isBlack(pixel(view.cell(45, 37)))) << shot;
        EXPECT_TRUE(isGrey(pixel(view.cell(30, 10)), 150)) << shot;
        EXPECT_TRUE(isGrey(pixel(view.cell(20, 33)), 150)) << shot;
        EXPECT_TRUE(isGrey(pixel(view.cell(64, 20)), 100)) << shot;
        for (auto marker : {view.cell(8, 26), view.cell(40, 26), view.cell(20, 18), view.cell(33, 15)}) {
            const sf::Color c = pixel(marker);
            EXPECT_FALSE(isBlack(c) || isGrey(c, 150)) << shot << " " << marker.first << "," << marker.second;
        }
    }
}

} // namespace

namespace {

TEST_F(MapperWindowTest, MarkerArtIsOneTextureForEveryMarker)
{
    using dunnix::MapperController;
    MapperController::initTileTextures();
    MapperController::initTileTextures();
    const sf::Texture* art = MapperController::sTileTexture.get();
    ASSERT_NE(art, nullptr);
    EXPECT_EQ(art->getSize(), sf::Vector2u(192, 64));
    for (unsigned char marker = 34; marker <= 41; ++marker)
        EXPECT_EQ(MapperController::getTextureForTile(marker), art) << int(marker);
    EXPECT_EQ(MapperController::getTextureForTile(1), nullptr);
    EXPECT_EQ(MapperController::getTextureForTile(33), nullptr);
    EXPECT_EQ(MapperController::getTextureRectForTile(41), sf::IntRect());
    EXPECT_EQ(MapperController::getTextureRectForTile(34), sf::IntRect(0, 0, 64, 64));

    MapperController::clearTileTextures();
    EXPECT_EQ(MapperController::getTextureForTile(34), nullptr);
    EXPECT_EQ(MapperController::getTextureRectForTile(34), sf::IntRect());
}

} // namespace

namespace {

TEST_F(MapperWindowTest, AShippedMapShowsInTheEditor)
{
    const fs::path maps = runtime.path() / "data" / "map";
    const fs::path shipped = maps / "canyon_run.map.json";
    if (!fs::exists(shipped))
        GTEST_SKIP() << "no shipped map";
    const fs::path shot = screenshotFolder() / "mapper-shipped.png";
    const fs::path refused = screenshotFolder() / "mapper-refused-name.png";
    fs::remove(shot);
    fs::remove(refused);
    runEditor([&](Player& player) {
        player.click(LoadButtonX, MenuRow1Y);
        // The list is sorted: the canyon comes first.
        player.click(LoadClientX + 16 + 100, LoadClientY + 12 + 10);
        player.click(LoadClientX + 16 + 98 + 65, LoadClientY + 276 + 16);
        player.wheel(CanvasLeft + 1, 1, -14);
        player.capture(shot);
        // A name that leaves the map folder is refused in the status bar.
        player.click(SaveAsButtonX, MenuRow2Y);
        player.typeInto(SaveClientX + 126 + 100, SaveClientY + 272 + 15, "../escape");
        player.click(SaveClientX + 16 + 98 + 65, SaveClientY + 316 + 16);
        player.capture(refused);
        player.click(SaveClientX + 16 + 238 + 65, SaveClientY + 316 + 16);
    });
    EXPECT_FALSE(fs::exists(runtime.path() / "data" / "escape.map.json"));
    EXPECT_EQ(screen->getFileName(), "canyon_run.map.json");
    // The refusal is written in the status bar: light text where it was empty.
    const auto statusText = [](const fs::path& file) {
        sf::Image image;
        EXPECT_TRUE(image.loadFromFile(file.string()));
        int light = 0;
        for (unsigned int x = 4; x < 400 && x < image.getSize().x; ++x)
            for (unsigned int y = 746; y < 766 && y < image.getSize().y; ++y)
                light += image.getPixel(x, y).r > 160;
        return light;
    };
    EXPECT_EQ(statusText(shot), 0);
    EXPECT_GT(statusText(refused), 50);
    TileMap expected;
    ASSERT_TRUE(expected.loadFromFile(shipped.string()));
    EXPECT_EQ(screen->getFileName(), "canyon_run.map.json");
    EXPECT_EQ(screen->getMap().getSize(), expected.getSize());
    EXPECT_EQ(screen->getMap().getMarkers(34), expected.getMarkers(34));
    EXPECT_FALSE(screen->getTools().isDirty());
    sf::Image image;
    ASSERT_TRUE(image.loadFromFile(shot.string()));
    EXPECT_EQ(image.getSize(), sf::Vector2u(1024, 768));
}

} // namespace
