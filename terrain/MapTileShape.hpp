#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/ConvexShape.hpp>

#include <vector>

/// A tile code drawn inside the unit square, (0, 0) top-left to (1, 1)
/// bottom-right, y down: ground black, each marker in a colour of its own.
/// Users place it at a cell's top-left corner and scale it by the tile size.
///
/// One shared shape per valid code is built before main and is read-only
/// from then on: play mode draws the shared shapes with its own transform
/// and never changes them; a user that needs another colour, texture or
/// rectangle works on a copy.
class MapTileShape : public sf::ConvexShape {
public:
    explicit MapTileShape(unsigned char tile = 0);
    ~MapTileShape() override = default;

    unsigned char getTile() const { return tile; }
    /// Rebuilds the points and the fill colour only when the code changes.
    void setTile(unsigned char newTile);
    /// The points of the stored code's polygon and its colour; outline and
    /// texture are kept.
    void updateShape();

    /// The marker's colour for 34..41, black for everything else.
    static sf::Color getColorForTile(unsigned char tile);
    /// The shared shape of the code; the (pointless) shape of code 0 for an
    /// invalid code.
    static const MapTileShape& getShapeForTile(unsigned char tile);
    /// The eight marker colours, indexed by (code - 34) mod 8.
    static const std::vector<sf::Color>& customColors();

private:
    unsigned char tile;
};

/// Builds one shape per valid code, entry i showing code i.
std::vector<MapTileShape> genMapTileShapes();
