#pragma once

#include <string>

namespace tools {

/// Replaces the file at `path` with `content` without ever leaving it
/// half-written: the text goes to a temporary file in the same folder, which
/// is flushed, closed and then renamed over the target. On failure the old
/// file stays as it was, the temporary file is removed, false is returned and
/// `error` (when given) names the cause.
bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error = nullptr);

} // namespace tools
