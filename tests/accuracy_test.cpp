#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>
#include <type_traits>

#include "accuracy_report/measure.h"
#include "elementary/correctly_rounded.h"
#include "numerics/numerics.h"
#include "support.h"

namespace xsin {
namespace {

class Accuracy : public ::testing::Test {
protected:
    static void SetUpTestSuite() { tables = new DerivativeTables(measureTables()); }
    static void TearDownTestSuite() { delete tables; }
    static DerivativeTables* tables;
};

DerivativeTables* Accuracy::tables = nullptr;

// Every error, measured against MPFR, within the bound derived from the
// evaluator's operations (accuracy_report/bounds.h), on every line.
TEST_F(Accuracy, EveryEvaluatorStaysWithinItsAPrioriBound) {
    for (const ColumnAccuracy* c : tables->columns()) {
        ASSERT_EQ(c->errors.size(), c->bounds.size());
        for (size_t i = 0; i < c->errors.size(); ++i) {
            ASSERT_LE(c->errors[i], c->bounds[i]) << c->file << " column " << c->column << " line " << i + 1;
        }
    }
    // Over 100000 abscissas the rounding of x*x comes close to its worst
    // somewhere (97 % of the bound, at x = -8.0246): an error far below the
    // bound everywhere would mean that the exact values are not exact.
    EXPECT_GT(tables->real.largestShareOfBound, 0.5);
}

// The other library at hand, correctly rounded or the standard one, is one
// of the faithful libraries the report tries: every line it prints
// differently must be on the report's list of fragile lines.
TEST_F(Accuracy, AnotherFaithfulLibraryChangesOnlyFragileLines) {
    using Other = std::conditional_t<std::is_same_v<Math, LibraryMath>, CorrectlyRoundedMath, LibraryMath>;
    double (*const mine[])(double) = {fp, fpfinite, afDerivative};
    double (*const other[])(double) = {fpWith<Other>, fpfiniteWith<Other>, afDerivativeWith<Other>};
    long differing = 0;
    const ColumnAccuracy* columns[] = {&tables->real, &tables->finite, &tables->autodiff};
    for (int column = 0; column < 3; ++column) {
        const auto& fragile = columns[column]->fragileLines;
        for (size_t i = 0; i < tables->xs.size(); ++i) {
            const double x = tables->xs[i];
            if (testing::tenDecimals(mine[column](x)) != testing::tenDecimals(other[column](x))) {
                ++differing;
                EXPECT_TRUE(std::binary_search(fragile.begin(), fragile.end(), static_cast<long>(i) + 1))
                    << columns[column]->file << " line " << i + 1;
            }
        }
    }
    EXPECT_GT(differing, 0);
}

// The correctly rounded functions work in the exponent range of a double:
// results below the normal range round once, to a subnormal, and results
// beyond it overflow as a double would.
TEST(CorrectlyRounded, RoundOnceAtTheEdgesOfTheDoubleRange) {
    const double tiniest = std::ldexp(1.0, -1074);
    // sin(x) lies just below x: down is the next double below, 0.
    EXPECT_EQ(sinRounded(tiniest, Rounding::nearest), tiniest);
    EXPECT_EQ(sinRounded(tiniest, Rounding::down), 0.0);
    EXPECT_EQ(sinRounded(tiniest, Rounding::up), tiniest);
    // e^-745 = 2^-1074.79..., nearer 2^-1074 than 0 or 2^-1073.
    EXPECT_EQ(expRounded(-745.0, Rounding::nearest), tiniest);
    EXPECT_EQ(expRounded(710.0, Rounding::nearest), HUGE_VAL);
    EXPECT_EQ(expRounded(710.0, Rounding::down), DBL_MAX);
    // Below e^-708 the result is subnormal, with fewer bits: the two
    // directions must still be neighbouring doubles, rounded once to the
    // bits a subnormal has.
    for (double x = -744.0; x <= -709.0; x += 0.37) {
        const double down = expRounded(x, Rounding::down);
        EXPECT_EQ(std::nextafter(down, HUGE_VAL), expRounded(x, Rounding::up)) << "x = " << x;
        EXPECT_GT(down, 0.0);
    }
    // Away from the edges the two directions enclose the exact value.
    EXPECT_EQ(std::nextafter(cosRounded(100.0, Rounding::down), 1.0), cosRounded(100.0, Rounding::up));
}

TEST(Median, OfAnOddAndAnEvenCount) {
    EXPECT_EQ(median({5.0, 1.0, 3.0}), 3.0);
    EXPECT_EQ(median({4.0, 1.0, 3.0, 2.0}), 2.5);
    EXPECT_TRUE(std::isnan(median({})));
}

// The zeros derived by hand (bc -l, 40 digits), and the distance from them
// that |f| < 1e-8 allows at a simple zero: 1e-8/|f'(zero)|.
TEST(Searches, ReachTheirZerosAsFarAsTheToleranceAllows) {
    const struct {
        const char* zero;
        double slope;
        int iterations;
    } expected[] = {
        {"-3.069980123839465465438654874667", 6 * M_PI, 32},
        {"-4.689472099834751407222488495617", 14 * M_PI, 41},
        {"-5.013256549262001004831530569622", 16 * M_PI, 3},
        {"1.30655864103935019567626065429983", std::exp(1.3065586410393502) + 1, 28},
    };
    const Searches searches = measureSearches();
    const auto all = searches.all();
    ASSERT_EQ(all.size(), 4u);
    for (size_t i = 0; i < all.size(); ++i) {
        const SearchAccuracy& s = *all[i];
        SCOPED_TRACE(s.program + " " + s.search);
        EXPECT_EQ(s.truth.digits.substr(0, 27), std::string(expected[i].zero).substr(0, 27));
        EXPECT_EQ(s.truth.value.hi, std::strtod(expected[i].zero, nullptr));
        EXPECT_LE(s.error, 1e-8 / expected[i].slope * 1.01);
        EXPECT_EQ(s.error, s.iterates.back().error);
        EXPECT_EQ(s.iterations, expected[i].iterations);
    }
    EXPECT_EQ(searches.midpoint.narrowing, 0.5);  // the midpoint halves every bracket
}

// The program as a user runs it: status 0, and an accuracy.json that jq
// parses, with every table column and every search in it.
using AccuracyReport = testing::InTempDir;

TEST_F(AccuracyReport, ExitsWithZeroAndWritesJsonThatJqParses) {
    if (testing::run("command -v jq").status != 0) {
        GTEST_SKIP() << "jq is not installed (Debian package jq)";
    }
    const auto result = testing::run(ACCURACY_REPORT);
    ASSERT_EQ(result.status, 0) << result.err;
    const auto parsed = testing::run(
        "jq -e '(.tables | length) == 5 and (.roots | length) == 4 and ([.roots[].robust] | all)' accuracy.json");
    EXPECT_EQ(parsed.status, 0) << parsed.out << parsed.err;
}

}  // namespace
}  // namespace xsin
