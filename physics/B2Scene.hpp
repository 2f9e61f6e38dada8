#pragma once

#include "physics/B2JointDefPtr.hpp"
#include "physics/B2SceneCustomProperties.hpp"
#include "physics/B2SceneImage.hpp"

#include <box2d/box2d.h>
#include <json/json.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

/// Reads Box2D worlds from JSON scene files and writes them back, and remembers what
/// it loaded so that bodies, fixtures, joints and images can be found by name, by
/// index or by custom property. Box2D objects belong to the world; the scene owns only
/// its image records and custom-property sets.
///
/// Every value from a file is checked before Box2D sees it: a shape or joint that
/// Box2D would refuse (by an assertion that ends the process) is skipped with a log
/// line and the rest of the scene loads; a file's first such line is preceded by one
/// naming the file.
class B2Scene
{
public:
    explicit B2Scene(bool useHumanReadableFloats = false);
    ~B2Scene();
    B2Scene(const B2Scene&) = delete;
    B2Scene& operator=(const B2Scene&) = delete;

    /// Forgets what was loaded (and deletes the loaded image records); custom properties stay.
    void clear();

    // Loading: each returns the world (a new one, owned by the caller, when
    // `existingWorld` is null), or null with the reason in `errorMsg`. A world in the
    // middle of its step is refused.
    b2World* readFromFile(const char* filename, std::string& errorMsg, b2World* existingWorld = nullptr);
    b2World* readFromString(const std::string& text, std::string& errorMsg, b2World* existingWorld = nullptr);
    /// Builds from a parsed value without the type check; values of a wrong type take defaults.
    b2World* readFromValue(const Json::Value& root, b2World* existingWorld = nullptr);

    // Writing.
    Json::Value writeToValue(b2World* world);
    std::string writeToString(b2World* world);
    /// Writes through a temporary file that replaces `filename` only when complete.
    bool writeToFile(b2World* world, const char* filename);

    Json::Value b2j(b2World* world);
    Json::Value b2j(b2Body* body);
    Json::Value b2j(b2Fixture* fixture);
    Json::Value b2j(b2Joint* joint);
    Json::Value b2j(B2SceneImage* image);

    /// Puts one float (index -1) or one element of a float array (index >= 0) under `name`.
    void floatToJson(const char* name, float value, Json::Value& target);
    void vecToJson(const char* name, float value, Json::Value& target, int index = -1);
    void vecToJson(const char* name, b2Vec2 value, Json::Value& target, int index = -1);
    static std::string floatToHex(float value);

    // Value readers of the scene format.
    float jsonToFloat(const char* name, const Json::Value& value, int index = -1, float defaultValue = 0.0f);
    b2Vec2 jsonToVec(const char* name, const Json::Value& value, int index = -1,
        b2Vec2 defaultValue = b2Vec2(0.0f, 0.0f));
    /// The float of an 8-digit upper-case hexadecimal text; 0 for any other text.
    static float hexToFloat(const std::string& text);

    // Builders, in the order a load calls them.
    b2World* j2b2World(const Json::Value& worldValue, b2World* world);
    b2Body* j2b2Body(b2World* world, const Json::Value& bodyValue);
    b2Fixture* j2b2Fixture(b2Body* body, const Json::Value& fixtureValue);
    b2Joint* j2b2Joint(b2World* world, const Json::Value& jointValue);
    B2SceneImage* j2B2SceneImage(const Json::Value& imageValue);

    // Lookup by name (first match is the one at the lowest address).
    b2Body* getBodyByName(const std::string& name);
    b2Fixture* getFixtureByName(const std::string& name);
    b2Joint* getJointByName(const std::string& name);
    B2SceneImage* getImageByName(const std::string& name);
    int getBodiesByName(const std::string& name, std::vector<b2Body*>& out);
    int getFixturesByName(const std::string& name, std::vector<b2Fixture*>& out);
    int getJointsByName(const std::string& name, std::vector<b2Joint*>& out);
    int getImagesByName(const std::string& name, std::vector<B2SceneImage*>& out);
    std::string getBodyName(b2Body* body);
    std::string getFixtureName(b2Fixture* fixture);
    std::string getJointName(b2Joint* joint);
    std::string getImageName(B2SceneImage* image);
    void setBodyName(b2Body* body, const char* name);
    void setFixtureName(b2Fixture* fixture, const char* name);
    void setJointName(b2Joint* joint, const char* name);
    void setImageName(B2SceneImage* image, const char* name);
    /// Records the image under its own name so that lookups and the writer see it.
    void addImage(B2SceneImage* image);

