// The joint and image builders of B2Scene's loading.
#include "physics/B2Scene.hpp"

#include "physics/B2RopeJoint.hpp"
#include "physics/B2SceneJson.hpp"
#include "physics/B2SceneNumberReader.hpp"
#include "physics/B2ShapeCheck.hpp"

#include <cfloat>
#include <cmath>

namespace
{
using J = B2SceneJson;

const Json::Value* at(const Json::Value& object, const char* name)
{
    return J::member(object, name);
}

template <class Def>
B2JointDefPtr owned(Def* def)
{
    return B2JointDefPtr(def);
}
} // namespace

b2Joint* B2Scene::j2b2Joint(b2World* world, const Json::Value& jointValue)
{
    const int indexA = J::toInt(at(jointValue, "bodyA"), 0);
    const int indexB = J::toInt(at(jointValue, "bodyB"), 0);
    const int bodyCount = static_cast<int>(bodies.size());
    if (indexA < 0 || indexB < 0 || indexA >= bodyCount || indexB >= bodyCount)
    {
        warn("Ignoring joint whose body index is out of range.");
        return nullptr;
    }
    b2Body* bodyA = bodies[static_cast<std::size_t>(indexA)];
    b2Body* bodyB = bodies[static_cast<std::size_t>(indexB)];
    if (bodyA == bodyB)
    {
        warn("Ignoring joint that connects a body with itself.");
        return nullptr;
    }
    const std::string type = J::toString(at(jointValue, "type"), "");
    SpringValues springs{};
    bool hasSprings = false;
    B2JointDefPtr def = makeJointDef(type, jointValue, bodyA, bodyB, springs, hasSprings);
    if (!def)
        return nullptr;
    def->bodyA = bodyA;
    def->bodyB = bodyB;
    def->collideConnected = J::toBool(at(jointValue, "collideConnected"), false);
    b2Joint* joint = world->CreateJoint(def.get());
    if (joint->GetType() == e_mouseJoint)
        static_cast<b2MouseJoint*>(joint)->SetTarget(J::toVec(at(jointValue, "target"), b2Vec2(0.0f, 0.0f)));
    if (hasSprings)
        springValues[joint] = springs;
    else
        springValues.erase(joint);
    // A rope is a distance joint like any other once made (Box2D also raises a
    // maximum below its slop), so it is remembered here.
    if (type == "rope")
        ropeLengths[joint] = RopeLength{static_cast<const b2DistanceJointDef*>(def.get())->maxLength,
            static_cast<b2DistanceJoint*>(joint)->GetMaxLength()};
    else
        ropeLengths.erase(joint);

    const std::string name = J::toString(at(jointValue, "name"), "");
    if (!name.empty())
        jointNames[joint] = name;
    return joint;
}

