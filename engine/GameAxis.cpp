#include "engine/GameAxis.hpp"

#include "foundation/json/Value.hpp"

#include <algorithm>
#include <cmath>

GameAxis::GameAxis() : tools::Activable(true)
{
    reset();
    GameInputSource::listen(this);
}

GameAxis::~GameAxis()
{
    GameInputSource::unlisten(this);
}

void GameAxis::reset()
{
    value = 0.0f;
    inverted = false;
    buttons[Positive] = fx::InputAction(sf::Keyboard::Unknown, fx::InputAction::Hold);
    buttons[Negative] = fx::InputAction(sf::Keyboard::Unknown, fx::InputAction::Hold);
    events.clear();
    sensitivity = 1000.0f;
    gravity = 1000.0f;
    snap = true;
    joystickId = NoJoystick;
    joystickAxis = NoJoystickAxis;
    deadZone = 0.0f;
    adaptiveDeadZone = false;
    mouseAxis = None;
    mouseDriven = false;
}

void GameAxis::setInputSource(const GameInputSource& newSource)
{
    source = &newSource;
    events.setState(newSource.heldInput());
}

float GameAxis::getValue(float scale) const
{
    if (!isActive() || !source->isWindowFocused())
        return 0.0f;
    const float scaled = value * scale;
    return inverted ? -scaled : scaled;
}

float GameAxis::getAbsValue(float scale) const
{
    return std::fabs(getValue(scale));
}

bool GameAxis::isAlive() const
{
    if (adaptiveDeadZone)
        return std::fabs(value) > 0.0f;
    return std::fabs(value) >= deadZone;
}

void GameAxis::setJoystick(unsigned id, unsigned axis)
{
    joystickId = id;
    joystickAxis = axis;
}

void GameAxis::handleSfEvent(const sf::Event& event)
{
    if (event.type == sf::Event::MouseWheelMoved) {
        if (mouseAxis == Wheel) {
            value = static_cast<float>(event.mouseWheel.delta);
            mouseDriven = true;
        }
        return;
    }
    events.push(event);
}

void GameAxis::onUpdate(float dt)
{
    if (!source->isWindowFocused())
        return;
    // A value the mouse set lasts one frame.
    if (mouseDriven)
        value = 0.0f;
    mouseDriven = false;
    lastInputType = 0;

    const sf::Vector2i delta = source->getMouseDelta();
    if ((mouseAxis == X && delta.x != 0) || (mouseAxis == Y && delta.y != 0)) {
        value = static_cast<float>(mouseAxis == X ? delta.x : delta.y) * mouseFactor;
        mouseDriven = true;
        lastInputType = 2;
        return;
    }

    float position = 0.0f;
    if (joystickId < sf::Joystick::Count && joystickAxis < sf::Joystick::AxisCount)
        position = source->getJoystickAxisPosition(joystickId, static_cast<sf::Joystick::Axis>(joystickAxis));

    const auto active = [this](Direction d) {
        const auto it = buttons.find(d);
        return it != buttons.end() && it->second.isActive(events);
    };
    const bool positive = active(Positive);
    const bool negative = active(Negative);
    if (positive && !negative) {
        float v = snap && value < 0.0f ? 0.0f : value;
        value = std::min(1.0f, v + dt * sensitivity);
        return;
    }
    if (negative && !positive) {
        float v = snap && value > 0.0f ? 0.0f : value;
        value = std::max(-1.0f, v - dt * sensitivity);
        return;
    }
    followJoystick(position / 100.0f, dt);
}

void GameAxis::followJoystick(float q, float dt)
{
    const float d = deadZone;
    if (std::fabs(q) < d) {
        if (value > 0.0f)
            value = std::max(0.0f, value - dt * gravity);
        else if (value < 0.0f)
            value = std::min(0.0f, value + dt * gravity);
        return;
    }
    if (!adaptiveDeadZone) {
        value = q;
        return;
    }
    // A dead zone of 1 or more leaves no live range to stretch.
    if (d >= 1.0f) {
        value = 0.0f;
        return;
    }
    value = q >= 0.0f ? 1.0f - (1.0f - q) / (1.0f - d) : -1.0f - (-1.0f - q) / (1.0f - d);
}

namespace {

bool readNumber(const json::Value& value, double& out)
{
    if (value.isInteger())
        out = static_cast<double>(value.integerValue());
    else if (value.isFloat())
        out = value.floatValue();
    else
        return false;
    return true;
}

// A whole number 0..limit (truncated toward zero); anything else gives
// `fallback`, which means "none" for the joystick and mouse fields.
unsigned readIndex(const json::Value& value, unsigned limit, unsigned fallback)
{
    double number = 0.0;
    if (!readNumber(value, number))
        return fallback;
    number = std::trunc(number);
    return number >= 0.0 && number <= limit ? static_cast<unsigned>(number) : fallback;
}

} // namespace

void GameAxis::fromJson(const json::Value& json)
{
    reset();
    if (!json.isObject())
        return;
    const auto& members = json.objectValue();
    const auto member = [&members](const char* key) -> const json::Value* {
        const auto it = members.find(key);
        return it == members.end() ? nullptr : &it->second;
    };
    double number = 0.0;
    if (const json::Value* v = member("Inverted"))
        v->fillBool(inverted);
    if (const json::Value* v = member("Sensitivity"); v && readNumber(*v, number))
        sensitivity = static_cast<float>(number);
    if (const json::Value* v = member("Gravity"); v && readNumber(*v, number))
        gravity = static_cast<float>(number);
    if (const json::Value* v = member("Snap"))
        v->fillBool(snap);
    if (const json::Value* v = member("Joystick"); v && v->isObject()) {
        const auto& joystick = v->objectValue();
        if (const auto id = joystick.find("Id"); id != joystick.end())
            joystickId = readIndex(id->second, NoJoystick, NoJoystick);
        if (const auto axis = joystick.find("Axis"); axis != joystick.end())
            joystickAxis = readIndex(axis->second, NoJoystickAxis, NoJoystickAxis);
    }
    if (const json::Value* v = member("Deadzone"); v && readNumber(*v, number))
        deadZone = static_cast<float>(number);
    if (const json::Value* v = member("MouseAxis"))
        mouseAxis = static_cast<MouseAxis>(readIndex(*v, Wheel, None));
}

json::Value GameAxis::toJson() const
{
    return json::Value(std::map<std::string, json::Value>());
}
