#include "engine/GameState.hpp"

#include "app/AudioSubSettings.hpp"
#include "engine/GameFramework.hpp"

#include <CEGUI/System.h>
#include <CEGUI/WindowManager.h>

GameState::~GameState() = default;

void GameState::onStateStart()
{
    SfmlState::onStateStart();
    // Read at every start, so a changed setting applies when the screen is
    // uncovered again.
    if (AudioSubSettings* audio = GameFramework::Singleton.getAudioSettings())
        music().setVolume(audio->getMusicVolume());
}

void GameState::onStateEnd()
{
    music().stop();
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
