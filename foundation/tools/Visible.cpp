#include "foundation/tools/Visible.hpp"

namespace tools {

Visible::Visible(bool visible) : visible(visible) {}

Visible::~Visible() = default;

void Visible::setVisible(bool v)
{
    if (v == visible)
        return;
    visible = v;
    if (v)
        onShow();
    else
        onHide();
}

} // namespace tools
