// The correctly rounded functions against MPFR, the independent truth: at
// every argument the programs and accuracy_report use, at ten million
// random ones, and next to the multiples of pi/2, in all three roundings.
// Built twice: against the library as this build makes it, and (FUSED) as
// a build for a CPU with fused multiply-adds makes it, whose exact products
// are then fused; that one runs only on such a CPU.

#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "binary64/binary64.h"
#include "cpu/cpu.h"
#include "elementary/correctly_rounded.h"
#include "support.h"
#ifndef FUSED
#include "accuracy_report/measure.h"
#endif

namespace xsin {
namespace {

const Rounding roundings[] = {Rounding::nearest, Rounding::down, Rounding::up};

#ifdef FUSED
constexpr bool fused = true;
#else
constexpr bool fused = false;
#endif

class CorrectlyRounded : public ::testing::Test {
protected:
    void SetUp() override {
        if (fused && !cpu::runs(cpu::InstructionSet::fma)) {
            GTEST_SKIP() << "this CPU has no fused multiply-add";
        }
    }
};

// MPFR's own answer, rounded once into the range of a double.
double reference(char function, double u, Rounding rounding) {
    static struct Operands {
        mpfr_t x, y;
        Operands() { mpfr_inits2(binary64::precision, x, y, static_cast<mpfr_ptr>(nullptr)); }
    } operands;
    const mpfr_rnd_t mode = rounding == Rounding::nearest ? MPFR_RNDN : rounding == Rounding::down ? MPFR_RNDD : MPFR_RNDU;
    mpfr_set_emin(binary64::leastFractionExponent);
    mpfr_set_emax(binary64::greatestFractionExponent);
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

double rounded(char function, double u, Rounding rounding) {
    switch (function) {
    case 's':
        return sinRounded(u, rounding);
    case 'c':
        return cosRounded(u, rounding);
    default:
        return expRounded(u, rounding);
    }
}

// Counts the results that differ from MPFR's, showing the first few: each
// argument one by one, and sines and cosines rounded to nearest also four
// at a time, as they come (in AVX2 lanes where the CPU has them).
struct Comparison {
    long checked = 0;
    long wrong = 0;

    void check(char function, double u, Rounding rounding) {
        const double truth = reference(function, u, rounding);
        ++checked;
        compare(function, u, rounding, "one by one", rounded(function, u, rounding), truth);
        if (function != 'e' && rounding == Rounding::nearest) {
            pending[count++] = {function, u, truth};
            if (count == 4) {
                checkFour();
            }
        }
    }

    ~Comparison() {
        while (count != 0 && count < 4) {  // the last few, with copies of the last
            pending[count] = pending[count - 1];
            ++count;
        }
        if (count == 4) {
            checkFour();
        }
    }

private:
    void compare(char function, double u, Rounding rounding, const char* way, double ours, double truth) {
        if (std::memcmp(&ours, &truth, sizeof ours) != 0 && ++wrong <= 5) {
            ADD_FAILURE() << function << "(" << std::hexfloat << u << ") rounded " << static_cast<int>(rounding)
                          << " " << way << ": " << ours << " instead of " << truth;
        }
    }

    void checkFour() {
        const double u[4] = {pending[0].u, pending[1].u, pending[2].u, pending[3].u};
        double sines[4];
        double sinesOfBoth[4];
        double cosinesOfBoth[4];
        sinRounded4(u, sines);
        sinCosRounded4(u, sinesOfBoth, cosinesOfBoth);
        for (int lane = 0; lane < 4; ++lane) {
            const Pending& p = pending[lane];
            if (p.function == 's') {
                compare('s', p.u, Rounding::nearest, "four at a time", sines[lane], p.truth);
                compare('s', p.u, Rounding::nearest, "four at a time", sinesOfBoth[lane], p.truth);
            } else {
                compare('c', p.u, Rounding::nearest, "four at a time", cosinesOfBoth[lane], p.truth);
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

#ifndef FUSED
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
TEST_F(CorrectlyRounded, AtEveryArgumentOfTheProgramsAndTheReport) {
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

// MPFR decides outside the fast path's range in the exponent range of a
// double; a caller's own MPFR code gets its own range back.
TEST_F(CorrectlyRounded, LeaveMpfrsExponentRangeAsTheyFoundIt) {
    const long before = mpfrFallbacks();
    mpfr_set_emin(-100);
    mpfr_set_emax(100);
    EXPECT_EQ(sinRounded(0x1p-40, Rounding::nearest), 0x1p-40);  // below the fast path's range
    EXPECT_EQ(expRounded(710.0, Rounding::up), HUGE_VAL);
    EXPECT_EQ(mpfrFallbacks() - before, 2);
    EXPECT_EQ(mpfr_get_emin(), -100);
    EXPECT_EQ(mpfr_get_emax(), 100);
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
}
#endif

// Ten million arguments in two halves of their own seed, which ctest runs
// side by side: sines and cosines over the fast path's range and beyond,
// and tiny ones; exponentials over the whole range of doubles, subnormal
// results and overflow included. Each argument is checked in one rounding,
// in turn.
class AtRandomArguments : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override {
        if (fused && !cpu::runs(cpu::InstructionSet::fma)) {
            GTEST_SKIP() << "this CPU has no fused multiply-add";
        }
    }
};

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
TEST_F(CorrectlyRounded, NextToTheMultiplesOfHalfPi) {
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

#ifndef FUSED
// The fast path's tables are what their generator computes with MPFR.
TEST_F(CorrectlyRounded, TablesAreWhatTheGeneratorWrites) {
    const auto generated = testing::run(std::string(GENERATE_TABLES));
    ASSERT_EQ(generated.status, 0) << generated.err;
    EXPECT_TRUE(generated.out == testing::readFile(TABLES_HEADER)) << "run the target correctly_rounded_tables";
}
#endif

}  // namespace
}  // namespace xsin
