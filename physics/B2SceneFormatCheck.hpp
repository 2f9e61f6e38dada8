#pragma once

#include <json/json.h>

#include <string>

/// Checks the JSON types of a parsed scene before anything is built from it, so that
/// a value of the wrong type is reported as a load error instead of being guessed at.
/// Accepted are exactly the types the scene format's conversions take; unknown keys
/// are ignored, and the image keys that the format reads only when their type fits
/// are not checked.
class B2SceneFormatCheck
{
public:
    /// Empty when the scene can be read, else "<path>: <what was expected>".
    static std::string check(const Json::Value& root);

private:
    enum class Form
    {
        Float,
        Vec,
        Bool,
        Int,
        String,
        Points,
        FloatArray
    };
    struct Key
    {
        const char* name;
        Form form;
    };

    static bool checkKeys(const Json::Value& object, const Key* keys, std::size_t count, const std::string& path,
        std::string& error);
    static bool checkForm(const Json::Value& value, Form form, const std::string& path, std::string& error);
    static bool checkFloat(const Json::Value& value, const std::string& path, std::string& error);
    static bool checkObjects(const Json::Value& object, const char* name, const std::string& path, std::string& error,
        bool (*each)(const Json::Value&, const std::string&, std::string&));
    static bool checkBody(const Json::Value& body, const std::string& path, std::string& error);
    static bool checkFixture(const Json::Value& fixture, const std::string& path, std::string& error);
    static bool checkJoint(const Json::Value& joint, const std::string& path, std::string& error);
    static bool checkImage(const Json::Value& image, const std::string& path, std::string& error);
    static bool checkProperty(const Json::Value& entry, const std::string& path, std::string& error);
    static bool checkProperties(const Json::Value& object, const std::string& path, std::string& error);
};
