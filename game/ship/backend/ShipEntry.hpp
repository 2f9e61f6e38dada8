#pragma once

#include "foundation/json/Value.hpp"
#include "foundation/math/Box.hpp"
#include "foundation/math/Vector2.hpp"
#include "game/ship/backend/EntrySet.hpp"
#include "game/ship/backend/PartEntry.hpp"
#include "game/ship/backend/PointEntry.hpp"
#include "game/ship/backend/ShipColor.hpp"

#include <iosfwd>
#include <string>
#include <vector>

namespace velk::backend {

/// The description of one craft: its hull outline (a closed polygon in the
/// ship's frame), the parts placed on it, and the hull's texture and colour.
/// Plain data shared by the ship editor, its test drive and play mode; it is
/// copied through its JSON form (`toJson`, then `fromJson` on a cleared one).
///
/// Reading is lenient: members missing or of another kind keep their defaults.
/// A load that fails (unreadable file, text that is not JSON, a root that is
/// not an object) logs one line and leaves the description as it was.
class ShipEntry {
public:
    using Box = math::Box<math::Vector2<float>>;

    ShipEntry();
    /// Destroys the parts, then the points.
    virtual ~ShipEntry();
    ShipEntry(const ShipEntry&) = delete;
    ShipEntry& operator=(const ShipEntry&) = delete;

    /// Destroys every point and part and resets texture and colour.
    void clear();

    EntrySet<PointEntry>& pointSet() { return points; }
    const EntrySet<PointEntry>& pointSet() const { return points; }
    EntrySet<PartEntry>& partSet() { return parts; }
    const EntrySet<PartEntry>& partSet() const { return parts; }

    const std::string& getTextureFile() const { return textureFile; }
    void setTextureFile(const std::string& file) { textureFile = file; }
    math::Vector2<float> getTextureOffset() const { return textureOffset; }
    void setTextureOffset(const math::Vector2<float>& offset) { textureOffset = offset; }
    float getTextureScale() const { return textureScale; }
    void setTextureScale(float scale) { textureScale = scale; }
    const ShipColor& getColor() const { return color; }
    void setColor(const ShipColor& c) { color = c; }

    /// A new part (rotation 0, not mirrored, no properties) appended to the part set.
    PartEntry* insertPart(unsigned int partId, const math::Vector2<float>& position);
    PartEntry* insertPart(unsigned int partId, float x, float y);
    /// A new point directly behind `after`; at the end when `after` is null
    /// or not a point of this outline.
    PointEntry* insertPointAfter(const math::Vector2<float>& position, float roundness, const PointEntry* after);
    PointEntry* insertPointAfter(float x, float y, float roundness, const PointEntry* after);
    PointEntry* insertPoint(const math::Vector2<float>& position, float roundness);
    PointEntry* insertPoint(float x, float y, float roundness);

    /// The outline as a polygon, one vertex per point in outline order.
    std::vector<math::Vector2<float>> getRoundedPoints() const;
    /// Box of the outline; the zero box when it is empty.
    Box getHullBoundaries() const;
    Box getXSymmetricHullBoundaries() const;
    /// Box of the outline and of every part's catalogue body, placed by the
    /// part's transform. A part whose id the catalogue lacks is left out with
    /// a log line.
    Box getFullBoundaries() const;
    Box getXSymmetricFullBoundaries() const;
    /// Moves points and parts so that the full box is centred on the origin;
    /// texture offset, rotations and mirror flags stay.
    void moveToCenter();

    /// Reads a ship-file value: a present "Points" replaces the outline, parts
    /// are appended behind those already there, "Texture" and "Color" set what
    /// they hold. A value that is not an object changes nothing.
    void fromJson(const json::Value& value);
    /// The ship-file value, with all four members.
    json::Value toJson() const;

    /// Parse, then clear and read. False (with a log line) when the input is
    /// not a JSON object; the description is then unchanged.
    bool loadFromStream(std::istream& stream);
    bool loadFromFile(const std::string& path);
    bool loadFromString(const std::string& text);

    /// False when the stream fails.
    bool saveToStream(std::ostream& stream) const;
    /// Replaces the file atomically; false (with a log line naming the file)
    /// when it cannot be written, and an old file stays as it was.
    bool saveToFile(const std::string& path) const;
    bool saveToString(std::string& out) const;

private:
    /// Clears and reads a parsed value; false and a log line, changing nothing,
    /// when it is not an object.
    bool loadParsed(const json::Value& value, const std::string& source);

    EntrySet<PointEntry> points;
    EntrySet<PartEntry> parts;
    std::string textureFile;
    math::Vector2<float> textureOffset;
    float textureScale = 1.0f;
    ShipColor color = ShipColor::White;
};

/// The box widened to be symmetric about x = 0: with m the larger of |min.x|
/// and |max.x|, (-m, min.y) to (m, max.y).
ShipEntry::Box makeXSymmetric(ShipEntry::Box box);

} // namespace velk::backend
