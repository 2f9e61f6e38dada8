#pragma once

#include <functional>
#include <type_traits>
#include <utility>

namespace fx {

/// A source of values of type T: a constant, or a functor asked anew at every
/// call (a random distribution, a plain function, a lambda).
template <typename T>
class Distribution {
public:
    /// The value-initialised T as a constant.
    Distribution() : Distribution(T{}) {}

    /// A constant; anything convertible to T that is not itself callable.
    template <typename U, std::enable_if_t<std::is_convertible_v<U, T> && !std::is_invocable_v<U&>, int> = 0>
    Distribution(U constant) : source_([value = T(constant)] { return value; })
    {}

    /// A functor taking no argument whose result converts to T.
    template <typename F, std::enable_if_t<std::is_invocable_r_v<T, F&> && !std::is_convertible_v<F, T> &&
                                               !std::is_same_v<std::decay_t<F>, Distribution>,
                                           int> = 0>
    Distribution(F functor) : source_(std::move(functor))
    {}

    /// Draws one value.
    T operator()() const { return source_(); }

private:
    std::function<T()> source_;
};

} // namespace fx
