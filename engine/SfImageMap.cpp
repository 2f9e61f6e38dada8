#include "engine/SfImageMap.hpp"

#include "foundation/json/Json.hpp"
#include "foundation/tools/Log.hpp"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>

namespace {

const char* const Tag = "SfImageMap";

// An integer keeps its low 32 bits; a float is truncated toward zero, and one
// beyond the int range is held at its end rather than overflowing.
int rectValue(const json::Value& value)
{
    if (value.isInteger())
        return static_cast<int>(static_cast<std::uint32_t>(value.integerValue()));
    if (value.isFloat()) {
        const double d = std::trunc(value.floatValue());
        if (d >= static_cast<double>(std::numeric_limits<int>::max()))
            return std::numeric_limits<int>::max();
        if (d <= static_cast<double>(std::numeric_limits<int>::min()))
            return std::numeric_limits<int>::min();
        return static_cast<int>(d);
    }
    return 0;
}

sf::IntRect rectFrom(const std::vector<json::Value>& array)
{
    int v[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < 4 && i < array.size(); ++i)
        v[i] = rectValue(array[i]);
    return sf::IntRect(v[0], v[1], v[2], v[3]);
}

} // namespace

bool SfImageMap::loadFromFile(const std::string& path)
{
    json::Value root;
    try {
        root = json::parseFromFile(path);
    } catch (const json::ParseException& e) {
        tools::log(Tag, "Cannot load \"" + path + "\": " + e.what());
        return false;
    }
    read(root, std::filesystem::path(path).parent_path().string());
    return true;
}

bool SfImageMap::loadFromString(const std::string& text, const std::string& folder)
{
    json::Value root;
    try {
        root = json::parseFromString(text);
    } catch (const json::ParseException& e) {
        tools::log(Tag, std::string("Cannot read an image map: ") + e.what());
        return false;
    }
    read(root, folder);
    return true;
}

void SfImageMap::read(const json::Value& root, const std::string& folder)
{
    imageFile.clear();
    directory = folder;
    if (!root.isObject())
        return;
    const auto& members = root.objectValue();
    const auto file = members.find("ImageFile");
    if (file != members.end() && file->second.isString())
        imageFile = file->second.stringValue();
    const auto list = members.find("Images");
    if (list == members.end() || !list->second.isObject())
        return;
    for (const auto& [name, value] : list->second.objectValue())
        if (value.isArray())
            rects[name] = rectFrom(value.arrayValue());
}

json::Value SfImageMap::toJson() const
{
    std::map<std::string, json::Value> list;
    for (const auto& [name, rect] : rects) {
        list[name] = json::Value(std::vector<json::Value>{
            json::Value(static_cast<long long>(rect.left)), json::Value(static_cast<long long>(rect.top)),
            json::Value(static_cast<long long>(rect.width)), json::Value(static_cast<long long>(rect.height))});
    }
    std::map<std::string, json::Value> root;
    root["ImageFile"] = json::Value(imageFile);
    root["Images"] = json::Value(std::move(list));
    return json::Value(std::move(root));
}

bool SfImageMap::saveToFile(const std::string& path) const
{
    return json::writeToFile(path, toJson());
}

std::string SfImageMap::saveToString() const
{
    std::string text;
    json::writeToString(text, toJson());
    return text;
}

std::string SfImageMap::getImagePath() const
{
    if (imageFile.empty() || directory.empty())
        return directory + imageFile;
    if (directory.back() == '/')
        return directory + imageFile;
    return directory + "/" + imageFile;
}

void SfImageMap::clear()
{
    imageFile.clear();
    directory.clear();
    rects.clear();
}
