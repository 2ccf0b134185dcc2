#pragma once

#include <cmath>
#include <type_traits>
#include <utility>

#include "binary64/binary64.h"
#include "elementary/sin_cos.h"

// The elementary functions that every evaluator and equation calls, gathered
// in one type so that the same arithmetic can run over another math library:
// the build's own choice (Math, below), or a stand-in that a measurement
// supplies. A Math type has static sin, cos and exp, and may have a sinCos
// that gives both of one argument.

#ifdef XSIN_CORRECTLY_ROUNDED
#include "elementary/correctly_rounded.h"
#endif

namespace xsin {

// The standard math library. The compiler merges a sine and a cosine of the
// same argument into one sincos call.
struct LibraryMath {
    static double sin(double u) { return std::sin(u); }
    static double cos(double u) { return std::cos(u); }
    static double exp(double u) { return std::exp(u); }
};

template <class Math, class T, class = void>
struct HasSinCos : std::false_type {};
template <class Math, class T>
struct HasSinCos<Math, T, std::void_t<decltype(Math::sinCos(std::declval<T>()))>> : std::true_type {};

// The sine and cosine of the same argument (a double, or four in lanes):
// from one call where Math has one (a correctly rounded sinCos shares its
// argument reduction), else from its sin and its cos, in that order.
template <class Math, class T>
XSIN_ALWAYS_INLINE auto sinCosOf(T u) {
    if constexpr (HasSinCos<Math, T>::value) {
        return Math::sinCos(u);
    } else {
        const T s = Math::sin(u);
        return SinCos{s, Math::cos(u)};
    }
}

#ifdef XSIN_CORRECTLY_ROUNDED
using Math = CorrectlyRoundedMath;
#else
using Math = LibraryMath;
#endif

}  // namespace xsin
