// The ship's controls, frame step, motion of its parts, death and camera.
#include "game/ship/ShipObject.hpp"

#include "engine/GameWorld.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "game/ship/CockpitComponent.hpp"
#include "game/ship/DrillComponent.hpp"
#include "game/ship/HullComponent.hpp"
#include "game/ship/LampComponent.hpp"
#include "game/ship/PartComponent.hpp"

#include <SFML/Window/Joystick.hpp>
#include <box2d/box2d.h>

#include <cmath>

namespace velk {

void ShipObject::setupControls()
{
    joystick = GameAxis::NoJoystick;
    for (unsigned id = 0; id < sf::Joystick::Count; ++id)
        if (sf::Joystick::isConnected(id)) {
            joystick = id;
            break;
        }
    using Action = fx::InputAction;
    using Key = sf::Keyboard;

    GameAxis* thrust = axes[0];
    thrust->setButton(Action(Key::W) || Action(Key::Up), GameAxis::Negative);
    thrust->setButton(Action(Key::S) || Action(Key::Down), GameAxis::Positive);
    thrust->setJoystickId(joystick);
    thrust->setJoystickAxis(sf::Joystick::Z);
    thrust->setInverted(true);
    thrust->setDeadZone(0.05f);

    GameAxis* side = axes[1];
    side->setButton(Action(Key::D) || Action(Key::Right), GameAxis::Positive);
    side->setButton(Action(Key::A) || Action(Key::Left), GameAxis::Negative);
    side->setJoystickId(joystick);
    side->setInverted(true);
    side->setJoystickAxis(sf::Joystick::X);
    side->setDeadZone(0.25f);

    GameAxis* tracks = axes[2];
    tracks->setButton(Action(Key::Q), GameAxis::Negative);
    tracks->setButton(Action(Key::E), GameAxis::Positive);
    tracks->setJoystickId(joystick);
    tracks->setDeadZone(0.16f);
    tracks->setJoystickAxis(sf::Joystick::U);

    GameAxis* heads = axes[3];
    heads->setMouseAxis(GameAxis::Y);
    heads->setDeadZone(0.25f);
    heads->setJoystickId(joystick);
    heads->setJoystickAxis(sf::Joystick::R);
    heads->setMouseFactor(0.075f);

    const auto pad = [this](unsigned button) {
        return Action(fx::JoystickButton(joystick, button), Action::PressOnce);
    };
    actionMap['T'] = Action(Key::Space, Action::PressOnce) || pad(0);
    actionMap['H'] = Action(Key::C, Action::PressOnce) || pad(1) || Action(sf::Mouse::Right, Action::PressOnce);
    actionMap['D'] = Action(Key::F, Action::PressOnce) || pad(2) || Action(sf::Mouse::Left, Action::PressOnce);
    actionMap['L'] = Action(Key::L, Action::PressOnce) || pad(3);
}

std::vector<PartComponent*> ShipObject::parts() const
{
    std::vector<PartComponent*> found;
    for (GameComponent* component : getResources())
        if (auto* part = dynamic_cast<PartComponent*>(component))
            found.push_back(part);
    return found;
}

void ShipObject::onUpdate(float dt)
{
    axes.update(dt);
    GameObject::onUpdate(dt);
    setAlive(health > 0.0f);
    if (!isAlive())
        return;
    if (actionMap.isActive('T'))
        turn();
    const bool heads = actionMap.isActive('D');
    const bool rails = actionMap.isActive('H');
    for (DrillComponent* drill : drills()) {
        if (heads)
            drill->turnHeadSwitch();
        if (rails)
            drill->switchOut();
    }
    if (actionMap.isActive('L'))
        for (LampComponent* lamp : lamps())
            lamp->setLampState(!lamp->isLampOn());
}

void ShipObject::turn()
{
    move(math::Vector2<float>(0.0f, TurnLift));
    mirrorX();
}

void ShipObject::onMoved(const math::Vector2<float>& d)
{
    GameObject::onMoved(d);
    for (PartComponent* part : parts())
        if (part->isPhisical())
            part->move(d);
}

void ShipObject::onRotated(float delta)
{
    GameObject::onRotated(delta);
    const math::Vector2<float> s = position;
    const float c = std::cos(delta);
    const float n = std::sin(delta);
    for (PartComponent* part : parts()) {
        if (!part->isPhisical())
            continue;
        part->rotate(delta);
        const math::Vector2<float> r = part->getPosition() - s;
        part->setPosition(s + math::Vector2<float>(r.x * c - r.y * n, r.x * n + r.y * c));
    }
}

void ShipObject::onMirroredX()
{
    GameObject::onMirroredX();
    const math::Vector2<float> s = position;
    const float theta = rotation;
    const math::Vector2<float> u(-std::sin(theta), std::cos(theta));
    for (PartComponent* part : parts()) {
        const math::Vector2<float> p = part->getPosition();
        const float a = part->getRotation();
        if (!part->isPhisical()) {
            part->setPosition(math::Vector2<float>(-p.x, p.y));
            part->setRotation(-a);
            continue;
        }
        const math::Vector2<float> r = p - s;
        const float t = (u.x * r.x + u.y * r.y) / (u.x * u.x + u.y * u.y);
        part->setPosition(s + 2.0f * t * u - r);
        part->setRotation(2.0f * theta - a);
    }
    GameAxis* side = axes[1];
    side->setInverted(!side->isInverted());
}

void ShipObject::onDeath()
{
    deadSnd.setLoop(false);
    deadSnd.play();
    for (char key = 0; key < 4; ++key)
        if (GameAxis* axis = axes.getAxis(key))
            axis->deactivate();
    for (LampComponent* lamp : lamps())
        lamp->turnLampOff();
    for (DrillComponent* drill : drills())
        drill->turnHeadOff();
    for (CockpitComponent* cockpit : cockpits())
        cockpit->turnOff();

    // The parts come loose: every joint on a body of the ship goes.
    if (GameWorld* world = getWorld()) {
        b2World* b2 = world->getB2World();
        b2Joint* joint = b2->GetJointList();
        while (joint) {
            b2Joint* next = joint->GetNext();
            if (hasBody(joint->GetBodyA()) || hasBody(joint->GetBodyB()))
                b2->DestroyJoint(joint);
            joint = next;
        }
    }
    // No part may keep a pointer to a joint that is gone.
    for (PartComponent* part : parts())
        part->refreshJoints();
}

void ShipObject::moveCamera(sf::View& view, float dt) const
{
    math::Vector2<float> c = svec2rvec(view.getCenter());
    math::Vector2<float> d = position - c;
    const float length2 = d.x * d.x + d.y * d.y;
    if (length2 > 9.0f) {
        const float length = std::sqrt(length2);
        c += d - (3.0f / length) * d;
        d = position - c;
    }
    c += d * (3.5f * dt);
    view.setCenter(rvec2svec(c));
}

std::set<DrillComponent*> ShipObject::getActiveDrills() const
{
    std::set<DrillComponent*> active;
    for (DrillComponent* drill : drills())
        if (drill->isHeadTurnedOn())
            active.insert(drill);
    return active;
}

bool ShipObject::isLampOn() const
{
    for (LampComponent* lamp : lamps())
        if (lamp->isLampOn())
            return true;
    return false;
}

} // namespace velk
