#include "framework/fx/Animator.hpp"
#include "framework/fx/FrameAnimation.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <gtest/gtest.h>

#include <vector>

namespace {

/// Records the progress values an animation is applied with.
struct Recorder {
    std::vector<float> seen;
};

using RecorderAnimator = fx::Animator<Recorder, char>;

void record(Recorder& target, float progress)
{
    target.seen.push_back(progress);
}

TEST(AnimatorTest, OneShotPlaysThroughExactlyOneAndStopsPastIt)
{
    RecorderAnimator animator;
    animator.addAnimation('a', record, sf::seconds(1.f));
    animator.playAnimation('a', false);
    Recorder target;

    for (float expected : {0.25f, 0.5f, 0.75f, 1.0f}) {
        animator.update(sf::seconds(0.25f));
        ASSERT_TRUE(animator.isPlayingAnimation()) << "at " << expected;
        animator.animate(target);
        EXPECT_FLOAT_EQ(target.seen.back(), expected);
    }
    animator.update(sf::seconds(0.25f));
    EXPECT_FALSE(animator.isPlayingAnimation());
    animator.animate(target);
    EXPECT_EQ(target.seen.size(), 4u);
}

TEST(AnimatorTest, LoopedAnimationKeepsTheFractionalPart)
{
    RecorderAnimator animator;
    animator.addAnimation('a', record, sf::seconds(1.f));
    animator.playAnimation('a', true);
    for (int i = 0; i < 5; ++i)
        animator.update(sf::seconds(0.25f));
    ASSERT_TRUE(animator.isPlayingAnimation());
    EXPECT_FLOAT_EQ(animator.getProgress(), 0.25f);

    // A step over several lengths at once still lands inside [0, 1].
    animator.update(sf::seconds(2.5f));
    EXPECT_FLOAT_EQ(animator.getProgress(), 0.75f);
}

TEST(AnimatorTest, ProgressScalesWithTheDuration)
{
    RecorderAnimator animator;
    animator.addAnimation('s', record, sf::seconds(0.5f));
    animator.addAnimation('l', record, sf::seconds(4.f));
    animator.playAnimation('l');
    animator.update(sf::seconds(1.f));
    EXPECT_FLOAT_EQ(animator.getProgress(), 0.25f);

    animator.playAnimation('s', true);
    EXPECT_EQ(animator.getPlayingAnimation(), 's');
    EXPECT_FLOAT_EQ(animator.getProgress(), 0.f);
    animator.update(sf::seconds(0.125f));
    EXPECT_FLOAT_EQ(animator.getProgress(), 0.25f);
}

TEST(AnimatorTest, PlayingAgainRestartsWithTheNewLoopFlag)
{
    RecorderAnimator animator;
    animator.addAnimation('a', record, sf::seconds(1.f));
    animator.playAnimation('a', true);
    animator.update(sf::seconds(0.75f));

    // Played again once: from the start, and no longer wrapping.
    animator.playAnimation('a', false);
    EXPECT_EQ(animator.getProgress(), 0.f);
    animator.update(sf::seconds(0.75f));
    EXPECT_FLOAT_EQ(animator.getProgress(), 0.75f);
    animator.update(sf::seconds(0.5f));
    EXPECT_FALSE(animator.isPlayingAnimation());
}

TEST(AnimatorTest, StopAndUnknownIdsLeaveNothingPlaying)
{
    RecorderAnimator animator;
    Recorder target;
    animator.animate(target);
    EXPECT_TRUE(target.seen.empty());
    EXPECT_EQ(animator.getPlayingAnimation(), char{});

    animator.addAnimation('a', record, sf::seconds(1.f));
    animator.playAnimation('a', true);
    animator.stopAnimation();
    EXPECT_FALSE(animator.isPlayingAnimation());

    animator.playAnimation('a', true);
    animator.playAnimation('z', true);
    EXPECT_FALSE(animator.isPlayingAnimation());
    animator.update(sf::seconds(1.f));
    animator.animate(target);
    EXPECT_TRUE(target.seen.empty());
}

TEST(AnimatorTest, ZeroDurationNeverDividesByZero)
{
    RecorderAnimator animator;
    animator.addAnimation('z', record, sf::Time::Zero);
    animator.playAnimation('z', true);
    animator.update(sf::seconds(0.1f));
    ASSERT_TRUE(animator.isPlayingAnimation());
    EXPECT_FLOAT_EQ(animator.getProgress(), 0.f);

    animator.playAnimation('z', false);
    animator.update(sf::seconds(0.1f));
    EXPECT_FALSE(animator.isPlayingAnimation());
}

enum class Flame { Burn, DieOut };

TEST(AnimatorTest, EnumIdsWork)
{
    fx::Animator<Recorder, Flame> animator;
    animator.addAnimation(Flame::Burn, record, sf::seconds(1.f));
    animator.addAnimation(Flame::DieOut, record, sf::seconds(1.f));
    animator.playAnimation(Flame::DieOut);
    EXPECT_EQ(animator.getPlayingAnimation(), Flame::DieOut);
}

sf::IntRect rect(int n)
{
    return sf::IntRect(n * 10, 0, 10, 10);
}

TEST(FrameAnimationTest, EqualFramesShareTheProgressEvenly)
{
    fx::FrameAnimation frames;
    for (int i = 0; i < 4; ++i)
        frames.addFrame(1.f, rect(i));
    // Shares [0, .25), [.25, .5), [.5, .75), [.75, 1].
    EXPECT_EQ(frames.frameAt(0.f), 0u);
    EXPECT_EQ(frames.frameAt(0.2f), 0u);
    EXPECT_EQ(frames.frameAt(0.25f), 1u);
    EXPECT_EQ(frames.frameAt(0.6f), 2u);
    EXPECT_EQ(frames.frameAt(0.9f), 3u);
    EXPECT_EQ(frames.frameAt(1.f), 3u);
}

TEST(FrameAnimationTest, RelativeDurationsWeightTheFrames)
{
    // 1 : 1 : 5 as the landing light: [0, 1/7), [1/7, 2/7), [2/7, 1].
    fx::FrameAnimation frames;
    frames.addFrame(1.f, rect(0));
    frames.addFrame(1.f, rect(1));
    frames.addFrame(5.f, rect(2));
    EXPECT_EQ(frames.frameAt(0.1f), 0u);
    EXPECT_EQ(frames.frameAt(0.2f), 1u);
    EXPECT_EQ(frames.frameAt(0.3f), 2u);
    EXPECT_EQ(frames.frameAt(0.99f), 2u);
}

TEST(FrameAnimationTest, EdgeCasesOfFramesAndProgress)
{
    fx::FrameAnimation none;
    EXPECT_FALSE(none.frameAt(0.5f).has_value());

    fx::FrameAnimation frames;
    frames.addFrame(1.f, rect(0));
    frames.addFrame(0.f, rect(1));  // never shown
    frames.addFrame(-3.f, rect(2)); // counts as 0
    frames.addFrame(1.f, rect(3));
    frames.addFrame(0.f, rect(4)); // trailing zero-length frame
    EXPECT_EQ(frames.frameAt(0.49f), 0u);
    EXPECT_EQ(frames.frameAt(0.5f), 3u);
    EXPECT_EQ(frames.frameAt(1.f), 3u);
    EXPECT_EQ(frames.frameAt(7.f), 3u);
    EXPECT_EQ(frames.frameAt(-1.f), 0u);
}

TEST(FrameAnimationTest, SetsTheShapesTextureRectangleThroughTheAnimator)
{
    fx::FrameAnimation frames;
    frames.addFrame(1.f, rect(0));
    frames.addFrame(1.f, rect(1));
    sf::RectangleShape shape;
    fx::Animator<sf::Shape, char> animator;
    animator.addAnimation(0, frames, sf::seconds(0.06f));
    animator.playAnimation(0, true);

    animator.update(sf::seconds(0.01f));
    animator.animate(shape);
    EXPECT_EQ(shape.getTextureRect(), rect(0));
    animator.update(sf::seconds(0.03f));
    animator.animate(shape);
    EXPECT_EQ(shape.getTextureRect(), rect(1));
    animator.update(sf::seconds(0.03f)); // wraps to about 1/6
    animator.animate(shape);
    EXPECT_EQ(shape.getTextureRect(), rect(0));

    // Without frames the shape keeps its rectangle.
    fx::FrameAnimation empty;
    empty(shape, 0.5f);
    EXPECT_EQ(shape.getTextureRect(), rect(0));
}

} // namespace
