#pragma once

#include <box2d/box2d.h>

/// Box2D 2.4 has no rope joint. A distance joint that may shrink freely but not grow
/// beyond a maximum length, without a spring, does the same; scene files still name
/// it a rope. Such a joint cannot be told from a distance joint made with the same
/// range, so the scene that loads a rope remembers it (B2Scene::isRope).
class B2RopeJoint
{
public:
    /// Turns `def` into the stand-in for a rope of `maxLength`.
    static void setDef(b2DistanceJointDef& def, float maxLength);
};
