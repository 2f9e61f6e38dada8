#include "game/ship/TrackComponent.hpp"

#include "engine/GameObject.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "game/ship/ShipPaths.hpp"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

namespace velk {

TrackComponent::TrackComponent(backend::PartEntry* entry) : PartComponent(entry), FuelConsumer(nullptr) {}

TrackComponent::~TrackComponent() = default;

float TrackComponent::getAxisLevel() const
{
    if (isTankEmpty() || !control)
        return 0.0f;
    return control->getValue(-1.0f);
}

float TrackComponent::getAxisValue() const
{
    return getAxisLevel() * WheelSpeed;
}

void TrackComponent::onBegin()
{
    soundKeys = {"SoundTrack"};
    PartComponent::onBegin();
    collectWheelJoints();
    for (auto& sound : sounds) {
        sound->sound().setLoop(true);
        sound->sound().setPitch(MinimumPitch);
        sound->sound().play();
        sound->setVolume(0.0f);
        sound->setFadingSpeed(500.0f);
    }
}

void TrackComponent::collectWheelJoints()
{
    wheels.clear();
    GameObject* object = partObject();
    if (!object)
        return;
    // Only this track's own wheels: other objects' wheel joints are theirs.
    std::vector<b2Body*> bodies;
    object->getPhisics().getAllBodies(bodies);
    for (b2Body* body : bodies) {
        if (!body)
            continue;
        for (b2JointEdge* edge = body->GetJointList(); edge; edge = edge->next) {
            if (edge->joint->GetType() != e_wheelJoint)
                continue;
            auto* wheel = static_cast<b2WheelJoint*>(edge->joint);
            if (std::find(wheels.begin(), wheels.end(), wheel) != wheels.end())
                continue;
            wheel->EnableMotor(true);
            wheels.push_back(wheel);
        }
    }
}

void TrackComponent::onMirroredX()
{
    PartComponent::onMirroredX();
    // Mirroring rebuilds the part object's joints.
    collectWheelJoints();
}

void TrackComponent::onEnd()
{
    wheels.clear();
    PartComponent::onEnd();
}

void TrackComponent::onUpdate(float dt)
{
    PartComponent::onUpdate(dt);
    const float level = getAxisLevel();
    if (control)
        for (b2WheelJoint* wheel : wheels)
            wheel->SetMotorSpeed(level * WheelSpeed);
    if (!sounds.empty()) {
        const float size = std::fabs(level);
        sounds[0]->setVolume(soundVolumeSetting() * size * getSoundVolumeFactor());
        sounds[0]->sound().setPitch(std::max(size, MinimumPitch));
    }
    if (!isTest())
        consumeFuel(std::fabs(level * WheelSpeed) * FuelPerSpeed * dt);
}

} // namespace velk
