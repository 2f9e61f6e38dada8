#include "physics/B2SceneFormatCheck.hpp"

#include "physics/B2SceneJson.hpp"

#include <iterator>

namespace
{
std::string join(const std::string& path, const char* name)
{
    return path.empty() ? std::string(name) : path + "." + name;
}

std::string indexed(const std::string& path, unsigned index)
{
    return path + "[" + std::to_string(index) + "]";
}
} // namespace

std::string B2SceneFormatCheck::check(const Json::Value& root)
{
    std::string error;
    if (!root.isObject())
        return "the scene is not a JSON object";
    static const Key keys[] = {{"gravity", Form::Vec}, {"allowSleep", Form::Bool}, {"autoClearForces", Form::Bool},
        {"warmStarting", Form::Bool}, {"continuousPhysics", Form::Bool}, {"subStepping", Form::Bool}};
    if (checkKeys(root, keys, std::size(keys), "", error) && checkProperties(root, "", error)
        && checkObjects(root, "body", "", error, &checkBody) && checkObjects(root, "joint", "", error, &checkJoint)
        && checkObjects(root, "image", "", error, &checkImage))
        return std::string();
    return error;
}

bool B2SceneFormatCheck::checkKeys(const Json::Value& object, const Key* keys, std::size_t count,
    const std::string& path, std::string& error)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        const Json::Value* value = B2SceneJson::member(object, keys[i].name);
        if (value != nullptr && !checkForm(*value, keys[i].form, join(path, keys[i].name), error))
            return false;
    }
    return true;
}

bool B2SceneFormatCheck::checkFloat(const Json::Value& value, const std::string& path, std::string& error)
{
    // Strings are hexadecimal floats; a malformed one reads as the default.
    if (value.isConvertibleTo(Json::realValue) || value.isString())
        return true;
    error = path + ": expected a number";
    return false;
}

bool B2SceneFormatCheck::checkForm(const Json::Value& value, Form form, const std::string& path, std::string& error)
{
    switch (form)
    {
    case Form::Float: return checkFloat(value, path, error);
    case Form::Vec:
        if (value.isNull() || value.type() == Json::intValue || value.type() == Json::uintValue)
            return true;
        if (!value.isObject())
            break;
        for (const char* axis : {"x", "y"})
        {
            const Json::Value* part = B2SceneJson::member(value, axis);
            if (part != nullptr && !checkFloat(*part, join(path, axis), error))
                return false;
        }
        return true;
    case Form::Bool:
        if (value.isConvertibleTo(Json::booleanValue))
            return true;
        error = path + ": expected a boolean";
        return false;
    case Form::Int:
        if (value.isConvertibleTo(Json::intValue))
            return true;
        error = path + ": expected a 32-bit integer";
        return false;
    case Form::String:
        if (value.isConvertibleTo(Json::stringValue))
            return true;
        error = path + ": expected a string";
        return false;
    case Form::Points:
        if (value.isNull())
            return true;
        if (!value.isObject())
            break;
        for (const char* axis : {"x", "y"})
        {
            const Json::Value* list = B2SceneJson::member(value, axis);
            if (list != nullptr && !checkForm(*list, Form::FloatArray, join(path, axis), error))
                return false;
        }
        return true;
    case Form::FloatArray:
        if (value.isNull())
            return true;
        if (!value.isArray())
        {
            error = path + ": expected an array";
            return false;
        }
        for (unsigned i = 0; i < value.size(); ++i)
            if (!checkFloat(value[i], indexed(path, i), error))
                return false;
        return true;
    }
    error = path + ": expected an object or 0";
    return false;
}

bool B2SceneFormatCheck::checkObjects(const Json::Value& object, const char* name, const std::string& path,
    std::string& error, bool (*each)(const Json::Value&, const std::string&, std::string&))
{
    const Json::Value* list = B2SceneJson::member(object, name);
    if (list == nullptr || list->isNull())
        return true;
    const std::string listPath = join(path, name);
    if (!list->isArray())
    {
        error = listPath + ": expected an array";
        return false;
    }
    // The reader stops at the first null element, so only the elements before it count.
    for (unsigned i = 0; i < list->size() && !(*list)[i].isNull(); ++i)
    {
        if (!(*list)[i].isObject())
        {
            error = indexed(listPath, i) + ": expected an object";
            return false;
        }
        if (!each((*list)[i], indexed(listPath, i), error))
            return false;
    }
    return true;
}

bool B2SceneFormatCheck::checkBody(const Json::Value& body, const std::string& path, std::string& error)
{
    static const Key keys[] = {{"type", Form::Int}, {"name", Form::String}, {"position", Form::Vec},
        {"angle", Form::Float}, {"linearVelocity", Form::Vec}, {"angularVelocity", Form::Float},
        {"linearDamping", Form::Float}, {"angularDamping", Form::Float}, {"gravityScale", Form::Float},
        {"allowSleep", Form::Bool}, {"awake", Form::Bool}, {"fixedRotation", Form::Bool}, {"bullet", Form::Bool},
        {"active", Form::Bool}, {"massData-mass", Form::Float}, {"massData-center", Form::Vec},
        {"massData-I", Form::Float}};
    return checkKeys(body, keys, std::size(keys), path, error) && checkProperties(body, path, error)
        && checkObjects(body, "fixture", path, error, &checkFixture);
}

