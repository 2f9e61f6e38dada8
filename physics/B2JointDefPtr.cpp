#include "physics/B2JointDefPtr.hpp"

void B2JointDefDeleter::operator()(b2JointDef* def) const
{
    if (def == nullptr)
        return;
    switch (def->type)
    {
    case e_revoluteJoint: delete static_cast<b2RevoluteJointDef*>(def); break;
    case e_prismaticJoint: delete static_cast<b2PrismaticJointDef*>(def); break;
    case e_distanceJoint: delete static_cast<b2DistanceJointDef*>(def); break;
    case e_pulleyJoint: delete static_cast<b2PulleyJointDef*>(def); break;
    case e_mouseJoint: delete static_cast<b2MouseJointDef*>(def); break;
    case e_gearJoint: delete static_cast<b2GearJointDef*>(def); break;
    case e_wheelJoint: delete static_cast<b2WheelJointDef*>(def); break;
    case e_weldJoint: delete static_cast<b2WeldJointDef*>(def); break;
    case e_frictionJoint: delete static_cast<b2FrictionJointDef*>(def); break;
    case e_motorJoint: delete static_cast<b2MotorJointDef*>(def); break;
    default: delete def; break;
    }
}
