// The custom-property part of B2Scene: typed values kept beside the Box2D objects,
// lookups by value, and the "customProperties" arrays of the scene format.
#include "physics/B2Scene.hpp"

#include "physics/B2SceneJson.hpp"

namespace
{
template <class T>
bool lookup(B2SceneCustomProperties* props, std::map<std::string, T> B2SceneCustomProperties::*map,
    const std::string& name, T& value)
{
    if (props == nullptr)
        return false;
    const auto& values = props->*map;
    const auto found = values.find(name);
    if (found == values.end())
        return false;
    value = found->second;
    return true;
}
} // namespace

B2SceneCustomProperties* B2Scene::getCustomPropertiesForItem(void* item, bool createIfMissing)
{
    const auto found = customPropertiesByItem.find(item);
    if (found != customPropertiesByItem.end())
        return found->second.get();
    if (!createIfMissing)
        return nullptr;
    auto& slot = customPropertiesByItem[item];
    slot = std::make_unique<B2SceneCustomProperties>();
    return slot.get();
}

void B2Scene::setCustomInt(void* item, std::string name, int value)
{
    getCustomPropertiesForItem(item, true)->ints[name] = value;
}
void B2Scene::setCustomFloat(void* item, std::string name, float value)
{
    getCustomPropertiesForItem(item, true)->floats[name] = value;
}
void B2Scene::setCustomString(void* item, std::string name, std::string value)
{
    getCustomPropertiesForItem(item, true)->strings[name] = value;
}
void B2Scene::setCustomVector(void* item, std::string name, b2Vec2 value)
{
    getCustomPropertiesForItem(item, true)->vectors[name] = value;
}
void B2Scene::setCustomBool(void* item, std::string name, bool value)
{
    getCustomPropertiesForItem(item, true)->bools[name] = value;
}
void B2Scene::setCustomColor(void* item, std::string name, B2SceneColor4 value)
{
    getCustomPropertiesForItem(item, true)->colors[name] = value;
}

int B2Scene::getCustomInt(void* item, std::string name, int defaultValue)
{
    lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::ints, name, defaultValue);
    return defaultValue;
}

float B2Scene::getCustomFloat(void* item, std::string name, float defaultValue)
{
    lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::floats, name, defaultValue);
    return defaultValue;
}

std::string B2Scene::getCustomString(void* item, std::string name, std::string defaultValue)
{
    lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::strings, name, defaultValue);
    return defaultValue;
}

b2Vec2 B2Scene::getCustomVector(void* item, std::string name, b2Vec2 defaultValue)
{
    lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::vectors, name, defaultValue);
    return defaultValue;
}

bool B2Scene::getCustomBool(void* item, std::string name, bool defaultValue)
{
    lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::bools, name, defaultValue);
    return defaultValue;
}

B2SceneColor4 B2Scene::getCustomColor(void* item, std::string name, B2SceneColor4 defaultValue)
{
    lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::colors, name, defaultValue);
    return defaultValue;
}

bool B2Scene::hasCustomInt(void* item, std::string name)
{
    int v;
    return lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::ints, name, v);
}
bool B2Scene::hasCustomFloat(void* item, std::string name)
{
    float v;
    return lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::floats, name, v);
}
bool B2Scene::hasCustomString(void* item, std::string name)
{
    std::string v;
    return lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::strings, name, v);
}
bool B2Scene::hasCustomVector(void* item, std::string name)
{
    b2Vec2 v;
    return lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::vectors, name, v);
}
bool B2Scene::hasCustomBool(void* item, std::string name)
{
    bool v;
    return lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::bools, name, v);
}
bool B2Scene::hasCustomColor(void* item, std::string name)
{
    B2SceneColor4 v;
    return lookup(getCustomPropertiesForItem(item, false), &B2SceneCustomProperties::colors, name, v);
}

template <class Item, class T>
Item* B2Scene::findByValue(const std::set<Item*>& items, const std::string& name, const T& value,
    std::map<std::string, T> B2SceneCustomProperties::*map, std::vector<Item*>* out)
{
    for (Item* item : items)
    {
        T stored{};
        if (lookup(getCustomPropertiesForItem(item, false), map, name, stored) && stored == value)
        {
            if (out == nullptr)
                return item;
            out->push_back(item);
        }
    }
    return nullptr;
}

// The lookups by value: the first match in address order, or every match appended.
#define VELK_B2SCENE_LOOKUP(Kind, Kinds, ItemType, itemSet, Suffix, ValueType, map)                                    \
    ItemType* B2Scene::get##Kind##ByCustom##Suffix(std::string name, ValueType value)                                  \
    {                                                                                                                  \
        return findByValue<ItemType, ValueType>(itemSet, name, value, &B2SceneCustomProperties::map, nullptr);         \
    }                                                                                                                  \
    int B2Scene::get##Kinds##ByCustom##Suffix(std::string name, ValueType value, std::vector<ItemType*>& out)          \
    {                                                                                                                  \
        findByValue<ItemType, ValueType>(itemSet, name, value, &B2SceneCustomProperties::map, &out);                   \
        return static_cast<int>(out.size());                                                                           \
    }

