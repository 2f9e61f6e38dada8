#include "game/ship/backend/ShipEntry.hpp"

#include "foundation/math/Polygon.hpp"
#include "foundation/tools/Log.hpp"
#include "game/ship/backend/ShipPart.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace velk::backend {

namespace {

void merge(ShipEntry::Box& into, const ShipEntry::Box& box)
{
    into.min.x = std::min(into.min.x, box.min.x);
    into.min.y = std::min(into.min.y, box.min.y);
    into.max.x = std::max(into.max.x, box.max.x);
    into.max.y = std::max(into.max.y, box.max.y);
}

/// The part's body in the ship's frame: mirrored in its own frame first, then
/// rotated, then moved to the part's position.
std::vector<math::Vector2<float>> placedBody(const PartEntry& entry, const ShipPart& part)
{
    const float r = entry.getRotation();
    const float c = std::cos(r);
    const float s = std::sin(r);
    const math::Vector2<float> at = entry.getPosition();
    std::vector<math::Vector2<float>> placed;
    placed.reserve(part.getBody().size());
    for (math::Vector2<float> p : part.getBody()) {
        if (entry.isMirroredX())
            p.x = -p.x;
        placed.emplace_back(p.x * c - p.y * s + at.x, p.x * s + p.y * c + at.y);
    }
    return placed;
}

} // namespace

ShipEntry::ShipEntry() = default;

// The members go in reverse order: the part set before the point set.
ShipEntry::~ShipEntry() = default;

void ShipEntry::clear()
{
    points.clear();
    parts.clear();
    textureFile.clear();
    textureOffset = math::Vector2<float>();
    textureScale = 1.0f;
    color = ShipColor::White;
}

PartEntry* ShipEntry::insertPart(unsigned int partId, const math::Vector2<float>& position)
{
    return parts.add(PartEntryCreator(partId, position)());
}

PartEntry* ShipEntry::insertPart(unsigned int partId, float x, float y)
{
    return insertPart(partId, math::Vector2<float>(x, y));
}

PointEntry* ShipEntry::insertPointAfter(const math::Vector2<float>& position, float roundness, const PointEntry* after)
{
    const auto& list = points.getResources();
    const auto it = std::find(list.begin(), list.end(), after);
    const std::size_t index = (after && it != list.end()) ? static_cast<std::size_t>(it - list.begin()) + 1
                                                          : list.size();
    return points.insert(index, PointEntryCreator(position, roundness)());
}

PointEntry* ShipEntry::insertPointAfter(float x, float y, float roundness, const PointEntry* after)
{
    return insertPointAfter(math::Vector2<float>(x, y), roundness, after);
}

PointEntry* ShipEntry::insertPoint(const math::Vector2<float>& position, float roundness)
{
    return insertPointAfter(position, roundness, nullptr);
}

PointEntry* ShipEntry::insertPoint(float x, float y, float roundness)
{
    return insertPointAfter(math::Vector2<float>(x, y), roundness, nullptr);
}

std::vector<math::Vector2<float>> ShipEntry::getRoundedPoints() const
{
    std::vector<math::Vector2<float>> positions;
    std::vector<float> roundness;
    for (const PointEntry* point : points.getResources()) {
        positions.push_back(point->getPosition());
        roundness.push_back(point->getRoundness());
    }
    return math::roundCorners(positions, roundness);
}

ShipEntry::Box ShipEntry::getHullBoundaries() const
{
    return math::getPolygonBoundaries(getRoundedPoints());
}

ShipEntry::Box ShipEntry::getXSymmetricHullBoundaries() const
{
    return makeXSymmetric(getHullBoundaries());
}

ShipEntry::Box ShipEntry::getFullBoundaries() const
{
    Box box = getHullBoundaries();
    for (const PartEntry* entry : parts.getResources()) {
        const ShipPart* part = entry->getShipPart();
        if (!part) {
            tools::log("ShipEntry",
                       "Unknown part id " + std::to_string(entry->getPartId()) + " left out of the bounds");
            continue;
        }
        // An empty body gives the zero box, which takes in the ship's origin.
        merge(box, math::getPolygonBoundaries(placedBody(*entry, *part)));
    }
    return box;
}

ShipEntry::Box ShipEntry::getXSymmetricFullBoundaries() const
{
    return makeXSymmetric(getFullBoundaries());
}

void ShipEntry::moveToCenter()
{
    const Box box = getFullBoundaries();
    const math::Vector2<float> shift((box.min.x + box.max.x) * -0.5f, (box.min.y + box.max.y) * -0.5f);
    for (PointEntry* point : points.getResources())
        point->move(shift);
    for (PartEntry* part : parts.getResources())
        part->move(shift);
}

ShipEntry::Box makeXSymmetric(ShipEntry::Box box)
{
    const float m = std::max(std::fabs(box.min.x), std::fabs(box.max.x));
    box.min.x = -m;
    box.max.x = m;
    return box;
}

} // namespace velk::backend
