#include "foundation/tools/Log.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(Log, FormatsTagInBracketsAndBareTextWithoutTag)
{
    EXPECT_EQ(tools::formatLogLine("Json", "Cannot write"), "[Json] Cannot write");
    EXPECT_EQ(tools::formatLogLine("", "Loaded body"), "Loaded body");
}

TEST(Log, DefaultSinkPrintsOneFlushedLineToStandardOutput)
{
    testing::internal::CaptureStdout();
    tools::log("GameFramework", "init started");
    tools::log("", "bare");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "[GameFramework] init started\nbare\n");
}

TEST(Log, CaptureTakesLinesFromEveryThreadAndRestoresThePreviousSink)
{
    std::vector<std::string> outer;
    tools::LogSink before = tools::setLogSink(
        [&](std::string_view tag, std::string_view text) { outer.push_back(tools::formatLogLine(tag, text)); });
    {
        velk_test::LogCapture capture;
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i) {
            threads.emplace_back([] {
                for (int n = 0; n < 100; ++n)
                    tools::log("T", "line");
            });
        }
        for (auto& thread : threads)
            thread.join();
        EXPECT_EQ(capture.count("[T] line"), 400);
        EXPECT_TRUE(outer.empty());
    }
    tools::log("After", "capture");
    tools::setLogSink(std::move(before));
    EXPECT_EQ(outer, std::vector<std::string>{"[After] capture"});
}
