#pragma once

#include "foundation/tools/ResourceSet.hpp"

namespace velk::backend {

/// An owning, ordered set of a ship description's entries. Each entry is its
/// own allocation, so the editor may keep plain pointers to it until it is
/// destroyed through the set.
template <typename T>
class EntrySet : public tools::ResourceSet<T> {
public:
    ~EntrySet() override = default;
};

} // namespace velk::backend
