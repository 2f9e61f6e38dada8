#include "engine/GameInputSource.hpp"

#include "engine/GameFramework.hpp"
#include "framework/sfml/SfmlFramework.hpp"

GameInputSource::~GameInputSource() = default;

bool GameInputSource::isWindowFocused() const
{
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    return !sfml || sfml->isWindowFocused();
}

sf::Vector2i GameInputSource::getMouseDelta() const
{
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    return sfml ? sfml->getMouseDeltaPosition() : sf::Vector2i();
}

float GameInputSource::getJoystickAxisPosition(unsigned joystick, sf::Joystick::Axis axis) const
{
    return sf::Joystick::getAxisPosition(joystick, axis);
}

const fx::InputState& GameInputSource::heldInput() const
{
    return fx::InputState::live();
}

void GameInputSource::setMousePosition(const sf::Vector2i& windowPosition) const
{
    // Without a window SFML would have no display to move the pointer on.
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    if (sfml && sfml->getWindow())
        sfml->setMouseRelativePosition(windowPosition);
}

const GameInputSource& GameInputSource::live()
{
    static const GameInputSource source;
    return source;
}

void GameInputSource::listen(SfmlEventListener* listener)
{
    if (SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework())
        sfml->addListener(listener);
}

void GameInputSource::unlisten(SfmlEventListener* listener)
{
    if (SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework())
        sfml->removeListener(listener);
}
