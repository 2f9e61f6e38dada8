#include "framework/fx/Emitter.hpp"
#include "framework/fx/ForceAffector.hpp"
#include "framework/fx/ParticleSystem.hpp"
#include "framework/fx/Random.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

/// Collects what an emitter hands out.
class CollectingSink : public fx::ParticleSink {
public:
    void addParticle(const fx::Particle& particle) override { particles.push_back(particle); }
    std::vector<fx::Particle> particles;
};

fx::Emitter emitterAt(float rate, sf::Time lifetime)
{
    fx::Emitter emitter;
    emitter.setEmissionRate(rate);
    emitter.setParticleLifetime(lifetime);
    return emitter;
}

TEST(EmitterTest, FractionsOfParticlesCarryOverBetweenSteps)
{
    fx::Emitter emitter = emitterAt(2.5f, sf::seconds(1.f));
    CollectingSink sink;
    std::vector<std::size_t> counts;
    for (int i = 0; i < 10; ++i) {
        emitter(sink, sf::milliseconds(200));
        counts.push_back(sink.particles.size());
    }
    // 2.5 per second over 0.2 s steps: half a particle per step.
    EXPECT_EQ(counts, (std::vector<std::size_t>{0, 1, 1, 2, 2, 3, 3, 4, 4, 5}));
}

TEST(EmitterTest, SixtyFramesAtTwoHundredPerSecondGiveAboutTwoHundred)
{
    fx::Emitter emitter = emitterAt(200.f, sf::seconds(1.f));
    CollectingSink sink;
    const sf::Time frame = sf::seconds(1.f / 60.f);
    for (int i = 0; i < 60; ++i)
        emitter(sink, frame);
    // The frames add up to just under one second (whole microseconds).
    const double expected = 200.0 * frame.asSeconds() * 60;
    EXPECT_NEAR(static_cast<double>(sink.particles.size()), expected, 1.0);
}

TEST(EmitterTest, PropertiesComeFromTheirDistributions)
{
    fx::Emitter emitter = emitterAt(10.f, sf::seconds(2.f));
    emitter.setParticlePosition(sf::Vector2f(3.f, -4.f));
    emitter.setParticleVelocity(sf::Vector2f(1.f, 2.f));
    emitter.setParticleRotation(fx::uniform(10.f, 20.f));
    emitter.setParticleRotationSpeed(-5.f);
    emitter.setParticleScale(sf::Vector2f(0.02f, 0.02f));
    emitter.setParticleColor(sf::Color(200, 200, 200));
    unsigned next = 0;
    emitter.setParticleTextureIndex([&next] { return next++ % 4u; });

    CollectingSink sink;
    emitter(sink, sf::seconds(1.f));
    ASSERT_EQ(sink.particles.size(), 10u);
    for (std::size_t i = 0; i < sink.particles.size(); ++i) {
        const fx::Particle& p = sink.particles[i];
        EXPECT_EQ(p.position, sf::Vector2f(3.f, -4.f));
        EXPECT_EQ(p.velocity, sf::Vector2f(1.f, 2.f));
        EXPECT_GE(p.rotation, 10.f);
        EXPECT_LE(p.rotation, 20.f);
        EXPECT_FLOAT_EQ(p.rotationSpeed, -5.f);
        EXPECT_EQ(p.scale, sf::Vector2f(0.02f, 0.02f));
        EXPECT_EQ(p.color, sf::Color(200, 200, 200));
        EXPECT_EQ(p.textureIndex, i % 4);
        EXPECT_EQ(p.lifetime, sf::seconds(2.f));
        EXPECT_EQ(p.elapsed, sf::Time::Zero);
    }
}

TEST(EmitterTest, UnsetPropertiesGivePlainParticles)
{
    // Callers set only what they need (the sparks leave rotation and colour
    // alone): one white, unturned particle per second at the origin, of its
    // texture rectangle's own size, living one second.
    fx::Emitter emitter;
    CollectingSink sink;
    emitter(sink, sf::seconds(3.f));
    ASSERT_EQ(sink.particles.size(), 3u);
    const fx::Particle& p = sink.particles.front();
    EXPECT_EQ(p.position, sf::Vector2f(0.f, 0.f));
    EXPECT_EQ(p.velocity, sf::Vector2f(0.f, 0.f));
    EXPECT_EQ(p.rotation, 0.f);
    EXPECT_EQ(p.rotationSpeed, 0.f);
    EXPECT_EQ(p.scale, sf::Vector2f(1.f, 1.f));
    EXPECT_EQ(p.color, sf::Color::White);
    EXPECT_EQ(p.textureIndex, 0u);
    EXPECT_EQ(p.lifetime, sf::seconds(1.f));
}

TEST(EmitterTest, NegativeRateEmitsNothing)
{
    fx::Emitter emitter = emitterAt(-50.f, sf::seconds(1.f));
    CollectingSink sink;
    emitter(sink, sf::seconds(10.f));
    EXPECT_TRUE(sink.particles.empty());
}

