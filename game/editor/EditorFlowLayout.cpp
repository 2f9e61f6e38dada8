#include "game/editor/EditorFlowLayout.hpp"

#include "engine/GameFramework.hpp"
#include "framework/cegui/CeguiFlowLayout.hpp"
#include "framework/cegui/CeguiFramework.hpp"

#include <CEGUI/Window.h>

namespace velk {

void addFlowLayout(const CEGUI::Window* parent, const CEGUI::String& path, const CEGUI::UDim& spacing)
{
    CEGUI::Window* container = parent->getChild(path);
    CeguiFlowLayout* layout = GameFramework::Singleton.getCeguiFramework()->createFlowLayout(container,
                                                                                             CeguiFlowLayout::Row);
    layout->setSpacing(spacing);
    if (layout->getContainer())
        layout->forceUpdate();
}

} // namespace velk
