#include "engine/GameFrameworkInitHelper.hpp"

GameFrameworkInitHelper::~GameFrameworkInitHelper() = default;
