#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlState.hpp"

#include <gtest/gtest.h>

#include <limits>

TEST(SfmlConversions, VectorsKeepOrFlipY)
{
    EXPECT_EQ(svec2mvec({1.5f, -2.0f}), math::Vector2<float>(1.5f, -2.0f));
    EXPECT_EQ(mvec2svec({1.5f, -2.0f}), sf::Vector2f(1.5f, -2.0f));
    EXPECT_EQ(svec2rvec({3.0f, 4.0f}), math::Vector2<float>(3.0f, -4.0f));
    EXPECT_EQ(rvec2svec({3.0f, 4.0f}), sf::Vector2f(3.0f, -4.0f));
    // Screen -> world -> screen is the identity.
    EXPECT_EQ(rvec2svec(svec2rvec({7.25f, -1.5f})), sf::Vector2f(7.25f, -1.5f));
}

TEST(SfmlConversions, SizesConvertExactlyAndTruncate)
{
    EXPECT_EQ(ssize2mvec({1920u, 16777216u}), math::Vector2<float>(1920.0f, 16777216.0f));
    EXPECT_EQ(mvec2ssize({3.9f, 2.2f}), sf::Vector2u(3, 2));
    EXPECT_EQ(mvec2ssize({0.99f, 1.0f}), sf::Vector2u(0, 1));
    // Values a plain cast could not convert.
    EXPECT_EQ(mvec2ssize({-4.0f, std::numeric_limits<float>::quiet_NaN()}), sf::Vector2u(0, 0));
    EXPECT_EQ(mvec2ssize({1e20f, 5.0f}), sf::Vector2u(std::numeric_limits<unsigned>::max(), 5));
}

TEST(SfmlConversions, ColourComponentsRoundTripEveryByte)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(colorUnitToByte(static_cast<float>(b) / 255.0f), b);
}

TEST(SfmlConversions, ColourComponentsOutsideTheUnitRangeAreClamped)
{
    // 2.0 * 255 = 510 would wrap to 254 if only the low byte were kept.
    EXPECT_EQ(colorUnitToByte(2.0f), 255);
    EXPECT_EQ(colorUnitToByte(1.004f), 255);
    EXPECT_EQ(colorUnitToByte(-0.5f), 0);
    EXPECT_EQ(colorUnitToByte(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(colorUnitToByte(std::numeric_limits<float>::infinity()), 255);
    // Inside the range the product is truncated, not rounded.
    EXPECT_EQ(colorUnitToByte(0.5f), 127);
}

TEST(SfmlStateColour, BackgroundBytesSurviveTheFloatRoundTrip)
{
    SfmlState state;
    EXPECT_EQ(state.getBackgroundSfColor(), sf::Color(0, 0, 0, 255));
    state.setBackgroundColor4ub(33, 33, 33, 255);
    EXPECT_EQ(state.getBackgroundSfColor(), sf::Color(33, 33, 33, 255));
    state.setBackgroundSfColor(sf::Color(1, 128, 254, 7));
    EXPECT_EQ(state.getBackgroundSfColor(), sf::Color(1, 128, 254, 7));
    const std::vector<float> stored = state.getBackgroundColor();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_FLOAT_EQ(stored[1], 128.0f / 255.0f);
}

TEST(SfmlStateColour, FloatSettersStoreUnclampedButDrawClamped)
{
    SfmlState state;
    state.setBackgroundColor4f(2.0f, -0.25f, 0.5f, 1.0f);
    EXPECT_EQ(state.getBackgroundColor(), (std::vector<float>{2.0f, -0.25f, 0.5f, 1.0f}));
    EXPECT_EQ(state.getBackgroundSfColor(), sf::Color(255, 0, 127, 255));
}

TEST(SfmlStateColour, VectorSetterCopiesOnlyWhatItIsGiven)
{
    SfmlState state;
    state.setBackgroundColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    state.setBackgroundColor4fv({0.9f, 0.8f});
    EXPECT_EQ(state.getBackgroundColor(), (std::vector<float>{0.9f, 0.8f, 0.3f, 0.4f}));
    state.setBackgroundColor4fv({});
    EXPECT_EQ(state.getBackgroundColor(), (std::vector<float>{0.9f, 0.8f, 0.3f, 0.4f}));
    state.setBackgroundColor4fv({0.0f, 0.0f, 0.0f, 0.0f, 0.7f});
    EXPECT_EQ(state.getBackgroundColor(), (std::vector<float>{0.0f, 0.0f, 0.0f, 0.0f}));
}
