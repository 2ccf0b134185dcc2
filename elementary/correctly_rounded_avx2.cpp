// The fast path of sin and cos over four arguments in AVX2 lanes: the very
// operations of a double's, lane by lane (elementary/internal/fast_path.h),
// with Dekker's products. Compiled for AVX2; nothing here but the two entry
// points has external linkage.

#include <immintrin.h>

#include "binary64/lanes.h"
#include "elementary/internal/fast_path.h"
#include "elementary/internal/lanes_avx2.h"

namespace xsin::fastpath {

namespace {

// A bit per lane whose mask is clear.
[[gnu::always_inline]] inline int undecided(Long4 decided) {
    return ~_mm256_movemask_pd((__m256d)decided) & 0xf;
}

}  // namespace

int sinLanesAvx2(const double* u, double* sin) {
    const Double4 lanes = (Double4)_mm256_loadu2_m128d(u + 2, u);
    const Reduced<Double4> reduced = reduce(lanes);
    const Approximation<Double4> y = approximateSin<DekkerProducts>(lanes, reduced);
    storeLanes(sin, y.hi);
    return undecided(decidesNearest(y) & reduced.inRange);
}

int sinCosLanesAvx2(const double* u, double* sin, double* cos) {
    const Double4 lanes = (Double4)_mm256_loadu2_m128d(u + 2, u);
    const Reduced<Double4> reduced = reduce(lanes);
    const SinCosApproximation<Double4> y = approximateSinCos<DekkerProducts>(lanes, reduced);
    storeLanes(sin, y.sin.hi);
    storeLanes(cos, y.cos.hi);
    return undecided(decidesNearest(y.sin) & decidesNearest(y.cos) & reduced.inRange);
}

}  // namespace xsin::fastpath
