// The GL renderer header pulls in GLEW, which must come before any gl.h.
#include <CEGUI/RendererModules/OpenGL/GLRenderer.h>

#include "testsupport/gui/GuiInitHelpers.hpp"

#include "testsupport/gui/GuiData.hpp"

#include <utility>

namespace velk_test {

GlInitHelper::GlInitHelper(SfmlFramework& sfml, std::string logPath) : sfml(sfml), logPath(std::move(logPath)) {}

void GlInitHelper::bootstrapCeguiRenderer()
{
    // The renderer starts GLEW, which needs the window's context current.
    sfml.getWindow()->setActive(true);
    CEGUI::OpenGLRenderer::bootstrapSystem();
}

CEGUI::String GlInitHelper::getCeguiLogPath()
{
    return CEGUI::String(logPath.c_str());
}

std::string GlInitHelper::getCeguiResourceFolderPath()
{
    return guiDataFolder();
}

} // namespace velk_test
