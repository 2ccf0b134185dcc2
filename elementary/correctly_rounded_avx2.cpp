// The fast path of sin and cos over four arguments in AVX2 lanes: the very
// operations of a double's, lane by lane (elementary/internal/fast_path.h),
// with Dekker's products. Compiled for AVX2; nothing here but the two entry
// points has external linkage.

#include "binary64/lanes.h"
#include "binary64/lanes_avx2.h"
#include "elementary/internal/fast_path.h"
#include "elementary/internal/fast_path_avx2.h"

namespace xsin::fastpath {

int sinLanesAvx2(const double* u, double* sin) {
    const Double4 lanes = avx2::loadLanes(u);
    const Reduced<Double4> reduced = reduce(lanes);
    const Approximation<Double4> y = approximateSin<DekkerProducts>(lanes, reduced);
    storeLanes(sin, y.hi);
    return ~avx2::signBits(decidesNearest(y) & reduced.inRange) & 0xf;
}

int sinCosLanesAvx2(const double* u, double* sin, double* cos) {
    const Double4 lanes = avx2::loadLanes(u);
    const Reduced<Double4> reduced = reduce(lanes);
    const SinCosApproximation<Double4> y = approximateSinCos<DekkerProducts>(lanes, reduced);
    storeLanes(sin, y.sin.hi);
    storeLanes(cos, y.cos.hi);
    return ~avx2::signBits(decidesNearest(y.sin) & decidesNearest(y.cos) & reduced.inRange) & 0xf;
}

}  // namespace xsin::fastpath
