#include "foundation/tools/Log.hpp"

#include <cstdio>
#include <mutex>

namespace tools {

namespace {

std::mutex& sinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

LogSink& currentSink()
{
    static LogSink sink;
    return sink;
}

} // namespace

std::string formatLogLine(std::string_view tag, std::string_view text)
{
    std::string line;
    if (!tag.empty()) {
        line.reserve(tag.size() + text.size() + 3);
        line.append("[").append(tag).append("] ");
    }
    line.append(text);
    return line;
}

void log(std::string_view tag, std::string_view text)
{
    // The lock also keeps lines of different threads from interleaving.
    std::lock_guard<std::mutex> lock(sinkMutex());
    if (currentSink()) {
        currentSink()(tag, text);
        return;
    }
    const std::string line = formatLogLine(tag, text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

LogSink setLogSink(LogSink sink)
{
    std::lock_guard<std::mutex> lock(sinkMutex());
    LogSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

} // namespace tools
