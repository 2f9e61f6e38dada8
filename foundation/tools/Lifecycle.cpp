#include "foundation/tools/Lifecycle.hpp"

namespace tools {

Lifecycle::~Lifecycle() = default;

void Lifecycle::start()
{
    onBegin();
    running = true;
}

void Lifecycle::finish()
{
    onEnd();
    running = false;
}

void Lifecycle::onBegin() {}

void Lifecycle::onEnd() {}

} // namespace tools