#define VELK_B2SCENE_LOOKUPS(Kind, Kinds, ItemType, itemSet)                                                           \
    VELK_B2SCENE_LOOKUP(Kind, Kinds, ItemType, itemSet, Int, int, ints)                                                \
    VELK_B2SCENE_LOOKUP(Kind, Kinds, ItemType, itemSet, Float, float, floats)                                          \
    VELK_B2SCENE_LOOKUP(Kind, Kinds, ItemType, itemSet, String, std::string, strings)                                  \
    VELK_B2SCENE_LOOKUP(Kind, Kinds, ItemType, itemSet, Vector, b2Vec2, vectors)                                       \
    VELK_B2SCENE_LOOKUP(Kind, Kinds, ItemType, itemSet, Bool, bool, bools)

VELK_B2SCENE_LOOKUPS(Body, Bodies, b2Body, bodiesWithCustomProperties)
VELK_B2SCENE_LOOKUPS(Fixture, Fixtures, b2Fixture, fixturesWithCustomProperties)
VELK_B2SCENE_LOOKUPS(Joint, Joints, b2Joint, jointsWithCustomProperties)
VELK_B2SCENE_LOOKUPS(Image, Images, B2SceneImage, imagesWithCustomProperties)

#undef VELK_B2SCENE_LOOKUPS
#undef VELK_B2SCENE_LOOKUP

template <class Item>
void B2Scene::readProperties(Item* item, const Json::Value& value, std::set<Item*>& itemSet)
{
    const Json::Value* list = B2SceneJson::member(value, "customProperties");
    if (item == nullptr || list == nullptr)
        return;
    for (unsigned i = 0;; ++i)
    {
        const Json::Value* entry = B2SceneJson::element(list, i);
        if (entry == nullptr || !entry->isObject())
            break;
        const std::string name = B2SceneJson::toString(B2SceneJson::member(*entry, "name"), "");
        if (const Json::Value* v = B2SceneJson::member(*entry, "int"))
        {
            itemSet.insert(item);
            setCustomInt(item, name, B2SceneJson::toInt(v, 0));
        }
        if (const Json::Value* v = B2SceneJson::member(*entry, "float"))
        {
            itemSet.insert(item);
            setCustomFloat(item, name, B2SceneJson::toFloat(v, 0.0f));
        }
        if (const Json::Value* v = B2SceneJson::member(*entry, "string"))
        {
            itemSet.insert(item);
            setCustomString(item, name, B2SceneJson::toString(v, ""));
        }
        if (const Json::Value* v = B2SceneJson::member(*entry, "vec2"))
        {
            itemSet.insert(item);
            setCustomVector(item, name, B2SceneJson::toVec(v, b2Vec2(0.0f, 0.0f)));
        }
        if (const Json::Value* v = B2SceneJson::member(*entry, "bool"))
        {
            itemSet.insert(item);
            setCustomBool(item, name, B2SceneJson::toBool(v, false));
        }
        // Colours are written as [r, g, b, a]; read them back so that they survive a
        // round trip. An entry of another form is left out.
        if (const Json::Value* v = B2SceneJson::member(*entry, "color"))
        {
            bool valid = v->isArray() && v->size() == 4;
            for (unsigned c = 0; valid && c < 4; ++c)
                valid = (*v)[c].isInt();
            if (valid)
            {
                setCustomColor(item, name,
                    B2SceneColor4{(*v)[0].asInt(), (*v)[1].asInt(), (*v)[2].asInt(), (*v)[3].asInt()});
            }
            else
                warn("Ignoring colour property '" + name + "' that is not an array of four integers.");
        }
    }
}

void B2Scene::readCustomPropertiesFromJson(b2Body* item, const Json::Value& value)
{
    readProperties(item, value, bodiesWithCustomProperties);
}
void B2Scene::readCustomPropertiesFromJson(b2Fixture* item, const Json::Value& value)
{
    readProperties(item, value, fixturesWithCustomProperties);
}
void B2Scene::readCustomPropertiesFromJson(b2Joint* item, const Json::Value& value)
{
    readProperties(item, value, jointsWithCustomProperties);
}
void B2Scene::readCustomPropertiesFromJson(B2SceneImage* item, const Json::Value& value)
{
    readProperties(item, value, imagesWithCustomProperties);
}
void B2Scene::readCustomPropertiesFromJson(b2World* item, const Json::Value& value)
{
    readProperties(item, value, worldsWithCustomProperties);
}

Json::Value B2Scene::writeCustomPropertiesToJson(void* item)
{
    Json::Value result;
    const B2SceneCustomProperties* props = getCustomPropertiesForItem(item, false);
    if (props == nullptr)
        return result;
    auto append = [&result](const std::string& name, const char* key, Json::Value value)
    {
        Json::Value entry(Json::objectValue);
        entry["name"] = name;
        entry[key] = std::move(value);
        result.append(entry);
    };
    for (const auto& p : props->ints)
        append(p.first, "int", Json::Value(p.second));
    for (const auto& p : props->strings)
        append(p.first, "string", Json::Value(p.second));
    for (const auto& p : props->bools)
        append(p.first, "bool", Json::Value(p.second));
    for (const auto& p : props->floats)
        append(p.first, "float", B2SceneJson::floatValue(p.second, useHumanReadableFloats));
    for (const auto& p : props->vectors)
        append(p.first, "vec2", B2SceneJson::vecValue(p.second, useHumanReadableFloats));
    for (const auto& p : props->colors)
    {
        Json::Value rgba(Json::arrayValue);
        for (int c : {p.second.r, p.second.g, p.second.b, p.second.a})
            rgba.append(c);
        append(p.first, "color", rgba);
    }
    return result;
}
