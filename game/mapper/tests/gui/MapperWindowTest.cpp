// The map editor in a real window, driven by X input (xdotool) from a second
// thread while the main thread runs the game loop, as a player would use it:
// a new map, ground painted with two brush sizes, a cave erased, markers
// placed, the map saved under a new name and loaded back. Screenshots are
// read back with ImageMagick's import.

#include "engine/GameFramework.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/mapper/MapperController.hpp"
#include "game/mapper/MapperState.hpp"
#include "game/shell/VelkInitHelper.hpp"
#include "terrain/MapTileShape.hpp"
#include "terrain/model/TileMap.hpp"
#include "testsupport/game/GameTestSupport.hpp"
#include "testsupport/game/MapperDriver.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using namespace velk_test::mapper;
using Player = velk_test::MapperPlayer;
using velk_test::CanvasView;

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
            if (!finished && player.found())
                player.chord("alt+F4");
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
        player.newMap("60", "40");

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
        player.scrollPaletteToMarkers();
        player.pickMarker(0); // start
        player.click(view.cell(8, 26).first, view.cell(8, 26).second);
        player.pickMarker(1); // platform
        player.click(view.cell(40, 26).first, view.cell(40, 26).second);
        player.pickMarker(2); // checkpoint 36
        player.click(view.cell(20, 18).first, view.cell(20, 18).second);
        player.pickMarker(3); // checkpoint 37
        player.click(view.cell(33, 15).first, view.cell(33, 15).second);
        player.capture(painted);

        // Save under a new name.
        player.saveAs("kanyon");

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
