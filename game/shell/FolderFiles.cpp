#include "game/shell/FolderFiles.hpp"

#include <filesystem>
#include <system_error>

namespace velk {

std::vector<std::string> getFilesInFolder(const std::string& folder, const std::string& extension)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (!fs::is_regular_file(it->path(), statusError))
            continue;
        if (it->path().extension().string() == extension)
            names.push_back(it->path().filename().string());
    }
    return names;
}

} // namespace velk
