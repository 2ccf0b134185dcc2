#include "elementary/correctly_rounded.h"

#include <gmp.h>
#include <mpfr.h>

#include <cstdlib>
#include <type_traits>

#include "output/output.h"

namespace xsin {

namespace {

// The programs run on one thread; a thread_local here would cost a call to
// find it in the position-independent code of the relocatable object.
long fallbacks = 0;

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

// An argument and a result of the precision of a double, kept for the
// thread's lifetime: allocating them on every call would cost more than the
// function itself.
struct Operands {
    mpfr_t x;
    mpfr_t y;
    Operands() {
        mpfr_init2(x, 53);
        mpfr_init2(y, 53);
    }
    ~Operands() {
        mpfr_clear(y);
        mpfr_clear(x);
    }
    Operands(const Operands&) = delete;
    Operands& operator=(const Operands&) = delete;
};

using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// Evaluates function(u) at 53 bits in the exponent range of a double,
// subnormals included, so that MPFR's one rounding is the only one and the
// conversion back to double is exact. The caller's exponent range is
// restored: other MPFR code in the process keeps its own.
double byMpfr(MpfrFunction function, double u, Rounding rounding) {
    static const bool reporting = (mpfrReportsOutOfMemory(), true);
    (void)reporting;
    ++fallbacks;
    thread_local Operands operands;
    const mpfr_exp_t emin = mpfr_get_emin();
    const mpfr_exp_t emax = mpfr_get_emax();
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    const mpfr_rnd_t mode = mpfrRounding(rounding);
    mpfr_set_d(operands.x, u, MPFR_RNDN);
    const int inexact = function(operands.y, operands.x, mode);
    mpfr_subnormalize(operands.y, inexact, mode);
    const double result = mpfr_get_d(operands.y, MPFR_RNDN);
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

namespace fastpath {

void (*observer)(char function, double u) = nullptr;

void observe(char function, double u) {
    observer(function, u);
}

double sinByMpfr(double u, Rounding rounding) {
    return byMpfr(mpfr_sin, u, rounding);
}

double cosByMpfr(double u, Rounding rounding) {
    return byMpfr(mpfr_cos, u, rounding);
}

double expByMpfr(double u, Rounding rounding) {
    return byMpfr(mpfr_exp, u, rounding);
}

}  // namespace fastpath

void observeArguments(void (*observe)(char function, double u)) {
    fastpath::observer = observe;
}

long mpfrFallbacks() {
    return fallbacks;
}

bool cpuHasFma() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("fma"));
    return has;
#else
    return std::is_same_v<NativeProducts, fastpath::FusedProducts>;
#endif
}

}  // namespace xsin
