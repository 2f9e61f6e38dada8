#pragma once

#include "foundation/math/Vector2.hpp"
#include "foundation/tools/Movable2.hpp"

namespace velk::backend {

/// One vertex of a ship's hull outline. Corners are always sharp: every way of
/// setting the roundness stores 0, so files and editors cannot make rounded
/// hulls that the physics outline would not match.
class PointEntry : public tools::Movable2<float> {
public:
    PointEntry();
    /// The roundness is accepted for the callers' sake and stored as 0.
    PointEntry(const math::Vector2<float>& position, float roundness);
    ~PointEntry() override;

    float getRoundness() const { return roundness; }
    void setRoundness(float value);
    void modRoundness(float delta);

private:
    float roundness = 0.0f;
};

/// Makes a new point for a set; the caller owns it until a set takes it.
class PointEntryCreator {
public:
    PointEntryCreator(const math::Vector2<float>& position, float roundness);
    PointEntry* operator()() const;

private:
    math::Vector2<float> position;
    float roundness;
};

} // namespace velk::backend
