#include "game/play/CheckpointObject.hpp"

#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/tools/StringUtils.hpp"
#include "framework/fx/FrameAnimation.hpp"

#include <box2d/box2d.h>

#include <cstdlib>
#include <string>

namespace velk {

const char* const CheckpointObject::ObjectFile = "data/obj/checkpoint/checkpoint.obj.json";

namespace {

/// Seconds each field frame shows.
const float kFieldFrameTime = 0.03f;
const uint16 kCheckpointCategory = 0x2000;
const uint16 kHullCategory = 0x0008;

} // namespace

CheckpointObject::CheckpointObject() = default;

CheckpointObject::~CheckpointObject() = default;

void CheckpointObject::onBegin()
{
    GameObject::onBegin();
    loadFromFile(ObjectFile);
    if (getComponentById("Field"))
        startFieldAnimation();
    if (isPropertyExists("Radius"))
        createSensor(tools::str2t<float>(getProperty("Radius")));
}

void CheckpointObject::startFieldAnimation()
{
    GameComponent* field = getComponentById("Field");
    fx::FrameAnimation frames;
    const SfImageMap::ImageMap& rects = imageMap().images();
    for (unsigned i = 1;; ++i) {
        const auto it = rects.find("Frame" + std::to_string(i));
        if (it == rects.end())
            break;
        frames.addFrame(1.0f, it->second);
    }
    const std::size_t count = frames.getFrameCount();
    if (count == 0)
        return;
    fieldAnimator = std::make_unique<ThorShapeAnimator<char>>(&field->getShape());
    fieldAnimator->addAnimation(0, frames, sf::seconds(static_cast<float>(count) * kFieldFrameTime));
    fieldAnimator->playAnimation(0, true);
    // A random phase, so checkpoints do not blink in step.
    fieldAnimator->update(sf::seconds(static_cast<float>(std::rand() % 10000) / 10000.0f));
    fieldAnimator->animate();
}

void CheckpointObject::createSensor(float radius)
{
    GameWorld* world = getWorld();
    // Box2D asserts on a circle without a positive radius.
    if (!world || !(radius > 0.0f))
        return;
    b2BodyDef bodyDef;
    bodyDef.type = b2_staticBody;
    b2Body* body = world->getB2World()->CreateBody(&bodyDef);
    auto* component = new GamePhisicsComponent(body);
    add(component);
    setMainComponent(component);

    b2CircleShape circle;
    circle.m_p.Set(0.0f, 0.0f);
    circle.m_radius = radius;
    b2FixtureDef fixture;
    fixture.shape = &circle;
    fixture.isSensor = true;
    fixture.friction = 0.2f;
    fixture.restitution = 0.0f;
    fixture.density = 0.0f;
    fixture.filter.categoryBits = kCheckpointCategory;
    fixture.filter.maskBits = kHullCategory;
    fixture.filter.groupIndex = 0;
    sensor = body->CreateFixture(&fixture);
}

void CheckpointObject::onUpdate(float dt)
{
    GameObject::onUpdate(dt);
    if (fieldAnimator) {
        fieldAnimator->update(sf::seconds(dt));
        fieldAnimator->animate();
    }
}

void CheckpointObject::onEnd()
{
    // The shape the animator points at goes with the components.
    fieldAnimator.reset();
    sensor = nullptr;
    GameObject::onEnd();
}

void CheckpointObject::setColor(const sf::Color& color)
{
    if (GameComponent* field = getComponentById("Field"))
        field->getShape().setFillColor(color);
}

} // namespace velk