TEST(ParticleSystemTest, ParticlesExpireWhenTheirLifetimeHasPassed)
{
    fx::ParticleSystem system;
    system.addEmitter(emitterAt(4.f, sf::seconds(1.f)), sf::milliseconds(500));
    system.update(sf::milliseconds(500)); // emits 2, the emitter's time is up
    EXPECT_EQ(system.getParticleCount(), 2u);
    EXPECT_EQ(system.getEmitterCount(), 0u);

    system.update(sf::milliseconds(600));
    EXPECT_EQ(system.getParticleCount(), 2u);
    EXPECT_FLOAT_EQ(fx::remainingRatio(system.particles().front()), 0.4f);
    system.update(sf::milliseconds(400)); // exactly 1 s old: spent
    EXPECT_EQ(system.getParticleCount(), 0u);
}

TEST(ParticleSystemTest, TimedEmittersEmitForExactlyTheirDuration)
{
    // 25 per second for 0.1 s in 1/60 s frames: 2.5 particles, so 2.
    fx::ParticleSystem system;
    system.addEmitter(emitterAt(25.f, sf::seconds(10.f)), sf::seconds(0.1f));
    int frames = 0;
    while (system.getEmitterCount() > 0 && frames < 100) {
        system.update(sf::seconds(1.f / 60.f));
        ++frames;
    }
    EXPECT_EQ(system.getParticleCount(), 2u);
    EXPECT_EQ(frames, 7); // six whole frames fall 4 microseconds short of 0.1 s

    system.addEmitter(emitterAt(100.f, sf::seconds(1.f)), sf::Time::Zero);
    EXPECT_EQ(system.getEmitterCount(), 0u);
}

TEST(ParticleSystemTest, EmittersByReferenceSeeLaterChanges)
{
    fx::ParticleSystem system;
    fx::Emitter emitter = emitterAt(1.f, sf::seconds(10.f));
    emitter.setParticlePosition(sf::Vector2f(1.f, 1.f));
    system.addEmitter(std::ref(emitter));
    system.update(sf::seconds(1.f));

    emitter.setParticlePosition(sf::Vector2f(5.f, 5.f));
    system.update(sf::seconds(1.f));
    ASSERT_EQ(system.getParticleCount(), 2u);
    EXPECT_EQ(system.particles()[0].position, sf::Vector2f(1.f, 1.f));
    EXPECT_EQ(system.particles()[1].position, sf::Vector2f(5.f, 5.f));

    // A copy does not follow the original.
    fx::ParticleSystem copySystem;
    copySystem.addEmitter(emitter);
    emitter.setParticlePosition(sf::Vector2f(9.f, 9.f));
    copySystem.update(sf::seconds(1.f));
    ASSERT_EQ(copySystem.getParticleCount(), 1u);
    EXPECT_EQ(copySystem.particles()[0].position, sf::Vector2f(5.f, 5.f));

    system.clearEmitters();
    system.update(sf::seconds(1.f));
    EXPECT_EQ(system.getParticleCount(), 2u);
}

TEST(ParticleSystemTest, ParticlesMoveTurnAndFeelTheForce)
{
    fx::ParticleSystem system;
    fx::Emitter emitter = emitterAt(1.f, sf::seconds(10.f));
    emitter.setParticleVelocity(sf::Vector2f(2.f, 0.f));
    emitter.setParticleRotationSpeed(90.f);
    system.addEmitter(emitter, sf::seconds(1.f));
    system.addAffector(fx::ForceAffector(sf::Vector2f(0.f, 5.f)));
    system.update(sf::seconds(1.f)); // born at the end of this step, unmoved
    ASSERT_EQ(system.getParticleCount(), 1u);
    EXPECT_EQ(system.particles()[0].position, sf::Vector2f(0.f, 0.f));

    system.update(sf::seconds(0.5f));
    const fx::Particle& p = system.particles()[0];
    // Moves with its velocity, then the force adds 5 * 0.5 to the velocity.
    EXPECT_FLOAT_EQ(p.position.x, 1.f);
    EXPECT_FLOAT_EQ(p.position.y, 0.f);
    EXPECT_FLOAT_EQ(p.velocity.y, 2.5f);
    EXPECT_FLOAT_EQ(p.rotation, 45.f);

    system.update(sf::seconds(0.5f));
    EXPECT_FLOAT_EQ(system.particles()[0].position.y, 1.25f);
}

TEST(ParticleSystemTest, FunctionAffectorsSeeTheRemainingLifetime)
{
    const sf::Color young(255, 248, 226);
    const sf::Color old(191, 90, 15);
    fx::ParticleSystem system;
    system.addEmitter(emitterAt(1.f, sf::seconds(2.f)), sf::seconds(1.f));
    system.addAffector([&](fx::Particle& p, sf::Time) {
        const float t = std::pow(fx::remainingRatio(p), 3.f);
        p.color = fx::blendColors(old, young, t);
    });
    system.update(sf::seconds(1.f));
    system.update(sf::seconds(1.f)); // half its life left: t = 1/8
    ASSERT_EQ(system.getParticleCount(), 1u);
    const sf::Color c = system.particles()[0].color;
    EXPECT_EQ(c.r, static_cast<sf::Uint8>(std::lround(191 + (255 - 191) / 8.0)));
    EXPECT_EQ(c.g, static_cast<sf::Uint8>(std::lround(90 + (248 - 90) / 8.0)));
    EXPECT_EQ(c.b, static_cast<sf::Uint8>(std::lround(15 + (226 - 15) / 8.0)));
}

