#pragma once

#include "elementary/elementary.h"

namespace xsin {

// A first-order forward-mode dual number: a value and one derivative
// component. Its members and its product and sine rules are those of the
// autodiff library's Dual<double, double>, so that code over either type
// computes the same bits. Its sine and cosine come from Math (see
// elementary/elementary.h).
template <class Math>
struct BasicDual {
    double val = 0.0;
    double grad = 0.0;

    constexpr BasicDual() = default;
    constexpr BasicDual(double value, double derivative = 0.0) : val(value), grad(derivative) {}
};

template <class Math>
BasicDual<Math> operator*(BasicDual<Math> a, BasicDual<Math> b) {
    return {a.val * b.val, a.val * b.grad + a.grad * b.val};
}

template <class Math>
BasicDual<Math> sin(BasicDual<Math> a) {
    const auto [s, c] = sinCosOf<Math>(a.val);
    return {s, a.grad * c};
}

}  // namespace xsin
