#include "game/ship/backend/PartEntry.hpp"

#include "game/ship/backend/ShipPartStore.hpp"

namespace velk::backend {

PartEntry::PartEntry(unsigned int partId, const math::Vector2<float>& position, float rotation, bool mirrored)
    : tools::Movable2<float>(position), tools::Rotatable2<float>(rotation), partId(partId)
{
    setMirroredX(mirrored);
}

PartEntry::~PartEntry() = default;

ShipPart* PartEntry::getShipPart() const
{
    return ShipPartStore::Singleton.findPartById(partId);
}

PartEntryCreator::PartEntryCreator(unsigned int partId, const math::Vector2<float>& position)
    : partId(partId), position(position)
{}

PartEntry* PartEntryCreator::operator()() const
{
    return new PartEntry(partId, position, 0.0f, false);
}

} // namespace velk::backend
