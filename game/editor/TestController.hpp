#pragma once

#include "engine/GameActionMapper.hpp"
#include "engine/GameWorld.hpp"
#include "framework/cegui/CeguiCanvasWidget.hpp"
#include "game/editor/EditorController.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <CEGUI/Event.h>

namespace CEGUI {
class EventArgs;
}

class GameObject;

namespace velk {

class TestShipObject;

/// The test drive: a small world with gravity and a flat ground strip in
/// which a copy of the edited ship flies with its own controls. Each
/// activation and each reset (R, joystick button 7) builds a fresh ship from
/// the current description; F7 toggles the physics overlay.
class TestController : public EditorController, public CeguiCanvasWidget::Drawer {
public:
    static constexpr float ViewWidth = 40.0f;
    static const char* const DefaultFont;

    TestController(CeguiCanvasWidget* canvas, backend::ShipEntry* ship);
    ~TestController() override;

    void drawToCanvas(CEGUI::Window* canvas) override;
    void onUpdate(float dt) override;
    void updateWorldView();
    bool onCanvasResize(const CEGUI::EventArgs& args);
    void initGroundObject();
    void initShip();
    /// What the F7 and R actions do, for the frame loop and for tests.
    void togglePhysicsOverlay();

    GameWorld& getWorld() { return world; }
    TestShipObject* getShip() const { return ship; }
    GameObject* getGround() const { return ground; }
    backend::ShipEntry& getTestEntry() { return testEntry; }
    GameActionMapper<char>& getActions() { return actions; }

protected:
    void onActivate() override;
    void onDeactivate() override;

private:
    backend::ShipEntry testEntry;
    GameObject* ground = nullptr;
    TestShipObject* ship = nullptr;
    CEGUI::Event::ScopedConnection resizeConnection;
    GameWorld world;
    GameActionMapper<char> actions;
    CeguiCanvasWidget* canvasWidget;
};

} // namespace velk
