#pragma once

#include "engine/GameComponent.hpp"

class b2Body;

/// A component tied to one Box2D body. Its position and angle are the body's,
/// in world coordinates, and it draws without its parents' transforms.
/// Moving, turning or mirroring the component moves, turns or mirrors the
/// body. The component owns the body and destroys it with itself.
class GamePhisicsComponent : public GameComponent {
public:
    /// Binds `body` (may be null); the body's user data then leads back here.
    explicit GamePhisicsComponent(b2Body* body);
    ~GamePhisicsComponent() override;

    void onMirroredX() override;
    void onUpdate(float dt) override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    bool hasBody(b2Body* body) const override;
    void onMoved(const math::Vector2<float>& displacement) override;
    void onRotated(float change) override;

    b2Body* getBody() { return body; }
    const b2Body* getBody() const { return body; }
    /// Binds another body; one bound before is neither destroyed nor unlinked.
    void setBody(b2Body* newBody);
    /// Destroys the bound body, if any, and clears the pointer.
    void destroyBody();

private:
    b2Body* body = nullptr;
};
