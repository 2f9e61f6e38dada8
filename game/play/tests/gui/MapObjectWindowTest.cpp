// The moon level on a shipped map in a real window: the ground shows its
// texture (which needs destination alpha in the window), the surface its
// outline, open ground the parallax background, and a drilled hole is gone
// from the picture after the next update.
#include "app/DatabaseSeeder.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameFrameworkDefaultInitHelper.hpp"
#include "engine/GameState.hpp"
#include "engine/GameWorld.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/MapObject.hpp"
#include "terrain/MapComponent.hpp"
#include "terrain/MapTileShape.hpp"
#include "terrain/model/TileMapGeometry.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/engine/WindowInitHelper.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics.hpp>
#include <SFML/OpenGL.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

namespace {

using V = math::Vector2<float>;
using I = math::Vector2<int>;

const std::string Source = VELK_SOURCE_DIR;
const sf::Color Clear(255, 0, 128); // no terrain colour comes near it
constexpr float PixelsPerUnit = 24.0f;

using velk_test::WindowInitHelper;

/// A screen with a world. Each frame runs the test's step and the world's
/// update; the frames the test names are captured and handed to it while
/// the world still exists.
class LevelScreen : public GameState {
public:
    std::function<void(LevelScreen&)> onStart;
    std::function<void(LevelScreen&, int)> onFrame;
    std::function<void(LevelScreen&, int, const sf::Image&)> onShot;
    std::vector<int> shotFrames;

    GameWorld& world() { return *gameWorld; }
    sf::RenderWindow& window() { return *getSfmlFramework()->getWindow(); }

