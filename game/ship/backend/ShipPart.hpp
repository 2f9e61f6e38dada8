#pragma once

#include "foundation/math/Box.hpp"
#include "foundation/math/Vector2.hpp"

#include <string>
#include <vector>

namespace velk::backend {

class ShipPartStore;

/// One kind of part in the catalogue, as a row of the table "part" gives it:
/// the code names its object folder, the body is its outline in its own frame
/// (y up), the shape is where the ship editor draws its picture in that frame
/// with y pointing down, as the picture is drawn. Read-only to all but
/// the catalogue that fills it.
class ShipPart {
public:
    ShipPart();
    virtual ~ShipPart();

    const unsigned int& getId() const { return id; }
    const std::string& getCode() const { return code; }
    const std::string& getImage() const { return image; }
    const std::string& getCategory() const { return category; }
    const std::vector<math::Vector2<float>>& getBody() const { return body; }
    math::Box<math::Vector2<float>> getShape() const { return shape; }

    /// Points from text of whitespace-separated numbers taken in pairs x y; a
    /// last unpaired number and everything after the first non-number are dropped.
    static std::vector<math::Vector2<float>> parseBody(const std::string& text);

    /// The box of text "x y w h": corner (x, y), far corner (x + w, y + h).
    /// With only x and y (or three numbers) both corners are (x, y); with
    /// fewer, the zero box.
    static math::Box<math::Vector2<float>> parseShape(const std::string& text);

private:
    friend class ShipPartStore;

    unsigned int id = 0;
    std::string code;
    std::string image;
    std::vector<math::Vector2<float>> body;
    math::Box<math::Vector2<float>> shape;
    std::string category;
};

} // namespace velk::backend
