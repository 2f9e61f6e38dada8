#pragma once

#include <cstdint>
#include <string>

namespace tools {

/// Far beyond any file the game reads, small enough that a wrong path cannot
/// exhaust the memory.
inline constexpr std::uint64_t MaxReadFileBytes = std::uint64_t{256} << 20;

/// Reads the whole file at `path` into `content`, but only when it is a
/// regular file (or a link to one) of at most `maxBytes`: a named pipe would
/// block the reader and a device such as /dev/zero would never end. Those,
/// folders, oversized files and read errors fail with a log line naming the
/// file; a file that does not open fails without one, so that callers keep
/// their own message for it. `content` holds the file only on success.
bool readRegularFile(const std::string& path, std::string& content, std::uint64_t maxBytes = MaxReadFileBytes);

} // namespace tools
