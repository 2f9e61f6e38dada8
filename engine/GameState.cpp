#include "engine/GameState.hpp"

#include "app/AudioSubSettings.hpp"
#include "engine/GameFramework.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <CEGUI/System.h>
#include <CEGUI/WindowManager.h>

GameState::~GameState() = default;

namespace {

// The window releases its OpenGL context after every frame. Screens start and
// end between frames, and then make or free textures (GUI image collections,
// world art): without the context, creating fails and freeing leaks.
void activateWindowContext()
{
    if (SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework()) {
        if (sf::RenderWindow* window = sfml->getWindow())
            window->setActive(true);
    }
}

} // namespace

void GameState::onStateStart()
{
    SfmlState::onStateStart();
    activateWindowContext();
    // Read at every start, so a changed setting applies when the screen is
    // uncovered again.
    if (AudioSubSettings* audio = GameFramework::Singleton.getAudioSettings())
        musicStream.setVolume(audio->getMusicVolume());
}

void GameState::onStateEnd()
{
    musicStream.stop();
    activateWindowContext();
    if (CEGUI::System::getSingletonPtr())
        CEGUI::WindowManager::getSingleton().destroyAllWindows();
    SfmlState::onStateEnd();
}

void GameState::preRender()
{
    SfmlState::preRender();
    GameFramework::Singleton.preRender(this);
}

void GameState::postRender()
{
    GameFramework::Singleton.postRender(this);
    SfmlState::postRender();
}
