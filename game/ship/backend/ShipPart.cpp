#include "game/ship/backend/ShipPart.hpp"

#include <sstream>

namespace velk::backend {

ShipPart::ShipPart() = default;

ShipPart::~ShipPart() = default;

std::vector<math::Vector2<float>> ShipPart::parseBody(const std::string& text)
{
    std::vector<math::Vector2<float>> points;
    std::istringstream stream(text);
    float x = 0.0f;
    float y = 0.0f;
    while (stream >> x >> y)
        points.emplace_back(x, y);
    return points;
}

math::Box<math::Vector2<float>> ShipPart::parseShape(const std::string& text)
{
    std::vector<float> values;
    std::istringstream stream(text);
    float value = 0.0f;
    while (stream >> value)
        values.push_back(value);
    math::Box<math::Vector2<float>> box;
    if (values.size() >= 2) {
        box.min = math::Vector2<float>(values[0], values[1]);
        box.max = box.min;
    }
    if (values.size() >= 4)
        box.max = math::Vector2<float>(values[0] + values[2], values[1] + values[3]);
    return box;
}

} // namespace velk::backend
