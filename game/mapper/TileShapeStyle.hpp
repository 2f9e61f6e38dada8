#pragma once

#include "terrain/model/MapTile.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>

#include <array>

namespace sf {
class Texture;
}
class MapTileShape;

namespace dunnix {

/// Lends the shared tile shapes a colour, texture and texture rectangle for
/// one drawing pass and gives each shape back as it was when the pass ends,
/// so play mode never draws with the editor's leftovers. A code's style is
/// set once per pass, on its first use.
class TileShapeStyle {
public:
    TileShapeStyle() = default;
    /// Restores every shape styled during the pass.
    ~TileShapeStyle();
    TileShapeStyle(const TileShapeStyle&) = delete;
    TileShapeStyle& operator=(const TileShapeStyle&) = delete;

    /// The shared shape of the code, styled. Codes of 42 and above give the
    /// empty shape of code 0, which draws nothing.
    MapTileShape& shape(unsigned char tile, const sf::Color& colour, const sf::Texture* texture,
                        const sf::IntRect& rect);
    /// Puts the styled shapes back now; the guard can be used again.
    void restore();

private:
    struct Saved {
        bool styled = false;
        sf::Color colour;
        const sf::Texture* texture = nullptr;
        sf::IntRect rect;
    };
    std::array<Saved, MapTileCodes::Count> saved{};
};

} // namespace dunnix
