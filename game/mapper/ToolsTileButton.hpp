#pragma once

#include "foundation/math/Vector2.hpp"
#include "foundation/tools/Activable.hpp"
#include "foundation/tools/Movable2.hpp"
#include "foundation/tools/Sizeable2.hpp"
#include "terrain/MapTileShape.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>

namespace dunnix {

/// One button of the tile palette: a framed cell (highlighted while active)
/// with its tile drawn in the middle. Position and size are in palette
/// pixels, before scrolling. The button has a tile shape of its own, so it
/// never touches the shared ones.
class ToolsTileButton : public tools::Activable,
                        public tools::Movable2<float>,
                        public tools::Sizeable2<float>,
                        public sf::Drawable {
public:
    static const sf::Color sColorBgNormal;
    static const sf::Color sColorBgActive;
    static const sf::Color sColorBgOutline;

    explicit ToolsTileButton(unsigned char tile);
    ~ToolsTileButton() override = default;

    unsigned char getTile() const { return shape.getTile(); }
    void setTile(unsigned char tile) { shape.setTile(tile); }
    sf::Color getColor() const { return shape.getFillColor(); }
    void setColor(const sf::Color& color) { shape.setFillColor(color); }
    MapTileShape& getShape() { return shape; }
    const MapTileShape& getShape() const { return shape; }

    /// All four edges count as inside.
    bool isInside(const math::Vector2<float>& point) const;

    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    MapTileShape shape;
};

} // namespace dunnix
