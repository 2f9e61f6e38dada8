#pragma once

// The test drive's part components: each is its play kind switched to test
// mode before it starts ("_test" pictures, no sounds, no flame, no fuel use,
// no drill head, the cockpit's "Test" picture). Too small for a file each.

#include "game/ship/AntennaComponent.hpp"
#include "game/ship/CockpitComponent.hpp"
#include "game/ship/DrillComponent.hpp"
#include "game/ship/FuelTankComponent.hpp"
#include "game/ship/JetComponent.hpp"
#include "game/ship/LampComponent.hpp"
#include "game/ship/TrackComponent.hpp"

namespace velk {

template <typename Base>
class TestPart : public Base {
public:
    explicit TestPart(backend::PartEntry* entry) : Base(entry) { this->setTest(true); }
    ~TestPart() override = default;
};

using TestAntennaComponent = TestPart<AntennaComponent>;
using TestCockpitComponent = TestPart<CockpitComponent>;
using TestDrillComponent = TestPart<DrillComponent>;
using TestFuelTankComponent = TestPart<FuelTankComponent>;
using TestLampComponent = TestPart<LampComponent>;
using TestTrackComponent = TestPart<TrackComponent>;

/// A test jet also draws a cross at its origin and a thrust line that grows
/// with its thrust, towards the part's local -y.
class TestJetComponent : public TestPart<JetComponent> {
public:
    /// World units of line per unit of thrust.
    static constexpr float ThrustLineScale = 0.003f;

    explicit TestJetComponent(backend::PartEntry* entry);
    ~TestJetComponent() override;

    void postDraw(sf::RenderTarget& target, sf::RenderStates states) const override;
    /// The three segments (six points) postDraw draws for a thrust value, in
    /// the part object's units: a cross at the origin and the thrust line.
    static sf::VertexArray markerLines(float thrust);
};

} // namespace velk
