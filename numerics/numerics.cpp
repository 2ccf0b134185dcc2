#include "numerics/numerics.h"

#if defined(XSIN_CORRECTLY_ROUNDED) && defined(__x86_64__)
#include "binary64/lanes.h"
#endif

namespace xsin {

double f(double x) {
    return fWith<Math>(x);
}

double fp(double x) {
    return fpWith<Math>(x);
}

double fpfinite(double x) {
    return fpfiniteWith<Math>(x);
}

Dual af(Dual x) {
    return afOver(x);
}

// The batches. The correctly rounded functions take four arguments at a
// time (in AVX2 lanes where the CPU has them), so on x86-64 the evaluators
// run over four abscissas at once, each lane computed as a double is; the
// rest one by one.
namespace {

// values[i] = one(xs[i]) for from <= i < n.
template <double (*one)(double)>
void oneByOne(const double* xs, double* values, std::size_t from, std::size_t n) {
    for (std::size_t i = from; i < n; ++i) {
        values[i] = one(xs[i]);
    }
}

}  // namespace

#if defined(XSIN_CORRECTLY_ROUNDED) && defined(__x86_64__)

namespace {

// The sine and the cosine of four arguments.
struct SinCos4 {
    Double4 sin;
    Double4 cos;
};

struct CorrectlyRoundedLanes {
    static Double4 sin(Double4 u) {
        double in[4];
        double out[4];
        storeLanes(in, u);
        sinRounded4(in, out);
        return loadLanes(out);
    }
    static SinCos4 sinCos(Double4 u) {
        double in[4];
        double sines[4];
        double cosines[4];
        storeLanes(in, u);
        sinCosRounded4(in, sines, cosines);
        return {loadLanes(sines), loadLanes(cosines)};
    }
};

template <Double4 (*four)(Double4), double (*one)(double)>
void inBatch(const double* xs, double* values, std::size_t n) {
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        storeLanes(values + i, four(loadLanes(xs + i)));
    }
    oneByOne<one>(xs, values, i, n);
}

}  // namespace

void fpBatch(const double* xs, double* derivatives, std::size_t n) {
    inBatch<fpWith<CorrectlyRoundedLanes, Double4>, fp>(xs, derivatives, n);
}

void fpfiniteBatch(const double* xs, double* derivatives, std::size_t n) {
    inBatch<fpfiniteWith<CorrectlyRoundedLanes, Double4>, fpfinite>(xs, derivatives, n);
}

void afDerivativeBatch(const double* xs, double* derivatives, std::size_t n) {
    inBatch<afDerivativeWith<CorrectlyRoundedLanes, Double4>, afDerivative>(xs, derivatives, n);
}

#else

void fpBatch(const double* xs, double* derivatives, std::size_t n) {
    oneByOne<fp>(xs, derivatives, 0, n);
}

void fpfiniteBatch(const double* xs, double* derivatives, std::size_t n) {
    oneByOne<fpfinite>(xs, derivatives, 0, n);
}

void afDerivativeBatch(const double* xs, double* derivatives, std::size_t n) {
    oneByOne<afDerivative>(xs, derivatives, 0, n);
}

#endif

}  // namespace xsin
