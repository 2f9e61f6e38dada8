// The writing part of B2Scene: a Box2D world back to the JSON scene format, with the
// names and custom properties the scene knows.
#include "physics/B2Scene.hpp"

#include "foundation/tools/Log.hpp"
#include "physics/B2SceneJson.hpp"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace
{
using J = B2SceneJson;

constexpr float TwoPi = 6.28318530717958647692f;
} // namespace

float B2Scene::jsonToFloat(const char* name, const Json::Value& value, int index, float defaultValue)
{
    const Json::Value* member = J::member(value, name);
    if (index < 0)
        return J::toFloat(member, defaultValue);
    return J::toFloat(J::element(member, static_cast<unsigned>(index)), defaultValue);
}

b2Vec2 B2Scene::jsonToVec(const char* name, const Json::Value& value, int index, b2Vec2 defaultValue)
{
    const Json::Value* member = J::member(value, name);
    if (index < 0 || member == nullptr)
        return J::toVec(member, defaultValue);
    const auto i = static_cast<unsigned>(index);
    return b2Vec2(J::toFloat(J::element(J::member(*member, "x"), i), 0.0f),
        J::toFloat(J::element(J::member(*member, "y"), i), 0.0f));
}

float B2Scene::hexToFloat(const std::string& text)
{
    return J::hexToFloat(text).value_or(0.0f);
}

std::string B2Scene::floatToHex(float value)
{
    return J::floatToHex(value);
}

void B2Scene::floatToJson(const char* name, float value, Json::Value& target)
{
    target[name] = J::floatValue(value, useHumanReadableFloats);
}

void B2Scene::vecToJson(const char* name, float value, Json::Value& target, int index)
{
    if (index < 0)
        target[name] = J::floatValue(value, useHumanReadableFloats);
    else
        target[name][index] = J::elementValue(value, useHumanReadableFloats);
}

void B2Scene::vecToJson(const char* name, b2Vec2 value, Json::Value& target, int index)
{
    if (index < 0)
    {
        target[name] = J::vecValue(value, useHumanReadableFloats);
        return;
    }
    target[name]["x"][index] = J::elementValue(value.x, useHumanReadableFloats);
    target[name]["y"][index] = J::elementValue(value.y, useHumanReadableFloats);
}

Json::Value B2Scene::writeToValue(b2World* world)
{
    return world != nullptr ? b2j(world) : Json::Value();
}

std::string B2Scene::writeToString(b2World* world)
{
    if (world == nullptr)
        return std::string();
    return Json::StyledWriter().write(b2j(world));
}

