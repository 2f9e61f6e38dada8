// The joint and image writers of B2Scene.
#include "physics/B2Scene.hpp"

#include "foundation/tools/Log.hpp"

#include <string>

Json::Value B2Scene::b2j(b2Joint* joint)
{
    Json::Value value(Json::objectValue);
    value["bodyA"] = lookupBodyIndex(joint->GetBodyA());
    value["bodyB"] = lookupBodyIndex(joint->GetBodyB());
    if (joint->GetCollideConnected())
        value["collideConnected"] = true;
    const std::string name = getJointName(joint);
    if (!name.empty())
        value["name"] = name;

    // Anchors are written from the local anchors Box2D keeps: the world anchors taken
    // back into the body frames, without the rounding of that round trip.
    switch (joint->GetType())
    {
    case e_revoluteJoint:
    {
        auto* j = static_cast<b2RevoluteJoint*>(joint);
        value["type"] = "revolute";
        vecToJson("anchorA", j->GetLocalAnchorA(), value);
        vecToJson("anchorB", j->GetLocalAnchorB(), value);
        floatToJson("refAngle", j->GetReferenceAngle(), value);
        floatToJson("jointSpeed", j->GetJointSpeed(), value);
        value["enableLimit"] = j->IsLimitEnabled();
        floatToJson("lowerLimit", j->GetLowerLimit(), value);
        floatToJson("upperLimit", j->GetUpperLimit(), value);
        value["enableMotor"] = j->IsMotorEnabled();
        floatToJson("motorSpeed", j->GetMotorSpeed(), value);
        floatToJson("maxMotorTorque", j->GetMaxMotorTorque(), value);
        break;
    }
    case e_prismaticJoint:
    {
        auto* j = static_cast<b2PrismaticJoint*>(joint);
        value["type"] = "prismatic";
        vecToJson("anchorA", j->GetLocalAnchorA(), value);
        vecToJson("anchorB", j->GetLocalAnchorB(), value);
        vecToJson("localAxisA", j->GetLocalAxisA(), value);
        floatToJson("refAngle", j->GetReferenceAngle(), value);
        value["enableLimit"] = j->IsLimitEnabled();
        floatToJson("lowerLimit", j->GetLowerLimit(), value);
        floatToJson("upperLimit", j->GetUpperLimit(), value);
        value["enableMotor"] = j->IsMotorEnabled();
        floatToJson("motorSpeed", j->GetMotorSpeed(), value);
        floatToJson("maxMotorForce", j->GetMaxMotorForce(), value);
        break;
    }
    case e_distanceJoint:
    {
        auto* j = static_cast<b2DistanceJoint*>(joint);
        vecToJson("anchorA", j->GetLocalAnchorA(), value);
        vecToJson("anchorB", j->GetLocalAnchorB(), value);
        if (isRope(joint))
        {
            value["type"] = "rope";
            floatToJson("maxLength", ropeLengths.at(joint).file, value);
            break;
        }
        value["type"] = "distance";
        floatToJson("length", j->GetLength(), value);
        springsToJson(joint, j->GetStiffness(), j->GetDamping(), false, "frequency", "dampingRatio", value);
        break;
    }
    case e_pulleyJoint:
    {
        auto* j = static_cast<b2PulleyJoint*>(joint);
        value["type"] = "pulley";
        vecToJson("groundAnchorA", j->GetGroundAnchorA(), value);
        vecToJson("groundAnchorB", j->GetGroundAnchorB(), value);
        vecToJson("anchorA", j->GetBodyA()->GetLocalPoint(j->GetAnchorA()), value);
        vecToJson("anchorB", j->GetBodyB()->GetLocalPoint(j->GetAnchorB()), value);
        floatToJson("lengthA", b2Distance(j->GetAnchorA(), j->GetGroundAnchorA()), value);
        floatToJson("lengthB", b2Distance(j->GetAnchorB(), j->GetGroundAnchorB()), value);
        floatToJson("ratio", j->GetRatio(), value);
        break;
    }
    case e_mouseJoint:
    {
        auto* j = static_cast<b2MouseJoint*>(joint);
        value["type"] = "mouse";
        vecToJson("target", j->GetTarget(), value);
        vecToJson("anchorB", j->GetAnchorB(), value);
        floatToJson("maxForce", j->GetMaxForce(), value);
        springsToJson(joint, j->GetStiffness(), j->GetDamping(), false, "frequency", "dampingRatio", value);
        break;
    }
    case e_gearJoint:
    {
        auto* j = static_cast<b2GearJoint*>(joint);
        value["type"] = "gear";
        value["joint1"] = lookupJointIndex(j->GetJoint1());
        value["joint2"] = lookupJointIndex(j->GetJoint2());
        value["ratio"] = static_cast<double>(j->GetRatio());
        break;
    }
    case e_wheelJoint:
    {
        auto* j = static_cast<b2WheelJoint*>(joint);
        value["type"] = "wheel";
        vecToJson("anchorA", j->GetLocalAnchorA(), value);
        vecToJson("anchorB", j->GetLocalAnchorB(), value);
        vecToJson("localAxisA", j->GetLocalAxisA(), value);
        value["enableMotor"] = j->IsMotorEnabled();
        floatToJson("motorSpeed", j->GetMotorSpeed(), value);
        floatToJson("maxMotorTorque", j->GetMaxMotorTorque(), value);
        springsToJson(joint, j->GetStiffness(), j->GetDamping(), false, "springFrequency", "springDampingRatio", value);
        break;
    }
    case e_motorJoint:
    {
        auto* j = static_cast<b2MotorJoint*>(joint);
        value["type"] = "motor";
        // The loader reads "anchorA" as the linear offset and takes "correctionFactor":
        // both are written so that the joint loads back as it is (Box2D's own anchors
        // of a motor joint are only the body origins, which carry nothing).
        vecToJson("anchorA", j->GetLinearOffset(), value);
        vecToJson("anchorB", j->GetBodyB()->GetLocalPoint(j->GetAnchorB()), value);
        floatToJson("refAngle", j->GetAngularOffset(), value);
        floatToJson("correctionFactor", j->GetCorrectionFactor(), value);
        floatToJson("maxForce", j->GetMaxForce(), value);
        floatToJson("maxTorque", j->GetMaxTorque(), value);
        break;
    }
    case e_weldJoint:
    {
        auto* j = static_cast<b2WeldJoint*>(joint);
        value["type"] = "weld";
        vecToJson("anchorA", j->GetLocalAnchorA(), value);
        vecToJson("anchorB", j->GetLocalAnchorB(), value);
        floatToJson("refAngle", j->GetReferenceAngle(), value);
        springsToJson(joint, j->GetStiffness(), j->GetDamping(), true, "frequency", "dampingRatio", value);
        break;
    }
    case e_frictionJoint:
    {
        auto* j = static_cast<b2FrictionJoint*>(joint);
        value["type"] = "friction";
        vecToJson("anchorA", j->GetLocalAnchorA(), value);
        vecToJson("anchorB", j->GetLocalAnchorB(), value);
        floatToJson("maxForce", j->GetMaxForce(), value);
        floatToJson("maxTorque", j->GetMaxTorque(), value);
        break;
    }
    default:
        tools::log("",
            "Unknown joint type not stored in snapshot : " + std::to_string(static_cast<int>(joint->GetType())));
        break;
    }
    Json::Value properties = writeCustomPropertiesToJson(joint);
    if (!properties.empty())
        value["customProperties"] = properties;
    return value;
}