B2JointDefPtr B2Scene::makeJointDef(const std::string& type, const Json::Value& value, b2Body* bodyA, b2Body* bodyB,
    SpringValues& springs, bool& hasSprings)
{
    B2SceneNumberReader r(value);
    B2JointDefPtr result;
    // Box2D 2.4 has no frequency and damping ratio: they become stiffness and damping
    // through Box2D's own helpers, from the bodies' masses at load time. The file's
    // values are kept for writing them back.
    auto spring =
        [&](float& stiffness, float& damping, const char* frequencyKey, const char* ratioKey, bool angular, bool always)
    {
        const float frequency = r.number(frequencyKey);
        const float ratio = r.number(ratioKey);
        stiffness = 0.0f;
        damping = 0.0f;
        // 2.3 used a spring only for a positive frequency (the mouse joint always).
        if (always || frequency > 0.0f)
        {
            if (angular)
                b2AngularStiffness(stiffness, damping, frequency, ratio, bodyA, bodyB);
            else
                b2LinearStiffness(stiffness, damping, frequency, ratio, bodyA, bodyB);
        }
        springs = SpringValues{frequency, ratio, stiffness, damping};
        hasSprings = true;
    };

    if (type == "revolute")
    {
        auto* d = new b2RevoluteJointDef;
        result = owned(d);
        d->localAnchorA = r.vec("anchorA");
        d->localAnchorB = r.vec("anchorB");
        d->referenceAngle = r.number("refAngle");
        d->enableLimit = r.flag("enableLimit");
        d->lowerAngle = r.number("lowerLimit");
        d->upperAngle = r.number("upperLimit");
        d->enableMotor = r.flag("enableMotor");
        d->motorSpeed = r.number("motorSpeed");
        d->maxMotorTorque = r.number("maxMotorTorque");
    }
    else if (type == "prismatic")
    {
        auto* d = new b2PrismaticJointDef;
        result = owned(d);
        d->localAnchorA = r.vec("anchorA");
        d->localAnchorB = r.vec("anchorB");
        const Json::Value* axis = at(value, "localAxisA");
        d->localAxisA = r.vec(axis != nullptr && !axis->isNull() ? "localAxisA" : "localAxis1");
        d->referenceAngle = r.number("refAngle");
        d->enableLimit = r.flag("enableLimit");
        d->lowerTranslation = r.number("lowerLimit");
        d->upperTranslation = r.number("upperLimit");
        d->enableMotor = r.flag("enableMotor");
        d->motorSpeed = r.number("motorSpeed");
        d->maxMotorForce = r.number("maxMotorForce");
        if (d->lowerTranslation > d->upperTranslation)
        {
            warn("Ignoring prismatic joint whose lower limit is above its upper limit.");
            return nullptr;
        }
    }
    else if (type == "distance")
    {
        auto* d = new b2DistanceJointDef;
        result = owned(d);
        d->localAnchorA = r.vec("anchorA");
        d->localAnchorB = r.vec("anchorB");
        d->length = r.number("length");
        spring(d->stiffness, d->damping, "frequency", "dampingRatio", false, false);
        // A 2.3 distance joint held its length rigidly unless it was a spring; a 2.4 one
        // holds it only between minLength and maxLength, so those say which it is.
        if (springs.frequency > 0.0f)
        {
            d->minLength = 0.0f;
            d->maxLength = FLT_MAX;
        }
        else
        {
            d->minLength = d->length;
            d->maxLength = d->length;
        }
    }
    else if (type == "pulley")
    {
        auto* d = new b2PulleyJointDef;
        result = owned(d);
        d->groundAnchorA = r.vec("groundAnchorA");
        d->groundAnchorB = r.vec("groundAnchorB");
        d->localAnchorA = r.vec("anchorA");
        d->localAnchorB = r.vec("anchorB");
        d->lengthA = r.number("lengthA");
        d->lengthB = r.number("lengthB");
        d->ratio = r.number("ratio");
        if (d->ratio == 0.0f)
        {
            warn("Ignoring pulley joint with a ratio of 0.");
            return nullptr;
        }
    }
    else if (type == "mouse")
    {
        auto* d = new b2MouseJointDef;
        result = owned(d);
        d->target = r.vec("anchorB");
        r.vec("target"); // set after creation; read here only to check it
        d->maxForce = r.number("maxForce");
        spring(d->stiffness, d->damping, "frequency", "dampingRatio", false, true);
    }
    else if (type == "gear")
    {
        auto* d = new b2GearJointDef;
        result = owned(d);
        auto joint = [this, &value](const char* name) -> b2Joint*
        {
            // A gear without a reference names no joint (not the first one).
            const Json::Value* reference = at(value, name);
            if (reference == nullptr || reference->isNull())
                return nullptr;
            const int index = J::toInt(reference, -1);
            if (index < 0 || static_cast<std::size_t>(index) >= joints.size() - jointBase)
                return nullptr;
            b2Joint* j = joints[jointBase + static_cast<std::size_t>(index)];
            if (j == nullptr || (j->GetType() != e_revoluteJoint && j->GetType() != e_prismaticJoint))
                return nullptr;
            return j;
        };
        d->joint1 = joint("joint1");
        d->joint2 = joint("joint2");
        d->ratio = r.number("ratio");
        if (d->joint1 == nullptr || d->joint2 == nullptr)
        {
            warn("Ignoring gear joint whose joints are missing or neither revolute nor prismatic.");
            return nullptr;
        }
        // Box2D gears the second body of each joint and asserts that both are dynamic.
        if (d->joint1->GetBodyB()->GetType() != b2_dynamicBody || d->joint2->GetBodyB()->GetType() != b2_dynamicBody)
        {
            warn("Ignoring gear joint whose joints do not move a dynamic body B.");
            return nullptr;
        }
    }
    else if (type == "wheel")
    {
        auto* d = new b2WheelJointDef;
        result = owned(d);
        d->localAnchorA = r.vec("anchorA");
        d->localAnchorB = r.vec("anchorB");
        d->localAxisA = r.vec("localAxisA");
        d->enableMotor = r.flag("enableMotor");
        d->motorSpeed = r.number("motorSpeed");
        d->maxMotorTorque = r.number("maxMotorTorque");
        spring(d->stiffness, d->damping, "springFrequency", "springDampingRatio", false, false);
    }
    else if (type == "motor")
    {
        auto* d = new b2MotorJointDef;
        result = owned(d);
        d->linearOffset = r.vec("anchorA");
        d->angularOffset = r.number("refAngle");
        d->maxForce = r.number("maxForce");
        d->maxTorque = r.number("maxTorque");
        d->correctionFactor = r.number("correctionFactor");
    }
    else if (type == "weld")
    {
        auto* d = new b2WeldJointDef;
        result = owned(d);
        d->localAnchorA = r.vec("anchorA");
        d->localAnchorB = r.vec("anchorB");
        d->referenceAngle = r.number("refAngle");
        spring(d->stiffness, d->damping, "frequency", "dampingRatio", true, false);
    }
    else if (type == "friction")
    {
        auto* d = new b2FrictionJointDef;
        result = owned(d);
        d->localAnchorA = r.vec("anchorA");
        d->localAnchorB = r.vec("anchorB");
        d->maxForce = r.number("maxForce");
        d->maxTorque = r.number("maxTorque");
    }
    else if (type == "rope")
    {
        // Box2D 2.4 has no rope joint: a distance joint whose length may shrink but
        // not grow beyond the maximum does the same.
        auto* d = new b2DistanceJointDef;
        result = owned(d);
        d->localAnchorA = r.vec("anchorA");
        d->localAnchorB = r.vec("anchorB");
        B2RopeJoint::setDef(*d, r.number("maxLength"));
    }
    else
    {
        warn("Ignoring joint of unknown type '" + type + "'.");
        return nullptr;
    }
    if (!r.allFinite() || (hasSprings && !(std::isfinite(springs.stiffness) && std::isfinite(springs.damping))))
    {
        warn("Ignoring " + type + " joint with a value that is not a finite number.");
        return nullptr;
    }
    return result;
}

