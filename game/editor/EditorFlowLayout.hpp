#pragma once

#include <CEGUI/String.h>
#include <CEGUI/UDim.h>

namespace CEGUI {
class Window;
}

namespace velk {

/// A horizontal flow layout (owned by the GUI layer) with the given spacing on
/// the child `path` of `parent`, laid out at once.
void addFlowLayout(const CEGUI::Window* parent, const CEGUI::String& path, const CEGUI::UDim& spacing);

} // namespace velk
