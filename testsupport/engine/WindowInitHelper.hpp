#pragma once

// The engine on a chosen database in an 800 x 600 window at 60 frames a
// second, with the game's GUI data: the start-up of the world window tests.

#include "engine/GameFrameworkDefaultInitHelper.hpp"

#include <CEGUI/String.h>

#include <string>
#include <utility>

namespace velk_test {

struct WindowInitHelper : GameFrameworkDefaultInitHelper {
    std::string database;
    std::string guiLog;
    std::string getDatabasePath() override { return database; }
    std::pair<unsigned, unsigned> getResolution() override { return {800, 600}; }
    bool isFullscreen() override { return false; }
    std::string getWindowTitle() override { return "Velkors"; }
    std::string getWindowIconPath() override { return ""; }
    bool isMouseVisible() override { return false; }
    float getFPS() override { return 60.0f; }
    CEGUI::String getCeguiLogPath() override { return CEGUI::String(guiLog.c_str()); }
    std::string getCeguiResourceFolderPath() override { return std::string(VELK_SOURCE_DIR) + "/data/gui"; }
};

} // namespace velk_test
