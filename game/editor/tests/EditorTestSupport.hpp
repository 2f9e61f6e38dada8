#pragma once

// The editor screen on the null GUI renderer, in a runtime folder whose ships
// folder is a real one of its own (the shipped one is only linked in).

#include "game/editor/BuilderController.hpp"
#include "game/editor/EditorState.hpp"
#include "game/editor/TestController.hpp"
#include "game/editor/TestShipObject.hpp"
#include "game/editor/TextureController.hpp"
#include "testsupport/game/GameTestSupport.hpp"

#include <CEGUI/CEGUI.h>

#include <filesystem>
#include <memory>

namespace velk_test {

class EditorFixture : public EngineFixture {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        const fs::path ships = runtime.path() / "data" / "ships";
        fs::remove(ships); // the link to the shipped ships: saving must not write there
        fs::create_directory(ships);
        for (const auto& entry : fs::directory_iterator(fs::path(VELK_SOURCE_DIR) / "data" / "ships"))
            fs::copy_file(entry.path(), ships / entry.path().filename());
        EngineFixture::SetUp();
        editor = std::make_shared<velk::EditorState>();
        editor->getStepper().setInputSource(cursor);
        editor->onStateStart();
    }

    void TearDown() override
    {
        if (editor)
            editor->onStateEnd();
        editor.reset();
        EngineFixture::TearDown();
    }

    velk::BuilderController* builder() const { return static_cast<velk::BuilderController*>(editor->getController(0)); }
    velk::TextureController* texturer() const
    {
        return static_cast<velk::TextureController*>(editor->getController(1));
    }
    velk::TestController* tester() const { return static_cast<velk::TestController*>(editor->getController(2)); }
    /// The test drive's actions and its ship's controls read no display.
    void quietTestDrive()
    {
        tester()->getActions().setInputSource(cursor);
        if (velk::TestShipObject* ship = tester()->getShip()) {
            for (char id = 0; id < 4; ++id)
                if (GameAxis* axis = ship->control().getAxis(id))
                    axis->setInputSource(cursor);
            ship->actions().setInputSource(cursor);
        }
    }

    CEGUI::Window* window(const char* path) const { return guiRoot()->getChild(path); }
    std::filesystem::path shipsFolder() const { return runtime.path() / "data" / "ships"; }

    GuiCursorSource cursor;
    std::shared_ptr<velk::EditorState> editor;
};

} // namespace velk_test

namespace velk_test {

/// Mouse event arguments as CEGUI hands them to the canvas handlers.
inline CEGUI::MouseEventArgs mouseAt(CEGUI::Window* window, const math::Vector2<float>& windowPixel,
                                     CEGUI::MouseButton button = CEGUI::NoButton, unsigned sysKeys = 0,
                                     unsigned clicks = 1)
{
    CEGUI::MouseEventArgs args(window);
    args.position = CEGUI::Vector2f(windowPixel.x, windowPixel.y);
    args.button = button;
    args.sysKeys = sysKeys;
    args.clickCount = clicks;
    return args;
}

} // namespace velk_test
