#pragma once

#include "game/ship/PartComponent.hpp"

namespace velk {

/// An antenna: a part with no behaviour of its own.
class AntennaComponent : public PartComponent {
public:
    explicit AntennaComponent(backend::PartEntry* entry);
};

} // namespace velk