    void onStateStart() override
    {
        GameState::onStateStart();
        setBackgroundSfColor(Clear);
        gameWorld = std::make_unique<GameWorld>(b2Vec2(0, 0));
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
        window().draw(*gameWorld);
        if (std::find(shotFrames.begin(), shotFrames.end(), frame) != shotFrames.end()) {
            sf::Texture texture;
            texture.create(800, 600);
            texture.update(window());
            if (onShot)
                onShot(*this, frame, texture.copyToImage());
            if (frame == shotFrames.back())
                app::State::stop();
        }
        ++frame;
    }

private:
    std::unique_ptr<GameWorld> gameWorld;
    int frame = 0;
};

int distance(sf::Color a, sf::Color b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

/// What one layer of the level shows at world points.
struct Layer {
    const MapComponent* component;
    V placement; ///< world point of the map's top-left corner
    const sf::Image* texture;

    float tile() const { return component->map().getTileSize(); }
    I cellAt(V p) const { return getTileIndicesAt(placement, tile(), p); }
    unsigned char codeAt(V p) const
    {
        const I c = cellAt(p);
        return component->map().isValid(c)
                   ? component->map().getTile(static_cast<unsigned>(c.x), static_cast<unsigned>(c.y))
                   : 0;
    }
    /// Whether p lies at least `margin` units inside its cell.
    bool deepInCell(V p, float margin) const
    {
        const float fx = (p.x - placement.x) / tile();
        const float fy = -(p.y - placement.y) / tile();
        const float mx = (fx - std::floor(fx)) * tile();
        const float my = (fy - std::floor(fy)) * tile();
        return mx >= margin && mx <= tile() - margin && my >= margin && my <= tile() - margin;
    }
    /// The texel of its chunk's texture rectangle drawn at p.
    sf::Color texelAt(V p) const
    {
        const float cx = (p.x - placement.x) / tile();
        const float cy = -(p.y - placement.y) / tile();
        for (unsigned i = 0; i < component->getNumberOfChunks(); ++i) {
            const MapChunk& chunk = *component->getChunk(i);
            const float fx = (cx - static_cast<float>(chunk.getBegin().x)) / static_cast<float>(chunk.getSize().x);
            const float fy = (cy - static_cast<float>(chunk.getBegin().y)) / static_cast<float>(chunk.getSize().y);
            if (fx < 0 || fx >= 1 || fy < 0 || fy >= 1)
                continue;
            const sf::IntRect r = chunk.getTextureRect();
            return texture->getPixel(
                static_cast<unsigned>(static_cast<float>(r.left) + fx * static_cast<float>(r.width)),
                static_cast<unsigned>(static_cast<float>(r.top) + fy * static_cast<float>(r.height)));
        }
        return Clear;
    }
};

class MapObjectWindowTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override
    {
        helper.database = (folder / "velk.db").string();
        helper.guiLog = (folder / "gui.log").string();
        ASSERT_TRUE(app::DatabaseSeeder::update(Source + "/data/velk.sql", helper.database));
        ASSERT_TRUE(moon.loadFromFile(Source + "/data/obj/moon/moon.png"));
    }
    void TearDown() override { GameFramework::Singleton.shutdown(); }

    void run(const std::shared_ptr<LevelScreen>& screen)
    {
        char program[] = "velkors";
        char* argv[] = {program, nullptr};
        GameFramework::Singleton.init({1, argv}, &helper);
        ASSERT_TRUE(GameFramework::Singleton.isInitialised());
        GameFramework::Singleton.getSfmlFramework()->setupState(screen.get());
        EXPECT_EQ(GameFramework::Singleton.run(screen), 0);
    }

    WindowInitHelper helper;
    velk_test::LogCapture log;
    sf::Image moon;
};

TEST_F(MapObjectWindowTest, MoonLevelDrawsTextureOutlineBackgroundAndHoles)
{
    std::srand(3);
    velk::MapObject* level = nullptr;
    I drilled(-1, -1);
    GLint alphaBits = -1;
    const MapTileShape& full = MapTileShape::getShapeForTile(1);
    const sf::Color fullColor = full.getFillColor();
    const sf::Transform fullTransform = full.getTransform();

    auto screen = std::make_shared<LevelScreen>();
    screen->shotFrames = {10, 20};
    screen->onStart = [&](LevelScreen& s) {
        glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
        GameWorld& world = s.world();
        level = static_cast<velk::MapObject*>(world.add(new velk::MapObject()));
        ASSERT_TRUE(level->build(Source + "/data/map/canyon_run.map.json", Source + "/data/obj/moon/moon.obj.json"));
        // At a pocket under the plateau, left of the map's centre so the background is offset.
        const MapComponent& map = *level->getMap();
        world.getCamera().setCenter(rvec2svec(map.getTilePosition(34, 66, TileAlign::Centre)));
        world.getCamera().setSize(800 / PixelsPerUnit, 600 / PixelsPerUnit);
        // A cell deep in the ground, to drill later.
        for (int x = 24; x < 44 && drilled.x < 0; ++x)
            for (int y = 56; y < 64 && drilled.x < 0; ++y) {
                bool solid = true;
                for (int dx = -4; dx <= 4; ++dx)
                    for (int dy = -4; dy <= 4; ++dy)
                        solid = solid && map.map().isValid(x + dx, y + dy) &&
                                map.map().getTile(static_cast<unsigned>(x + dx), static_cast<unsigned>(y + dy)) == 1;
                if (solid)
                    drilled = I(x, y);
            }
    };
    screen->onFrame = [&](LevelScreen&, int frame) {
        if (frame == 12)
            level->getMap()->drill(drilled, 3.0f);
    };
    std::map<int, sf::Color> holeCentre;
    sf::Color holeForeground, holeBackground;
    screen->onShot = [&](LevelScreen& s, int frame, const sf::Image& shot) {
        ASSERT_NE(level, nullptr);
        shot.saveToFile(std::string(VELK_BINARY_DIR) + "/map_object_frame" + std::to_string(frame) + ".png");
        const MapComponent* foregroundMap = level->getMap();
        const auto* backgroundMap = static_cast<const MapComponent*>(level->getComponent(0));
        const Layer fore{foregroundMap, foregroundMap->getPosition(), &moon};
        const Layer back{backgroundMap, level->getPosition() + backgroundMap->getPosition(), &moon};
        const sf::View& camera = s.world().getCamera();
        auto pixelOf = [&](V p) { return s.window().mapCoordsToPixel(rvec2svec(p), camera); };
        auto colourAt = [&](V p) {
            const sf::Vector2i px = pixelOf(p);
            return shot.getPixel(static_cast<unsigned>(px.x), static_cast<unsigned>(px.y));
        };
        const sf::Vector2f centre = camera.getCenter();
        const sf::Vector2f half = camera.getSize() * 0.45f;
        // World points of the view on a quarter-unit grid.
        std::vector<V> grid;
        for (float x = centre.x - half.x; x < centre.x + half.x; x += 0.25f)
            for (float y = centre.y - half.y; y < centre.y + half.y; y += 0.25f)
                grid.push_back(svec2rvec(sf::Vector2f(x, y)));

        const V hole = foregroundMap->getTilePosition(drilled, TileAlign::Centre);
        holeCentre[frame] = colourAt(hole);
        holeForeground = fore.texelAt(hole);
        holeBackground = back.texelAt(hole);
        if (frame != 10)
            return;

        // Texture: full ground shows the texel of its chunk's variant, not
        // the black mask.
        int textured = 0, ground = 0;
        for (const V& p : grid)
            if (fore.codeAt(p) == 1 && fore.deepInCell(p, 0.2f)) {
                ++ground;
                const sf::Color c = colourAt(p);
                textured += distance(c, fore.texelAt(p)) <= 40 && c.r + c.g + c.b > 150 ? 1 : 0;
            }
        EXPECT_GT(ground, 500);
        EXPECT_GT(textured, ground * 9 / 10) << textured << " of " << ground;

        // Outline: the middle of every outline segment of the foreground in
        // view is drawn in its border colour.
        const sf::Color border = foregroundMap->getChunk(0)->getBorderColor();
        EXPECT_EQ(border, moon.getPixel(1, 641));
        int segments = 0, outlined = 0;
        const float t = fore.tile();
        for (unsigned i = 0; i < foregroundMap->getNumberOfChunks(); ++i) {
            const MapChunk& chunk = *foregroundMap->getChunk(i);
            const std::vector<V>& lines = chunk.getLines();
            for (std::size_t k = 0; k + 1 < lines.size(); k += 2) {
                const V mid = (lines[k] + lines[k + 1]) * 0.5f; // block units, y up
                const V world(
                    fore.placement.x +
                        (static_cast<float>(chunk.getBegin().x) + mid.x * static_cast<float>(chunk.getSize().x)) * t,
                    fore.placement.y +
                        (-static_cast<float>(chunk.getBegin().y) + mid.y * static_cast<float>(chunk.getSize().y)) * t);
                const sf::Vector2i px = pixelOf(world);
                if (px.x < 0 || px.y < 0 || px.x >= 800 || px.y >= 600)
                    continue;
                ++segments;
                outlined += distance(shot.getPixel(static_cast<unsigned>(px.x), static_cast<unsigned>(px.y)), border) <=
                            8;
            }
        }
        EXPECT_GT(segments, 40);
        EXPECT_GE(outlined, segments * 95 / 100) << outlined << " of " << segments;

        // Background: where the foreground is open and the offset background
        // has ground, its own (darker) variants show.
        int open = 0, behind = 0;
        for (const V& p : grid)
            if (!isMapTileGround(fore.codeAt(p)) && fore.deepInCell(p, 0.25f) && back.codeAt(p) == 1 &&
                back.deepInCell(p, 0.25f)) {
                ++open;
                behind += distance(colourAt(p), back.texelAt(p)) <= 40 ? 1 : 0;
            }
        EXPECT_GT(open, 10);
        EXPECT_GT(behind, open * 9 / 10) << behind << " of " << open;
        // And open sky is the clear colour.
        int sky = 0;
        for (const V& p : grid)
            if (fore.codeAt(p) == 0 && back.codeAt(p) == 0 && fore.deepInCell(p, 0.25f) && back.deepInCell(p, 0.25f))
                sky += distance(colourAt(p), Clear) == 0 ? 1 : -1000;
        EXPECT_GT(sky, 0);
    };
    run(screen);

    EXPECT_GT(alphaBits, 0);
    ASSERT_GE(drilled.x, 0);
    EXPECT_TRUE(log.contains("[MO] Map: "));
    // Before the drill the cell showed the foreground's texture; after it, the
    // background layer behind the hole.
    ASSERT_EQ(holeCentre.size(), 2u);
    EXPECT_LE(distance(holeCentre[10], holeForeground), 40);
    EXPECT_GT(distance(holeForeground, holeBackground), 30);
    EXPECT_LE(distance(holeCentre[20], holeBackground), 40);
    // Drawing left the shared shapes as they were.
    EXPECT_EQ(full.getFillColor(), fullColor);
    EXPECT_EQ(full.getTexture(), nullptr);
    EXPECT_EQ(full.getTransform().getMatrix()[12], fullTransform.getMatrix()[12]);
    EXPECT_EQ(full.getTransform().getMatrix()[0], fullTransform.getMatrix()[0]);
}

} // namespace
