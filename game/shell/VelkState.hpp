#pragma once

#include "engine/GameState.hpp"

#include <string>

/// The base of every game screen. It adds nothing to GameState but the skin
/// hook, which the screens call early in their start.
class VelkState : public GameState {
public:
    /// The screen that asks for a skin.
    enum GwenImage {
        MainMenu = 0,
        Editor = 1,
        Play = 2,
        Mapper = 3,
        GuiTest = 4,
    };

    VelkState();
    ~VelkState() override;

    /// Kept as a hook of the screens; it changes nothing.
    void changeGwenSkin(GwenImage image);
    void changeGwenSkin(const std::string& name);
};
