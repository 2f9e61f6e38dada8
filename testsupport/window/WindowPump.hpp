#pragma once

#include "framework/sfml/SfmlFramework.hpp"

#include <SFML/Graphics/Color.hpp>

#include <functional>

namespace velk_test {

/// Polls the framework (and draws a frame) until the condition holds or about
/// two seconds have passed; whether it held.
bool pumpUntil(SfmlFramework& sfml, const std::function<bool()>& done, const sf::Color& background = sf::Color::Black);

/// Polls and draws the given number of frames.
void pumpFrames(SfmlFramework& sfml, int frames, const sf::Color& background = sf::Color::Black);

} // namespace velk_test
