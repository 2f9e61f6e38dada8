// Particle system cost per frame: update and rebuild the vertex array of N
// particles. The counter "frame_fraction" is the time per frame divided by
// one frame at 60 fps (1.0 would use the whole frame).
#include "framework/fx/Emitter.hpp"
#include "framework/fx/ForceAffector.hpp"
#include "framework/fx/ParticleSystem.hpp"
#include "framework/fx/Random.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>

namespace {

const sf::Time kFrame = sf::seconds(1.f / 60.f);

void addCounters(benchmark::State& state)
{
    state.counters["frame_fraction"] = benchmark::Counter(
        kFrame.asSeconds(), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

/// A system set up like the drill sparks: four texture rectangles, a
/// downward force and a colour affector that fades with the remaining life.
fx::ParticleSystem sparkLikeSystem()
{
    fx::ParticleSystem system;
    for (int i = 0; i < 4; ++i)
        system.addTextureRect(sf::IntRect(0, 0, 32, 32));
    system.addAffector(fx::ForceAffector(sf::Vector2f(0.f, 5.f)));
    const sf::Color young(255, 248, 226);
    const sf::Color old(191, 90, 15);
    system.addAffector([young, old](fx::Particle& p, sf::Time) {
        const float r = fx::remainingRatio(p);
        p.color = fx::blendColors(old, young, r * r * r);
    });
    return system;
}

fx::Emitter sparkEmitter(float rate, sf::Time lifetime)
{
    fx::Emitter emitter;
    emitter.setEmissionRate(rate);
    emitter.setParticleLifetime(lifetime);
    emitter.setParticleVelocity(fx::deflect(sf::Vector2f(0.f, -10.f), 40.f));
    emitter.setParticleRotation(fx::uniform(0.f, 360.f));
    emitter.setParticleRotationSpeed(fx::uniform(-100.f, 100.f));
    emitter.setParticleScale(sf::Vector2f(0.02f, 0.02f));
    emitter.setParticleTextureIndex(fx::uniform(0u, 3u));
    return emitter;
}

/// N long-lived particles: the per-particle cost without emission.
void BM_ParticlesSteady(benchmark::State& state)
{
    const auto count = static_cast<float>(state.range(0));
    fx::ParticleSystem system = sparkLikeSystem();
    system.addEmitter(sparkEmitter(count, sf::seconds(1e6f)), sf::seconds(1.f));
    system.update(sf::seconds(1.f));
    for (auto _ : state) {
        system.update(kFrame);
        benchmark::DoNotOptimize(system.vertices().getVertexCount());
    }
    state.counters["particles"] = static_cast<double>(system.getParticleCount());
    addCounters(state);
}

/// About N particles alive, a sixtieth of them born and dying every frame.
void BM_ParticlesChurn(benchmark::State& state)
{
    const auto count = static_cast<float>(state.range(0));
    fx::ParticleSystem system = sparkLikeSystem();
    system.addEmitter(sparkEmitter(count, sf::seconds(1.f)));
    for (int i = 0; i < 60; ++i)
        system.update(kFrame);
    for (auto _ : state) {
        system.update(kFrame);
        benchmark::DoNotOptimize(system.vertices().getVertexCount());
    }
    state.counters["particles"] = static_cast<double>(system.getParticleCount());
    addCounters(state);
}

} // namespace

BENCHMARK(BM_ParticlesSteady)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParticlesChurn)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
