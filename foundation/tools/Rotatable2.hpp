#pragma once

namespace tools {

/// An angle. Every set or turn calls `onRotated` with the change (new minus
/// old), also when it is zero. Derived classes may write `rotation` directly
/// to change it without a hook.
template <typename T>
class Rotatable2 {
public:
    explicit Rotatable2(T rotation = T(0)) : rotation(rotation) {}
    virtual ~Rotatable2() = default;

    // Hook, empty by default.
    virtual void onRotated(T change) { (void)change; }

    T getRotation() const { return rotation; }

    void setRotation(T r)
    {
        const T old = rotation;
        rotation = r;
        onRotated(rotation - old);
    }

    void rotate(T d)
    {
        const T old = rotation;
        rotation = old + d;
        onRotated(rotation - old);
    }

protected:
    T rotation;
};

} // namespace tools
