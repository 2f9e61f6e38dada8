#include "framework/fx/InputState.hpp"

#include <SFML/Window/Joystick.hpp>

namespace fx {

namespace {
class LiveInputState final : public InputState {
public:
    bool isKeyDown(sf::Keyboard::Key key) const override { return sf::Keyboard::isKeyPressed(key); }
    bool isMouseButtonDown(sf::Mouse::Button button) const override { return sf::Mouse::isButtonPressed(button); }
    bool isJoystickButtonDown(unsigned joystick, unsigned button) const override
    {
        return sf::Joystick::isButtonPressed(joystick, button);
    }
};
} // namespace

const InputState& InputState::live()
{
    static const LiveInputState state{};
    return state;
}

} // namespace fx
