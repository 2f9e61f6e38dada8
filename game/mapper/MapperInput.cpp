#include "game/mapper/MapperInput.hpp"

#include <cmath>
#include <filesystem>

namespace dunnix {

double clampSpinnerValue(double value, const SpinnerRange& range)
{
    if (std::isnan(value) || value < range.min)
        return range.min;
    if (value > range.max)
        return range.max;
    return value;
}

unsigned int spinnerToUnsigned(double value, const SpinnerRange& range)
{
    return static_cast<unsigned int>(std::trunc(clampSpinnerValue(value, range)));
}

int spinnerToInt(double value, const SpinnerRange& range)
{
    return static_cast<int>(std::trunc(clampSpinnerValue(value, range)));
}

float spinnerToFloat(double value, const SpinnerRange& range)
{
    return static_cast<float>(clampSpinnerValue(value, range));
}

bool isBareFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string completeMapFileName(const std::string& name)
{
    if (std::filesystem::path(name).extension().string() == ".json")
        return name;
    return name + ".map.json";
}

} // namespace dunnix
