#pragma once

#include "foundation/math/Vector2.hpp"
#include "foundation/tools/Mirrorable2.hpp"
#include "foundation/tools/Movable2.hpp"
#include "foundation/tools/Rotatable2.hpp"

#include <map>
#include <string>

namespace velk::backend {

class ShipPart;

/// One part placed on a ship: the catalogue id of its kind, its origin and
/// rotation (radians) in the ship's frame, whether it is mirrored along X (in
/// its own frame, before the rotation) and free text properties such as
/// "drillhead". Only the X mirror flag is used.
class PartEntry : public tools::Movable2<float>, public tools::Rotatable2<float>, public tools::Mirrorable2 {
public:
    /// Sets the mirror flag without calling the mirror hook.
    PartEntry(unsigned int partId, const math::Vector2<float>& position, float rotation, bool mirrored);
    ~PartEntry() override;

    unsigned int getPartId() const { return partId; }

    /// The catalogue record of the part's kind in `ShipPartStore::Singleton`,
    /// or null when the catalogue does not hold the id (a ship made with
    /// another catalogue). Callers skip such parts.
    ShipPart* getShipPart() const;

    std::map<std::string, std::string>& properties() { return props; }
    const std::map<std::string, std::string>& properties() const { return props; }

private:
    unsigned int partId;
    std::map<std::string, std::string> props;
};

/// Makes a new part entry (rotation 0, not mirrored) for a set; the caller
/// owns it until a set takes it.
class PartEntryCreator {
public:
    PartEntryCreator(unsigned int partId, const math::Vector2<float>& position);
    PartEntry* operator()() const;

private:
    unsigned int partId;
    math::Vector2<float> position;
};

} // namespace velk::backend
