// The play screen's arithmetic: loading frame names and the frame a progress
// shows, the trial clock's text, the HUD's score catch-up and the playlist.

#include "game/play/model/PlayScreenMath.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace velk;

TEST(PlayScreenMath, LoadingFrameNamesHaveFourDigits)
{
    const std::pair<int, const char*> cases[] = {
        {0, "data/img/loading/Loading0000.png"},  {5, "data/img/loading/Loading0005.png"},
        {9, "data/img/loading/Loading0009.png"},  {10, "data/img/loading/Loading0010.png"},
        {58, "data/img/loading/Loading0058.png"},
    };
    for (const auto& [index, path] : cases)
        EXPECT_EQ(loadingFramePath(index), path) << index;
    EXPECT_EQ(LoadingFrameCount, 59);
}

TEST(PlayScreenMath, ProgressPicksTheFrame)
{
    struct Case {
        float progress;
        std::size_t frames;
        std::size_t expected;
    };
    const Case cases[] = {
        {0.0f, 59, 0}, {0.5f, 59, 29}, {1.0f, 59, 0}, {0.999f, 59, 58},
        {0.25f, 4, 1}, {0.7f, 1, 0},   {0.5f, 0, 0},  {-0.2f, 59, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(loadingFrameIndex(c.progress, c.frames), c.expected) << c.progress << " of " << c.frames;
}

TEST(PlayScreenMath, TrialTimeReadsMinutesSecondsCentiseconds)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "00:00:00"},      {9, "00:00:00"},        {10, "00:00:01"},    {9990, "00:09:99"}, {65500, "01:05:50"},
        {600500, "10:00:50"}, {6000000, "100:00:00"}, {59999, "00:59:99"}, {-40, "00:00:00"},
    };
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(formatTrialTime(ms), text) << ms << " ms";
}

TEST(PlayScreenMath, ScoreCatchesUpAndDropsAtOnce)
{
    const float dt = 1.0f / 60.0f;
    // A gain of 1000: 83 a frame for 12 frames, the remaining 4 on the 13th.
    int shown = 0;
    std::vector<int> steps;
    while (shown != 1000 && steps.size() < 100) {
        const int next = catchUpScore(shown, 1000, dt);
        steps.push_back(next - shown);
        shown = next;
    }
    ASSERT_EQ(steps.size(), 13u);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_EQ(steps[i], 83) << i;
    EXPECT_EQ(steps[12], 4);

    struct Case {
        int shown, target;
        float dt;
        int expected;
    };
    const Case cases[] = {
        {0, 6000, dt, 500},                  // rate 30000 a second
        {1000, 950, dt, 950},                // the drain shows at once
        {700, 700, dt, 700},                 // nothing to do
        {0, 100, 0.0f, 0},                   // no time, no step
        {0, 3, dt, 3},                       // never past the target
        {0, 2000000000, 0.125f, 1250000000}, // huge gaps do not overflow
    };
    for (const Case& c : cases)
        EXPECT_EQ(catchUpScore(c.shown, c.target, c.dt), c.expected) << c.shown << " -> " << c.target;
}

TEST(PlayScreenMath, PlaylistAlternatesAndDropsWhatCannotBeOpened)
{
    // Both tracks open: the entry after the chosen one first, then they alternate.
    Playlist both({"a", "b"}, 0);
    EXPECT_EQ(both.advance(), "b");
    EXPECT_EQ(both.advance(), "a");
    EXPECT_EQ(both.advance(), "b");

    // The first is missing: it drops out and the second repeats.
    Playlist firstMissing({"a", "b"}, 1);
    EXPECT_EQ(firstMissing.advance(), "a");
    firstMissing.dropCurrent();
    EXPECT_EQ(firstMissing.getFiles(), std::vector<std::string>{"b"});
    EXPECT_EQ(firstMissing.advance(), "b");
    EXPECT_EQ(firstMissing.advance(), "b");

    // The last entry fails: the index wraps to the first.
    Playlist lastMissing({"a", "b", "c"}, 1);
    EXPECT_EQ(lastMissing.advance(), "c");
    lastMissing.dropCurrent();
    EXPECT_EQ(lastMissing.getCurrent(), 0u);
    EXPECT_EQ(lastMissing.advance(), "b");

    // Both fail: the list empties and stays quiet.
    Playlist none({"a", "b"}, 0);
    none.advance();
    none.dropCurrent();
    none.advance();
    none.dropCurrent();
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.advance(), "");
    none.dropCurrent();
    EXPECT_TRUE(none.empty());
}

} // namespace
