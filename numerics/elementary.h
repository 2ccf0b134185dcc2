#pragma once

#include <cmath>

#include "numerics/binary64.h"

// The elementary functions that every evaluator and equation calls, gathered
// in one type so that the same arithmetic can run over another math library:
// the build's own choice below, or a stand-in that a measurement supplies.

#ifdef XSIN_CORRECTLY_ROUNDED
#include "numerics/correctly_rounded.h"
#endif

namespace xsin {

// The standard math library. The compiler merges a sine and a cosine of the
// same argument into one sincos call.
struct LibraryMath {
    static double sin(double u) { return std::sin(u); }
    static double cos(double u) { return std::cos(u); }
    static double exp(double u) { return std::exp(u); }
};

#ifdef XSIN_CORRECTLY_ROUNDED
using Math = CorrectlyRoundedMath;
#else
using Math = LibraryMath;
#endif

}  // namespace xsin
