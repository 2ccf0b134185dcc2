#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <string>

#include "experiments/experiments.h"
#include "roots/roots.h"
#include "support.h"

namespace xsin {
namespace {

using testing::readFile;
using testing::readLines;
using testing::run;
using testing::writeFile;

std::string sixDecimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%lf", value);
    return text;
}

constexpr auto bracket = experiments::sinSquareBracket;

using Bracketing = testing::InTempDir;

TEST_F(Bracketing, MidpointSearchOnTheProgramsInterval) {
    int found = 0;
    const double root = getBolzanoRoot(bracket.a, bracket.b, found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(sixDecimals(root), "-3.069980");
    const auto lines = readLines("bolzano.txt");
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "-5.000000 3.000000 -0.841471");
    EXPECT_EQ(lines[1], "-5.000000 -1.000000 -1.236355");
    // Near convergence the ends agree to six decimals; f(t) keeps moving,
    // and its sign shows even where it rounds to zero.
    for (size_t i = 24; i < 32; ++i) {
        EXPECT_EQ(lines[i].substr(0, 20), "-3.069980 -3.069980 ") << i;
    }
    EXPECT_EQ(lines[28], "-3.069980 -3.069980 0.000000");
    EXPECT_EQ(lines[29], "-3.069980 -3.069980 -0.000000");
}

TEST_F(Bracketing, QuarterPointSearchOnTheProgramsInterval) {
    int found = 0;
    const double root = getBolzanoRoot14(bracket.a, bracket.b, found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(sixDecimals(root), "-4.689472");
    const auto lines = readLines("bolzano14.txt");
    ASSERT_EQ(lines.size(), 41u);
    EXPECT_EQ(lines[0], "-5.000000 3.000000 -1.236355");
}

TEST_F(Bracketing, AFirstTrialPointAtARootEndsAfterOneLine) {
    int found = 0;
    EXPECT_EQ(getBolzanoRoot(-1.0, 1.0, found), 0.0);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(readFile("bolzano.txt"), "-1.000000 1.000000 0.000000\n");

    found = 0;
    EXPECT_EQ(getBolzanoRoot14(-1.0, 3.0, found), 0.0);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(readFile("bolzano14.txt"), "-1.000000 3.000000 0.000000\n");
}

TEST_F(Bracketing, WithoutASignChangeTheLeftEndCreepsToTheCap) {
    int found = 1;
    EXPECT_EQ(getBolzanoRoot(0.5, 1.5, found), -1.0);
    EXPECT_EQ(found, 0);
    auto lines = readLines("bolzano.txt");
    ASSERT_EQ(lines.size(), 200u);
    EXPECT_EQ(lines[1], "1.000000 1.500000 " + sixDecimals(1.25 * std::sin(1.25 * 1.25)));
    EXPECT_EQ(lines.back().substr(0, 18), "1.500000 1.500000 ");

    found = 1;
    EXPECT_EQ(getBolzanoRoot14(0.5, 1.5, found), -1.0);
    EXPECT_EQ(found, 0);
    lines = readLines("bolzano14.txt");
    ASSERT_EQ(lines.size(), 200u);
    EXPECT_EQ(lines[1].substr(0, 18), "0.750000 1.500000 ");
}

TEST_F(Bracketing, AZeroAtTheLeftEndIsLeftBehind) {
    int found = 0;
    const double root = getBolzanoRoot(0.0, 2.0, found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(sixDecimals(root), sixDecimals(std::sqrt(M_PI)));
    const auto lines = readLines("bolzano.txt");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(0, 18), "1.000000 2.000000 ");
}

TEST_F(Bracketing, NanBoundsRunToTheCap) {
    const double nan = std::nan("");
    const double bounds[][2] = {{nan, 3.0}, {-5.0, nan}};
    for (const auto& bound : bounds) {
        int found = 1;
        EXPECT_EQ(getBolzanoRoot(bound[0], bound[1], found), -1.0);
        EXPECT_EQ(found, 0);
        EXPECT_EQ(readLines("bolzano.txt").size(), 200u);
    }
}

TEST_F(Bracketing, AnExistingTraceIsReplaced) {
    writeFile("bolzano.txt", std::string(5000, 'x'));
    int found = 0;
    getBolzanoRoot(-1.0, 1.0, found);
    EXPECT_EQ(readFile("bolzano.txt"), "-1.000000 1.000000 0.000000\n");
}

using Newton = testing::InTempDir;

TEST_F(Newton, ThreeStepsFromMinusFive) {
    EXPECT_EQ(sixDecimals(getNewtonRoot(experiments::newtonStart)), "-5.013257");
    EXPECT_EQ(readFile("newton.txt"),
              "-5.013388 -0.006628\n"
              "-5.013257 -0.000000\n"
              "-5.013257 0.000000\n");
}

TEST_F(Newton, AStartThatMeetsTheToleranceTakesNoStep) {
    writeFile("newton.txt", "stale\n");
    EXPECT_EQ(getNewtonRoot(0.0), 0.0);
    EXPECT_EQ(readFile("newton.txt"), "");
}

TEST_F(Newton, ANanIterateRunsToTheCap) {
    EXPECT_TRUE(std::isnan(getNewtonRoot(std::nan(""))));
    const auto lines = readLines("newton.txt");
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_NE(lines.back().find("nan"), std::string::npos);
}

// The programs themselves, as a user runs them.
using Programs = testing::InTempDir;

TEST_F(Programs, BisectionCompareTracesBothSearches) {
    const auto result = run(std::string(BISECTION_COMPARE) + " ignored");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "ROOTS: -3.069980 -4.689472 \n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readLines("bolzano.txt").size(), 32u);
    EXPECT_EQ(readLines("bolzano14.txt").size(), 41u);
}

TEST_F(Programs, BisectionNewtonLeavesTheSameBracketingTrace) {
    ASSERT_EQ(run(BISECTION_COMPARE).status, 0);
    const std::string compared = readFile("bolzano.txt");
    const auto result = run(BISECTION_NEWTON);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Roots: -3.069980 -5.013257 \n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readFile("bolzano.txt"), compared);
    EXPECT_EQ(readLines("newton.txt").size(), 3u);
}

// A trace that cannot be written does not change the search: its result is
// still printed, the failure is reported and the exit status is 1.
TEST_F(Programs, AnUnwritableTraceIsReportedAndTheRootsStillPrinted) {
    ASSERT_EQ(mkdir("bolzano14.txt", 0755), 0);
    auto result = run(BISECTION_COMPARE);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "bisection_compare: cannot open bolzano14.txt: Is a directory\n");
    EXPECT_EQ(result.out, "ROOTS: -3.069980 -4.689472 \n");
    EXPECT_EQ(readLines("bolzano.txt").size(), 32u);

    ASSERT_EQ(symlink("/dev/full", "newton.txt"), 0);
    result = run(BISECTION_NEWTON);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "bisection_newton: cannot write newton.txt: No space left on device\n");
    EXPECT_EQ(result.out, "Roots: -3.069980 -5.013257 \n");
}

}  // namespace
}  // namespace xsin
