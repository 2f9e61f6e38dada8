#include "game/editor/TestHullComponent.hpp"

#include "game/editor/EditorColors.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace velk {

TestHullComponent::TestHullComponent() : outline(sf::LineStrip) {}

TestHullComponent::~TestHullComponent() = default;

bool TestHullComponent::build(const std::vector<math::Vector2<float>>& points,
                              const std::vector<std::vector<math::Vector2<float>>>& triangles)
{
    const bool built = HullComponent::build(points, triangles);
    outline.clear();
    for (std::size_t i = 0; !points.empty() && i <= points.size(); ++i) {
        const math::Vector2<float>& p = points[i % points.size()];
        outline.append(sf::Vertex(sf::Vector2f(p.x, -p.y), testShipOutlineColor));
    }
    pieces.clear();
    for (const auto& triangle : triangles) {
        sf::ConvexShape piece(triangle.size());
        for (std::size_t i = 0; i < triangle.size(); ++i)
            piece.setPoint(i, sf::Vector2f(triangle[i].x, -triangle[i].y));
        piece.setFillColor(testShipFillColor);
        piece.setOutlineThickness(0.0f);
        pieces.push_back(piece);
    }
    return built;
}

void TestHullComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!isVisible())
        return;
    states.transform = sf::Transform::Identity;
    states.transform.translate(getPosition().x, -getPosition().y);
    states.transform.rotate(-(getRotation() * 57.29578f));
    states.transform.scale(isMirroredX() ? -1.0f : 1.0f, 1.0f);
    target.pushGLStates();
    for (const sf::ConvexShape& piece : pieces)
        target.draw(piece, states);
    target.draw(outline, states);
    target.popGLStates();
}

} // namespace velk