bool B2SceneFormatCheck::checkFixture(const Json::Value& fixture, const std::string& path, std::string& error)
{
    static const Key keys[] = {{"name", Form::String}, {"restitution", Form::Float}, {"friction", Form::Float},
        {"density", Form::Float}, {"sensor", Form::Bool}, {"filter-categoryBits", Form::Int},
        {"filter-maskBits", Form::Int}, {"filter-groupIndex", Form::Int}};
    static const Key shapeKeys[] = {{"radius", Form::Float}, {"center", Form::Vec}, {"vertex0", Form::Vec},
        {"vertex1", Form::Vec}, {"vertex2", Form::Vec}, {"vertex3", Form::Vec}, {"hasVertex0", Form::Bool},
        {"hasVertex3", Form::Bool}, {"vertices", Form::Points}, {"hasPrevVertex", Form::Bool},
        {"hasNextVertex", Form::Bool}, {"prevVertex", Form::Vec}, {"nextVertex", Form::Vec}};
    if (!checkKeys(fixture, keys, std::size(keys), path, error) || !checkProperties(fixture, path, error))
        return false;
    for (const char* shape : {"circle", "edge", "loop", "chain", "polygon"})
    {
        const Json::Value* value = B2SceneJson::member(fixture, shape);
        if (value == nullptr || value->isNull())
            continue;
        if (!value->isObject())
        {
            error = join(path, shape) + ": expected an object";
            return false;
        }
        return checkKeys(*value, shapeKeys, std::size(shapeKeys), join(path, shape), error);
    }
    return true;
}

bool B2SceneFormatCheck::checkJoint(const Json::Value& joint, const std::string& path, std::string& error)
{
    static const Key keys[] = {{"type", Form::String}, {"name", Form::String}, {"bodyA", Form::Int},
        {"bodyB", Form::Int}, {"collideConnected", Form::Bool}, {"anchorA", Form::Vec}, {"anchorB", Form::Vec},
        {"localAxisA", Form::Vec}, {"localAxis1", Form::Vec}, {"groundAnchorA", Form::Vec},
        {"groundAnchorB", Form::Vec}, {"target", Form::Vec}, {"refAngle", Form::Float}, {"enableLimit", Form::Bool},
        {"lowerLimit", Form::Float}, {"upperLimit", Form::Float}, {"enableMotor", Form::Bool},
        {"motorSpeed", Form::Float}, {"maxMotorTorque", Form::Float}, {"maxMotorForce", Form::Float},
        {"length", Form::Float}, {"frequency", Form::Float}, {"dampingRatio", Form::Float}, {"lengthA", Form::Float},
        {"lengthB", Form::Float}, {"ratio", Form::Float}, {"maxForce", Form::Float}, {"maxTorque", Form::Float},
        {"correctionFactor", Form::Float}, {"springFrequency", Form::Float}, {"springDampingRatio", Form::Float},
        {"maxLength", Form::Float}, {"joint1", Form::Int}, {"joint2", Form::Int}};
    return checkKeys(joint, keys, std::size(keys), path, error) && checkProperties(joint, path, error);
}

bool B2SceneFormatCheck::checkImage(const Json::Value& image, const std::string& path, std::string& error)
{
    static const Key keys[] = {{"center", Form::Vec}, {"angle", Form::Float}, {"scale", Form::Float},
        {"aspectScale", Form::Float}, {"opacity", Form::Float}, {"renderOrder", Form::Float},
        {"corners", Form::Points}};
    if (!checkKeys(image, keys, std::size(keys), path, error) || !checkProperties(image, path, error))
        return false;
    const Json::Value* vertices = B2SceneJson::member(image, "glVertexPointer");
    const Json::Value* uvs = B2SceneJson::member(image, "glTexCoordPointer");
    if (vertices != nullptr && uvs != nullptr && vertices->isArray() && uvs->isArray())
    {
        if (!checkForm(*vertices, Form::FloatArray, join(path, "glVertexPointer"), error)
            || !checkForm(*uvs, Form::FloatArray, join(path, "glTexCoordPointer"), error))
            return false;
    }
    const Json::Value* indices = B2SceneJson::member(image, "glDrawElements");
    if (indices != nullptr && indices->isArray())
        for (unsigned i = 0; i < indices->size(); ++i)
            if (!checkForm((*indices)[i], Form::Int, indexed(join(path, "glDrawElements"), i), error))
                return false;
    return true;
}

bool B2SceneFormatCheck::checkProperty(const Json::Value& entry, const std::string& path, std::string& error)
{
    static const Key keys[] = {{"name", Form::String}, {"int", Form::Int}, {"float", Form::Float},
        {"string", Form::String}, {"vec2", Form::Vec}, {"bool", Form::Bool}};
    return checkKeys(entry, keys, std::size(keys), path, error);
}

bool B2SceneFormatCheck::checkProperties(const Json::Value& object, const std::string& path, std::string& error)
{
    return checkObjects(object, "customProperties", path, error, &checkProperty);
}
