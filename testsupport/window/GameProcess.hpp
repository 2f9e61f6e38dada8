#pragma once

// A program started for a window test: in its own working folder, with its
// arguments, extra environment and its output in a log file. It is killed
// when the test ends without having seen it exit.

#include "testsupport/window/XWindowDriver.hpp"

#include <sys/types.h>

#include <chrono>
#include <filesystem>
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
    bool startWithWindow(const Options& options, const std::string& title = "Velkors");

    /// Whether it still runs; reaps it (keeping its exit code) once it ended.
    bool running();
    /// Its exit code once it has ended by itself, or -1 (also when it was
    /// killed by a signal or did not end in time).
    int waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(60));
    void kill();

    /// What it wrote to its log so far.
    std::string log() const;

    XWindowDriver window;

private:
    pid_t pid = 0;
    int exitCode = -1;
    std::filesystem::path logFile;
};

} // namespace velk_test
