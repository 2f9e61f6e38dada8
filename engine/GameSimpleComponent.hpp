#pragma once

#include "engine/GameComponent.hpp"

/// The plain component without a body: a shape placed relative to its
/// parent. Mirroring a parent reflects children of this kind only.
class GameSimpleComponent : public GameComponent {
public:
    GameSimpleComponent();
    ~GameSimpleComponent() override;
};
