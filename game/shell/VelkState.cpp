#include "game/shell/VelkState.hpp"

VelkState::VelkState() = default;

VelkState::~VelkState() = default;

void VelkState::changeGwenSkin(GwenImage) {}

void VelkState::changeGwenSkin(const std::string&) {}
