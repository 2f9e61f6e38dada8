#pragma once

#include <string>
#include <vector>

namespace velk {

/// The names (no folder) of the folder's regular files whose last extension,
/// dot included, is `extension`, in directory order. A missing or unreadable
/// folder gives an empty list.
std::vector<std::string> getFilesInFolder(const std::string& folder, const std::string& extension);

} // namespace velk
