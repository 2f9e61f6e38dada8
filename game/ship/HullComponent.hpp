#pragma once

#include "engine/GamePhisicsComponent.hpp"
#include "foundation/math/Vector2.hpp"

#include <vector>

namespace velk {

namespace backend {
class ShipEntry;
} // namespace backend

/// The ship's hull: one dynamic body made of the triangles of the ship
/// description's outline, to which every part is welded. Hidden: the ship
/// shows it only while drawing it. Play mode and the editor's test drive
/// derive from it to draw the textured hull.
class HullComponent : public GamePhisicsComponent {
public:
    static constexpr float Density = 5.0f;
    static constexpr unsigned short CategoryBits = 0x0008;
    static constexpr unsigned short MaskBits = 0xF00F;

    HullComponent();
    ~HullComponent() override;

    /// Replaces the body by a new dynamic one at the component's position with
    /// one fixture per triangle the physics engine accepts (the others are
    /// dropped with a log line). `points` is the outline, for subclasses that
    /// draw it. True when the body was made; false, with a log line and the
    /// old body kept, when the engine accepts no body of these triangles.
    virtual bool build(const std::vector<math::Vector2<float>>& points,
                       const std::vector<std::vector<math::Vector2<float>>>& triangles);
    /// Checks and triangulates the entry's outline, then builds. False, with
    /// nothing changed, for fewer than 3 points, a self-crossing outline or
    /// one whose triangles the physics refuses.
    virtual bool build(backend::ShipEntry* entry);
};

} // namespace velk
