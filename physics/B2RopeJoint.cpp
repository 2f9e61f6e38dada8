#include "physics/B2RopeJoint.hpp"

void B2RopeJoint::setDef(b2DistanceJointDef& def, float maxLength)
{
    def.maxLength = maxLength;
    def.length = maxLength;
    def.minLength = 0.0f;
    def.stiffness = 0.0f;
    def.damping = 0.0f;
}
