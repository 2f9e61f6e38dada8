#include "testsupport/LogCapture.hpp"

#include <algorithm>

namespace velk_test {

LogCapture::LogCapture()
{
    previous = tools::setLogSink([this](std::string_view tag, std::string_view text) {
        std::lock_guard<std::mutex> lock(mutex);
        captured.push_back(tools::formatLogLine(tag, text));
    });
}

LogCapture::~LogCapture()
{
    tools::setLogSink(std::move(previous));
}

std::vector<std::string> LogCapture::lines() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return captured;
}

std::string LogCapture::text() const
{
    std::string result;
    for (const std::string& line : lines()) {
        result += line + "\n";
    }
    return result;
}

bool LogCapture::contains(const std::string& part) const
{
    return count(part) > 0;
}

int LogCapture::count(const std::string& part) const
{
    const std::vector<std::string> all = lines();
    return static_cast<int>(std::count_if(
        all.begin(), all.end(), [&](const std::string& line) { return line.find(part) != std::string::npos; }));
}

void LogCapture::clear()
{
    std::lock_guard<std::mutex> lock(mutex);
    captured.clear();
}

} // namespace velk_test
