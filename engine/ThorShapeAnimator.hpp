#pragma once

#include "framework/fx/Animator.hpp"

#include <SFML/Graphics/Shape.hpp>

/// Keyed animations of one shape (a jet's flame, a drill head, a checkpoint):
/// the fx animator bound to the shape it changes. Typical animations are
/// fx::FrameAnimation objects over the rectangles of an image map. Per frame
/// the owner calls update(sf::seconds(dt)), then animate(). The shape is not
/// owned and must outlive the animator's use.
template <typename Id>
class ThorShapeAnimator : public fx::Animator<sf::Shape, Id> {
public:
    using Base = fx::Animator<sf::Shape, Id>;
    using Base::animate;

    explicit ThorShapeAnimator(sf::Shape* target) : target(target) {}
    ~ThorShapeAnimator() override = default;

    sf::Shape* getTarget() const { return target; }

    /// Applies the playing animation to the bound shape.
    void animate() const
    {
        if (target)
            Base::animate(*target);
    }

private:
    sf::Shape* target;
};
