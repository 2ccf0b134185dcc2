// The correctly rounded functions against MPFR, the independent truth: at
// every argument the programs and accuracy_report use, at ten million
// random ones, and next to the multiples of pi/2, in all three roundings.

#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "accuracy_report/measure.h"
#include "elementary/correctly_rounded.h"
#include "support.h"

namespace xsin {
namespace {

const Rounding roundings[] = {Rounding::nearest, Rounding::down, Rounding::up};

// MPFR's own answer, rounded once into the range of a double.
double reference(char function, double u, Rounding rounding) {
    static struct Operands {
        mpfr_t x, y;
        Operands() { mpfr_inits2(53, x, y, static_cast<mpfr_ptr>(nullptr)); }
    } operands;
    const mpfr_rnd_t mode = rounding == Rounding::nearest ? MPFR_RNDN : rounding == Rounding::down ? MPFR_RNDD : MPFR_RNDU;
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    mpfr_set_d(operands.x, u, MPFR_RNDN);
    const int inexact = function == 's'   ? mpfr_sin(operands.y, operands.x, mode)
                        : function == 'c' ? mpfr_cos(operands.y, operands.x, mode)
                                          : mpfr_exp(operands.y, operands.x, mode);
    mpfr_subnormalize(operands.y, inexact, mode);
    const double result = mpfr_get_d(operands.y, MPFR_RNDN);
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
    return result;
}

// Each function by both ways of forming its exact products: Dekker's, and
// fused multiply-adds, in code compiled for them, where the CPU has them.
template <class Products>
[[gnu::always_inline]] inline double rounded(char function, double u, Rounding rounding) {
    switch (function) {
    case 's':
        return sinRoundedWith<Products>(u, rounding);
    case 'c':
        return cosRoundedWith<Products>(u, rounding);
    default:
        return expRoundedWith<Products>(u, rounding);
    }
}

double byDekker(char function, double u, Rounding rounding) {
    return rounded<fastpath::DekkerProducts>(function, u, rounding);
}

#if defined(__x86_64__)
[[gnu::target("fma")]] double byFused(char function, double u, Rounding rounding) {
    return rounded<fastpath::FusedProducts>(function, u, rounding);
}
#else
double byFused(char function, double u, Rounding rounding) {
    return rounded<fastpath::FusedProducts>(function, u, rounding);
}
#endif

// Four arguments at once in vector lanes, sin alone and with cos, in code
// compiled for AVX2 where the CPU has it and for SSE2. (Through memory: code
// for AVX2 passes vectors in other registers.)
struct Lanes {
    double sin[4];
    double sinOfBoth[4];
    double cosOfBoth[4];
};

[[gnu::always_inline]] inline void inLanes(const double* u, Lanes& lanes) {
    storeLanes(lanes.sin, sinRounded4(loadLanes(u)));
    const SinCos4 both = sinCosRounded4(loadLanes(u));
    storeLanes(lanes.sinOfBoth, both.sin);
    storeLanes(lanes.cosOfBoth, both.cos);
}

void inSse2(const double* u, Lanes& lanes) {
    inLanes(u, lanes);
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] void inAvx2(const double* u, Lanes& lanes) {
    inLanes(u, lanes);
}
#endif

// Counts the results that differ from MPFR's, by any way, showing the first
// few: each argument by Dekker's and by fused products; sines and cosines
// rounded to nearest also four at a time in lanes, as they come.
struct Comparison {
    long checked = 0;
    long wrong = 0;

    void check(char function, double u, Rounding rounding) {
        const double truth = reference(function, u, rounding);
        ++checked;
        const bool fused = cpuHasFma();
        for (const auto& [way, ours] : {std::pair{"Dekker", byDekker(function, u, rounding)},
                                        std::pair{"fused", fused ? byFused(function, u, rounding) : truth}}) {
            compare(function, u, rounding, way, ours, truth);
        }
        if (function != 'e' && rounding == Rounding::nearest) {
            pending[count++] = {function, u, truth};
            if (count == 4) {
                checkLanes();
            }
        }
    }

    ~Comparison() {
        while (count != 0 && count < 4) {  // the last few, with copies of the last
            pending[count] = pending[count - 1];
            ++count;
        }
        if (count == 4) {
            checkLanes();
        }
    }

private:
    void compare(char function, double u, Rounding rounding, const char* way, double ours, double truth) {
        if (std::memcmp(&ours, &truth, sizeof ours) != 0 && ++wrong <= 5) {
            ADD_FAILURE() << function << "(" << std::hexfloat << u << ") rounded " << static_cast<int>(rounding)
                          << " by " << way << ": " << ours << " instead of " << truth;
        }
    }

