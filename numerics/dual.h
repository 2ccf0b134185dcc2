#pragma once

#include "binary64/always_inline.h"
#include "elementary/elementary.h"

namespace xsin {

// A first-order forward-mode dual number: a value and one derivative
// component, doubles (or four of each in lanes, binary64/lanes.h). Its
// members and its product and sine rules are those of the autodiff
// library's Dual<double, double>, so that code over either type computes
// the same bits. Its sine and cosine come from Math (see
// elementary/elementary.h).
template <class Math, class T = double>
struct BasicDual {
    T val{};
    T grad{};

    constexpr BasicDual() = default;
    constexpr BasicDual(T value, T derivative = T{}) : val(value), grad(derivative) {}
};

template <class Math, class T>
XSIN_ALWAYS_INLINE BasicDual<Math, T> operator*(BasicDual<Math, T> a, BasicDual<Math, T> b) {
    return {a.val * b.val, a.val * b.grad + a.grad * b.val};
}

template <class Math, class T>
XSIN_ALWAYS_INLINE BasicDual<Math, T> sin(BasicDual<Math, T> a) {
    const auto [s, c] = sinCosOf<Math>(a.val);
    return {s, a.grad * c};
}

}  // namespace xsin
