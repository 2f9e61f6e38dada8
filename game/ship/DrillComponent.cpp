#include "game/ship/DrillComponent.hpp"

#include "engine/GameObject.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/math/Vector2.hpp"
#include "foundation/tools/Log.hpp"
#include "foundation/tools/StringUtils.hpp"
#include "framework/fx/FrameAnimation.hpp"
#include "game/ship/ShipPaths.hpp"
#include "game/ship/backend/PartEntry.hpp"
#include "game/ship/backend/ShipPartStore.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <box2d/box2d.h>

#include <cfloat>
#include <cmath>

namespace velk {

namespace {
const char* const Tag = "DrillComponent";
constexpr float HalfPi = 1.5707964f;
} // namespace

DrillComponent::DrillComponent(backend::PartEntry* entry) : PartComponent(entry) {}

DrillComponent::~DrillComponent() = default;

void DrillComponent::onBegin()
{
    soundKeys = {"SoundEngine"};
    PartComponent::onBegin();
    if (!isTest() && partObject())
        buildHead();
    updateJoints();
    for (auto& sound : sounds) {
        sound->sound().setLoop(true);
        sound->setVolume(0.0f);
        sound->sound().play();
        sound->setFadingSpeed(750.0f);
    }
}

void DrillComponent::buildHead()
{
    const auto& props = partEntry()->properties();
    const auto found = props.find("drillhead");
    if (found == props.end() || found->second.empty())
        return;
    const std::string& code = found->second;
    auto* welding = dynamic_cast<GamePhisicsComponent*>(partObject()->getComponentById("HeadWelding"));
    if (!welding || !welding->getBody()) {
        tools::log(Tag, "The drill's object has no physics component \"HeadWelding\"; no head \"" + code + "\"");
        return;
    }
    const std::string path = partObjectFile(code);
    GameWorld* world = getWorld();
    if (!isRegularFile(path) || !world) {
        tools::log(Tag, "No object file \"" + path + "\" for the drill head; the drill has no head");
        return;
    }
    head = world->add(new GameObject());
    head->loadFromFile(path);
    const b2Vec2 mount = welding->getBody()->GetPosition();
    head->setPosition(math::Vector2<float>(mount.x, mount.y));
    head->setRotation(rotation + (isMirroredX() ? -HalfPi : HalfPi));
    head->hide();

    b2Body* headBody = mainBodyOf(head);
    if (headBody) {
        b2WeldJointDef def;
        def.bodyA = welding->getBody();
        def.bodyB = headBody;
        def.localAnchorA.SetZero();
        def.localAnchorB.SetZero();
        def.referenceAngle = headBody->GetAngle() - welding->getBody()->GetAngle();
        def.stiffness = 0.0f;
        def.damping = 0.0f;
        def.collideConnected = false;
        world->getB2World()->CreateJoint(&def);
    } else {
        tools::log(Tag, "The drill head \"" + code + "\" has no physics main component; it is not welded");
    }

    fx::FrameAnimation frames;
    const auto& rects = head->imageMap().images();
    for (unsigned i = 1;; ++i) {
        const auto it = rects.find("Frame" + std::to_string(i));
        if (it == rects.end())
            break;
        frames.addFrame(1.0f, it->second);
    }
    headPart = backend::ShipPartStore::Singleton.getPartByCode(code);
    const float frameTime = headProperty("Frametime", DefaultFrameTime);
    // A head without frames keeps the look its object file gives it.
    if (frames.getFrameCount() > 0 && head->getMainComponent()) {
        animator = std::make_unique<ThorShapeAnimator<DrillAnimation>>(&head->getMainComponent()->getShape());
        animator->addAnimation(Spin, frames, sf::seconds(static_cast<float>(frames.getFrameCount()) * frameTime));
    }
}

void DrillComponent::updateJoints()
{
    GameObject* object = partObject();
    if (!object)
        return;
    // Forget first: the bodies' lists hold only live joints.
    rail = nullptr;
    spin = nullptr;
    if (b2Body* body = object->getPhisics().getBodyByName("Rail"))
        for (b2JointEdge* edge = body->GetJointList(); edge; edge = edge->next)
            if (edge->joint->GetType() == e_prismaticJoint) {
                rail = static_cast<b2PrismaticJoint*>(edge->joint);
                break;
            }
    if (b2Body* body = object->getPhisics().getBodyByName("HeadBody"))
        for (b2JointEdge* edge = body->GetJointList(); edge; edge = edge->next)
            if (edge->joint->GetType() == e_revoluteJoint) {
                spin = static_cast<b2RevoluteJoint*>(edge->joint);
                break;
            }
}

void DrillComponent::playSpin(bool on)
{
    if (!animator)
        return;
    if (on)
        animator->playAnimation(Spin, true);
    else
        animator->stopAnimation();
}

void DrillComponent::setOut(bool on)
{
    if (out == on)
        return;
    out = on;
    if (rail) {
        rail->EnableMotor(true);
        rail->SetMotorSpeed(on ? RailSpeed : -RailSpeed);
    }
    if (!on) {
        headOn = false;
        playSpin(false);
    }
}

void DrillComponent::turnHead(bool on)
{
    if (on == headOn)
        return;
    headOn = on && out;
    playSpin(headOn);
}

void DrillComponent::turnHeadOn()
{
    if (headOn)
        return;
    headOn = out;
    playSpin(headOn);
}

void DrillComponent::turnHeadOff()
{
    if (!headOn)
        return;
    headOn = false;
    playSpin(false);
}

float DrillComponent::headProperty(const std::string& key, float fallback) const
{
    if (!head || !head->isPropertyExists(key))
        return fallback;
    return tools::str2t<float>(head->getProperty(key));
}

b2Fixture* DrillComponent::getDrillHeadFixture() const
{
    if (!head || !headOn)
        return nullptr;
    return const_cast<GameObject*>(head)->getPhisics().getFixtureByName("HeadFix");
}

float DrillComponent::getDrillHeadRadius() const
{
    return headProperty("Radius", 0.0f);
}

float DrillComponent::getDrillTime() const
{
    return headProperty("Drilltime", FLT_MAX);
}

void DrillComponent::onUpdate(float dt)
{
    PartComponent::onUpdate(dt);
    if (animator) {
        animator->update(sf::seconds(dt));
        animator->animate();
    }
    if (headAxis) {
        // Shared by every drill: each one reads it with its own sign.
        headAxis->setInverted(!isMirroredX());
        if (spin) {
            spin->EnableMotor(true);
            spin->SetMotorSpeed(headAxis->getValue(HeadSpeed));
        }
    }
    if (!sounds.empty()) {
        sounds[0]->setVolume((headOn ? soundVolumeSetting() : 0.0f) * getSoundVolumeFactor());
        for (auto& sound : sounds) {
            if (head)
                sound->sound().setPosition(head->getPosition().x, head->getPosition().y, 0.0f);
            else
                sound->sound().setVolume(0.0f);
        }
    }
}

void DrillComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!isVisible())
        return;
    PartComponent::draw(target, states);
    if (head) {
        head->show();
        target.draw(*head, states);
        head->hide();
    }
}

