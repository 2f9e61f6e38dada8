#pragma once

// Start-up settings shared by the demo program and the window tests: an
// 800 x 600 window titled "Velkors", and a GUI on CEGUI's OpenGL renderer
// with the game's GUI data.

// Before anything that includes gl.h.
#include <CEGUI/RendererModules/OpenGL/GLRenderer.h>

#include "framework/cegui/CeguiFrameworkInitHelper.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "framework/sfml/tests/TestInitHelper.hpp"

#include <string>
#include <utility>

namespace velk_gui_test {

struct WindowHelper : windowtest::TestInitHelper {
    WindowHelper()
    {
        resolution = {800, 600};
        mouseVisible = false; // the GUI draws its own cursor
    }
};

class GlInitHelper : public CeguiFrameworkInitHelper {
public:
    GlInitHelper(SfmlFramework& sfml, std::string logPath) : sfml(sfml), logPath(std::move(logPath)) {}
    void bootstrapCeguiRenderer() override
    {
        // The renderer starts GLEW, which needs the window's context current.
        sfml.getWindow()->setActive(true);
        CEGUI::OpenGLRenderer::bootstrapSystem();
    }
    CEGUI::String getCeguiLogPath() override { return CEGUI::String(logPath.c_str()); }
    std::string getCeguiResourceFolderPath() override { return std::string(VELK_SOURCE_DIR) + "/data/gui"; }

private:
    SfmlFramework& sfml;
    std::string logPath;
};

} // namespace velk_gui_test
