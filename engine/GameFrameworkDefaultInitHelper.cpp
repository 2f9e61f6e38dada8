// The OpenGL renderer header pulls in GLEW, which must come before any gl.h.
#include <CEGUI/RendererModules/OpenGL/GLRenderer.h>

#include "engine/GameFrameworkDefaultInitHelper.hpp"

#include "app/GraphicsSubSettings.hpp"
#include "engine/GameFramework.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <stdexcept>

namespace {

// Before the settings exist (a helper used outside GameFramework::init) the
// values are those of a group without a store: zeros and false.
GraphicsSubSettings& graphics()
{
    static GraphicsSubSettings detached;
    GraphicsSubSettings* settings = GameFramework::Singleton.getGraphicsSettings();
    return settings ? *settings : detached;
}

} // namespace

GameFrameworkDefaultInitHelper::~GameFrameworkDefaultInitHelper() = default;

std::string GameFrameworkDefaultInitHelper::getDatabasePath()
{
    return "app.db";
}

std::pair<unsigned, unsigned> GameFrameworkDefaultInitHelper::getResolution()
{
    return graphics().getResolution();
}

bool GameFrameworkDefaultInitHelper::isFullscreen()
{
    return graphics().isFullscreen();
}

std::string GameFrameworkDefaultInitHelper::getWindowTitle()
{
    return "App";
}

bool GameFrameworkDefaultInitHelper::isResizable()
{
    return graphics().isResizable();
}

unsigned GameFrameworkDefaultInitHelper::getFSAA()
{
    return graphics().getFSAA();
}

std::string GameFrameworkDefaultInitHelper::getFSAAHint()
{
    return graphics().getFSAAHint();
}

bool GameFrameworkDefaultInitHelper::isVsyncEnabled()
{
    return graphics().isVsyncEnabled();
}

std::string GameFrameworkDefaultInitHelper::getWindowIconPath()
{
    return "icon.png";
}

bool GameFrameworkDefaultInitHelper::isMouseVisible()
{
    return graphics().isMouseVisible();
}

float GameFrameworkDefaultInitHelper::getFPS()
{
    return graphics().getFPS();
}

void GameFrameworkDefaultInitHelper::bootstrapCeguiRenderer()
{
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    sf::RenderWindow* window = sfml ? sfml->getWindow() : nullptr;
    // GLEW starts inside the renderer and needs a current GL context; without
    // a window it would read null GL strings.
    if (!window)
        throw std::runtime_error("no window to draw the GUI into");
    window->setActive(true);
    CEGUI::OpenGLRenderer::bootstrapSystem(CEGUI::OpenGLRenderer::TTT_AUTO, CEGUI_VERSION_ABI);
}

CEGUI::String GameFrameworkDefaultInitHelper::getCeguiLogPath()
{
    return "cegui.log";
}

std::string GameFrameworkDefaultInitHelper::getCeguiResourceFolderPath()
{
    return "cegui";
}
