#pragma once

#include "foundation/math/Vector2.hpp"

#include <cstdint>

// The arithmetic of the play rules: game mode, score drain, landing, impacts,
// sound factors, sparks, dust and the camera. Pure functions, so the rules can
// be checked without a world; velk::GameLogic applies them to its world.
namespace velk::rules {

/// 1 (time trial) on a map with at least one platform, else 0 (free flight).
int gameModeFor(std::size_t platformCount);

/// Score lost per whole second of active play, and the drain period.
constexpr int DrainPerSecond = 50;
constexpr std::int64_t DrainPeriodMicroseconds = 1000000;

/// Adds dt (microseconds) to the drain clock and takes DrainPerSecond off the
/// score for each whole second it holds, never going below 0. Returns the new
/// score; the clock keeps the remainder.
int drainScore(int score, std::int64_t& drainClockMicroseconds, std::int64_t dtMicroseconds);

/// Fuel a free-flight tank regains per second.
constexpr float FreeFlightRefillPerSecond = 0.5f;

/// What the landing test looks at, all in world units (y up).
struct LandingProbe {
    math::Vector2<float> shipPosition;
    math::Vector2<float> platformPosition;
    math::Vector2<float> hullVelocity;
    float hullAngularVelocity = 0.0f;
};

/// Largest horizontal distance (exclusive) between ship and platform.
constexpr float LandingReach = 14.0f;
/// The ship rests on the platform: above it, within reach, speed squared
/// below 1 and turning slower than 0.1 rad/s (all strict).
bool isResting(const LandingProbe& probe);

/// Impact speeds at or below this make no sound and no damage.
constexpr float ImpactThreshold = 2.5f;
bool isImpact(float speed);
/// The volume factor of an impact of that speed (may exceed 1).
float impactVolume(float speed);
/// A part other than the hull hitting the terrain, with `queued` sounds already queued.
float partImpactFactor(float volume, std::size_t queued);
/// A platform taking part in an impact, with `queued` sounds already queued.
float platformImpactFactor(float volume, std::size_t queued);
/// Hull damage of an impact taken by the hull alone.
float hullDamage(float speed);
/// A one-shot sound's volume: the factor, at most 1 and at least 0, times the
/// sound-volume setting (0 to 100).
float oneShotVolume(float factor, float soundVolumeSetting);

/// Spark texture index for a draw x from [0, 100]: 1 below 20, 2 below 40,
/// 3 below 60, else 0.
unsigned sparkIndexFor(float x);

/// The lifetime base (seconds) of the dust of a hole of that radius.
float dustLifetimeBase(float radius);
/// Dust particles per second for a hole of that radius.
float dustEmissionRate(float radius);

/// Camera height in world units.
constexpr float CameraHeight = 50.0f;
/// The camera size for a view of that size: 50 units high with the view's
/// aspect, shrunk (aspect kept) to the map's width when the map is narrower.
math::Vector2<float> cameraSize(const math::Vector2<float>& viewSize, float mapWidth);

/// The shadow's scale: it covers the camera whichever side is longer, twice
/// over, or three times with a lamp on. A shape of no size gives 0.
float shadowScale(const math::Vector2<float>& cameraSize, const math::Vector2<float>& shapeSize, bool lampOn);

} // namespace velk::rules
