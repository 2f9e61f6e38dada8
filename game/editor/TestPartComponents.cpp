#include "game/editor/TestPartComponents.hpp"

#include "game/editor/EditorColors.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace velk {

TestJetComponent::TestJetComponent(backend::PartEntry* entry) : TestPart<JetComponent>(entry) {}

TestJetComponent::~TestJetComponent() = default;

sf::VertexArray TestJetComponent::markerLines(float v)
{
    sf::VertexArray lines(sf::Lines);
    const sf::Vector2f points[6] = {{-0.1f, -0.1f}, {0.1f, 0.1f}, {-0.1f, 0.1f},
                                    {0.1f, -0.1f},  {0.0f, 0.0f}, {0.0f, -v * ThrustLineScale}};
    for (const sf::Vector2f& p : points)
        lines.append(sf::Vertex(p, testJetLineColor));
    return lines;
}

void TestJetComponent::postDraw(sf::RenderTarget& target, sf::RenderStates states) const
{
    target.draw(markerLines(getAxisValue()), states);
}

} // namespace velk
