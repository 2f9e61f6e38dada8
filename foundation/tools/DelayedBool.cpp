#include "foundation/tools/DelayedBool.hpp"

namespace tools {

DelayedBool::DelayedBool(float switchTime, bool value) : value(value), switchTime(switchTime) {}

DelayedBool::~DelayedBool() = default;

void DelayedBool::setValue(bool v)
{
    value = v;
    timer = 0.f;
}

void DelayedBool::setSwitchTime(float t)
{
    switchTime = t > 0.f ? t : 0.f;
}

void DelayedBool::update(bool target, float dt)
{
    if (value == target) {
        timer = 0.f;
        return;
    }
    timer += dt;
    if (timer >= switchTime)
        value = target;
}

} // namespace tools
