#pragma once

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

/// Draws around an object's components: `preDraw` before them, `postDraw`
/// after them, both with the object's transform already in `states`. Objects
/// do not own their drawers.
class GameObjectDrawer {
public:
    virtual ~GameObjectDrawer() = default;

    virtual void preDraw(sf::RenderTarget& target, sf::RenderStates states) const
    {
        (void)target;
        (void)states;
    }
    virtual void postDraw(sf::RenderTarget& target, sf::RenderStates states) const
    {
        (void)target;
        (void)states;
    }
};
