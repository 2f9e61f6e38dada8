#include "game/play/PlatformObject.hpp"

#include "engine/GamePhisicsComponent.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/fx/FrameAnimation.hpp"

#include <cstdlib>

namespace velk {

const char* const PlatformObject::ObjectFile = "data/obj/platform/platform.obj.json";

namespace {

const GamePhisicsComponent* physicsMain(const GameObject& object)
{
    return dynamic_cast<const GamePhisicsComponent*>(object.getMainComponent());
}

} // namespace

PlatformObject::PlatformObject() = default;

PlatformObject::~PlatformObject() = default;

void PlatformObject::onBegin()
{
    GameObject::onBegin();
    loadFromFile(ObjectFile);
    const GamePhisicsComponent* main = physicsMain(*this);
    if (!main || !main->getBody()) {
        tools::log("Platform", std::string(ObjectFile) +
                                   ": no physics main component; the platform is not animated and cannot be landed on");
        return;
    }
    fx::FrameAnimation frames;
    SfImageMap::ImageMap& rects = imageMap().images();
    // A missing name reads (and stays) as an empty rectangle.
    frames.addFrame(1.0f, rects["platform1"]);
    frames.addFrame(1.0f, rects["platform2"]);
    frames.addFrame(5.0f, rects["platform3"]);
    lightAnimator = std::make_unique<ThorShapeAnimator<char>>(&getMainComponent()->getShape());
    lightAnimator->addAnimation(0, frames, sf::seconds(1.0f));
    lightAnimator->playAnimation(0, true);
    // A random phase, so platforms blink out of step; shown from the next update.
    lightAnimator->update(sf::milliseconds(std::rand() % 1000));
}

void PlatformObject::onUpdate(float dt)
{
    GameObject::onUpdate(dt);
    if (lightAnimator) {
        lightAnimator->update(sf::seconds(dt));
        lightAnimator->animate();
    }
}

void PlatformObject::onEnd()
{
    lightAnimator.reset();
    GameObject::onEnd();
}

b2Body* PlatformObject::getBody() const
{
    auto* main = dynamic_cast<GamePhisicsComponent*>(mainComponent);
    return main ? main->getBody() : nullptr;
}

} // namespace velk
