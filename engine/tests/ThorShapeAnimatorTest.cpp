#include "engine/ThorShapeAnimator.hpp"

#include "framework/fx/FrameAnimation.hpp"

#include <SFML/Graphics/RectangleShape.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Step {
    bool playing;
    float progress;
};

std::vector<Step> run(bool loop, int updates)
{
    sf::RectangleShape shape;
    ThorShapeAnimator<char> animator(&shape);
    animator.addAnimation(
        'a', [](sf::Shape&, float) {}, sf::seconds(1.0f));
    animator.playAnimation('a', loop);
    std::vector<Step> steps;
    for (int i = 0; i < updates; ++i) {
        animator.update(sf::seconds(0.25f));
        steps.push_back({animator.isPlayingAnimation(), animator.getProgress()});
    }
    return steps;
}

TEST(ThorShapeAnimatorTest, ProgressStopsOrWrapsOnlyPastOne)
{
    const std::vector<Step> once = run(false, 5);
    const float expected[] = {0.25f, 0.5f, 0.75f, 1.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(once[i].playing) << i;
        EXPECT_FLOAT_EQ(once[i].progress, expected[i]) << i;
    }
    EXPECT_FALSE(once[4].playing);

    const std::vector<Step> looped = run(true, 6);
    EXPECT_TRUE(looped[4].playing);
    EXPECT_FLOAT_EQ(looped[4].progress, 0.25f);
    EXPECT_FLOAT_EQ(looped[5].progress, 0.5f);
}

TEST(ThorShapeAnimatorTest, FramesOfAnImageMapReachTheBoundShape)
{
    enum class Anim { Idle, Burn };
    sf::RectangleShape shape;
    shape.setTextureRect(sf::IntRect(7, 7, 7, 7));
    ThorShapeAnimator<Anim> animator(&shape);
    EXPECT_EQ(animator.getTarget(), &shape);

    // Nothing plays: the shape stays as it is.
    animator.update(sf::seconds(0.5f));
    animator.animate();
    EXPECT_EQ(shape.getTextureRect(), sf::IntRect(7, 7, 7, 7));

    fx::FrameAnimation frames;
    frames.addFrame(1.0f, sf::IntRect(0, 0, 16, 16));
    frames.addFrame(1.0f, sf::IntRect(16, 0, 16, 16));
    animator.addAnimation(Anim::Burn, frames, sf::seconds(2.0f));
    animator.playAnimation(Anim::Burn, true);
    EXPECT_EQ(animator.getPlayingAnimation(), Anim::Burn);

    animator.update(sf::seconds(0.5f));
    animator.animate();
    EXPECT_EQ(shape.getTextureRect(), sf::IntRect(0, 0, 16, 16));
    animator.update(sf::seconds(1.0f));
    animator.animate();
    EXPECT_EQ(shape.getTextureRect(), sf::IntRect(16, 0, 16, 16));
    // Past the end the loop starts over on the first frame.
    animator.update(sf::seconds(1.0f));
    animator.animate();
    EXPECT_EQ(shape.getTextureRect(), sf::IntRect(0, 0, 16, 16));

    animator.stopAnimation();
    shape.setTextureRect(sf::IntRect(1, 1, 1, 1));
    animator.animate();
    EXPECT_EQ(shape.getTextureRect(), sf::IntRect(1, 1, 1, 1));
}

} // namespace
