#include "game/ship/JetComponent.hpp"

#include "engine/GameObject.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/tools/StringUtils.hpp"
#include "game/ship/ShipPaths.hpp"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

namespace velk {

JetComponent::JetComponent(backend::PartEntry* entry) : PartComponent(entry), FuelConsumer(nullptr) {}

JetComponent::~JetComponent() = default;

void JetComponent::setupContol(GameAxis* a, bool onlyPositive, GameAxis::Direction d)
{
    axis = a;
    positiveOnly = onlyPositive;
    direction = d;
}

float JetComponent::getAxisLevel() const
{
    if (isTankEmpty() || !axis)
        return 0.0f;
    float level = axis->getValue(direction == GameAxis::Negative ? -1.0f : 1.0f);
    if (positiveOnly && level < 0.0f)
        level = 0.0f;
    return level;
}

float JetComponent::getAxisValue() const
{
    return getAxisLevel() * strength;
}

void JetComponent::onBegin()
{
    soundKeys = {"Sound+", "Sound-"};
    PartComponent::onBegin();

    GameObject* object = partObject();
    if (object) {
        GameWorld* world = getWorld();
        for (GameComponent* component : object->getResources()) {
            const std::string& id = component->getId();
            if (id != "Flame+" && id != "Flame-")
                continue;
            if (isTest()) {
                component->getShape().setFillColor(sf::Color::Transparent);
                continue;
            }
            const GameComponent::Properties props = component->properties();
            const auto flame = props.find("Flame");
            if (flame == props.end())
                continue;
            const std::string& name = flame->second;
            auto made = std::make_unique<JetFlame>(&component->getShape());
            made->setDirection(id == "Flame+" ? JetFlame::Positive : JetFlame::Negative);
            if (!made->loadFromFile(joinPath(joinPath(flameFolder, name), name + ".flame.json")))
                continue;
            if (world)
                made->loadTextures(world->texCache());
            flameList.push_back(std::move(made));
        }
        if (object->isPropertyExists("Strength"))
            strength = tools::str2t<float>(object->getProperty("Strength"));
    }
    updateBrakeJoints();
    for (auto& sound : sounds) {
        sound->sound().setLoop(true);
        sound->sound().play();
        sound->setVolume(0.0f);
    }
}

void JetComponent::updateBrakeJoints()
{
    if (!getObject() || !partObject())
        return;
    brakes.clear();
    b2Body* engine = partObject()->getPhisics().getBodyByName("Engine");
    if (!engine)
        return;
    for (b2JointEdge* edge = engine->GetJointList(); edge; edge = edge->next) {
        if (edge->joint->GetType() != e_revoluteJoint)
            continue;
        auto* joint = static_cast<b2RevoluteJoint*>(edge->joint);
        joint->EnableMotor(true);
        brakes.push_back(joint);
    }
}

void JetComponent::driveRoofs(float sign)
{
    for (b2RevoluteJoint* joint : brakes) {
        if (joint->GetLowerLimit() >= -0.01f)
            joint->SetMotorSpeed(sign * RoofSpeed);
        else if (joint->GetUpperLimit() <= 0.01f)
            joint->SetMotorSpeed(-sign * RoofSpeed);
    }
}

void JetComponent::openBrakeRoofs()
{
    driveRoofs(1.0f);
}

void JetComponent::closeBrakeRoofs()
{
    driveRoofs(-1.0f);
}

void JetComponent::onMirroredX()
{
    PartComponent::onMirroredX();
    // Mirroring rebuilds the part object's joints.
    updateBrakeJoints();
}

void JetComponent::onUpdate(float dt)
{
    if (!isActive())
        return;
    const float level = getAxisLevel();
    if (b2Body* body = partMainBody(); body && body->GetType() == b2_dynamicBody) {
        const float force = level * strength;
        const float angle = body->GetAngle();
        body->ApplyForceToCenter(b2Vec2(-std::sin(angle) * force, std::cos(angle) * force), true);
    }
    if (axis)
        for (auto& flame : flameList) {
            flame->setLevel(level);
            flame->update(dt);
        }
    if (!brakes.empty()) {
        if (level < 0.0f)
            openBrakeRoofs();
        else
            closeBrakeRoofs();
    }
    PartComponent::onUpdate(dt);
    if (sounds.size() >= 2) {
        const float volume = level * soundVolumeSetting() * getSoundVolumeFactor();
        sounds[0]->setVolume(std::max(volume, 0.0f));
        sounds[1]->setVolume(std::max(-volume, 0.0f));
    }
    if (!isTest())
        consumeFuel(std::fabs(level * strength) * FuelPerForce * dt);
}

} // namespace velk
