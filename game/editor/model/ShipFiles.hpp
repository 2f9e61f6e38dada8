#pragma once

#include <string>

namespace velk {

namespace backend {
class ShipEntry;
}

/// A name the file window accepts: not empty, no folder separator ('/' or
/// '\'), no zero byte, and neither "." nor "..". The window only ever names
/// files inside the ships folder.
bool isBareFileName(const std::string& name);

/// The ship file for a typed name: "*.json" stays, "*.ship" gets ".json",
/// anything else gets ".ship.json".
std::string completeShipFileName(const std::string& name);

/// Reads a ship file into a description of its own first; only a file that
/// reads cleanly replaces the content of `ship`. False (with the loader's log
/// line) leaves `ship` exactly as it was.
bool loadShipInto(backend::ShipEntry& ship, const std::string& path);

/// Replaces `ship`'s content with a copy of `source` (outline, parts with their
/// properties, texture and colour), through the ship-file form.
void copyShip(const backend::ShipEntry& source, backend::ShipEntry& ship);

} // namespace velk
