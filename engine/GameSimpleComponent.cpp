#include "engine/GameSimpleComponent.hpp"

GameSimpleComponent::GameSimpleComponent() = default;

GameSimpleComponent::~GameSimpleComponent() = default;
