#pragma once

#include <string>

namespace velk {

// Folders and files the ship's parts read, relative to the game's working
// directory. Set once before any ship is built (tests point them elsewhere).

/// Part object folders: <folder>/<code>/<code>.obj.json.
extern std::string partObjectFolder;
/// Sounds named by part object properties.
extern std::string partSoundFolder;
/// Jet flames: <folder>/<name>/<name>.flame.json.
extern std::string flameFolder;
/// Played once when a ship dies.
extern std::string shipDeadSoundFile;

/// `folder` / `name`, without a separator when either is empty.
std::string joinPath(const std::string& folder, const std::string& name);

/// The sound-volume setting (0..100) of the SFML layer; 100 without one.
float soundVolumeSetting();

} // namespace velk
