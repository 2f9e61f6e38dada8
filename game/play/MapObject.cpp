#include "game/play/MapObject.hpp"

#include "engine/GameWorld.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "terrain/MapComponent.hpp"
#include "terrain/model/TileMapGeometry.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cstdlib>

namespace velk {

namespace {

const char* const LogTag = "MO";

} // namespace

MapObject::MapObject() = default;

bool MapObject::build(const std::string& mapFile, const std::string& objectFile)
{
    tools::log(LogTag, "Map: " + mapFile + ", Obj: " + objectFile);
    // Loading the object file removes every component, the layers too.
    map = nullptr;
    backgroundMap = nullptr;
    loadFromFile(objectFile);
    // The new layers start at the origin; the placement below moves them
    // from there, wherever an earlier build left the object.
    position = math::Vector2<float>();

    sf::Image image;
    if (const sf::Texture* texture = getTexture())
        image = texture->copyToImage();

    auto* background = static_cast<MapComponent*>(add(new MapComponent()));
    if (!background->loadFromFile(mapFile, MapComponent::DrawingOnly)) {
        tools::log(LogTag, "Cannot build the level: the map " + mapFile + " cannot be loaded");
        destroy(background);
        return false;
    }
    backgroundMap = background;
    dressChunks(*background, "_bg", borderColor(image, "background_border"));

    auto* foreground = static_cast<MapComponent*>(add(new MapComponent()));
    if (!foreground->loadFromFile(mapFile, MapComponent::Physical)) {
        // Readable a moment ago: changed under us. No half-built level.
        tools::log(LogTag, "Cannot build the level: the map " + mapFile + " cannot be loaded");
        backgroundMap = nullptr;
        destroy(foreground);
        destroy(background);
        return false;
    }
    map = foreground;
    setMainComponent(foreground);
    dressChunks(*foreground, "", borderColor(image, "foreground_border"));

    const math::Vector2<float> size = foreground->getRealSize();
    setPosition(math::Vector2<float>(-0.5f * size.x, -0.5f * size.y));
    applyParallax();
    return true;
}

sf::Color MapObject::borderColor(const sf::Image& image, const std::string& name) const
{
    // A missing name reads the all-zero rectangle, pixel (0, 0).
    const auto& images = imageMap().images();
    const auto found = images.find(name);
    const sf::IntRect rect = found == images.end() ? sf::IntRect() : found->second;
    const sf::Vector2u size = image.getSize();
    if (rect.left < 0 || rect.top < 0 || static_cast<unsigned>(rect.left) >= size.x ||
        static_cast<unsigned>(rect.top) >= size.y)
        return sf::Color::Black;
    return image.getPixel(static_cast<unsigned>(rect.left), static_cast<unsigned>(rect.top));
}

void MapObject::dressChunks(MapComponent& layer, const std::string& suffix, const sf::Color& border)
{
    const auto& images = imageMap().images();
    for (unsigned int i = 0; i < layer.getNumberOfChunks(); ++i) {
        const std::string name = "texture" + std::to_string(std::rand() % 4 + 1) + suffix;
        const auto found = images.find(name);
        MapChunk* chunk = layer.getChunk(i);
        chunk->setTextureRect(found == images.end() ? sf::IntRect() : found->second);
        chunk->setBorderColor(border);
    }
}

math::Vector2<float> MapObject::getStartPosition() const
{
    if (!map)
        return {};
    const auto starts = map->map().getMarkers(MapTileCodes::Start);
    if (starts.empty())
        return {};
    return map->getTilePosition(static_cast<int>(starts.front().x), static_cast<int>(starts.front().y),
                                TileAlign::Centre);
}

std::vector<math::Vector2<float>> MapObject::getPlatformPositions() const
{
    std::vector<math::Vector2<float>> positions;
    if (!map)
        return positions;
    for (const auto& cell : map->map().getMarkers(MapTileCodes::Platform))
        positions.push_back(
            map->getTilePosition(static_cast<int>(cell.x), static_cast<int>(cell.y), TileAlign::BottomMiddle));
    return positions;
}

void MapObject::limitCamera(sf::View& view) const
{
    if (!map)
        return;
    const math::Vector2<unsigned int>& size = map->map().getSize();
    const math::Vector2<float> bottomLeft = map->getTilePosition(0, static_cast<int>(size.y), TileAlign::TopLeft);
    const float right = map->getTilePosition(static_cast<int>(size.x), 0, TileAlign::TopLeft).x;
    const sf::Vector2f half = view.getSize() * 0.5f;
    const float minX = bottomLeft.x + half.x;
    const float maxX = right - half.x;
    const float minY = bottomLeft.y + half.y;
    math::Vector2<float> centre = svec2rvec(view.getCenter());
    centre.x = std::min(std::max(centre.x, minX), maxX);
    centre.y = std::max(centre.y, minY);
    view.setCenter(rvec2svec(centre));
}

void MapObject::onUpdate(float dt)
{
    GameObject::onUpdate(dt);
    applyParallax();
}

void MapObject::applyParallax()
{
    const GameWorld* world = getWorld();
    if (!map || !backgroundMap || !world)
        return;
    const math::Vector2<float> camera = svec2rvec(world->getCamera().getCenter());
    const math::Vector2<float> size = map->getRealSize();
    const math::Vector2<float> corner = map->getPosition();
    const math::Vector2<float> centre = corner + math::Vector2<float>(0.5f * size.x, -0.5f * size.y);
    // Drawn relative to this object: it has no body.
    backgroundMap->setPosition(corner + (camera - centre) * Parallax - getPosition());
}

void MapObject::onBegin()
{
    GameObject::onBegin();
}

void MapObject::onEnd()
{
    GameObject::onEnd();
    map = nullptr;
    backgroundMap = nullptr;
}

} // namespace velk
