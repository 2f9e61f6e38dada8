#include "engine/SfmlB2Renderer.hpp"

#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cstdint>

namespace {

/// Colour byte of a Box2D component: times 255, truncated, low 8 bits.
sf::Uint8 lowByte(float component)
{
    const float scaled = component * 255.0f;
    // Out-of-range or non-finite components would make the conversion undefined.
    if (!(scaled > -2147483648.0f && scaled < 2147483647.0f))
        return 0;
    return static_cast<sf::Uint8>(static_cast<std::int32_t>(scaled) & 0xFF);
}

sf::Uint8 alphaTimes(float factor, float alpha)
{
    return static_cast<sf::Uint8>(std::clamp(factor * alpha, 0.0f, 255.0f));
}

} // namespace

SfmlB2Renderer::SfmlB2Renderer(sf::RenderTarget& target) : target(target) {}

SfmlB2Renderer::~SfmlB2Renderer() = default;

sf::Color SfmlB2Renderer::b2color2sfcolor(const b2Color& color)
{
    return sf::Color(lowByte(color.r), lowByte(color.g), lowByte(color.b), 255);
}

sf::CircleShape SfmlB2Renderer::b2circle2sfcircle(const b2Vec2& center, float radius)
{
    sf::CircleShape circle(radius, 30);
    circle.setOrigin(radius, radius);
    circle.setPosition(center.x, -center.y);
    return circle;
}

void SfmlB2Renderer::setupConvex(const b2Vec2* vertices, int count)
{
    convex.setPointCount(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        convex.setPoint(static_cast<std::size_t>(i), sf::Vector2f(vertices[i].x, -vertices[i].y));
}

bool SfmlB2Renderer::isInside(const b2Vec2* vertices, int count) const
{
    const sf::IntRect viewport = target.getViewport(target.getView());
    const int minX = std::min(viewport.left, viewport.left + viewport.width);
    const int maxX = std::max(viewport.left, viewport.left + viewport.width);
    const int minY = std::min(viewport.top, viewport.top + viewport.height);
    const int maxY = std::max(viewport.top, viewport.top + viewport.height);
    for (int i = 0; i < count; ++i) {
        const sf::Vector2i p = target.mapCoordsToPixel(sf::Vector2f(vertices[i].x, -vertices[i].y));
        if (p.x >= minX && p.x < maxX && p.y >= minY && p.y < maxY)
            return true;
    }
    return false;
}

void SfmlB2Renderer::drawShape(sf::Shape& shape, const sf::Color& color, ShapeMode mode)
{
    sf::Color outline = color;
    outline.a = alphaTimes(255.0f, alpha);
    const sf::View& view = target.getView();
    const float pixels = static_cast<float>(target.getSize().x) * view.getViewport().width;
    shape.setOutlineColor(outline);
    shape.setOutlineThickness(pixels > 0.0f ? 0.2f * view.getSize().x / pixels : 0.0f);
    if (mode == Solid) {
        sf::Color fill = color;
        fill.a = alphaTimes(128.0f, alpha);
        shape.setFillColor(fill);
    } else {
        shape.setFillColor(sf::Color::Transparent);
    }
    target.draw(shape, sf::RenderStates::Default);
}

void SfmlB2Renderer::DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    if (!isInside(vertices, vertexCount))
        return;
    setupConvex(vertices, vertexCount);
    drawShape(convex, b2color2sfcolor(color), Outline);
}

void SfmlB2Renderer::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    if (!isInside(vertices, vertexCount))
        return;
    setupConvex(vertices, vertexCount);
    drawShape(convex, b2color2sfcolor(color), Solid);
}

void SfmlB2Renderer::DrawCircle(const b2Vec2& center, float radius, const b2Color& color)
{
    sf::CircleShape circle = b2circle2sfcircle(center, radius);
    drawShape(circle, b2color2sfcolor(color), Outline);
}

void SfmlB2Renderer::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis, const b2Color& color)
{
    (void)axis;
    sf::CircleShape circle = b2circle2sfcircle(center, radius);
    drawShape(circle, b2color2sfcolor(color), Solid);
}

void SfmlB2Renderer::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color)
{
    sf::Color c = b2color2sfcolor(color);
    c.a = alphaTimes(255.0f, alpha);
    sf::VertexArray line(sf::Lines, 2);
    line[0] = sf::Vertex(sf::Vector2f(p1.x, -p1.y), c);
    line[1] = sf::Vertex(sf::Vector2f(p2.x, -p2.y), c);
    target.draw(line, sf::RenderStates::Default);
}

void SfmlB2Renderer::DrawTransform(const b2Transform& xf)
{
    (void)xf;
}

void SfmlB2Renderer::DrawPoint(const b2Vec2& p, float size, const b2Color& color)
{
    (void)p;
    (void)size;
    (void)color;
}