bool B2Scene::writeToFile(b2World* world, const char* filename)
{
    if (world == nullptr || filename == nullptr)
        return false;
    // Write beside the target and rename, so a failed write leaves the old file whole.
    const std::string temporary = std::string(filename) + ".tmp";
    {
        std::ofstream stream(temporary, std::ios::out | std::ios::trunc);
        if (!stream)
        {
            tools::log("", std::string("Could not open file ") + filename + " for writing");
            return false;
        }
        Json::StyledStreamWriter("   ").write(stream, b2j(world));
        stream.flush();
        if (!stream)
        {
            tools::log("", std::string("Could not write file ") + filename);
            stream.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), filename) != 0)
    {
        tools::log("", std::string("Could not replace file ") + filename);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

Json::Value B2Scene::b2j(b2World* world)
{
    Json::Value value(Json::objectValue);
    bodyToIndex.clear();
    jointToIndex.clear();
    vecToJson("gravity", world->GetGravity(), value);
    value["allowSleep"] = world->GetAllowSleeping();
    value["autoClearForces"] = world->GetAutoClearForces();
    value["warmStarting"] = world->GetWarmStarting();
    value["continuousPhysics"] = world->GetContinuousPhysics();
    value["subStepping"] = world->GetSubStepping();

    int index = 0;
    for (b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
        bodyToIndex[body] = index++;
    for (b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
        value["body"].append(b2j(body));

    index = 0;
    for (bool gears : {false, true})
        for (b2Joint* joint = world->GetJointList(); joint != nullptr; joint = joint->GetNext())
        {
            if ((joint->GetType() == e_gearJoint) != gears)
                continue;
            value["joint"].append(b2j(joint));
            jointToIndex[joint] = index++;
        }

    // Every image the scene knows by name (loaded or added), in the name table's order.
    for (const auto& entry : imageNames)
        value["image"].append(b2j(entry.first));

    Json::Value properties = writeCustomPropertiesToJson(world);
    if (!properties.empty())
        value["customProperties"] = properties;
    bodyToIndex.clear();
    jointToIndex.clear();
    return value;
}

Json::Value B2Scene::b2j(b2Body* body)
{
    Json::Value value(Json::objectValue);
    const std::string name = getBodyName(body);
    if (!name.empty())
        value["name"] = name;
    static const char* const typeComments[] = {"//static", "//kinematic", "//dynamic"};
    const int type = static_cast<int>(body->GetType());
    value["type"] = type;
    if (type >= 0 && type <= 2)
        value["type"].setComment(std::string(typeComments[type]), Json::commentAfterOnSameLine);
    vecToJson("position", body->GetPosition(), value);
    floatToJson("angle", body->GetAngle(), value);
    vecToJson("linearVelocity", body->GetLinearVelocity(), value);
    floatToJson("angularVelocity", body->GetAngularVelocity(), value);
    if (body->GetLinearDamping() != 0.0f)
        floatToJson("linearDamping", body->GetLinearDamping(), value);
    if (body->GetAngularDamping() != 0.0f)
        floatToJson("angularDamping", body->GetAngularDamping(), value);
    if (body->GetGravityScale() != 1.0f)
        floatToJson("gravityScale", body->GetGravityScale(), value);
    if (body->IsBullet())
        value["bullet"] = true;
    if (!body->IsSleepingAllowed())
        value["allowSleep"] = false;
    if (body->IsAwake())
        value["awake"] = true;
    // Box2D 2.4's "enabled" is the format's "active".
    if (!body->IsEnabled())
        value["active"] = false;
    if (body->IsFixedRotation())
        value["fixedRotation"] = true;

    b2MassData massData;
    body->GetMassData(&massData); // I about the body origin, as the format wants
    if (massData.mass != 0.0f)
        floatToJson("massData-mass", massData.mass, value);
    if (massData.center.x != 0.0f || massData.center.y != 0.0f)
        vecToJson("massData-center", massData.center, value);
    if (massData.I != 0.0f)
        floatToJson("massData-I", massData.I, value);

    for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        value["fixture"].append(b2j(fixture));
    Json::Value properties = writeCustomPropertiesToJson(body);
    if (!properties.empty())
        value["customProperties"] = properties;
    return value;
}

Json::Value B2Scene::b2j(b2Fixture* fixture)
{
    Json::Value value(Json::objectValue);
    const std::string name = getFixtureName(fixture);
    if (!name.empty())
        value["name"] = name;
    if (fixture->GetRestitution() != 0.0f)
        floatToJson("restitution", fixture->GetRestitution(), value);
    if (fixture->GetFriction() != 0.0f)
        floatToJson("friction", fixture->GetFriction(), value);
    if (fixture->GetDensity() != 0.0f)
        floatToJson("density", fixture->GetDensity(), value);
    if (fixture->IsSensor())
        value["sensor"] = true;
    const b2Filter& filter = fixture->GetFilterData();
    if (filter.categoryBits != 1)
        value["filter-categoryBits"] = filter.categoryBits;
    if (filter.maskBits != 65535)
        value["filter-maskBits"] = filter.maskBits;
    if (filter.groupIndex != 0)
        value["filter-groupIndex"] = filter.groupIndex;

    const auto ghostEntry = ghostFlags.find(fixture);
    const GhostFlags* ghosts = ghostEntry != ghostFlags.end() ? &ghostEntry->second : nullptr;
    const b2Shape* shape = fixture->GetShape();
    switch (shape->GetType())
    {
    case b2Shape::e_circle:
    {
        const auto* circle = static_cast<const b2CircleShape*>(shape);
        Json::Value shapeValue(Json::objectValue);
        floatToJson("radius", circle->m_radius, shapeValue);
        vecToJson("center", circle->m_p, shapeValue);
        value["circle"] = shapeValue;
        break;
    }
    case b2Shape::e_edge:
    {
        const auto* edge = static_cast<const b2EdgeShape*>(shape);
        Json::Value shapeValue(Json::objectValue);
        vecToJson("vertex1", edge->m_vertex1, shapeValue);
        vecToJson("vertex2", edge->m_vertex2, shapeValue);
        // A one-sided edge has both ghosts; a two-sided one keeps those a file gave it.
        if (edge->m_oneSided || (ghosts != nullptr && ghosts->first))
        {
            shapeValue["hasVertex0"] = true;
            vecToJson("vertex0", edge->m_vertex0, shapeValue);
        }
        if (edge->m_oneSided || (ghosts != nullptr && ghosts->last))
        {
            shapeValue["hasVertex3"] = true;
            vecToJson("vertex3", edge->m_vertex3, shapeValue);
        }
        value["edge"] = shapeValue;
        break;
    }
    case b2Shape::e_chain:
    {
        const auto* chain = static_cast<const b2ChainShape*>(shape);
        Json::Value shapeValue(Json::objectValue);
        for (int i = 0; i < chain->m_count; ++i)
            vecToJson("vertices", chain->m_vertices[i], shapeValue, i);
        // Box2D 2.4 chains always carry both ghosts; only a file could leave them out.
        if (ghosts == nullptr || ghosts->first)
        {
            shapeValue["hasPrevVertex"] = true;
            vecToJson("prevVertex", chain->m_prevVertex, shapeValue);
        }
        if (ghosts == nullptr || ghosts->last)
        {
            shapeValue["hasNextVertex"] = true;
            vecToJson("nextVertex", chain->m_nextVertex, shapeValue);
        }
        value["chain"] = shapeValue;
        break;
    }
    case b2Shape::e_polygon:
    {
        const auto* polygon = static_cast<const b2PolygonShape*>(shape);
        Json::Value shapeValue(Json::objectValue);
        for (int i = 0; i < polygon->m_count; ++i)
            vecToJson("vertices", polygon->m_vertices[i], shapeValue, i);
        value["polygon"] = shapeValue;
        break;
    }
    default: tools::log("", "Unknown shape type : " + std::to_string(static_cast<int>(shape->GetType()))); break;
    }
    Json::Value properties = writeCustomPropertiesToJson(fixture);
    if (!properties.empty())
        value["customProperties"] = properties;
    return value;
}

void B2Scene::springsToJson(b2Joint* joint, float stiffness, float damping, bool angular, const char* frequencyKey,
    const char* ratioKey, Json::Value& target)
{
    float frequency = 0.0f;
    float ratio = 0.0f;
    const auto found = springValues.find(joint);
    if (found != springValues.end() && found->second.stiffness == stiffness && found->second.damping == damping)
    {
        // The file's own numbers, as long as the joint still has the spring they made.
        frequency = found->second.frequency;
        ratio = found->second.ratio;
    }
    else
    {
        // Undo b2LinearStiffness / b2AngularStiffness with the bodies' present masses.
        const float a = angular ? joint->GetBodyA()->GetInertia() : joint->GetBodyA()->GetMass();
        const float b = angular ? joint->GetBodyB()->GetInertia() : joint->GetBodyB()->GetMass();
        const float mass = (a > 0.0f && b > 0.0f) ? a * b / (a + b) : (a > 0.0f ? a : b);
        if (mass > 0.0f && stiffness > 0.0f)
        {
            const float omega = std::sqrt(stiffness / mass);
            frequency = omega / TwoPi;
            ratio = damping / (2.0f * mass * omega);
        }
    }
    floatToJson(frequencyKey, frequency, target);
    floatToJson(ratioKey, ratio, target);
}
