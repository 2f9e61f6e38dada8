#include "game/editor/EditorController.hpp"

#include <CEGUI/Window.h>

namespace velk {

EditorController::EditorController(backend::ShipEntry* ship) : tools::Activable(false), shipEntry(ship) {}

EditorController::~EditorController() = default;

void EditorController::addOnlyThisWindow(CEGUI::Window* window)
{
    if (window)
        onlyThisWindows.push_back(window);
}

void EditorController::showOnlyWindows()
{
    for (CEGUI::Window* window : onlyThisWindows)
        window->setVisible(true);
}

void EditorController::hideOnlyWindows()
{
    for (CEGUI::Window* window : onlyThisWindows)
        window->setVisible(false);
}

void EditorController::onActivate()
{
    showOnlyWindows();
}

void EditorController::onDeactivate()
{
    hideOnlyWindows();
}

} // namespace velk
