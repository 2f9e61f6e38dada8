#include "game/editor/model/ShipFiles.hpp"

#include "game/ship/backend/ShipEntry.hpp"

#include <boost/filesystem.hpp>

namespace velk {

bool isBareFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string completeShipFileName(const std::string& name)
{
    const std::string::size_type dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    if (extension == ".json")
        return name;
    if (extension == ".ship")
        return name + ".json";
    return name + ".ship.json";
}

std::vector<std::string> listFolderFiles(const std::string& folder, const std::string& extension)
{
    namespace fs = boost::filesystem;
    std::vector<std::string> names;
    boost::system::error_code error;
    if (!fs::is_directory(folder, error) || error)
        return names;
    fs::directory_iterator it(folder, error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        boost::system::error_code statusError;
        if (!fs::is_regular_file(it->path(), statusError) || statusError)
            continue;
        if (it->path().extension().string() == extension)
            names.push_back(it->path().filename().string());
    }
    return names;
}

bool loadShipInto(backend::ShipEntry& ship, const std::string& path)
{
    backend::ShipEntry loaded;
    if (!loaded.loadFromFile(path))
        return false;
    copyShip(loaded, ship);
    return true;
}

void copyShip(const backend::ShipEntry& source, backend::ShipEntry& ship)
{
    const json::Value value = source.toJson();
    ship.clear();
    ship.fromJson(value);
}

} // namespace velk
