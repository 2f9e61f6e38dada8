#include "physics/B2RopeJoint.hpp"

#include <cfloat>

void B2RopeJoint::setDef(b2DistanceJointDef& def, float maxLength)
{
    def.maxLength = maxLength;
    def.length = maxLength;
    def.minLength = 0.0f;
    def.stiffness = 0.0f;
    def.damping = 0.0f;
}

bool B2RopeJoint::isRope(const b2DistanceJoint& joint)
{
    // A plain distance joint holds its length (minimum = maximum); a spring has
    // stiffness and no upper bound.
    return joint.GetStiffness() == 0.0f && joint.GetMinLength() < joint.GetMaxLength()
        && joint.GetMaxLength() < FLT_MAX;
}
