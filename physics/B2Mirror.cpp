#include "physics/B2Mirror.hpp"

#include "foundation/tools/Log.hpp"
#include "physics/B2Scene.hpp"
#include "physics/B2ShapeCheck.hpp"

#include <vector>

void mirrorShapeX(b2Shape* shape)
{
    if (shape == nullptr)
        return;
    if (auto* polygon = dynamic_cast<b2PolygonShape*>(shape))
    {
        const int n = polygon->m_count;
        std::vector<b2Vec2> mirrored(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            mirrored[static_cast<std::size_t>(n - 1 - i)].Set(-polygon->m_vertices[i].x, polygon->m_vertices[i].y);
        // Mirroring keeps the geometry, but Box2D recomputes the hull with fresh
        // rounding; a polygon on the edge of validity could then abort the process.
        if (B2ShapeCheck::isValidPolygon(mirrored))
            polygon->Set(mirrored.data(), n);
        else
            tools::log("", "Not mirroring a polygon that Box2D would refuse once mirrored.");
    }
    else if (auto* circle = dynamic_cast<b2CircleShape*>(shape))
        circle->m_p.x = -circle->m_p.x;
}

namespace
{
/// What is needed to make again a gear joint that links one of the joints being
/// rebuilt, taken before the gear is destroyed.
struct GearCopy
{
    b2GearJoint* gear;
    b2Joint* joint1;
    b2Joint* joint2;
    int rebuilt1; ///< Position of joint 1 among the rebuilt joints, or -1 when it stays.
    int rebuilt2;
    float ratio;
    bool collideConnected;
    b2JointUserData userData;
};

int positionOf(const std::vector<b2Joint*>& joints, const b2Joint* joint)
{
    for (std::size_t i = 0; i < joints.size(); ++i)
        if (joints[i] == joint)
            return static_cast<int>(i);
    return -1;
}

/// Box2D's gear keeps raw pointers to its two joints and caches their frames when
/// it is made, so a gear on a rebuilt joint would keep a dangling pointer (which the
/// writer, GetJoint1/2 and Dump follow) and the old anchors and axes. Such gears are
/// gathered here, destroyed before their joints as Box2D requires, and made again.
std::vector<GearCopy> gearsOn(b2World* world, const std::vector<b2Joint*>& rebuilt)
{
    std::vector<GearCopy> gears;
    for (b2Joint* joint = world->GetJointList(); joint != nullptr; joint = joint->GetNext())
    {
        if (joint->GetType() != e_gearJoint)
            continue;
        auto* gear = static_cast<b2GearJoint*>(joint);
        const int rebuilt1 = positionOf(rebuilt, gear->GetJoint1());
        const int rebuilt2 = positionOf(rebuilt, gear->GetJoint2());
        if (rebuilt1 >= 0 || rebuilt2 >= 0)
            gears.push_back(GearCopy{gear, gear->GetJoint1(), gear->GetJoint2(), rebuilt1, rebuilt2, gear->GetRatio(),
                gear->GetCollideConnected(), gear->GetUserData()});
    }
    return gears;
}

/// The definition that makes `copy`'s gear again on the new joints.
b2GearJointDef gearDef(const GearCopy& copy, const std::vector<b2Joint*>& created, const std::vector<bool>& turned)
{
    b2GearJointDef def;
    def.joint1 = copy.rebuilt1 >= 0 ? created[static_cast<std::size_t>(copy.rebuilt1)] : copy.joint1;
    def.joint2 = copy.rebuilt2 >= 0 ? created[static_cast<std::size_t>(copy.rebuilt2)] : copy.joint2;
    // The gear moves body B of each joint (and overrides the definition's bodies
    // with them); Box2D only asserts that the definition's two bodies differ.
    def.bodyA = def.joint1->GetBodyB();
    def.bodyB = def.joint2->GetBodyB();
    if (def.bodyA == def.bodyB)
        def.bodyA = def.joint1->GetBodyA();
    // A revolute joint mirrored on its side A turns the other way (its limits and
    // motor are negated); when only one of the gear's coordinates turns, the ratio
    // between them changes sign.
    const bool turned1 = copy.rebuilt1 >= 0 && turned[static_cast<std::size_t>(copy.rebuilt1)];
    const bool turned2 = copy.rebuilt2 >= 0 && turned[static_cast<std::size_t>(copy.rebuilt2)];
    def.ratio = turned1 != turned2 ? -copy.ratio : copy.ratio;
    def.collideConnected = copy.collideConnected;
    def.userData = copy.userData;
    return def;
}
} // namespace

void mirrorb2BodyX(b2Body* body, const B2Scene* scene)
{
    if (body == nullptr)
        return;
    for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        mirrorShapeX(fixture->GetShape());
    if (B2ShapeCheck::canResetMassData(body))
        body->ResetMassData();
    else
        tools::log("", "Keeping the mass of a mirrored body whose new mass Box2D would refuse.");

    std::vector<B2JointDefPtr> definitions;
    std::vector<b2Joint*> doomed;
    std::vector<bool> turned;
    for (b2JointEdge* edge = body->GetJointList(); edge != nullptr; edge = edge->next)
    {
        B2JointDefPtr def = joint2jointDef(body, edge->joint, scene);
        if (def)
        {
            definitions.push_back(std::move(def));
            doomed.push_back(edge->joint);
            turned.push_back(edge->joint->GetType() == e_revoluteJoint && edge->joint->GetBodyA() == body);
        }
    }
    b2World* world = body->GetWorld();
    const std::vector<GearCopy> gears = gearsOn(world, doomed);
    for (const GearCopy& copy : gears)
        world->DestroyJoint(copy.gear);
    for (b2Joint* joint : doomed)
        world->DestroyJoint(joint);
    std::vector<b2Joint*> created;
    for (const B2JointDefPtr& def : definitions)
        created.push_back(world->CreateJoint(def.get()));
    for (const GearCopy& copy : gears)
    {
        const b2GearJointDef def = gearDef(copy, created, turned);
        // Box2D asserts that both geared bodies are dynamic; a caller may have changed
        // a body's type since the gear was made.
        if (def.joint1->GetBodyB()->GetType() == b2_dynamicBody && def.joint2->GetBodyB()->GetType() == b2_dynamicBody)
            world->CreateJoint(&def);
        else
            tools::log("", "Dropping a gear joint of a mirrored body whose joints no longer move dynamic bodies.");
    }
}

namespace
{
template <class Def>
B2JointDefPtr start(b2Joint* joint, b2Vec2 anchorA, b2Vec2 anchorB, Def*& out)
{
    out = new Def;
    out->type = joint->GetType();
    out->userData = joint->GetUserData(); // Box2D 2.4's b2JointUserData, copied whole
    out->bodyA = joint->GetBodyA();
    out->bodyB = joint->GetBodyB();
    out->collideConnected = joint->GetCollideConnected();
    out->localAnchorA = anchorA;
    out->localAnchorB = anchorB;
    return B2JointDefPtr(out);
}

b2Vec2 flipX(b2Vec2 v)
{
    return b2Vec2(-v.x, v.y);
}
} // namespace

B2JointDefPtr joint2jointDef(b2Body* body, b2Joint* joint, const B2Scene* scene)
{
    if (body == nullptr || joint == nullptr)
        return nullptr;
    const bool sideA = joint->GetBodyA() == body;
    b2Vec2 anchorA = joint->GetBodyA()->GetLocalPoint(joint->GetAnchorA());
    b2Vec2 anchorB = joint->GetBodyB()->GetLocalPoint(joint->GetAnchorB());
    if (sideA)
        anchorA = flipX(anchorA);
    else
        anchorB = flipX(anchorB);
    // Box2D 2.4's stiffness and damping stand for 2.3's frequency and damping ratio:
    // copied unchanged as those were.
    if (auto* j = dynamic_cast<b2WeldJoint*>(joint))
    {
        b2WeldJointDef* d = nullptr;
        B2JointDefPtr result = start(joint, anchorA, anchorB, d);
        d->referenceAngle = sideA ? -j->GetReferenceAngle() : j->GetReferenceAngle();
        d->stiffness = j->GetStiffness();
        d->damping = j->GetDamping();
        return result;
    }
    if (auto* j = dynamic_cast<b2RevoluteJoint*>(joint))
    {
        b2RevoluteJointDef* d = nullptr;
        B2JointDefPtr result = start(joint, anchorA, anchorB, d);
        d->referenceAngle = sideA ? -j->GetReferenceAngle() : j->GetReferenceAngle();
        d->enableLimit = j->IsLimitEnabled();
        d->lowerAngle = sideA ? -j->GetUpperLimit() : j->GetLowerLimit();
        d->upperAngle = sideA ? -j->GetLowerLimit() : j->GetUpperLimit();
        d->enableMotor = j->IsMotorEnabled();
        d->motorSpeed = sideA ? -j->GetMotorSpeed() : j->GetMotorSpeed();
        d->maxMotorTorque = j->GetMaxMotorTorque();
        return result;
    }
    if (auto* j = dynamic_cast<b2DistanceJoint*>(joint))
    {
        // A rope (a distance joint in Box2D 2.4) is not mirrored.
        if (scene != nullptr && scene->isRope(joint))
            return nullptr;
        b2DistanceJointDef* d = nullptr;
        B2JointDefPtr result = start(joint, anchorA, anchorB, d);
        d->length = j->GetLength();
        d->minLength = j->GetMinLength();
        d->maxLength = j->GetMaxLength();
        d->stiffness = j->GetStiffness();
        d->damping = j->GetDamping();
        return result;
    }
    if (auto* j = dynamic_cast<b2WheelJoint*>(joint))
    {
        b2WheelJointDef* d = nullptr;
        B2JointDefPtr result = start(joint, anchorA, anchorB, d);
        d->localAxisA = sideA ? flipX(j->GetLocalAxisA()) : j->GetLocalAxisA();
        d->enableMotor = j->IsMotorEnabled();
        d->maxMotorTorque = j->GetMaxMotorTorque();
        d->motorSpeed = sideA ? -j->GetMotorSpeed() : j->GetMotorSpeed();
        d->stiffness = j->GetStiffness();
        d->damping = j->GetDamping();
        d->enableLimit = j->IsLimitEnabled();
        d->lowerTranslation = j->GetLowerLimit();
        d->upperTranslation = j->GetUpperLimit();
        return result;
    }
    if (auto* j = dynamic_cast<b2PrismaticJoint*>(joint))
    {
        b2PrismaticJointDef* d = nullptr;
        B2JointDefPtr result = start(joint, anchorA, anchorB, d);
        d->localAxisA = sideA ? flipX(j->GetLocalAxisA()) : j->GetLocalAxisA();
        d->referenceAngle = j->GetReferenceAngle();
        d->enableLimit = j->IsLimitEnabled();
        d->lowerTranslation = j->GetLowerLimit();
        d->upperTranslation = j->GetUpperLimit();
        d->enableMotor = j->IsMotorEnabled();
        d->maxMotorForce = j->GetMaxMotorForce();
        d->motorSpeed = j->GetMotorSpeed();
        return result;
    }
    return nullptr;
}
