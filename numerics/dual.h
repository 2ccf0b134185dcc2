#pragma once

#include <cmath>

namespace xsin {

// A first-order forward-mode dual number: a value and one derivative
// component. Used when the autodiff library is not installed; its members
// and its product and sine rules are those of autodiff's Dual<double, double>,
// so that code over either type computes the same bits.
struct Dual {
    double val = 0.0;
    double grad = 0.0;

    constexpr Dual() = default;
    constexpr Dual(double value, double derivative = 0.0) : val(value), grad(derivative) {}
};

inline Dual operator*(Dual a, Dual b) {
    return {a.val * b.val, a.val * b.grad + a.grad * b.val};
}

inline Dual sin(Dual a) {
    return {std::sin(a.val), a.grad * std::cos(a.val)};
}

}  // namespace xsin
