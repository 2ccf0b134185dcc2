#pragma once

#include <cstdint>
#include <cstring>

// Four doubles side by side in the lanes of a vector (GCC's and clang's
// vector extensions, AVX's registers in code compiled for it): every
// operation acts on each lane on its own, rounded as a double's is, so that
// code written over doubles computes the same bits over lanes. The
// correctly rounded functions evaluate four arguments at once in them.

namespace xsin {

typedef double Double4 __attribute__((vector_size(32)));
typedef std::int64_t Long4 __attribute__((vector_size(32)));

// The sine and the cosine of four arguments.
struct SinCos4 {
    Double4 sin;
    Double4 cos;
};

// Always inline, so that code compiled for another instruction set leaves
// no copy of them.
[[gnu::always_inline]] inline Double4 loadLanes(const double* values) {
    Double4 lanes;
    std::memcpy(&lanes, values, sizeof lanes);
    return lanes;
}

[[gnu::always_inline]] inline void storeLanes(double* values, Double4 lanes) {
    std::memcpy(values, &lanes, sizeof lanes);
}

}  // namespace xsin
