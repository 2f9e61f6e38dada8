#pragma once

#include "engine/GamePhisicsComponent.hpp"
#include "foundation/math/Box.hpp"
#include "terrain/MapChunk.hpp"
#include "terrain/model/TileMap.hpp"

#include <memory>
#include <string>
#include <vector>

class b2Fixture;

/// A tile map in a game world: it draws the map in render chunks and, when
/// loaded physically, gives it static Box2D bodies with one polygon fixture
/// per ground cell. Its position is the world point of the map's top-left
/// corner (y up); cell (x, y) spans x..x+1 tiles right of it, y..y+1 below.
/// Drilling erases a ball of cells at once and rebuilds the fixtures of its
/// box; the chunks around it are rebuilt in the next update.
///
/// The fixtures are spread over one static body per FixtureBlock x
/// FixtureBlock cells, all at the component's position: Box2D finds a fixture
/// to destroy by walking its body's fixture list, so one body for a large map
/// would make every drill cost as much as the map is big. getBody() is the
/// first of them (it also carries the component's position); hasBody() and
/// the contact queries know them all; getBodies() lists them.
class MapComponent : public GamePhisicsComponent {
public:
    /// Physical: bodies, fixtures and drawing. Any other value: drawing only.
    enum LoadingMode { Physical = 0, DrawingOnly = 1 };
    /// Edge of the cell block that shares one body.
    static constexpr unsigned int FixtureBlock = 32;
    /// At most this many chunks along a side: a tiny "TilesPerTexture" on a
    /// huge map gets larger chunks instead of millions of them, each a whole
    /// number of texture blocks, so the texture keeps its scale.
    static constexpr unsigned int MaxChunksPerSide = 256;
    /// Outline thickness in world units, whatever the zoom.
    static constexpr float BorderWidth = 0.15f;

    MapComponent();
    ~MapComponent() override;

    TileMap& map() { return tileMap; }
    const TileMap& map() const { return tileMap; }

    unsigned int getNumberOfChunks() const { return static_cast<unsigned int>(chunks.size()); }
    /// The chunk by index (x outer, y inner); null beyond the last.
    MapChunk* getChunk(unsigned int index);
    const MapChunk* getChunk(unsigned int index) const;
    /// Cells along a chunk's side: the map's tiles per texture unless the map
    /// would need more than MaxChunksPerSide chunks along a side; then the
    /// least multiple of it that keeps within that.
    unsigned int getChunkEdge() const { return chunkEdge; }

    /// (width, height) times the tile size, in world units.
    math::Vector2<float> getRealSize() const;
    /// World point of a cell at an alignment (see TileAlign: 15 centre, 11
    /// bottom middle, 5 top-left corner).
    math::Vector2<float> getTilePosition(int x, int y, char align) const;
    math::Vector2<float> getTilePosition(const math::Vector2<int>& cell, char align) const;
    /// The cell under a world point; not limited to the map.
    math::Vector2<int> getTileIndicesAt(const math::Vector2<float>& point) const;
    math::Vector2<int> getTileIndicesAt(float x, float y) const;

    /// Reads the map file and rebuilds chunks, and in physical mode bodies and
    /// fixtures; needs the component to be in an object of a world (for the
    /// texture and the Box2D world). A file that cannot be read or parsed
    /// leaves everything as it was and gives false (the map logs why).
    bool loadFromFile(const std::string& path, LoadingMode mode);

    /// Rebuilds the cell's fixture from its code: removed when the cell is
    /// outside the map, not ground, or its polygon one Box2D would refuse.
    /// Nothing without a body.
    void createFixtureAt(const math::Vector2<int>& cell);
    void createFixtureAt(int x, int y);
    /// Records the fixture as the cell's; null, or a cell outside the map, is ignored.
    void addFixtureToMap(b2Fixture* fixture, const math::Vector2<int>& cell);
    /// Destroys the cell's fixture, if it has one, and forgets it.
    void removeFixtureFromMap(const math::Vector2<int>& cell);
    /// Forgets every fixture without touching the bodies.
    void clearFixtureMap();
    /// The cell's fixture, or null.
    b2Fixture* getFixtureAt(const math::Vector2<int>& cell) const;
    std::size_t getNumberOfFixtures() const { return fixtureCount; }
    /// Every body of the terrain, the first being getBody(); empty when drawing only.
    const std::vector<b2Body*>& getBodies() const { return bodies; }

    /// Erases the ball brush of radius ceil(radius) cells at the cell,
    /// rebuilds the fixtures of its box (inside the map) and marks the chunks
    /// within one cell of it. A NaN or negative radius drills nothing; a huge
    /// one is clamped to the map.
    void drill(const math::Vector2<int>& cell, float radius);
    void drill(int x, int y, float radius);
    /// The same at a world point with a radius in world units.
    void drill(const math::Vector2<float>& point, float radius);
    void drill(float x, float y, float radius);
    /// Marks the chunks within one cell of the box for the next update.
    void markChunks(const math::Box<math::Vector2<int>>& box);

    using tools::Visible::isVisible;
    /// Whether the whole map covers part of the target's viewport.
    bool isVisible(const sf::RenderTarget& target, sf::RenderStates states) const;
    /// Indices, in chunk order, of the chunks whose own screen test holds
    /// under the states (the map's top-left corner at their origin). Only the
    /// chunks under the view are asked, so the cost follows the screen, not
    /// the map.
    std::vector<unsigned int> findVisibleChunks(const sf::RenderTarget& target, const sf::RenderStates& states) const;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    /// The base's update, then every chunk that turned stale since the last
    /// one (by a drill or otherwise) is rebuilt, in chunk order.
    void onUpdate(float dt) override;

    bool hasBody(b2Body* body) const override;
    void onMoved(const math::Vector2<float>& displacement) override;
    void onRotated(float change) override;
    void onMirroredX() override;

private:
    void buildChunks();
    void buildBodies();
    void destroyBodies();
    /// The body that holds the fixtures of the cell's block.
    b2Body* blockBody(int x, int y) const;
    /// Gives every body the pose of the first.
    void syncBodies();

    TileMap tileMap;
    /// fixtures[x][y]; a column is allocated when its first fixture comes
    /// and freed when its last one goes.
    std::vector<std::vector<b2Fixture*>> fixtures;
    std::vector<unsigned int> columnCounts;
    std::size_t fixtureCount = 0;
    std::vector<b2Body*> bodies;
    unsigned int blockRows = 0;
    std::vector<std::unique_ptr<MapChunk>> chunks;
    unsigned int chunkEdge = 1;
    unsigned int chunkRows = 0;
    /// Indices of the chunks that turned stale since the last update, told
    /// by the chunks themselves.
    std::vector<unsigned int> pendingChunks;
};
