#pragma once

#include "foundation/tools/Log.hpp"

#include <mutex>
#include <string>
#include <vector>

namespace velk_test {

/// Collects every log line while it lives, as the standard-output sink would
/// print it ("[Tag] text"), and puts the previous sink back at the end.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const;
    /// All lines joined with line breaks, each ending in one.
    std::string text() const;
    /// Whether any line contains `part`.
    bool contains(const std::string& part) const;
    /// How many lines contain `part`.
    int count(const std::string& part) const;
    void clear();

private:
    mutable std::mutex mutex;
    std::vector<std::string> captured;
    tools::LogSink previous;
};

} // namespace velk_test
