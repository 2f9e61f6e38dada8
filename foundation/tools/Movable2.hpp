#pragma once

#include "foundation/math/Vector2.hpp"

namespace tools {

/// A position. Every set or move calls `onMoved` with the displacement (new
/// minus old), also when it is zero. Derived classes may write `position`
/// directly to change it without a hook.
template <typename T>
class Movable2 {
public:
    explicit Movable2(const math::Vector2<T>& position = math::Vector2<T>()) : position(position) {}
    virtual ~Movable2() = default;

    // Hook, empty by default.
    virtual void onMoved(const math::Vector2<T>& displacement) { (void)displacement; }

    const math::Vector2<T>& getPosition() const { return position; }

    void setPosition(const math::Vector2<T>& p)
    {
        const math::Vector2<T> old = position;
        position = p;
        onMoved(position - old);
    }

    void move(const math::Vector2<T>& d)
    {
        const math::Vector2<T> old = position;
        position = old + d;
        onMoved(position - old);
    }

protected:
    math::Vector2<T> position;
};

} // namespace tools
