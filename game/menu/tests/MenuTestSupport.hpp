#pragma once

#include "game/menu/MainMenuState.hpp"
#include "testsupport/game/GameTestSupport.hpp"

#include <memory>

namespace velk_test {

/// A main menu whose steppers read no display (see GuiCursorSource).
inline std::shared_ptr<velk::MainMenuState> makeMenu(const GuiCursorSource& source)
{
    auto menu = std::make_shared<velk::MainMenuState>();
    for (GuiStepper* stepper :
         {&menu->langStepper(), &menu->mainStepper(), &menu->highscoreStepper(), &menu->settingStepper(),
          &menu->creditStepper(), &menu->newStepper(), &menu->noticeDialogStepper()})
        stepper->setInputSource(source);
    return menu;
}

} // namespace velk_test