    // Everything loaded, and lookups by index.
    int getAllBodies(std::vector<b2Body*>& out);
    int getAllFixtures(std::vector<b2Fixture*>& out);
    int getAllJoints(std::vector<b2Joint*>& out);
    /// Inserts the images at the front, then sorts the whole vector by render order.
    int getAllImages(std::vector<B2SceneImage*>& out);
    b2Body* lookupBodyFromIndex(unsigned int index);
    /// The writer's index of a body or joint during a write; -1 otherwise.
    int lookupBodyIndex(b2Body* body);
    int lookupJointIndex(b2Joint* joint);
    /// `joint` (alive) was loaded by this scene as a rope and is still the distance
    /// joint it became: it is written back as a rope and not mirrored.
    bool isRope(const b2Joint* joint) const;

    // Custom properties of bodies, fixtures, joints, images and worlds.
    B2SceneCustomProperties* getCustomPropertiesForItem(void* item, bool createIfMissing);
    void setCustomInt(void* item, std::string name, int value);
    void setCustomFloat(void* item, std::string name, float value);
    void setCustomString(void* item, std::string name, std::string value);
    void setCustomVector(void* item, std::string name, b2Vec2 value);
    void setCustomBool(void* item, std::string name, bool value);
    void setCustomColor(void* item, std::string name, B2SceneColor4 value);
    int getCustomInt(void* item, std::string name, int defaultValue);
    float getCustomFloat(void* item, std::string name, float defaultValue);
    std::string getCustomString(void* item, std::string name, std::string defaultValue);
    b2Vec2 getCustomVector(void* item, std::string name, b2Vec2 defaultValue);
    bool getCustomBool(void* item, std::string name, bool defaultValue);
    B2SceneColor4 getCustomColor(void* item, std::string name, B2SceneColor4 defaultValue);
    bool hasCustomInt(void* item, std::string name);
    bool hasCustomFloat(void* item, std::string name);
    bool hasCustomString(void* item, std::string name);
    bool hasCustomVector(void* item, std::string name);
    bool hasCustomBool(void* item, std::string name);
    bool hasCustomColor(void* item, std::string name);

    // Items whose properties came from a file, found by a property's value.
    b2Body* getBodyByCustomInt(std::string name, int value);
    b2Body* getBodyByCustomFloat(std::string name, float value);
    b2Body* getBodyByCustomString(std::string name, std::string value);
    b2Body* getBodyByCustomVector(std::string name, b2Vec2 value);
    b2Body* getBodyByCustomBool(std::string name, bool value);
    int getBodiesByCustomInt(std::string name, int value, std::vector<b2Body*>& out);
    int getBodiesByCustomFloat(std::string name, float value, std::vector<b2Body*>& out);
    int getBodiesByCustomString(std::string name, std::string value, std::vector<b2Body*>& out);
    int getBodiesByCustomVector(std::string name, b2Vec2 value, std::vector<b2Body*>& out);
    int getBodiesByCustomBool(std::string name, bool value, std::vector<b2Body*>& out);
    b2Fixture* getFixtureByCustomInt(std::string name, int value);
    b2Fixture* getFixtureByCustomFloat(std::string name, float value);
    b2Fixture* getFixtureByCustomString(std::string name, std::string value);
    b2Fixture* getFixtureByCustomVector(std::string name, b2Vec2 value);
    b2Fixture* getFixtureByCustomBool(std::string name, bool value);
    int getFixturesByCustomInt(std::string name, int value, std::vector<b2Fixture*>& out);
    int getFixturesByCustomFloat(std::string name, float value, std::vector<b2Fixture*>& out);
    int getFixturesByCustomString(std::string name, std::string value, std::vector<b2Fixture*>& out);
    int getFixturesByCustomVector(std::string name, b2Vec2 value, std::vector<b2Fixture*>& out);
    int getFixturesByCustomBool(std::string name, bool value, std::vector<b2Fixture*>& out);
    b2Joint* getJointByCustomInt(std::string name, int value);
    b2Joint* getJointByCustomFloat(std::string name, float value);
    b2Joint* getJointByCustomString(std::string name, std::string value);
    b2Joint* getJointByCustomVector(std::string name, b2Vec2 value);
    b2Joint* getJointByCustomBool(std::string name, bool value);
    int getJointsByCustomInt(std::string name, int value, std::vector<b2Joint*>& out);
    int getJointsByCustomFloat(std::string name, float value, std::vector<b2Joint*>& out);
    int getJointsByCustomString(std::string name, std::string value, std::vector<b2Joint*>& out);
    int getJointsByCustomVector(std::string name, b2Vec2 value, std::vector<b2Joint*>& out);
    int getJointsByCustomBool(std::string name, bool value, std::vector<b2Joint*>& out);
    B2SceneImage* getImageByCustomInt(std::string name, int value);
    B2SceneImage* getImageByCustomFloat(std::string name, float value);
    B2SceneImage* getImageByCustomString(std::string name, std::string value);
    B2SceneImage* getImageByCustomVector(std::string name, b2Vec2 value);
    B2SceneImage* getImageByCustomBool(std::string name, bool value);
    int getImagesByCustomInt(std::string name, int value, std::vector<B2SceneImage*>& out);
    int getImagesByCustomFloat(std::string name, float value, std::vector<B2SceneImage*>& out);
    int getImagesByCustomString(std::string name, std::string value, std::vector<B2SceneImage*>& out);
    int getImagesByCustomVector(std::string name, b2Vec2 value, std::vector<B2SceneImage*>& out);
    int getImagesByCustomBool(std::string name, bool value, std::vector<B2SceneImage*>& out);

