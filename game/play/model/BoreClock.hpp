#pragma once

namespace velk {

/// The contact time of one drill head with the terrain. A head bores one hole
/// per drill time: the clock restarts with each hole, so a head that stays in
/// contact bores again only after another full drill time.
class BoreClock {
public:
    void advance(float dt) { elapsed += dt; }
    float getElapsed() const { return elapsed; }
    /// Whether a full drill time has passed (a drill time of 0 is always due).
    bool isDue(float drillTime) const { return elapsed >= drillTime; }
    /// When due, restarts the clock and returns true (one hole); else false.
    bool takeHole(float drillTime);

private:
    float elapsed = 0.0f;
};

} // namespace velk
