#pragma once

namespace math {

/// Two-component vector (x, y). The type has no notion of orientation: whether
/// y points up (world) or down (screen) is the user's convention.
template <typename T>
struct Vector2 {
    T x{};
    T y{};

    constexpr Vector2() = default;
    constexpr Vector2(T x_, T y_) : x(x_), y(y_) {}

    /// Explicit conversion between component types, e.g. float <-> int tile indices.
    template <typename U>
    constexpr explicit Vector2(const Vector2<U>& other) : x(static_cast<T>(other.x)), y(static_cast<T>(other.y))
    {}

    static const Vector2 UnitI; ///< (1, 0)
    static const Vector2 UnitJ; ///< (0, 1)

    constexpr Vector2& operator+=(const Vector2& o)
    {
        x += o.x;
        y += o.y;
        return *this;
    }
    constexpr Vector2& operator-=(const Vector2& o)
    {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    constexpr Vector2& operator*=(T s)
    {
        x *= s;
        y *= s;
        return *this;
    }
    constexpr Vector2& operator/=(T s)
    {
        x /= s;
        y /= s;
        return *this;
    }
};

// Constant-initialised (constexpr constructor), so safe to use from other
// static initialisers.
template <typename T>
const Vector2<T> Vector2<T>::UnitI{T(1), T(0)};
template <typename T>
const Vector2<T> Vector2<T>::UnitJ{T(0), T(1)};

template <typename T>
constexpr Vector2<T> operator+(const Vector2<T>& a, const Vector2<T>& b)
{
    return {a.x + b.x, a.y + b.y};
}
template <typename T>
constexpr Vector2<T> operator-(const Vector2<T>& a, const Vector2<T>& b)
{
    return {a.x - b.x, a.y - b.y};
}
template <typename T>
constexpr Vector2<T> operator-(const Vector2<T>& a)
{
    return {-a.x, -a.y};
}
template <typename T>
constexpr Vector2<T> operator*(const Vector2<T>& a, T s)
{
    return {a.x * s, a.y * s};
}
template <typename T>
constexpr Vector2<T> operator*(T s, const Vector2<T>& a)
{
    return {s * a.x, s * a.y};
}
template <typename T>
constexpr Vector2<T> operator/(const Vector2<T>& a, T s)
{
    return {a.x / s, a.y / s};
}
template <typename T>
constexpr bool operator==(const Vector2<T>& a, const Vector2<T>& b)
{
    return a.x == b.x && a.y == b.y;
}
template <typename T>
constexpr bool operator!=(const Vector2<T>& a, const Vector2<T>& b)
{
    return !(a == b);
}

} // namespace math
