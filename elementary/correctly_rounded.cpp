#include "elementary/correctly_rounded.h"

#include <gmp.h>
#include <mpfr.h>

#include <cstdlib>

#include "binary64/binary64.h"
#include "cpu/cpu.h"
#include "diagnostics/diagnostics.h"
#include "elementary/internal/fast_path.h"
#include "elementary/internal/fast_path_avx2.h"

namespace xsin {

namespace {

// The programs run on one thread; a thread_local here would cost a call to
// find it in the position-independent code of the relocatable object.
long fallbacks = 0;
void (*observer)(char function, double u) = nullptr;

[[gnu::cold, gnu::noinline]] void observe(char function, double u) {
    observer(function, u);
}

inline void observed(char function, double u) {
    if (__builtin_expect(observer != nullptr, 0)) {
        observe(function, u);
    }
}

mpfr_rnd_t mpfrRounding(Rounding rounding) {
    switch (rounding) {
    case Rounding::down:
        return MPFR_RNDD;
    case Rounding::up:
        return MPFR_RNDU;
    case Rounding::nearest:
        break;
    }
    return MPFR_RNDN;
}

using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// Evaluates function(u) at 53 bits in the exponent range of a double,
// subnormals included, so that MPFR's one rounding is the only one and the
// conversion back to double is exact. The caller's exponent range is
// restored: other MPFR code in the process keeps its own.
double byMpfr(MpfrFunction function, double u, Rounding rounding) {
    static const bool reporting = (mpfrReportsOutOfMemory(), true);
    (void)reporting;
    ++fallbacks;
    // An argument and a result of the precision of a double, made at the
    // first call and kept for the run (allocating them at every call would
    // cost more than the function itself): statics without a destructor,
    // since registering one needs memory (a thread_local's does) that may
    // not be there.
    static mpfr_t x, y;
    static const bool made = (mpfr_inits2(binary64::precision, x, y, static_cast<mpfr_ptr>(nullptr)), true);
    (void)made;
    const mpfr_exp_t emin = mpfr_get_emin();
    const mpfr_exp_t emax = mpfr_get_emax();
    mpfr_set_emin(binary64::leastFractionExponent);
    mpfr_set_emax(binary64::greatestFractionExponent);
    const mpfr_rnd_t mode = mpfrRounding(rounding);
    mpfr_set_d(x, u, MPFR_RNDN);
    const int inexact = function(y, x, mode);
    mpfr_subnormalize(y, inexact, mode);
    const double result = mpfr_get_d(y, MPFR_RNDN);
    mpfr_set_emin(emin);
    mpfr_set_emax(emax);
    return result;
}

void* allocate(std::size_t size) {
    void* memory = std::malloc(size);
    if (memory == nullptr && size != 0) {
        exitOutOfMemory();
    }
    return memory;
}

void* reallocate(void* memory, std::size_t, std::size_t size) {
    void* moved = std::realloc(memory, size);
    if (moved == nullptr && size != 0) {
        exitOutOfMemory();
    }
    return moved;
}

void release(void* memory, std::size_t) {
    std::free(memory);
}

}  // namespace

void mpfrReportsOutOfMemory() {
    // The same malloc underneath: memory GMP took before is freed alike.
    mp_set_memory_functions(allocate, reallocate, release);
}

namespace {

double sinByMpfr(double u, Rounding rounding) {
    return byMpfr(mpfr_sin, u, rounding);
}

double cosByMpfr(double u, Rounding rounding) {
    return byMpfr(mpfr_cos, u, rounding);
}

double expByMpfr(double u, Rounding rounding) {
    return byMpfr(mpfr_exp, u, rounding);
}

using fastpath::NativeProducts;

// The functions themselves; the public ones report their arguments first.
double roundedSin(double u, Rounding rounding) {
    const fastpath::Reduced<double> reduced = fastpath::reduce(u);
    double result = 0.0;
    if (reduced.inRange != 0 &&
        fastpath::decide(fastpath::approximateSin<NativeProducts>(u, reduced), rounding, result)) {
        return result;
    }
    return sinByMpfr(u, rounding);
}

double roundedCos(double u, Rounding rounding) {
    const fastpath::Reduced<double> reduced = fastpath::reduce(u);
    double result = 0.0;
    if (reduced.inRange != 0 && fastpath::decide(fastpath::approximateCos<NativeProducts>(reduced), rounding, result)) {
        return result;
    }
    return cosByMpfr(u, rounding);
}

SinCos roundedSinCos(double u, Rounding rounding) {
    const fastpath::Reduced<double> reduced = fastpath::reduce(u);
    if (reduced.inRange == 0) {
        return {sinByMpfr(u, rounding), cosByMpfr(u, rounding)};
    }
    const fastpath::SinCosApproximation<double> y = fastpath::approximateSinCos<NativeProducts>(u, reduced);
    SinCos result;
    if (!fastpath::decide(y.sin, rounding, result.sin)) {
        result.sin = sinByMpfr(u, rounding);
    }
    if (!fastpath::decide(y.cos, rounding, result.cos)) {
        result.cos = cosByMpfr(u, rounding);
    }
    return result;
}

double roundedExp(double u, Rounding rounding) {
    fastpath::Approximation<double> y{};
    int scale = 0;
    double result = 0.0;
    if (fastpath::approximateExp<NativeProducts>(u, y, scale) && fastpath::decide(y, rounding, result)) {
        // 2^scale, exact, and the product with it too: the result is normal.
        return result * binary64::powerOfTwo(scale);
    }
    return expByMpfr(u, rounding);
}

}  // namespace

double sinRounded(double u, Rounding rounding) {
    observed('s', u);
    return roundedSin(u, rounding);
}

double cosRounded(double u, Rounding rounding) {
    observed('c', u);
    return roundedCos(u, rounding);
}

SinCos sinCosRounded(double u, Rounding rounding) {
    observed('s', u);
    observed('c', u);
    return roundedSinCos(u, rounding);
}

double expRounded(double u, Rounding rounding) {
    observed('e', u);
    return roundedExp(u, rounding);
}

// Four at once: in AVX2 lanes, then one by one the lanes they leave.
void sinRounded4(const double* u, double* sin) {
    for (int lane = 0; lane < 4; ++lane) {
        observed('s', u[lane]);
    }
    int left = 0xf;
#if defined(__x86_64__)
    static const bool avx2 = cpu::runs(cpu::InstructionSet::avx2);
    if (avx2) {
        left = fastpath::sinLanesAvx2(u, sin);
    }
#endif
    for (int lane = 0; left != 0; ++lane, left >>= 1) {
        if ((left & 1) != 0) {
            sin[lane] = roundedSin(u[lane], Rounding::nearest);
        }
    }
}

void sinCosRounded4(const double* u, double* sin, double* cos) {
    for (int lane = 0; lane < 4; ++lane) {
        observed('s', u[lane]);
        observed('c', u[lane]);
    }
    int left = 0xf;
#if defined(__x86_64__)
    static const bool avx2 = cpu::runs(cpu::InstructionSet::avx2);
    if (avx2) {
        left = fastpath::sinCosLanesAvx2(u, sin, cos);
    }
#endif
    for (int lane = 0; left != 0; ++lane, left >>= 1) {
        if ((left & 1) != 0) {
            const SinCos both = roundedSinCos(u[lane], Rounding::nearest);
            sin[lane] = both.sin;
            cos[lane] = both.cos;
        }
    }
}

void observeArguments(void (*observe)(char function, double u)) {
    observer = observe;
}

long mpfrFallbacks() {
    return fallbacks;
}

}  // namespace xsin
