#pragma once

// Builders shared by the terrain's tests and benchmarks: maps made in code and
// written to files, and a world holding one object with a terrain component.

#include "engine/GameObject.hpp"
#include "engine/GameWorld.hpp"
#include "terrain/MapComponent.hpp"
#include "terrain/model/TileMap.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <box2d/box2d.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace velk_test {

using CellCode = std::function<unsigned char(unsigned int x, unsigned int y)>;

/// A map whose cell codes come from `code`.
inline TileMap makeMap(unsigned int width, unsigned int height, float tileSize, unsigned int tilesPerTexture,
                       const CellCode& code)
{
    TileMap map(width, height);
    map.setTileSize(tileSize);
    map.setTilesPerTexture(tilesPerTexture);
    for (unsigned int x = 0; x < width; ++x)
        for (unsigned int y = 0; y < height; ++y)
            map.getTile(x, y) = code(x, y);
    return map;
}

/// Ground below row `top`, empty above: a flat plain.
inline CellCode plain(unsigned int top)
{
    return [top](unsigned int, unsigned int y) -> unsigned char { return y >= top ? 1 : 0; };
}

inline void writeMap(const TileMap& map, const std::string& path)
{
    if (!map.saveToFile(path))
        throw std::runtime_error("cannot write " + path);
}

/// A world without gravity holding one object with one terrain component.
struct TerrainWorld {
    GameWorld world{b2Vec2(0.0f, 0.0f)};
    GameObject* object = nullptr;
    MapComponent* terrain = nullptr;

    TerrainWorld()
    {
        object = world.add(new GameObject());
        terrain = static_cast<MapComponent*>(object->add(new MapComponent()));
    }
};

/// A render target without a window: only its size and views, for the
/// terrain's culling arithmetic.
struct SizeOnlyTarget : sf::RenderTarget {
    sf::Vector2u size{800, 600};
    sf::Vector2u getSize() const override { return size; }
};

/// Ground cells of a map.
inline std::size_t countGround(const TileMap& map)
{
    std::size_t count = 0;
    for (unsigned int x = 0; x < map.getSize().x; ++x)
        for (unsigned int y = 0; y < map.getSize().y; ++y)
            count += isMapTileGround(map.getTile(x, y)) ? 1 : 0;
    return count;
}

} // namespace velk_test
