// The ship file: the JSON form of a ship description, and its text and file
// entry points.
#include "game/ship/backend/ShipEntry.hpp"

#include "foundation/json/Parser.hpp"
#include "foundation/json/Writer.hpp"
#include "foundation/tools/AtomicFile.hpp"
#include "foundation/tools/Log.hpp"
#include "foundation/tools/RegularFile.hpp"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <istream>
#include <ostream>

namespace velk::backend {

namespace {

const char* const kTag = "ShipEntry";

using Members = std::map<std::string, json::Value>;

const json::Value* member(const json::Value& object, const char* key)
{
    const Members& members = object.objectValue();
    const auto it = members.find(key);
    return it == members.end() ? nullptr : &it->second;
}

/// A number as float; anything else, and a number beyond float's range, reads as 0.
float readFloat(const json::Value* value)
{
    if (!value)
        return 0.0f;
    if (value->isInteger())
        return static_cast<float>(value->integerValue());
    if (value->isFloat()) {
        const double d = value->floatValue();
        if (std::isfinite(d) && std::fabs(d) <= static_cast<double>(FLT_MAX))
            return static_cast<float>(d);
    }
    return 0.0f;
}

/// A part id: the low 32 bits of the integer, a float truncated toward zero
/// first. False for anything else, also for a float beyond 64-bit range.
bool readId(const json::Value* value, unsigned int& id)
{
    long long whole = 0;
    if (!value)
        return false;
    if (value->isInteger()) {
        whole = value->integerValue();
    } else if (value->isFloat()) {
        const double d = std::trunc(value->floatValue());
        if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0))
            return false;
        whole = static_cast<long long>(d);
    } else {
        return false;
    }
    id = static_cast<unsigned int>(static_cast<unsigned long long>(whole));
    return true;
}

/// A colour channel: the low 8 bits of an integer, or of a float truncated to
/// a 16-bit integer (0 beyond that range). Anything else keeps the channel.
void readChannel(const json::Value& value, std::uint8_t& channel)
{
    if (value.isInteger()) {
        channel = static_cast<std::uint8_t>(static_cast<unsigned long long>(value.integerValue()));
    } else if (value.isFloat()) {
        const double d = std::trunc(value.floatValue());
        channel = (d >= -32768.0 && d <= 32767.0) ? static_cast<std::uint8_t>(static_cast<std::int16_t>(d)) : 0;
    }
}

void readPoints(const json::Value& value, EntrySet<PointEntry>& points)
{
    if (!value.isObject())
        return;
    const json::Value* xs = member(value, "X");
    const json::Value* ys = member(value, "Y");
    const json::Value* rs = member(value, "R");
    if (!xs || !ys || !rs || !xs->isArray() || !ys->isArray() || !rs->isArray())
        return;
    const std::size_t n = xs->arrayValue().size();
    if (n == 0 || ys->arrayValue().size() != n || rs->arrayValue().size() != n)
        return;
    for (std::size_t i = 0; i < n; ++i) {
        const math::Vector2<float> position(readFloat(&xs->arrayValue()[i]), readFloat(&ys->arrayValue()[i]));
        points.add(PointEntryCreator(position, readFloat(&rs->arrayValue()[i]))());
    }
}

void readPart(const json::Value& value, EntrySet<PartEntry>& parts)
{
    unsigned int id = 0;
    if (!value.isObject() || !readId(member(value, "Id"), id))
        return;
    math::Vector2<float> position;
    float rotation = 0.0f;
    bool mirrored = false;
    const json::Value* transform = member(value, "Transform");
    if (transform && transform->isObject()) {
        position = math::Vector2<float>(readFloat(member(*transform, "X")), readFloat(member(*transform, "Y")));
        rotation = readFloat(member(*transform, "R"));
        if (const json::Value* m = member(*transform, "M"))
            m->fillBool(mirrored);
    }
    PartEntry* part = parts.add(new PartEntry(id, position, rotation, mirrored));
    const json::Value* properties = member(value, "Properties");
    if (properties && properties->isObject()) {
        for (const auto& property : properties->objectValue()) {
            if (property.second.isString())
                part->properties()[property.first] = property.second.stringValue();
        }
    }
}

json::Value writeVector(const math::Vector2<float>& v)
{
    return json::Value(
        Members{{"X", json::Value(static_cast<double>(v.x))}, {"Y", json::Value(static_cast<double>(v.y))}});
}

} // namespace

