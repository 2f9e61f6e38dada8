#pragma once

// Readers for the game's shipped data files, used by the tests that check
// everything under data/ loads: object files with their scenes and image
// maps, PNG and WAV headers, and the part catalogue of data/velk.sql.

#include "app/DatabaseSeeder.hpp"
#include "foundation/json/Json.hpp"
#include "physics/B2Scene.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace content
{

namespace fs = std::filesystem;

inline fs::path dataDir()
{
    return fs::path(VELK_SOURCE_DIR) / "data";
}

/// The member `key` of an object, or null.
inline const json::Value* member(const json::Value& value, const std::string& key)
{
    if (!value.isObject())
        return nullptr;
    const auto& members = value.objectValue();
    const auto it = members.find(key);
    return it == members.end() ? nullptr : &it->second;
}

inline std::string stringMember(const json::Value& value, const std::string& key)
{
    const json::Value* m = member(value, key);
    return m != nullptr && m->isString() ? m->stringValue() : std::string();
}

/// Parses a JSON file; a parse error fails the calling test and gives null.
inline json::Value parse(const fs::path& path)
{
    try
    {
        return json::parseFromFile(path.string());
    }
    catch (const json::ParseException& e)
    {
        ADD_FAILURE() << path << ": " << e.what();
        return json::Value();
    }
}

/// Leading number of a property text, as the game reads it; NaN for none.
inline float number(const std::string& text)
{
    try
    {
        return std::stof(text);
    }
    catch (...)
    {
        return std::nanf("");
    }
}

struct PngSize
{
    bool valid = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

inline PngSize pngSize(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char head[24] = {};
    PngSize size;
    if (!in.read(reinterpret_cast<char*>(head), sizeof head))
        return size;
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!std::equal(signature, signature + 8, head) || std::string(head + 12, head + 16) != "IHDR")
        return size;
    auto be32 = [&](int at)
    {
        return (std::uint32_t(head[at]) << 24) | (std::uint32_t(head[at + 1]) << 16)
            | (std::uint32_t(head[at + 2]) << 8) | std::uint32_t(head[at + 3]);
    };
    size.valid = true;
    size.width = be32(16);
    size.height = be32(20);
    return size;
}

struct WavInfo
{
    bool valid = false;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    double seconds = 0;
};

inline WavInfo wavInfo(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WavInfo info;
    auto le = [&](std::size_t at, int n)
    {
        std::uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = (v << 8) | bytes[at + i];
        return v;
    };
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF"
        || std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE")
        return info;
    std::uint32_t dataSize = 0;
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();)
    {
        const std::string id(bytes.begin() + at, bytes.begin() + at + 4);
        const std::uint32_t size = le(at + 4, 4);
        if (id == "fmt " && at + 24 <= bytes.size())
        {
            info.channels = int(le(at + 10, 2));
            info.rate = int(le(at + 12, 4));
            info.bits = int(le(at + 22, 2));
            haveFormat = true;
        }
        else if (id == "data")
        {
            dataSize = size;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || info.rate <= 0 || info.channels <= 0 || info.bits <= 0)
        return info;
    info.valid = dataSize > 0;
    info.seconds = double(dataSize) / (info.rate * info.channels * (info.bits / 8));
    return info;
}

using Rect = std::array<long long, 4>;

/// An ".img.json" file: its image and named rectangles. Checks as it loads
/// that the image exists and every rectangle lies inside it.
struct ImageMap
{
    fs::path image;
    std::map<std::string, Rect> rects;

    bool has(const std::string& name) const { return rects.count(name) != 0; }

    static ImageMap load(const fs::path& path)
    {
        ImageMap map;
        const json::Value root = parse(path);
        const std::string file = stringMember(root, "ImageFile");
        EXPECT_FALSE(file.empty()) << path << " names no image";
        map.image = path.parent_path() / file;
        const PngSize size = pngSize(map.image);
        EXPECT_TRUE(size.valid) << map.image << " is not a PNG";
        if (const json::Value* images = member(root, "Images"))
        {
            for (const auto& [name, value] : images->objectValue())
            {
                Rect rect{};
                const auto& items = value.arrayValue();
                EXPECT_EQ(items.size(), 4u) << path << " " << name;
                for (std::size_t i = 0; i < items.size() && i < 4; ++i)
                    rect[i] = items[i].integerValue();
                EXPECT_TRUE(rect[0] >= 0 && rect[1] >= 0 && rect[2] > 2 && rect[3] > 2
                    && rect[0] + rect[2] <= size.width && rect[1] + rect[3] <= size.height)
                    << path << ": rectangle " << name << " is not inside its " << size.width << "x" << size.height
                    << " image";
                map.rects[name] = rect;
            }
        }
        return map;
    }
};

/// One top-level or nested component description of an object file.
struct Component
{
    std::string id;
    std::string body;
    std::string image;
    bool main = false;
    std::map<std::string, std::string> properties;
};

/// An object file loaded the way the game loads it: its scene into a world,
/// its image map, its properties and its component descriptions.
struct LoadedObject
{
    fs::path path;
    std::unique_ptr<b2World> world;
    std::unique_ptr<B2Scene> scene;
    ImageMap images;
    std::map<std::string, std::string> properties;
    std::vector<Component> components; // top level, in order
    std::vector<Component> all;        // every level, depth first

    const Component* component(const std::string& id) const
    {
        for (const Component& c : components)
            if (c.id == id)
                return &c;
        return nullptr;
    }

    const Component* mainComponent() const
    {
        for (const Component& c : all)
            if (c.main)
                return &c;
        return nullptr;
    }

    static void readComponents(const json::Value& owner, std::vector<Component>& out, std::vector<Component>& all)
    {
        const json::Value* list = member(owner, "Components");
        if (list == nullptr)
            return;
        for (const json::Value& item : list->arrayValue())
        {
            Component c;
            c.id = stringMember(item, "Id");
            c.body = stringMember(item, "Body");
            c.image = stringMember(item, "Image");
            const json::Value* main = member(item, "Main");
            c.main = main != nullptr && main->isBool() && main->boolValue();
            if (const json::Value* props = member(item, "Properties"))
                for (const auto& [key, value] : props->objectValue())
                    if (value.isString())
                        c.properties[key] = value.stringValue();
            out.push_back(c);
            all.push_back(c);
            std::vector<Component> children;
            readComponents(item, children, all);
        }
    }

    static LoadedObject load(const fs::path& path)
    {
        LoadedObject object;
        object.path = path;
        object.world = std::make_unique<b2World>(b2Vec2(0.0f, -5.0f));
        object.scene = std::make_unique<B2Scene>();
        const json::Value root = parse(path);
        const std::string body = stringMember(root, "Body");
        const std::string imageSet = stringMember(root, "ImageSet");
        EXPECT_FALSE(body.empty()) << path << " names no scene";
        EXPECT_FALSE(imageSet.empty()) << path << " names no image map";
        if (!body.empty())
        {
            std::string error;
            const fs::path scenePath = path.parent_path() / body;
            b2World* loaded = object.scene->readFromFile(scenePath.string().c_str(), error, object.world.get());
            EXPECT_EQ(loaded, object.world.get()) << scenePath << ": " << error;
            EXPECT_TRUE(error.empty()) << scenePath << ": " << error;
        }
        if (!imageSet.empty())
            object.images = ImageMap::load(path.parent_path() / imageSet);
        if (const json::Value* props = member(root, "Properties"))
            for (const auto& [key, value] : props->objectValue())
                if (value.isString())
                    object.properties[key] = value.stringValue();
        readComponents(root, object.components, object.all);
        return object;
    }
};

/// One row of table "part".
struct CatalogueRow
{
    int id = 0;
    std::string code;
    std::string image;
    std::string body;
    std::string category;
    std::string shape;
    std::string en;
    std::string hu;
};

/// The part catalogue as the shipped SQL script seeds it into a fresh database.
inline std::vector<CatalogueRow> loadCatalogue()
{
    std::vector<CatalogueRow> rows;
    std::string script;
    if (!app::DatabaseSeeder::readScript((dataDir() / "velk.sql").string(), script))
    {
        ADD_FAILURE() << "data/velk.sql cannot be read";
        return rows;
    }
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    EXPECT_TRUE(app::DatabaseSeeder::apply(db, script));
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db,
        "SELECT p.id, p.code, p.image, p.body, p.category, p.shape, IFNULL(l.en, ''), IFNULL(l.hu, '') "
        "FROM part p LEFT JOIN lang l ON l.code = p.code ORDER BY p.id",
        -1, &statement, nullptr);
    auto text = [&](int column)
    {
        const unsigned char* t = sqlite3_column_text(statement, column);
        return t == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(t));
    };
    while (statement != nullptr && sqlite3_step(statement) == SQLITE_ROW)
    {
        rows.push_back(CatalogueRow{sqlite3_column_int(statement, 0), text(1), text(2), text(3), text(4), text(5),
            text(6), text(7)});
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

inline std::vector<float> numbers(const std::string& text)
{
    std::vector<float> out;
    std::istringstream in(text);
    float v = 0;
    while (in >> v)
        out.push_back(v);
    return out;
}

inline fs::path partObjectPath(const std::string& code)
{
    return dataDir() / "obj" / "parts" / code / (code + ".obj.json");
}

} // namespace content
