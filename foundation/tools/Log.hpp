#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tools {

/// Receives every log line: the tag (without brackets, may be empty) and the text.
using LogSink = std::function<void(std::string_view tag, std::string_view text)>;

/// Writes one log line through the current sink. The default sink prints
/// "[tag] text" (or the bare text for an empty tag) to standard output and
/// flushes, so a crash never swallows the last lines. Safe to call from any thread.
void log(std::string_view tag, std::string_view text);

/// Replaces the sink and returns the previous one; an empty sink restores the
/// standard-output sink. Tests use this to read what the code logged.
LogSink setLogSink(LogSink sink);

/// The line as the default sink prints it, without the line break.
std::string formatLogLine(std::string_view tag, std::string_view text);

} // namespace tools
