#include "numerics/numerics.h"

// The correctly rounded functions form their exact products by fused
// multiply-adds where the CPU has them (elementary/correctly_rounded.h),
// which an x86-64 build learns only at run time: there each evaluator is
// compiled twice, once for CPUs with FMA, and the CPU picks. Both give the
// same bits; only the elementary functions' inner products differ, the
// evaluators' own arithmetic stays unfused (-ffp-contract=off). Each is
// flattened, all it calls inline, so that the elementary functions run in
// the code compiled for the CPU and the evaluators' independent calls
// overlap.
#if defined(XSIN_CORRECTLY_ROUNDED) && defined(__x86_64__) && !defined(__FMA__)
#define XSIN_PICK_FMA_AT_RUN_TIME
#endif

namespace xsin {

#ifdef XSIN_PICK_FMA_AT_RUN_TIME

namespace {

using FusedMath = CorrectlyRoundedMathWith<fastpath::FusedProducts>;

[[gnu::target("fma"), gnu::flatten]] double fFused(double x) {
    return fWith<FusedMath>(x);
}

[[gnu::target("fma"), gnu::flatten]] double fpFused(double x) {
    return fpWith<FusedMath>(x);
}

[[gnu::target("fma"), gnu::flatten]] double fpfiniteFused(double x) {
    return fpfiniteWith<FusedMath>(x);
}

[[gnu::target("fma"), gnu::flatten]] Dual afFused(Dual x) {
    const auto y = afOver(BasicDual<FusedMath>(x.val, x.grad));
    return {y.val, y.grad};
}

}  // namespace

[[gnu::flatten]] double f(double x) {
    return cpuHasFma() ? fFused(x) : fWith<Math>(x);
}

[[gnu::flatten]] double fp(double x) {
    return cpuHasFma() ? fpFused(x) : fpWith<Math>(x);
}

[[gnu::flatten]] double fpfinite(double x) {
    return cpuHasFma() ? fpfiniteFused(x) : fpfiniteWith<Math>(x);
}

[[gnu::flatten]] Dual af(Dual x) {
    return cpuHasFma() ? afFused(x) : afOver(x);
}

#else

[[gnu::flatten]] double f(double x) {
    return fWith<Math>(x);
}

[[gnu::flatten]] double fp(double x) {
    return fpWith<Math>(x);
}

[[gnu::flatten]] double fpfinite(double x) {
    return fpfiniteWith<Math>(x);
}

[[gnu::flatten]] Dual af(Dual x) {
    return afOver(x);
}

#endif

}  // namespace xsin
