#pragma once

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <box2d/box2d.h>

/// Box2D's debug drawing on an SFML render target: outlines one fifth of a
/// screen pixel wide and translucent fills, in Box2D world units with y
/// negated, under the target's current view. Flags start at 0 (nothing drawn).
class SfmlB2Renderer : public b2Draw {
public:
    enum ShapeMode { Outline = 0, Solid = 1 };

    explicit SfmlB2Renderer(sf::RenderTarget& target);
    ~SfmlB2Renderer() override;

    float getAlpha() const { return alpha; }
    void setAlpha(float value) { alpha = value; }

    /// Each of red, green and blue times 255, truncated, low 8 bits; alpha 255.
    static sf::Color b2color2sfcolor(const b2Color& color);
    static sf::CircleShape b2circle2sfcircle(const b2Vec2& center, float radius);
    void setupConvex(const b2Vec2* vertices, int count);
    /// Whether one vertex falls inside the viewport (left/top edges inside,
    /// right/bottom outside); polygons wholly off screen are skipped.
    bool isInside(const b2Vec2* vertices, int count) const;
    void drawShape(sf::Shape& shape, const sf::Color& color, ShapeMode mode);

    void DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawCircle(const b2Vec2& center, float radius, const b2Color& color) override;
    void DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis, const b2Color& color) override;
    void DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) override;
    void DrawTransform(const b2Transform& xf) override;
    /// Box2D's world drawing never asks for points; nothing is drawn.
    void DrawPoint(const b2Vec2& p, float size, const b2Color& color) override;

private:
    sf::RenderTarget& target;
    float alpha = 0.5f;
    sf::ConvexShape convex;
};
