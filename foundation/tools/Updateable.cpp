#include "foundation/tools/Updateable.hpp"

namespace tools {

Updateable::~Updateable() = default;

void Updateable::update(float dt)
{
    onUpdate(dt);
}

void Updateable::onUpdate(float) {}

} // namespace tools