    void readCustomPropertiesFromJson(b2Body* item, const Json::Value& value);
    void readCustomPropertiesFromJson(b2Fixture* item, const Json::Value& value);
    void readCustomPropertiesFromJson(b2Joint* item, const Json::Value& value);
    void readCustomPropertiesFromJson(B2SceneImage* item, const Json::Value& value);
    void readCustomPropertiesFromJson(b2World* item, const Json::Value& value);
    /// The "customProperties" array of the item, or null when it has none.
    Json::Value writeCustomPropertiesToJson(void* item);

private:
    /// Ghost vertices that a file gave for an edge ("hasVertex0", "hasVertex3") or a
    /// chain ("hasPrevVertex", "hasNextVertex"); Box2D 2.4 keeps no such flags.
    struct GhostFlags
    {
        bool first = false;
        bool last = false;
    };
    /// The spring values a file gave for a joint, with the stiffness and damping they
    /// became, so that the writer can give back the file's own numbers.
    struct SpringValues
    {
        float frequency;
        float ratio;
        float stiffness;
        float damping;
    };
    /// The maximum length a file gave a rope, and the one Box2D made of it.
    struct RopeLength
    {
        float file;
        float made;
    };

    /// The shape of a fixture object, or null when it has none or Box2D would refuse it.
    std::unique_ptr<b2Shape> makeShape(const Json::Value& fixtureValue, GhostFlags& ghosts);
    /// The definition of a joint of `type`, or null when its values would make Box2D assert.
    B2JointDefPtr makeJointDef(const std::string& type, const Json::Value& value, b2Body* bodyA, b2Body* bodyB,
        SpringValues& springs, bool& hasSprings);
    void springsToJson(b2Joint* joint, float stiffness, float damping, bool angular, const char* frequencyKey,
        const char* ratioKey, Json::Value& target);
    /// Logs a value of the scene being loaded that was ignored or replaced.
    void warn(const std::string& text);
    template <class Item>
    void readProperties(Item* item, const Json::Value& value, std::set<Item*>& itemSet);
    template <class Item, class T>
    Item* findByValue(const std::set<Item*>& items, const std::string& name, const T& value,
        std::map<std::string, T> B2SceneCustomProperties::*map, std::vector<Item*>* out);

    bool useHumanReadableFloats;
    std::map<int, b2Body*> indexToBody;
    std::map<b2Body*, int> bodyToIndex;
    std::map<b2Joint*, int> jointToIndex;
    std::vector<b2Body*> bodies;
    std::vector<b2Joint*> joints;
    std::vector<B2SceneImage*> images;
    std::map<b2Body*, std::string> bodyNames;
    std::map<b2Fixture*, std::string> fixtureNames;
    std::map<b2Joint*, std::string> jointNames;
    std::map<B2SceneImage*, std::string> imageNames;
    std::map<void*, std::unique_ptr<B2SceneCustomProperties>> customPropertiesByItem;
    std::set<b2Body*> bodiesWithCustomProperties;
    std::set<b2Fixture*> fixturesWithCustomProperties;
    std::set<b2Joint*> jointsWithCustomProperties;
    std::set<B2SceneImage*> imagesWithCustomProperties;
    std::set<b2World*> worldsWithCustomProperties;
    std::map<const b2Fixture*, GhostFlags> ghostFlags;
    std::map<const b2Joint*, SpringValues> springValues;
    std::map<const b2Joint*, RopeLength> ropeLengths;
    /// Position in `joints` of the current load's first joint.
    std::size_t jointBase = 0;
    /// The file readFromFile is loading, named before its first warning.
    std::string loadingFile;
    bool loadingFileNamed = false;
};
