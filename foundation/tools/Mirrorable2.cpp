#include "foundation/tools/Mirrorable2.hpp"

namespace tools {

Mirrorable2::~Mirrorable2() = default;

void Mirrorable2::mirrorToX(bool v)
{
    if (v == mirroredX)
        return;
    mirroredX = v;
    onMirroredX();
}

void Mirrorable2::mirrorToY(bool v)
{
    if (v == mirroredY)
        return;
    mirroredY = v;
    onMirroredY();
}

void Mirrorable2::mirrorX()
{
    mirroredX = !mirroredX;
    onMirroredX();
}

void Mirrorable2::mirrorY()
{
    mirroredY = !mirroredY;
    onMirroredY();
}

} // namespace tools
