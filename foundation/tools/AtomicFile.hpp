#pragma once

#include <functional>
#include <string>

namespace tools {

/// Replaces the file at `path` with `content` without ever leaving it
/// half-written: the text goes to a temporary file in the same folder, which
/// is flushed, closed and then renamed over the target, and the folder is
/// synced so that a power cut cannot bring the old file back. On failure the
/// old file stays as it was, the temporary file is removed, false is returned
/// and `error` (when given) names the cause. Each save also removes the
/// temporary files that writers killed in the middle of a save left in that
/// folder; those of running processes stay.
bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error = nullptr);

/// Removes the files of `folder` that `writerOf` names as the temporaries of
/// a process (it gives that process's id, or -1 for any other file) when that
/// process no longer runs; this process's own and running ones' stay. Each
/// removal is logged under `tag`.
void removeTemporariesOfEndedProcesses(const std::string& folder,
                                       const std::function<long(const std::string& name)>& writerOf,
                                       const std::string& tag);

/// Whether the process may still run: false only when no process has, or can have, this id.
bool isProcessRunning(long pid);

/// Writes a folder's entries (a rename in it, for one) to the disk; false when
/// the folder cannot be opened or synced.
bool syncFolder(const std::string& folder);

} // namespace tools
