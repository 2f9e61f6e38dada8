#include "foundation/tools/Life.hpp"

namespace tools {

Life::Life(bool alive) : alive(alive) {}

Life::~Life() = default;

void Life::setAlive(bool v)
{
    if (v == alive)
        return;
    alive = v;
    if (v)
        onRevive();
    else
        onDeath();
}

} // namespace tools
