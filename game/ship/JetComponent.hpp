#pragma once

#include "engine/GameAxis.hpp"
#include "game/ship/JetFlame.hpp"
#include "game/ship/PartComponent.hpp"
#include "game/ship/backend/FuelConsumer.hpp"

#include <memory>
#include <vector>

class b2RevoluteJoint;

namespace velk {

/// A jet engine: pushes its part body along the body's local +Y axis with
/// thrust level x "Strength", burns fuel for it, drives the flames of its
/// "Flame+"/"Flame-" components, opens its brake roofs (the motorised hinges
/// on its body "Engine") for negative thrust and sets the volumes of its
/// "Sound+"/"Sound-" loops. The thrust level comes from the axis the ship
/// binds; without fuel it is 0.
class JetComponent : public PartComponent, public FuelConsumer {
public:
    static constexpr float RoofSpeed = 5.0f;
    /// Fuel per unit of force and second.
    static constexpr float FuelPerForce = 0.0005f;

    explicit JetComponent(backend::PartEntry* entry);
    ~JetComponent() override;

    void setupContol(GameAxis* axis, bool positiveOnly, GameAxis::Direction direction);
    GameAxis* getAxis() const { return axis; }
    GameAxis::Direction getDirection() const { return direction; }
    bool isPositiveOnly() const { return positiveOnly; }
    float getStrength() const { return strength; }

    /// The thrust level in [-1, 1]: 0 with an empty tank or without an axis.
    float getAxisLevel() const;
    /// getAxisLevel() x strength.
    float getAxisValue() const;

    void openBrakeRoofs();
    void closeBrakeRoofs();
    /// Collects the revolute joints on the part object's body "Engine" again.
    void updateBrakeJoints();
    const std::vector<b2RevoluteJoint*>& brakeJoints() const { return brakes; }
    const std::vector<std::unique_ptr<JetFlame>>& flames() const { return flameList; }

    void refreshJoints() override { updateBrakeJoints(); }
    void onMirroredX() override;
    void onUpdate(float dt) override;
    void onBegin() override;

private:
    void driveRoofs(float sign);

    float strength = 0.0f;
    GameAxis* axis = nullptr;
    bool positiveOnly = false;
    GameAxis::Direction direction = GameAxis::Positive;
    std::vector<std::unique_ptr<JetFlame>> flameList;
    std::vector<b2RevoluteJoint*> brakes;
};

} // namespace velk
