#include <cmath>
#include <vector>

#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
#include "support.h"

namespace xsin {
namespace {

using testing::tenDecimals;

// The abscissas of gradient_timing's tables.
std::vector<double> tableAbscissas() {
    constexpr auto walk = experiments::timedTables;
    std::vector<double> xs;
    walkAbscissa(walk.lo, walk.hi, static_cast<double>(walk.steps), [&](double x) { xs.push_back(x); });
    return xs;
}

TEST(Evaluators, VanishAtTheOrigin) {
    EXPECT_EQ(f(0.0), 0.0);
    EXPECT_EQ(fp(0.0), 0.0);
    EXPECT_EQ(afDerivative(0.0), 0.0);
    // sin(1e-16)*1e-8 / 1e-8: not zero, but invisible at ten decimals.
    EXPECT_GT(fpfinite(0.0), 0.0);
    EXPECT_LT(fpfinite(0.0), 1e-15);
    EXPECT_EQ(tenDecimals(fpfinite(0.0)), "0.0000000000");
}

TEST(Evaluators, KnownDerivativesAtMinusTen) {
    EXPECT_EQ(tenDecimals(fp(-10.0)), "171.9574088164");
    EXPECT_EQ(tenDecimals(afDerivative(-10.0)), "171.9574088164");
    EXPECT_EQ(tenDecimals(fpfinite(-10.0)), "171.9574127534");
    EXPECT_EQ(f(-10.0), std::sin(100.0) * -10.0);
}

TEST(Evaluators, FIsOddAndItsDerivativeEvenOverTheTable) {
    for (double x : tableAbscissas()) {
        ASSERT_EQ(f(-x), -f(x)) << "x = " << x;
        ASSERT_EQ(fp(-x), fp(x)) << "x = " << x;
    }
}

TEST(Evaluators, DualDerivativeStaysWithinRoundingOfTheClosedForm) {
    int differing = 0;
    for (double x : tableAbscissas()) {
        const double closed = fp(x);
        const double dual = afDerivative(x);
        ASSERT_LT(std::fabs(dual - closed), 1e-13) << "x = " << x;
        differing += dual != closed;
    }
    // Two associations of the same sum: equal on most abscissas, not on all.
    EXPECT_GT(differing, 0);
}

// Whichever dual type is built in, af must follow the product rule
// a.val*b.grad + a.grad*b.val and the sine rule grad*cos(val), which for
// sin(x*x)*x gives exactly this association.
TEST(Evaluators, DualFollowsTheProductAndSineRulesBitForBit) {
    const double xs[] = {-10.0, -3.069980, -0.5, 1e-7, 0.75, 2.0, 9.9998};
    const double gs[] = {1.0, -2.5, 0.1, 3.0};
    for (double x : xs) {
        for (double g : gs) {
            const double u = x * x;
            const double s = std::sin(u);
            const double c = std::cos(u);
            Dual seed = x;
            seed.grad = g;
            const Dual result = af(seed);
            EXPECT_EQ(result.val, s * x) << "x = " << x;
            EXPECT_EQ(result.grad, g * s + (((x * g) + (x * g)) * c) * x) << "x = " << x << ", g = " << g;
        }
    }
}

TEST(AbscissaWalk, StopsWhereTheStepNoLongerAdvances) {
    std::vector<double> xs;
    const auto record = [&](double x) { xs.push_back(x); };
    walkAbscissa(2.0, 2.0, 1000.0, record);  // zero step
    EXPECT_EQ(xs, std::vector<double>{2.0});

    xs.clear();
    walkAbscissa(-1.0, 1.0, -4.0, record);  // negative step
    EXPECT_EQ(xs, std::vector<double>{-1.0});

    xs.clear();
    walkAbscissa(1e17, 1e17 + 1024.0, 1000.0, record);  // 1.024 is lost beside 1e17
    EXPECT_EQ(xs, std::vector<double>{1e17});
}

}  // namespace
}  // namespace xsin
