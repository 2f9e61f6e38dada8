#pragma once

// A program started for a window test: in its own working folder, with its
// arguments, extra environment and its output in a log file. It is killed
// when the test ends without having seen it exit.

#include "testsupport/window/XWindowDriver.hpp"

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velk_test {

class GameProcess {
public:
    struct Options {
        std::filesystem::path program;
        std::vector<std::string> arguments;
        /// The working folder; the test's own when empty.
        std::filesystem::path folder;
        /// Standard output and error go here when set.
        std::filesystem::path log;
        std::vector<std::pair<std::string, std::string>> environment;
    };

    GameProcess() = default;
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    /// Starts the program; whether it could be started.
    bool start(const Options& options);
    /// Starts the program and waits for its window by title; whether it showed.
    ::testing::AssertionResult startWithWindow(const Options& options, const std::string& title = "Velkors");

    /// Whether it still runs; reaps it (keeping its exit code) once it ended.
    bool running();
    /// Its exit code once it has ended by itself, or -1 (also when it was
    /// killed by a signal or did not end in time).
    int waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(60));
    void kill();

    /// Polls the condition until it holds, for the timeout at most and no
    /// longer than the program runs. A failure names what was awaited, how
    /// the program is doing and its last output.
    ::testing::AssertionResult waitFor(const std::string& what, const std::function<bool()>& condition,
                                       std::chrono::milliseconds timeout = std::chrono::seconds(30),
                                       std::chrono::milliseconds interval = std::chrono::milliseconds(100));

    /// What it wrote to its log so far.
    std::string log() const;
    /// The last lines of its log, for a failure message.
    std::string lastOutput(std::size_t lines = 40) const;

    XWindowDriver window;

private:
    /// "still runs", "ended with exit code 0", "was ended by signal 6 (Aborted)" ...
    std::string state();

    pid_t pid = 0;
    int exitCode = -1;
    int endSignal = 0;
    std::filesystem::path logFile;
};

} // namespace velk_test
