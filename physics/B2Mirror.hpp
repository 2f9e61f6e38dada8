#pragma once

#include "physics/B2JointDefPtr.hpp"

#include <box2d/box2d.h>

class B2Scene;

/// Mirrors a body in its own frame, local (x, y) to (-x, y), and rebuilds its weld,
/// revolute, distance, wheel and prismatic joints to match. Position and angle stay.
/// Joints of other kinds are left as they are, and so are the ropes that `scene`
/// loaded (given the scene the body came from); a gear joint linking a rebuilt joint
/// is made again on the new one. Pointers to rebuilt joints held elsewhere (a
/// scene's tables) no longer refer to live joints afterwards.
void mirrorb2BodyX(b2Body* body, const B2Scene* scene = nullptr);

/// Mirrors one shape in place: polygons (keeping counter-clockwise order) and circles;
/// edges and chains stay as they are.
void mirrorShapeX(b2Shape* shape);

/// A definition that re-creates `joint` with `body`'s side mirrored, or null for a
/// joint kind that is not mirrored (or a rope that `scene` loaded). `body` must be
/// one of the joint's bodies.
B2JointDefPtr joint2jointDef(b2Body* body, b2Joint* joint, const B2Scene* scene = nullptr);
