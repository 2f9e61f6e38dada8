#include "game/ship/backend/PointEntry.hpp"

namespace velk::backend {

PointEntry::PointEntry() = default;

PointEntry::PointEntry(const math::Vector2<float>& position, float /*roundness*/) : tools::Movable2<float>(position) {}

PointEntry::~PointEntry() = default;

void PointEntry::setRoundness(float /*value*/)
{
    roundness = 0.0f;
}

void PointEntry::modRoundness(float /*delta*/)
{
    roundness = 0.0f;
}

PointEntryCreator::PointEntryCreator(const math::Vector2<float>& position, float roundness)
    : position(position), roundness(roundness)
{}

PointEntry* PointEntryCreator::operator()() const
{
    return new PointEntry(position, roundness);
}

} // namespace velk::backend
