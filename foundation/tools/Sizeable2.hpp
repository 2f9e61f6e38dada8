#pragma once

#include "foundation/math/Vector2.hpp"

namespace tools {

/// A size whose components never go below zero. Every `setSize` calls
/// `onSized` with the stored size. Derived classes may write `size` directly.
template <typename T>
class Sizeable2 {
public:
    Sizeable2() = default;
    virtual ~Sizeable2() = default;

    // Hook, empty by default; receives the new (clamped) size.
    virtual void onSized(const math::Vector2<T>& newSize) { (void)newSize; }

    const math::Vector2<T>& getSize() const { return size; }

    void setSize(const math::Vector2<T>& s)
    {
        size.x = s.x < T(0) ? T(0) : s.x;
        size.y = s.y < T(0) ? T(0) : s.y;
        onSized(size);
    }

protected:
    math::Vector2<T> size;
};

} // namespace tools
