#pragma once

#include <box2d/box2d.h>

/// Box2D 2.4 has no rope joint. A distance joint that may shrink freely but not grow
/// beyond a maximum length, without a spring, does the same; scene files still name
/// it a rope, and such a joint is not mirrored.
class B2RopeJoint
{
public:
    /// Turns `def` into the stand-in for a rope of `maxLength`.
    static void setDef(b2DistanceJointDef& def, float maxLength);
    /// `joint` is such a stand-in (and so is written back as a rope).
    static bool isRope(const b2DistanceJoint& joint);
};
