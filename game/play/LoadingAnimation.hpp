#pragma once

#include "engine/ThorShapeAnimator.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <vector>

namespace velk {

/// The looping picture the play screen shows while its game loads: the frames
/// in memory, a unit square that shows the current one, and the animator that
/// picks it (animation id 0).
struct LoadingAnimation {
    std::vector<sf::Texture> frames;
    sf::RectangleShape shape;
    std::unique_ptr<ThorShapeAnimator<char>> animator;
};

} // namespace velk
