#pragma once

#include <SFML/Graphics/Color.hpp>

#include <string>

namespace velk {

// Folders of the game's data, relative to the working directory. Each file
// that includes this header has its own copies (internal linkage).
static const std::string DataPath = "data";
static const std::string GuiPath = "data/gui";
static const std::string ImagePath = "data/img";
static const std::string TexturePath = "data/img/tex";
static const std::string StickerPath = "data/img/sck";
static const std::string ShipPath = "data/ships";
static const std::string MapPath = "data/map";

/// The display colour of a map marker tile (codes 34 to 41); black for every
/// other code, invalid codes included.
sf::Color colorForMapTile(unsigned char tile);

} // namespace velk
