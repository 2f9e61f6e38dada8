#pragma once

#include "engine/GameAxis.hpp"
#include "engine/ThorShapeAnimator.hpp"
#include "game/ship/PartComponent.hpp"

#include <memory>

class b2Fixture;
class b2PrismaticJoint;
class b2RevoluteJoint;

namespace velk {

/// A drill: its part object slides out of the hull on the prismatic joint of
/// its body "Rail" and spins a mount on the revolute joint of its body
/// "HeadBody". The placed part's property "drillhead" names the catalogue
/// code of an exchangeable head, loaded as an object of its own, welded to the
/// component "HeadWelding" and animated from its "Frame<i>" rectangles while
/// it is on. The head can only be on while the drill is out. The play rules
/// bore the terrain where an active head's fixture "HeadFix" touches it.
class DrillComponent : public PartComponent {
public:
    enum DrillAnimation { Spin = 0 };

    static constexpr float RailSpeed = 10.0f;
    static constexpr float HeadSpeed = 4.0f;
    static constexpr float DefaultFrameTime = 0.01f;

    explicit DrillComponent(backend::PartEntry* entry);
    ~DrillComponent() override;

    bool isOut() const { return out; }
    /// Drives the rail out or in; going in turns the head off.
    void setOut(bool on);
    void switchOut() { setOut(!out); }
    void setHeadAxis(GameAxis* axis) { headAxis = axis; }
    GameAxis* getHeadAxis() const { return headAxis; }

    bool isHeadTurnedOn() const { return headOn; }
    /// On only while the drill is out; the spin animation follows.
    void turnHead(bool on);
    void turnHeadOn();
    void turnHeadOff();
    void turnHeadSwitch() { turnHead(!headOn); }

    /// Finds the rail and head joints on the part object's bodies again;
    /// joints no longer there are forgotten.
    void updateJoints();
    b2PrismaticJoint* railJoint() const { return rail; }
    b2RevoluteJoint* headJoint() const { return spin; }

    const backend::ShipPart* drillHeadPart() const { return headPart; }
    GameObject* drillHead() { return head; }
    const GameObject* drillHead() const { return head; }
    /// The head's digging fixture "HeadFix" while the head is on, else null.
    b2Fixture* getDrillHeadFixture() const;
    /// The head's "Radius"; 0 without one.
    float getDrillHeadRadius() const;
    /// The head's "Drilltime"; the largest float without one.
    float getDrillTime() const;
    const ThorShapeAnimator<DrillAnimation>* headAnimator() const { return animator.get(); }

    void refreshJoints() override { updateJoints(); }
    void onMirroredX() override;
    void onUpdate(float dt) override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    bool hasBody(b2Body* body) const override;
    void onBegin() override;
    void onEnd() override;
    void onMoved(const math::Vector2<float>& displacement) override;
    void onRotated(float change) override;

private:
    void buildHead();
    void playSpin(bool on);
    float headProperty(const std::string& key, float fallback) const;

    bool out = false;
    GameAxis* headAxis = nullptr;
    bool headOn = false;
    b2PrismaticJoint* rail = nullptr;
    b2RevoluteJoint* spin = nullptr;
    const backend::ShipPart* headPart = nullptr;
    GameObject* head = nullptr;
    std::unique_ptr<ThorShapeAnimator<DrillAnimation>> animator;
};

} // namespace velk
