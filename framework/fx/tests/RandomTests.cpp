#include "framework/fx/Random.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

constexpr int kDraws = 2000;

unsigned alwaysThree()
{
    return 3u;
}

TEST(DistributionTest, ConstantsAndFunctors)
{
    const fx::Distribution<float> constant = 2.5f;
    EXPECT_EQ(constant(), 2.5f);
    EXPECT_EQ(constant(), 2.5f);

    int calls = 0;
    const fx::Distribution<unsigned> counter = [&calls] { return static_cast<unsigned>(++calls); };
    EXPECT_EQ(counter(), 1u);
    EXPECT_EQ(counter(), 2u);

    const fx::Distribution<sf::Color> color = sf::Color::Red;
    EXPECT_EQ(color(), sf::Color::Red);
    const fx::Distribution<sf::Time> time = sf::milliseconds(1500);
    EXPECT_EQ(time(), sf::milliseconds(1500));
    const fx::Distribution<sf::Vector2f> defaulted;
    EXPECT_EQ(defaulted(), sf::Vector2f());

    // A plain function, as an index picker passed by name.
    const fx::Distribution<unsigned> function = alwaysThree;
    EXPECT_EQ(function(), 3u);
}

TEST(DistributionTest, UniformFloatStaysInItsClosedRangeAndSpreads)
{
    fx::seedRandom(7);
    const auto d = fx::uniform(0.f, 100.f);
    float lo = 100.f;
    float hi = 0.f;
    for (int i = 0; i < kDraws; ++i) {
        const float x = d();
        ASSERT_GE(x, 0.f);
        ASSERT_LE(x, 100.f);
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
    EXPECT_LT(lo, 5.f);
    EXPECT_GT(hi, 95.f);

    const auto reversed = fx::uniform(3.f, -3.f);
    for (int i = 0; i < 100; ++i) {
        const float x = reversed();
        ASSERT_GE(x, -3.f);
        ASSERT_LE(x, 3.f);
    }
    EXPECT_EQ(fx::uniform(4.f, 4.f)(), 4.f);
}

TEST(DistributionTest, UniformWholeNumbersReachBothEnds)
{
    fx::seedRandom(11);
    const auto d = fx::uniform(1u, 3u);
    std::set<unsigned> seen;
    for (int i = 0; i < kDraws; ++i)
        seen.insert(d());
    EXPECT_EQ(seen, (std::set<unsigned>{1u, 2u, 3u}));
}

TEST(DistributionTest, UniformTimeStaysInRange)
{
    fx::seedRandom(13);
    const auto d = fx::uniform(sf::seconds(1.f), sf::seconds(2.f));
    for (int i = 0; i < kDraws; ++i) {
        const sf::Time t = d();
        ASSERT_GE(t, sf::seconds(1.f));
        ASSERT_LE(t, sf::seconds(2.f));
    }
}

float degreesBetween(sf::Vector2f a, sf::Vector2f b)
{
    const float dot = a.x * b.x + a.y * b.y;
    const float cross = a.x * b.y - a.y * b.x;
    return std::abs(std::atan2(cross, dot)) * 180.f / 3.14159265f;
}

TEST(DistributionTest, DeflectKeepsTheLengthAndLimitsTheAngle)
{
    fx::seedRandom(17);
    const sf::Vector2f base(0.f, -10.f);
    const auto d = fx::deflect(base, 40.f);
    float widest = 0.f;
    for (int i = 0; i < kDraws; ++i) {
        const sf::Vector2f v = d();
        ASSERT_NEAR(std::hypot(v.x, v.y), 10.f, 1e-3f);
        const float angle = degreesBetween(base, v);
        ASSERT_LE(angle, 40.f + 1e-3f);
        widest = std::max(widest, angle);
    }
    EXPECT_GT(widest, 35.f);

    // A full turn reaches every side.
    const auto anyDirection = fx::deflect(sf::Vector2f(1.f, 0.f), 360.f);
    bool left = false;
    for (int i = 0; i < kDraws && !left; ++i)
        left = anyDirection().x < -0.9f;
    EXPECT_TRUE(left);
}

TEST(BlendColorsTest, EndsMiddleAndClamping)
{
    const sf::Color a(255, 248, 226, 255);
    const sf::Color b(217, 164, 4, 0);
    EXPECT_EQ(fx::blendColors(a, b, 0.f), a);
    EXPECT_EQ(fx::blendColors(a, b, 1.f), b);
    EXPECT_EQ(fx::blendColors(a, b, 0.5f), sf::Color(236, 206, 115, 128));
    EXPECT_EQ(fx::blendColors(a, b, -2.f), a);
    EXPECT_EQ(fx::blendColors(a, b, 9.f), b);
    EXPECT_EQ(fx::blendColors(a, b, std::nanf("")), a);
}

} // namespace
