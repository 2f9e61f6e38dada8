#pragma once

// Start-up settings shared by the demo program and the window tests: an
// 800 x 600 window titled "Velkors", and a GUI on CEGUI's OpenGL renderer
// with the game's GUI data.

#include "framework/cegui/CeguiFrameworkInitHelper.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/window/TestInitHelper.hpp"

#include <string>

namespace velk_test {

struct WindowHelper : TestInitHelper {
    WindowHelper()
    {
        resolution = {800, 600};
        mouseVisible = false; // the GUI draws its own cursor
    }
};

class GlInitHelper : public CeguiFrameworkInitHelper {
public:
    GlInitHelper(SfmlFramework& sfml, std::string logPath);
    void bootstrapCeguiRenderer() override;
    CEGUI::String getCeguiLogPath() override;
    std::string getCeguiResourceFolderPath() override;

private:
    SfmlFramework& sfml;
    std::string logPath;
};

} // namespace velk_test
