#include "physics/B2Mirror.hpp"

#include "physics/B2ShapeCheck.hpp"

#include <cfloat>
#include <cstdio>
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
            std::printf("Not mirroring a polygon that Box2D would refuse once mirrored.\n");
    }
    else if (auto* circle = dynamic_cast<b2CircleShape*>(shape))
        circle->m_p.x = -circle->m_p.x;
}

void mirrorb2BodyX(b2Body* body)
{
    if (body == nullptr)
        return;
    for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        mirrorShapeX(fixture->GetShape());
    if (B2ShapeCheck::canResetMassData(body))
        body->ResetMassData();
    else
        std::printf("Keeping the mass of a mirrored body whose new mass Box2D would refuse.\n");

    std::vector<B2JointDefPtr> definitions;
    std::vector<b2Joint*> doomed;
    for (b2JointEdge* edge = body->GetJointList(); edge != nullptr; edge = edge->next)
    {
        B2JointDefPtr def = joint2jointDef(body, edge->joint);
        if (def)
        {
            definitions.push_back(std::move(def));
            doomed.push_back(edge->joint);
        }
    }
    b2World* world = body->GetWorld();
    for (b2Joint* joint : doomed)
        world->DestroyJoint(joint);
    for (const B2JointDefPtr& def : definitions)
        world->CreateJoint(def.get());
}

namespace
{
template <class Def>
B2JointDefPtr start(b2Joint* joint, b2Vec2 anchorA, b2Vec2 anchorB, Def*& out)
{
    out = new Def;
    out->type = joint->GetType();
    out->userData = joint->GetUserData();
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

B2JointDefPtr joint2jointDef(b2Body* body, b2Joint* joint)
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
        // A distance joint that only limits its maximum length is the stand-in for a
        // rope joint, which is not mirrored.
        if (j->GetStiffness() == 0.0f && j->GetMinLength() < j->GetMaxLength() && j->GetMaxLength() < FLT_MAX)
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
