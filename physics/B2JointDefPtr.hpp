#pragma once

#include <box2d/box2d.h>

#include <memory>

/// Deletes a joint definition as the type its `type` field names: Box2D's
/// `b2JointDef` has no virtual destructor, so deleting through the base is undefined.
struct B2JointDefDeleter
{
    void operator()(b2JointDef* def) const;
};

/// An owned joint definition of any joint type.
using B2JointDefPtr = std::unique_ptr<b2JointDef, B2JointDefDeleter>;
