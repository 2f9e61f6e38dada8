#include "game/editor/model/ShipFiles.hpp"

#include "game/ship/backend/ShipEntry.hpp"

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
