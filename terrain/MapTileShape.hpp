#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/ConvexShape.hpp>

#include <vector>

/// One tile code drawn inside the unit cell: the shape's local space is the
/// square from (0, 0) at the top-left to (1, 1) at the bottom-right, y down,
/// so a user places it at a cell's top-left corner and scales it by the cell
/// size. Ground codes are black, each marker has a colour of its own.
///
/// One shared shape per valid code is kept for the whole program. Play mode
/// only reads the shared shapes; whoever changes one while drawing (the map
/// editor) puts its colour, texture and texture rectangle back afterwards.
class MapTileShape : public sf::ConvexShape {
public:
    /// The editor's and the masks' marker colours, indexed by (code - 34) mod 8.
    static const std::vector<sf::Color> sCustomColors;

    explicit MapTileShape(unsigned char tile = 0);
    ~MapTileShape() override = default;

    unsigned char getTile() const { return tile; }
    /// Rebuilds the shape only when the code changes.
    void setTile(unsigned char code);
    /// Points and fill colour from the stored code; outline and texture stay.
    void updateShape();

    /// A marker's colour from sCustomColors; black for every other code.
    static sf::Color getColorForTile(unsigned char tile);
    /// The shared shape of a code; codes of 42 and above give the shape of 0.
    static MapTileShape& getShapeForTile(unsigned char tile);
    /// All shared shapes, entry i showing code i.
    static std::vector<MapTileShape>& sharedShapes();

private:
    unsigned char tile;
};

/// The 42 shapes, entry i of code i with its own colour.
std::vector<MapTileShape> genMapTileShapes();