    void checkLanes() {
        const double u[4] = {pending[0].u, pending[1].u, pending[2].u, pending[3].u};
        std::vector<std::pair<const char*, Lanes>> ways(1, {"SSE2 lanes", Lanes{}});
        inSse2(u, ways.back().second);
#if defined(__x86_64__)
        if (__builtin_cpu_supports("avx2")) {
            ways.push_back({"AVX2 lanes", Lanes{}});
            inAvx2(u, ways.back().second);
        }
#endif
        for (const auto& [way, lanes] : ways) {
            for (int lane = 0; lane < 4; ++lane) {
                const Pending& p = pending[lane];
                const Rounding nearest = Rounding::nearest;
                if (p.function == 's') {
                    compare('s', p.u, nearest, way, lanes.sin[lane], p.truth);
                    compare('s', p.u, nearest, way, lanes.sinOfBoth[lane], p.truth);
                } else {
                    compare('c', p.u, nearest, way, lanes.cosOfBoth[lane], p.truth);
                }
            }
        }
        count = 0;
    }

    struct Pending {
        char function;
        double u;
        double truth;
    };
    Pending pending[4];
    int count = 0;
};

struct Call {
    char function;
    double u;
};

std::vector<Call> observedCalls;

void observe(char function, double u) {
    observedCalls.push_back({function, u});
}

// Every argument that the evaluators, the searches and accuracy_report's
// analysis pass to sin, cos and exp, as they run over the programs' own
// experiments: in the correctly rounded build the programs' own calls, in
// either build every call of accuracy_report's faithful libraries.
TEST(CorrectlyRounded, AtEveryArgumentOfTheProgramsAndTheReport) {
    observedCalls.clear();
    observeArguments(observe);
    measureSteps(measureTables());
    measureSearches();
    observeArguments(nullptr);
    std::unordered_set<std::string> seen;
    Comparison comparison;
    for (const Call& call : observedCalls) {
        std::string key(1, call.function);
        key.append(reinterpret_cast<const char*>(&call.u), sizeof call.u);
        if (seen.insert(key).second) {
            for (Rounding rounding : roundings) {
                comparison.check(call.function, call.u, rounding);
            }
        }
    }
    // Both tables' abscissas, squared, and the steps' shifted ones.
    EXPECT_GT(seen.size(), 300000u);
    EXPECT_EQ(comparison.wrong, 0) << "of " << comparison.checked;
}

// Ten million arguments in two halves of their own seed, which ctest runs
// side by side: sines and cosines over the fast path's range and beyond,
// and tiny ones; exponentials over the whole range of doubles, subnormal
// results and overflow included. Each argument is checked in one rounding,
// in turn.
class AtRandomArguments : public ::testing::TestWithParam<unsigned> {};

TEST_P(AtRandomArguments, FiveMillionEach) {
    std::mt19937_64 random(GetParam());
    std::uniform_real_distribution<double> trigonometric(-400.0, 400.0);
    std::uniform_real_distribution<double> exponent(-30.0, 11.0);
    std::uniform_real_distribution<double> exponential(-746.0, 710.0);
    Comparison comparison;
    const long count = 5000000;
    const long before = mpfrFallbacks();
    for (long i = 0; i < count; ++i) {
        const Rounding rounding = roundings[i % 3];
        if (i % 5 == 4) {
            comparison.check('e', exponential(random), rounding);
            continue;
        }
        double u = i % 10 < 7 ? trigonometric(random) : std::exp2(exponent(random));
        u = random() & 1 ? u : -u;
        comparison.check(i % 2 == 0 ? 's' : 'c', u, rounding);
    }
    EXPECT_EQ(comparison.wrong, 0) << "of " << comparison.checked;
    // MPFR decides only what the fast path cannot: the arguments outside it
    // (about a tenth here) and a few thousandths of a percent of the rest.
    EXPECT_LT(mpfrFallbacks() - before, count / 5);
}

INSTANTIATE_TEST_SUITE_P(CorrectlyRounded, AtRandomArguments, ::testing::Values(20261208u, 20261209u));

// Within 300 units in the last place of every multiple of pi/2 that the
// fast path reduces, the reduced argument is tiny and its error counts.
TEST(CorrectlyRounded, NextToTheMultiplesOfHalfPi) {
    mpfr_t multiple;
    mpfr_init2(multiple, 256);
    Comparison comparison;
    for (int k = 1; k * 1.5707963267948966 <= 400.0; ++k) {
        mpfr_const_pi(multiple, MPFR_RNDN);
        mpfr_mul_si(multiple, multiple, k, MPFR_RNDN);
        mpfr_div_ui(multiple, multiple, 2, MPFR_RNDN);
        double u = mpfr_get_d(multiple, MPFR_RNDN);
        for (int step = 0; step < 300; ++step) {
            u = std::nextafter(u, 0.0);
        }
        for (int step = -300; step <= 300; ++step, u = std::nextafter(u, HUGE_VAL)) {
            for (Rounding rounding : roundings) {
                comparison.check('s', u, rounding);
                comparison.check('c', u, rounding);
            }
        }
    }
    mpfr_clear(multiple);
    EXPECT_EQ(comparison.wrong, 0) << "of " << comparison.checked;
}

// The fast path's tables are what their generator computes with MPFR.
TEST(CorrectlyRounded, TablesAreWhatTheGeneratorWrites) {
    const auto generated = testing::run(std::string(GENERATE_TABLES));
    ASSERT_EQ(generated.status, 0) << generated.err;
    EXPECT_TRUE(generated.out == testing::readFile(TABLES_HEADER)) << "run the target correctly_rounded_tables";
}

}  // namespace
}  // namespace xsin