bool DrillComponent::hasBody(b2Body* body) const
{
    return PartComponent::hasBody(body) || (head && head->hasBody(body));
}

void DrillComponent::onEnd()
{
    animator.reset();
    rail = nullptr;
    spin = nullptr;
    if (head) {
        GameObject* leaving = head;
        head = nullptr;
        if (GameWorld* world = leaving->getWorld())
            world->destroy(leaving);
    }
    PartComponent::onEnd();
}

void DrillComponent::onMoved(const math::Vector2<float>& d)
{
    PartComponent::onMoved(d);
    if (head)
        head->move(d);
}

void DrillComponent::onRotated(float delta)
{
    PartComponent::onRotated(delta);
    if (!head)
        return;
    head->rotate(delta);
    const math::Vector2<float> r = head->getPosition() - position;
    const float c = std::cos(delta);
    const float s = std::sin(delta);
    head->setPosition(position + math::Vector2<float>(r.x * c - r.y * s, r.x * s + r.y * c));
}

void DrillComponent::onMirroredX()
{
    PartComponent::onMirroredX();
    if (head) {
        const float c = std::cos(rotation);
        const float s = std::sin(rotation);
        const math::Vector2<float> u(-s, c);
        const math::Vector2<float> r = head->getPosition() - position;
        const float t = u.x * r.x + u.y * r.y;
        head->setPosition(position + math::Vector2<float>(2.0f * t * u.x - r.x, 2.0f * t * u.y - r.y));
        head->setRotation(2.0f * rotation - head->getRotation());
    }
    updateJoints();
}

} // namespace velk
