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

// The batches: four at a time in vector lanes, in AVX2 where the CPU has it
// and in SSE2 (two halves) elsewhere, one by one for the rest.
#if defined(XSIN_CORRECTLY_ROUNDED) && defined(__x86_64__)

namespace {

using LanesMath = CorrectlyRoundedLanes;

bool cpuHasAvx2() {
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return has;
}

template <Double4 (*inLanes)(Double4), double (*one)(double)>
[[gnu::always_inline]] inline void inBatch(const double* xs, double* values, std::size_t n) {
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        storeLanes(values + i, inLanes(loadLanes(xs + i)));
    }
    for (; i < n; ++i) {
        values[i] = one(xs[i]);
    }
}

[[gnu::target("avx2"), gnu::flatten]] void fpAvx2(const double* xs, double* values, std::size_t n) {
    inBatch<fpWith<LanesMath, Double4>, fp>(xs, values, n);
}

[[gnu::flatten]] void fpSse2(const double* xs, double* values, std::size_t n) {
    inBatch<fpWith<LanesMath, Double4>, fp>(xs, values, n);
}

[[gnu::target("avx2"), gnu::flatten]] void fpfiniteAvx2(const double* xs, double* values, std::size_t n) {
    inBatch<fpfiniteWith<LanesMath, Double4>, fpfinite>(xs, values, n);
}

[[gnu::flatten]] void fpfiniteSse2(const double* xs, double* values, std::size_t n) {
    inBatch<fpfiniteWith<LanesMath, Double4>, fpfinite>(xs, values, n);
}

[[gnu::target("avx2"), gnu::flatten]] void afDerivativeAvx2(const double* xs, double* values, std::size_t n) {
    inBatch<afDerivativeWith<LanesMath, Double4>, afDerivative>(xs, values, n);
}

[[gnu::flatten]] void afDerivativeSse2(const double* xs, double* values, std::size_t n) {
    inBatch<afDerivativeWith<LanesMath, Double4>, afDerivative>(xs, values, n);
}

}  // namespace

void fpBatch(const double* xs, double* derivatives, std::size_t n) {
    (cpuHasAvx2() ? fpAvx2 : fpSse2)(xs, derivatives, n);
}

void fpfiniteBatch(const double* xs, double* derivatives, std::size_t n) {
    (cpuHasAvx2() ? fpfiniteAvx2 : fpfiniteSse2)(xs, derivatives, n);
}

void afDerivativeBatch(const double* xs, double* derivatives, std::size_t n) {
    (cpuHasAvx2() ? afDerivativeAvx2 : afDerivativeSse2)(xs, derivatives, n);
}

#else

void fpBatch(const double* xs, double* derivatives, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        derivatives[i] = fp(xs[i]);
    }
}

void fpfiniteBatch(const double* xs, double* derivatives, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        derivatives[i] = fpfinite(xs[i]);
    }
}

void afDerivativeBatch(const double* xs, double* derivatives, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        derivatives[i] = afDerivative(xs[i]);
    }
}

#endif

}  // namespace xsin
