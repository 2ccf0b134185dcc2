#pragma once

namespace xsin {

// The sine and the cosine of one argument, as a math library that computes
// both at once gives them.
struct SinCos {
    double sin;
    double cos;
};

}  // namespace xsin
