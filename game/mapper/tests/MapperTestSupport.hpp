#pragma once

// The map editor started on the engine with CEGUI's null renderer (no window),
// working on a map folder of its own, with helpers that drive the GUI as the
// mouse would.

#include "engine/GameInputSource.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "game/mapper/GridController.hpp"
#include "game/mapper/MapperState.hpp"
#include "game/mapper/ToolsController.hpp"
#include "testsupport/game/GameTestSupport.hpp"

#include <CEGUI/CEGUI.h>

#include <filesystem>
#include <memory>
#include <string>

namespace mapper_test {

inline CEGUI::GUIContext& gui()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext();
}

inline CEGUI::Window* window(const std::string& path)
{
    return velk_test::guiRoot()->getChild(path);
}

inline CEGUI::Spinner* spinner(const std::string& path)
{
    return static_cast<CEGUI::Spinner*>(window(path));
}

/// The window pixel of a canvas point of the window at the path.
inline CEGUI::Vector2f onWindow(const std::string& path, float x, float y)
{
    const CEGUI::Rectf rect = window(path)->getUnclippedOuterRect().get();
    return CEGUI::Vector2f(rect.left() + x, rect.top() + y);
}

inline void clickAt(const CEGUI::Vector2f& at, CEGUI::MouseButton button = CEGUI::LeftButton)
{
    gui().injectMousePosition(at.d_x, at.d_y);
    gui().injectMouseButtonDown(button);
    gui().injectMouseButtonUp(button);
}

/// Presses at `from`, moves by one pixel, then to `to` in `steps` moves, releases.
inline void dragFromTo(const CEGUI::Vector2f& from, const CEGUI::Vector2f& to, CEGUI::MouseButton button, int steps = 4)
{
    gui().injectMousePosition(from.d_x, from.d_y);
    gui().injectMouseButtonDown(button);
    // Pressing alone does nothing: a first small move acts where it began.
    gui().injectMousePosition(from.d_x + 1.0f, from.d_y);
    for (int i = 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        gui().injectMousePosition(from.d_x + (to.d_x - from.d_x) * t, from.d_y + (to.d_y - from.d_y) * t);
    }
    gui().injectMouseButtonUp(button);
}

inline void wheelAt(const CEGUI::Vector2f& at, float change, bool shift = false)
{
    gui().injectMousePosition(at.d_x, at.d_y);
    if (shift)
        gui().injectKeyDown(CEGUI::Key::LeftShift);
    gui().injectMouseWheelChange(change);
    if (shift)
        gui().injectKeyUp(CEGUI::Key::LeftShift);
}

/// Input with nothing held and no joystick, so steppers can update without
/// a display.
class QuietInput : public GameInputSource {
public:
    bool isWindowFocused() const override { return true; }
    sf::Vector2i getMouseDelta() const override { return {}; }
    float getJoystickAxisPosition(unsigned, sf::Joystick::Axis) const override { return 0.0f; }
    const fx::InputState& heldInput() const override { return nothing; }
    void setMousePosition(const sf::Vector2i&) const override {}

private:
    struct NothingHeld : fx::InputState {
        bool isKeyDown(sf::Keyboard::Key) const override { return false; }
        bool isMouseButtonDown(sf::Mouse::Button) const override { return false; }
        bool isJoystickButtonDown(unsigned, unsigned) const override { return false; }
    };
    NothingHeld nothing;
};

/// The editor screen started (GUI built, both canvases made) in a runtime
/// folder, its map folder a fresh folder of the test's own.
class MapperFixture : public velk_test::EngineFixture {
protected:
    void SetUp() override
    {
        velk_test::EngineFixture::SetUp();
        std::filesystem::create_directories(mapFolder());
        screen = std::make_shared<dunnix::MapperState>();
        screen->setMapFolder(mapFolder());
        screen->onStateStart();
        screen->getStepper().setInputSource(quiet);
        // The null renderer leaves the cursor's area unset; without one every
        // position is clamped away from the windows.
        const CEGUI::Rectf screenArea(0, 0, 1024, 768);
        gui().getMouseCursor().setConstraintArea(&screenArea);
    }

    void TearDown() override
    {
        if (screen)
            screen->onStateEnd();
        screen.reset();
        velk_test::EngineFixture::TearDown();
    }

    std::filesystem::path mapFolder() const { return runtime.path() / "maps"; }

    dunnix::GridController& grid() { return *screen->getGridController(); }
    dunnix::ToolsController& palette() { return *screen->getToolsController(); }
    dunnix::Tools& tools() { return screen->getTools(); }
    TileMap& map() { return screen->getMap(); }

    /// The window pixel at the middle of map cell (x, y) with the view as it is.
    CEGUI::Vector2f cellCentre(int x, int y)
    {
        const float pitch = grid().getPitch();
        const auto& origin = grid().getView().origin;
        return onWindow("EditorArea", origin.x + (x + 0.5f) * pitch, origin.y + (y + 0.5f) * pitch);
    }

    std::string labelText(const char* name)
    {
        return ceguiStringToUtf8(window(std::string("Toolbar/Properties/__auto_contentpane__/") + name)->getText());
    }

    QuietInput quiet;
    std::shared_ptr<dunnix::MapperState> screen;
};

} // namespace mapper_test