void ShipEntry::fromJson(const json::Value& value)
{
    if (!value.isObject())
        return;
    if (const json::Value* outline = member(value, "Points")) {
        // A present outline replaces the old one, even when it is unusable.
        points.clear();
        readPoints(*outline, points);
    }
    const json::Value* partList = member(value, "Parts");
    if (partList && partList->isArray()) {
        for (const json::Value& element : partList->arrayValue())
            readPart(element, parts);
    }
    const json::Value* texture = member(value, "Texture");
    if (texture && texture->isObject()) {
        if (const json::Value* file = member(*texture, "File"))
            file->fillString(textureFile);
        const json::Value* offset = member(*texture, "Offset");
        if (offset && offset->isObject()) {
            textureOffset = math::Vector2<float>();
            const json::Value* x = member(*offset, "X");
            const json::Value* y = member(*offset, "Y");
            if (x && x->isNumber())
                textureOffset.x = readFloat(x);
            if (y && y->isNumber())
                textureOffset.y = readFloat(y);
        }
        textureScale = 1.0f;
        const json::Value* scale = member(*texture, "Scale");
        if (scale && scale->isNumber())
            textureScale = readFloat(scale);
    }
    if (const json::Value* channels = member(value, "Color")) {
        // Alpha is not part of the file.
        const std::vector<json::Value>& list = channels->arrayValue();
        if (list.size() > 0)
            readChannel(list[0], color.r);
        if (list.size() > 1)
            readChannel(list[1], color.g);
        if (list.size() > 2)
            readChannel(list[2], color.b);
    }
}

json::Value ShipEntry::toJson() const
{
    std::vector<json::Value> xs, ys, rs;
    for (const PointEntry* point : points.getResources()) {
        xs.emplace_back(static_cast<double>(point->getPosition().x));
        ys.emplace_back(static_cast<double>(point->getPosition().y));
        rs.emplace_back(static_cast<double>(point->getRoundness()));
    }
    std::vector<json::Value> partList;
    for (const PartEntry* part : parts.getResources()) {
        Members transform = writeVector(part->getPosition()).objectValue();
        transform["R"] = json::Value(static_cast<double>(part->getRotation()));
        transform["M"] = json::Value(part->isMirroredX());
        Members properties;
        for (const auto& property : part->properties())
            properties[property.first] = json::Value(property.second);
        partList.emplace_back(Members{{"Id", json::Value(static_cast<long long>(part->getPartId()))},
                                      {"Transform", json::Value(std::move(transform))},
                                      {"Properties", json::Value(std::move(properties))}});
    }
    Members texture{{"File", json::Value(textureFile)},
                    {"Offset", writeVector(textureOffset)},
                    {"Scale", json::Value(static_cast<double>(textureScale))}};
    std::vector<json::Value> channels{json::Value(static_cast<long long>(color.r)),
                                      json::Value(static_cast<long long>(color.g)),
                                      json::Value(static_cast<long long>(color.b))};
    return json::Value(Members{{"Points", json::Value(Members{{"X", json::Value(std::move(xs))},
                                                              {"Y", json::Value(std::move(ys))},
                                                              {"R", json::Value(std::move(rs))}})},
                               {"Parts", json::Value(std::move(partList))},
                               {"Texture", json::Value(std::move(texture))},
                               {"Color", json::Value(std::move(channels))}});
}

bool ShipEntry::loadParsed(const json::Value& value, const std::string& source)
{
    if (!value.isObject()) {
        tools::log(kTag, "Cannot load ship " + source + ": the text is not a JSON object");
        return false;
    }
    clear();
    fromJson(value);
    return true;
}

bool ShipEntry::loadFromStream(std::istream& stream)
{
    json::Value value;
    try {
        value = json::parseFromStream(stream);
    } catch (const json::ParseException& e) {
        tools::log(kTag, std::string("Cannot load ship from stream: ") + e.what());
        return false;
    }
    return loadParsed(value, "from stream");
}

bool ShipEntry::loadFromFile(const std::string& path)
{
    std::string text;
    if (!tools::readRegularFile(path, text)) {
        tools::log(kTag, "Cannot open ship file '" + path + "'");
        return false;
    }
    json::Value value;
    try {
        value = json::parseFromString(text);
    } catch (const json::ParseException& e) {
        tools::log(kTag, "Cannot load ship file '" + path + "': " + e.what());
        return false;
    }
    return loadParsed(value, "file '" + path + "'");
}

bool ShipEntry::loadFromString(const std::string& text)
{
    json::Value value;
    try {
        value = json::parseFromString(text);
    } catch (const json::ParseException& e) {
        tools::log(kTag, std::string("Cannot load ship from text: ") + e.what());
        return false;
    }
    return loadParsed(value, "from text");
}

bool ShipEntry::saveToStream(std::ostream& stream) const
{
    json::writeToStream(stream, toJson());
    return static_cast<bool>(stream);
}

bool ShipEntry::saveToFile(const std::string& path) const
{
    std::string text;
    json::writeToString(text, toJson());
    std::string error;
    if (tools::writeFileAtomically(path, text, &error))
        return true;
    tools::log(kTag, "Cannot write ship file '" + path + "': " + error);
    return false;
}

bool ShipEntry::saveToString(std::string& out) const
{
    json::writeToString(out, toJson());
    return true;
}

} // namespace velk::backend