Json::Value B2Scene::b2j(B2SceneImage* image)
{
    Json::Value value(Json::objectValue);
    value["body"] = image->body != nullptr ? lookupBodyIndex(image->body) : -1;
    if (!image->name.empty())
        value["name"] = image->name;
    if (!image->file.empty())
        value["file"] = image->file;
    vecToJson("center", image->center, value);
    floatToJson("angle", image->angle, value);
    floatToJson("scale", image->scale, value);
    floatToJson("aspectScale", image->aspectScale, value);
    floatToJson("opacity", image->opacity, value);
    floatToJson("renderOrder", image->renderOrder, value);
    value["filter"] = image->filter;
    if (image->flip)
        value["flip"] = true;
    const int* tint = image->colorTint;
    if (tint[0] != 255 || tint[1] != 255 || tint[2] != 255 || tint[3] != 255)
        for (int i = 0; i < 4; ++i)
            value["colorTint"][i] = tint[i];
    for (int i = 0; i < 4; ++i)
        vecToJson("corners", image->corners[i], value, i);
    if (image->numPoints > 0 && image->points != nullptr && image->uvCoords != nullptr)
        for (int i = 0; i < 2 * image->numPoints; ++i)
        {
            vecToJson("glVertexPointer", image->points[i], value, i);
            vecToJson("glTexCoordPointer", image->uvCoords[i], value, i);
        }
    if (image->numIndices > 0 && image->indices != nullptr)
        for (int i = 0; i < image->numIndices; ++i)
            value["glDrawElements"][i] = static_cast<Json::UInt>(image->indices[i]);
    Json::Value properties = writeCustomPropertiesToJson(image);
    if (!properties.empty())
        value["customProperties"] = properties;
    return value;
}
