#include "framework/cegui/CeguiRender.hpp"

#include <CEGUI/GUIContext.h>
#include <CEGUI/System.h>
#include <CEGUI/Window.h>

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Shader.hpp>

void renderCeguiGui(sf::RenderTarget& target, const sf::Shader* shader)
{
    CEGUI::System* system = CEGUI::System::getSingletonPtr();
    if (!system) {
        return;
    }
    target.pushGLStates();
    if (shader) {
        sf::Shader::bind(shader);
    }
    system->renderAllGUIContexts();
    if (shader) {
        sf::Shader::bind(nullptr);
    }
    target.popGLStates();
    // CEGUI and the canvases changed GL state behind SFML's state cache.
    target.resetGLStates();
}

void notifyCeguiDisplaySize(float width, float height)
{
    CEGUI::System* system = CEGUI::System::getSingletonPtr();
    if (!system) {
        return;
    }
    system->notifyDisplaySizeChanged(CEGUI::Sizef(width, height));
    if (CEGUI::Window* root = system->getDefaultGUIContext().getRootWindow()) {
        root->invalidate(true);
    }
}
