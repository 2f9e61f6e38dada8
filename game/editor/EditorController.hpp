#pragma once

#include "foundation/tools/Activable.hpp"
#include "foundation/tools/Updateable.hpp"

#include <vector>

namespace CEGUI {
class Window;
}

namespace velk {

namespace backend {
class ShipEntry;
}

/// Base of the ship editor's panes: the edited ship (borrowed; the screen
/// deletes the panes first), an active flag whose hooks show and hide the
/// pane's own windows, a per-frame update and a rebuild after the ship was
/// replaced.
class EditorController : public tools::Activable, public tools::Updateable {
public:
    explicit EditorController(backend::ShipEntry* ship);
    ~EditorController() override;

    /// Rebuilds the pane's view from the ship (after New and Load).
    virtual void rebuild() {}

    backend::ShipEntry* getShipEntry() { return shipEntry; }
    const backend::ShipEntry* getShipEntry() const { return shipEntry; }

    /// Lists a window as the pane's own; a null window is ignored.
    void addOnlyThisWindow(CEGUI::Window* window);
    const std::vector<CEGUI::Window*>& getOnlyThisWindows() const { return onlyThisWindows; }
    void showOnlyWindows();
    void hideOnlyWindows();

protected:
    void onActivate() override;
    void onDeactivate() override;

private:
    std::vector<CEGUI::Window*> onlyThisWindows;
    backend::ShipEntry* shipEntry;
};

} // namespace velk
