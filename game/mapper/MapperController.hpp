#pragma once

#include "engine/SfImageMap.hpp"
#include "foundation/tools/Updateable.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>

class TileMap;

namespace dunnix {

class Tools;

/// The base of the map editor's two canvases: the shared tool state and the
/// edited map, both owned by the screen. Its static part is the marker art,
/// one image with a named picture per marker tile, loaded while the editor
/// runs.
class MapperController : public tools::Updateable {
public:
    /// Where the marker art's image map lies.
    static const char* const TileImagesPath;

    static SfImageMap sTileImages;
    /// Null while no art is loaded.
    static std::unique_ptr<sf::Texture> sTileTexture;

    MapperController(Tools* tools, TileMap* map) : tools(tools), map(map) {}
    ~MapperController() override = default;

    Tools* getTools() { return tools; }
    const Tools* getTools() const { return tools; }
    void setTools(Tools* value) { tools = value; }
    TileMap* getMap() { return map; }
    const TileMap* getMap() const { return map; }
    void setMap(TileMap* value) { map = value; }

    /// Loads the marker art; an earlier texture is replaced. The texture is
    /// made only while a window (and so a GL context) exists.
    static void initTileTextures();
    /// Frees the marker art and takes it off the shared tile shapes.
    static void clearTileTextures();
    /// The marker art for a marker tile (34 to 41), null for any other code.
    static const sf::Texture* getTextureForTile(unsigned char tile);
    /// The marker's picture in the art; empty for other codes and for
    /// pictures the image map lacks.
    static sf::IntRect getTextureRectForTile(unsigned char tile);
    /// The picture name of a marker tile: "Start", "End", "NewImage" for the
    /// checkpoints, "" otherwise.
    static const char* getImageNameForTile(unsigned char tile);

protected:
    Tools* tools;
    TileMap* map;
};

} // namespace dunnix
