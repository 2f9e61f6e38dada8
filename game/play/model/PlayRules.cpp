#include "game/play/model/PlayRules.hpp"

#include <algorithm>
#include <cmath>

namespace velk::rules {

int gameModeFor(std::size_t platformCount)
{
    return platformCount > 0 ? 1 : 0;
}

int drainScore(int score, std::int64_t& drainClockMicroseconds, std::int64_t dtMicroseconds)
{
    drainClockMicroseconds += dtMicroseconds;
    while (drainClockMicroseconds >= DrainPeriodMicroseconds) {
        drainClockMicroseconds -= DrainPeriodMicroseconds;
        score = std::max(score - DrainPerSecond, 0);
    }
    return score;
}

bool isResting(const LandingProbe& probe)
{
    const math::Vector2<float>& v = probe.hullVelocity;
    return probe.shipPosition.y > probe.platformPosition.y &&
           std::fabs(probe.shipPosition.x - probe.platformPosition.x) < LandingReach && v.x * v.x + v.y * v.y < 1.0f &&
           std::fabs(probe.hullAngularVelocity) < 0.1f;
}

bool isImpact(float speed)
{
    return speed > ImpactThreshold;
}

float impactVolume(float speed)
{
    return speed * 0.05f;
}

float partImpactFactor(float volume, std::size_t queued)
{
    return std::max(0.12f, 2.0f / static_cast<float>(queued + 1)) * volume;
}

float platformImpactFactor(float volume, std::size_t queued)
{
    return volume / static_cast<float>(queued + 1);
}

float hullDamage(float speed)
{
    return 0.025f * speed * speed;
}

float oneShotVolume(float factor, float soundVolumeSetting)
{
    return std::clamp(factor, 0.0f, 1.0f) * soundVolumeSetting;
}

unsigned sparkIndexFor(float x)
{
    if (x < 20.0f)
        return 1;
    if (x < 40.0f)
        return 2;
    if (x < 60.0f)
        return 3;
    return 0;
}

float dustLifetimeBase(float radius)
{
    return std::sqrt(std::max(radius, 0.0f)) * 0.25f;
}

float dustEmissionRate(float radius)
{
    return radius * radius * 25.0f;
}

math::Vector2<float> cameraSize(const math::Vector2<float>& viewSize, float mapWidth)
{
    math::Vector2<float> size(viewSize.y > 0.0f ? viewSize.x * CameraHeight / viewSize.y : CameraHeight, CameraHeight);
    if (mapWidth > 0.0f && mapWidth < size.x)
        size *= mapWidth / size.x;
    return size;
}

float shadowScale(const math::Vector2<float>& cameraSize, const math::Vector2<float>& shapeSize, bool lampOn)
{
    if (shapeSize.x <= 0.0f || shapeSize.y <= 0.0f)
        return 0.0f;
    const float s = std::max(cameraSize.y / shapeSize.y, cameraSize.x / shapeSize.x);
    return s * (lampOn ? 3.0f : 2.0f);
}

} // namespace velk::rules