B2SceneImage* B2Scene::j2B2SceneImage(const Json::Value& imageValue)
{
    auto* image = new B2SceneImage();
    const Json::Value* body = at(imageValue, "body");
    // The index names a body of this file: `indexToBody` still holds the bodies of an
    // earlier load beyond this file's count, which the world may have destroyed since.
    if (body != nullptr && body->isInt() && body->asInt() >= 0
        && static_cast<std::size_t>(body->asInt()) < bodies.size())
        image->body = bodies[static_cast<std::size_t>(body->asInt())];
    const Json::Value* name = at(imageValue, "name");
    if (name != nullptr && name->isString())
        image->name = name->asString();
    const Json::Value* file = at(imageValue, "file");
    if (file != nullptr && file->isString())
        image->file = file->asString();
    image->center = J::toVec(at(imageValue, "center"), b2Vec2(0.0f, 0.0f));
    image->angle = J::toFloat(at(imageValue, "angle"), 0.0f);
    image->scale = J::toFloat(at(imageValue, "scale"), 0.0f);
    image->aspectScale = J::toFloat(at(imageValue, "aspectScale"), 1.0f);
    image->opacity = J::toFloat(at(imageValue, "opacity"), 0.0f);
    image->renderOrder = J::toFloat(at(imageValue, "renderOrder"), 0.0f);
    const Json::Value* tint = at(imageValue, "colorTint");
    for (unsigned i = 0; i < 4; ++i)
    {
        const Json::Value* component = J::element(tint, i);
        if (component != nullptr && component->isInt())
            image->colorTint[i] = component->asInt();
    }
    const Json::Value* flip = at(imageValue, "flip");
    if (flip != nullptr && flip->isBool())
        image->flip = flip->asBool();
    const Json::Value* filter = at(imageValue, "filter");
    if (filter != nullptr && filter->isInt())
        image->filter = filter->asInt();
    const Json::Value* corners = at(imageValue, "corners");
    const Json::Value* xs = corners != nullptr ? at(*corners, "x") : nullptr;
    const Json::Value* ys = corners != nullptr ? at(*corners, "y") : nullptr;
    for (unsigned i = 0; i < 4; ++i)
        image->corners[i].Set(J::toFloat(J::element(xs, i), 0.0f), J::toFloat(J::element(ys, i), 0.0f));

    const Json::Value* vertices = at(imageValue, "glVertexPointer");
    const Json::Value* uvs = at(imageValue, "glTexCoordPointer");
    if (vertices != nullptr && uvs != nullptr && vertices->isArray() && uvs->isArray()
        && vertices->size() == uvs->size() && vertices->size() >= 2)
    {
        const unsigned n = vertices->size();
        image->numPoints = static_cast<int>(n / 2);
        image->points = new float[n];
        image->uvCoords = new float[n];
        for (unsigned i = 0; i < n; ++i)
        {
            image->points[i] = J::toFloat(J::element(vertices, i), 0.0f);
            image->uvCoords[i] = J::toFloat(J::element(uvs, i), 0.0f);
        }
    }
    const Json::Value* indices = at(imageValue, "glDrawElements");
    if (indices != nullptr && indices->isArray() && indices->size() > 0)
    {
        image->numIndices = static_cast<int>(indices->size());
        image->indices = new std::uint16_t[indices->size()];
        for (unsigned i = 0; i < indices->size(); ++i)
            image->indices[i] = static_cast<std::uint16_t>(J::toInt(J::element(indices, i), 0));
    }
    return image;
}
