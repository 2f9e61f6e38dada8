#include "foundation/tools/Activable.hpp"

namespace tools {

Activable::Activable(bool active) : active(active) {}

Activable::~Activable() = default;

void Activable::setActive(bool v)
{
    if (v == active)
        return;
    active = v;
    if (v)
        onActivate();
    else
        onDeactivate();
}

} // namespace tools