TEST(ParticleSystemTest, RemainingRatioOfADegenerateParticleIsZero)
{
    fx::Particle p;
    p.lifetime = sf::Time::Zero;
    EXPECT_EQ(fx::remainingRatio(p), 0.f);
    p.lifetime = sf::seconds(1.f);
    p.elapsed = sf::seconds(3.f);
    EXPECT_EQ(fx::remainingRatio(p), 0.f);
}

fx::ParticleSystem systemWithOneParticle(const fx::Particle& particle)
{
    fx::ParticleSystem system;
    system.addEmitter([particle](fx::ParticleSink& sink, sf::Time) { sink.addParticle(particle); },
                      sf::microseconds(1));
    system.update(sf::microseconds(1));
    return system;
}

void expectVertex(const sf::Vertex& v, sf::Vector2f position, sf::Vector2f texCoords, sf::Color color)
{
    EXPECT_NEAR(v.position.x, position.x, 1e-4f);
    EXPECT_NEAR(v.position.y, position.y, 1e-4f);
    EXPECT_EQ(v.texCoords, texCoords);
    EXPECT_EQ(v.color, color);
}

TEST(ParticleVerticesTest, QuadIsTheTextureRectangleTimesTheScale)
{
    fx::Particle p;
    p.position = sf::Vector2f(100.f, 50.f);
    p.scale = sf::Vector2f(2.f, 0.5f);
    p.color = sf::Color(10, 20, 30, 40);
    p.textureIndex = 1;
    fx::ParticleSystem system = systemWithOneParticle(p);
    system.addTextureRect(sf::IntRect(0, 0, 4, 4));
    system.addTextureRect(sf::IntRect(8, 16, 10, 20));

    const sf::VertexArray& quads = system.vertices();
    EXPECT_EQ(quads.getPrimitiveType(), sf::Quads);
    ASSERT_EQ(quads.getVertexCount(), 4u);
    // 10 x 20 pixels at scale (2, 0.5): 20 x 10, centred on (100, 50).
    expectVertex(quads[0], {90.f, 45.f}, {8.f, 16.f}, p.color);
    expectVertex(quads[1], {110.f, 45.f}, {18.f, 16.f}, p.color);
    expectVertex(quads[2], {110.f, 55.f}, {18.f, 36.f}, p.color);
    expectVertex(quads[3], {90.f, 55.f}, {8.f, 36.f}, p.color);
}

TEST(ParticleVerticesTest, RotationTurnsTheQuadClockwiseOnScreen)
{
    fx::Particle p;
    p.position = sf::Vector2f(0.f, 0.f);
    p.rotation = 90.f;
    fx::ParticleSystem system = systemWithOneParticle(p);
    system.addTextureRect(sf::IntRect(0, 0, 4, 2));

    const sf::VertexArray& quads = system.vertices();
    ASSERT_EQ(quads.getVertexCount(), 4u);
    // sf::Transform().rotate(90) maps (x, y) to (-y, x): the top-left corner
    // (-2, -1) goes to (1, -2).
    const sf::Transform turn = sf::Transform().rotate(90.f);
    const sf::Vector2f corners[] = {{-2.f, -1.f}, {2.f, -1.f}, {2.f, 1.f}, {-2.f, 1.f}};
    for (int i = 0; i < 4; ++i) {
        const sf::Vector2f expected = turn.transformPoint(corners[i]);
        EXPECT_NEAR(quads[i].position.x, expected.x, 1e-4f);
        EXPECT_NEAR(quads[i].position.y, expected.y, 1e-4f);
    }
}

TEST(ParticleVerticesTest, IndexWithoutRectangleAndSystemWithoutTexture)
{
    fx::Particle p;
    p.position = sf::Vector2f(3.f, 3.f);
    p.textureIndex = 7; // the system has no such rectangle
    fx::ParticleSystem system = systemWithOneParticle(p);
    // No texture: the whole (empty) texture, a zero-sized quad on the spot.
    const sf::VertexArray& quads = system.vertices();
    ASSERT_EQ(quads.getVertexCount(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(quads[i].position, sf::Vector2f(3.f, 3.f));
}

TEST(ParticleVerticesTest, VerticesFollowUpdatesAndClearing)
{
    fx::ParticleSystem system;
    system.addTextureRect(sf::IntRect(0, 0, 2, 2));
    system.addEmitter(emitterAt(3.f, sf::seconds(5.f)));
    system.update(sf::seconds(1.f));
    EXPECT_EQ(system.vertices().getVertexCount(), 12u);
    system.update(sf::seconds(1.f));
    EXPECT_EQ(system.vertices().getVertexCount(), 24u);
    system.clearParticles();
    EXPECT_EQ(system.vertices().getVertexCount(), 0u);
}

} // namespace
