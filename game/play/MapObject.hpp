#pragma once

#include "engine/GameObject.hpp"
#include "foundation/math/Vector2.hpp"

#include <SFML/Graphics/View.hpp>

#include <string>
#include <vector>

class MapComponent;

namespace velk {

/// The terrain of a game: one map file loaded twice, as a physical
/// foreground and as a drawing-only background that follows the camera at a
/// twentieth of its speed (parallax). Chunks are dressed with texture
/// variants picked at random; the map is centred horizontally on the origin
/// with its top edge at -height / 2. It answers where the ship starts, where
/// the platforms are and how far the camera may go.
class MapObject : public GameObject {
public:
    /// The background moves this fraction of the camera's offset from the map's centre.
    static constexpr float Parallax = 0.05f;

    MapObject();

    /// Loads the object file (texture and image map: "texture1".."texture4",
    /// "texture1_bg".."texture4_bg", "foreground_border", "background_border")
    /// and the map as both layers, then centres the map. Needs the object to
    /// be in a world. False, with the object left without layers, when the
    /// map cannot be read.
    bool build(const std::string& mapFile, const std::string& objectFile);

    /// The foreground layer; null before build and after the end.
    MapComponent* getMap() { return map; }
    const MapComponent* getMap() const { return map; }

    /// The centre of the first start marker's cell; (0, 0) without one.
    math::Vector2<float> getStartPosition() const;
    /// The middle of the bottom edge of every platform marker's cell.
    std::vector<math::Vector2<float>> getPlatformPositions() const;
    /// Keeps the view over the map: not beyond its left, right or bottom
    /// edge (a map narrower than the view puts the view's right edge on the
    /// map's); above the map the camera may rise freely.
    void limitCamera(sf::View& view) const;

    void onUpdate(float dt) override;
    void onBegin() override;
    void onEnd() override;

private:
    /// The top-left pixel of the named rectangle of the image; black when the
    /// pixel lies outside it.
    sf::Color borderColor(const sf::Image& image, const std::string& name) const;
    void dressChunks(MapComponent& layer, const std::string& suffix, const sf::Color& border);
    /// Places the background after the camera.
    void applyParallax();

    MapComponent* map = nullptr;
    MapComponent* backgroundMap = nullptr;
};

} // namespace velk
