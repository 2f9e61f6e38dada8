#include "framework/sfml/GraphicsInitHelper.hpp"

GraphicsInitHelper::~GraphicsInitHelper() = default;
