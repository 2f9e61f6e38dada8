// Loading of object files (".obj.json") and the helpers that apply textures
// and mask colours to whole component trees.
#include "engine/GameObject.hpp"

#include "engine/GameComponent.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameSimpleComponent.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/json/ParseException.hpp"
#include "foundation/json/Parser.hpp"
#include "foundation/tools/Log.hpp"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <stdexcept>

namespace {

const char* const Tag = "GameObject";

const json::Value* member(const GameObject::JsonObject& object, const char* key)
{
    const auto it = object.find(key);
    return it != object.end() ? &it->second : nullptr;
}

/// The folder of `path` joined with `name` (the bare name for a path without a folder).
std::string besideFile(const std::string& path, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? name : (folder / name).string();
}

/// Cut toward zero; values beyond int (or not a number) are clamped, not undefined.
int truncatedInt(double v)
{
    if (!(v == v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

/// In 64 bits, then held at int's ends: rectangles come from files.
int clampedInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

sf::IntRect insetByOnePixel(const sf::IntRect& rect)
{
    return sf::IntRect(clampedInt(rect.left + 1LL), clampedInt(rect.top + 1LL), clampedInt(rect.width - 2LL),
                       clampedInt(rect.height - 2LL));
}

} // namespace

void GameObject::warn(const std::string& text) const
{
    tools::log(Tag, text);
    tools::log(Tag, "(in object file \"" + loadingPath + "\")");
}

void GameObject::loadFromFile(const std::string& path)
{
    removeAllComponents();
    loadingPath = path;
    // Loading runs on the play screen's loading thread too: nothing may leave
    // it, so every failure ends in a log line and a (possibly partial) tree.
    try {
        const json::Value root = json::parseFromFile(path);
        if (!root.isObject()) {
            warn("Error: the object file is not a JSON object");
            return;
        }
        const JsonObject& description = root.objectValue();
        if (const json::Value* body = member(description, "Body"))
            loadBody(*body, path);
        else
            warn("NO BODY SET!");
        if (const json::Value* imageSet = member(description, "ImageSet"))
            loadImageSet(*imageSet, path);
        else
            warn("IMAGESET NOT SET!");
        if (const json::Value* properties = member(description, "Properties"); properties && properties->isObject())
            for (const auto& [key, value] : properties->objectValue())
                if (value.isString())
                    props[key] = value.stringValue();
        parseComponents(this, description);
    } catch (const json::ParseException& e) {
        tools::log(Tag, "Error loading json (" + path + "): " + e.what());
    } catch (const std::exception& e) {
        warn(std::string("Error: ") + e.what());
    } catch (...) {
        warn("Error: unknown failure");
    }
    update(0.0f);
}

void GameObject::loadBody(const json::Value& value, const std::string& path)
{
    if (!value.isString()) {
        warn("Error: 'Body' not string!");
        return;
    }
    const std::string scenePath = besideFile(path, value.stringValue());
    if (!world) {
        warn("Error: not in a world, so the bodies of \"" + scenePath + "\" are not made");
        return;
    }
    std::string error;
    phisics.readFromFile(scenePath.c_str(), error, world->getB2World());
    if (!error.empty())
        warn("Error loading phisics json: " + error);
}

void GameObject::loadImageSet(const json::Value& value, const std::string& path)
{
    if (!value.isString()) {
        warn("Error: ImageSet is not string!");
        return;
    }
    const std::string mapPath = besideFile(path, value.stringValue());
    std::error_code ec;
    if (!std::filesystem::is_regular_file(mapPath, ec)) {
        warn("Error: ImagesSet is not exists!");
        return;
    }
    if (!images.loadFromFile(mapPath))
        warn("Error: the image map \"" + mapPath + "\" could not be read");
    // One pixel off each side, so smoothing never pulls in a neighbour's edge.
    for (auto& [name, rect] : images.images()) {
        (void)name;
        rect = insetByOnePixel(rect);
    }
    textureKey = fx::fileKey<sf::Texture>(images.getImagePath());
    if (!world) {
        warn("Error: not in a world, so the texture \"" + images.getImagePath() + "\" is not loaded");
        return;
    }
    if (sf::Texture* texture = getTexture())
        texture->setSmooth(true);
}

void GameObject::parseComponents(tools::ResourceSet<GameComponent>* set, const JsonObject& description)
{
    const json::Value* list = member(description, "Components");
    if (!set || !list || !list->isArray())
        return;
    for (const json::Value& element : list->arrayValue())
        if (element.isObject())
            parseComponent(set, element);
}

void GameObject::parseComponent(tools::ResourceSet<GameComponent>* set, const json::Value& element)
{
    const JsonObject& description = element.objectValue();
    std::vector<GameComponent*> made;
    if (const json::Value* body = member(description, "Body")) {
        if (!body->isString()) {
            warn("Error: a component's 'Body' is not a string; the component is skipped");
            return;
        }
        std::vector<b2Body*> bodies;
        phisics.getBodiesByName(body->stringValue(), bodies);
        for (b2Body* b : bodies)
            made.push_back(
                set->add(b ? static_cast<GameComponent*>(new GamePhisicsComponent(b)) : new GameSimpleComponent()));
    } else {
        made.push_back(set->add(new GameSimpleComponent()));
    }

    const json::Value* image = member(description, "Image");
    for (GameComponent* component : made) {
        component->setObject(this);
        component->parseFromValue(element);
        component->getShape().setTexture(getTexture(), false);
        if (image && image->isString()) {
            const auto& rects = images.images();
            const auto it = rects.find(image->stringValue());
            if (it != rects.end())
                component->getShape().setTextureRect(it->second);
            else
                warn("Error: image \"" + image->stringValue() + "\" is not in the image map");
        } else if (image) {
            warn("Error: a component's 'Image' is not a string");
        }
        parseComponents(component, description);
    }
}

void GameObject::setTextureFile(const std::string& file)
{
    images.setImageFile(file);
    textureKey = fx::fileKey<sf::Texture>(images.getImagePath());
    sf::Texture* texture = getTexture();
    if (!texture) {
        tools::log(Tag, "Error: no texture \"" + images.getImagePath() + "\" for the object's shapes");
        return;
    }
    texture->setSmooth(true);
    updateComponentsTexture(this, texture);
}

void updateComponentsTexture(tools::ResourceSet<GameComponent>* set, sf::Texture* texture)
{
    if (!set)
        return;
    for (GameComponent* component : set->getResources()) {
        component->getShape().setTexture(texture, false);
        updateComponentsTexture(component, texture);
    }
}

void setMaskColorInSet(GameComponentSet* set, const sf::Color& color)
{
    if (!set)
        return;
    for (GameComponent* component : set->getResources()) {
        if (component->isMask())
            component->getShape().setFillColor(color);
        setMaskColorInSet(component, color);
    }
}

sf::IntRect jsonValue2IntRect(const json::Value& value)
{
    int parts[4] = {0, 0, 0, 0};
    const auto& items = value.arrayValue();
    for (std::size_t i = 0; i < 4 && i < items.size(); ++i) {
        const json::Value& item = items[i];
        if (item.isInteger())
            parts[i] = static_cast<int>(item.integerValue());
        else if (item.isFloat())
            parts[i] = truncatedInt(item.floatValue());
    }
    return sf::IntRect(parts[0], parts[1], parts[2], parts[3]);
}
