#include "game/mapper/MapperController.hpp"

#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "terrain/MapTileShape.hpp"
#include "terrain/model/MapTile.hpp"

namespace dunnix {

const char* const MapperController::TileImagesPath = "data/img/mapper/MapperItems.img.json";
SfImageMap MapperController::sTileImages;
std::unique_ptr<sf::Texture> MapperController::sTileTexture;

void MapperController::initTileTextures()
{
    sTileImages.loadFromFile(TileImagesPath);
    sTileTexture.reset();
    // Without a window there is no GL context to hold the picture (even an
    // empty texture asks for one); the markers then show as plain colours.
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    if (!sfml || !sfml->getWindow())
        return;
    sTileTexture = std::make_unique<sf::Texture>();
    const std::string image = sTileImages.getImagePath();
    if (!fx::loadTexture(*sTileTexture, image))
        tools::log("Mapper", "Marker art \"" + image + "\" cannot be loaded; markers show as plain colours");
}

void MapperController::clearTileTextures()
{
    sTileImages.clear();
    for (unsigned int code = 0; code < MapTileCodes::Count; ++code) {
        MapTileShape& shape = MapTileShape::getShapeForTile(static_cast<unsigned char>(code));
        shape.setTexture(nullptr);
        shape.setTextureRect(sf::IntRect());
    }
    sTileTexture.reset();
}

const sf::Texture* MapperController::getTextureForTile(unsigned char tile)
{
    return isMapTileMarker(tile) ? sTileTexture.get() : nullptr;
}

const char* MapperController::getImageNameForTile(unsigned char tile)
{
    if (tile == MapTileCodes::Start)
        return "Start";
    if (tile == MapTileCodes::Platform)
        return "End";
    if (tile >= MapTileCodes::FirstCheckpoint && tile <= MapTileCodes::LastCheckpoint)
        return "NewImage";
    return "";
}

sf::IntRect MapperController::getTextureRectForTile(unsigned char tile)
{
    if (!isMapTileMarker(tile))
        return sf::IntRect();
    const auto found = sTileImages.images().find(getImageNameForTile(tile));
    return found == sTileImages.images().end() ? sf::IntRect() : found->second;
}

} // namespace dunnix
