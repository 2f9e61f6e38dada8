#pragma once

#include <string>

namespace velk_test {

/// The game's own GUI data folder (data/gui of the source tree).
std::string guiDataFolder();

} // namespace velk_test
