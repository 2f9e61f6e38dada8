#pragma once

#include "game/ship/HullComponent.hpp"

#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <vector>

namespace velk {

/// The test ship's hull: drawn as filled triangles under a closed outline,
/// untextured, in world coordinates from its body's place.
class TestHullComponent : public HullComponent {
public:
    TestHullComponent();
    ~TestHullComponent() override;

    using HullComponent::build;
    bool build(const std::vector<math::Vector2<float>>& points,
               const std::vector<std::vector<math::Vector2<float>>>& triangles) override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    const std::vector<sf::ConvexShape>& getPieces() const { return pieces; }
    const sf::VertexArray& getOutline() const { return outline; }

private:
    std::vector<sf::ConvexShape> pieces;
    sf::VertexArray outline;
};

} // namespace velk
