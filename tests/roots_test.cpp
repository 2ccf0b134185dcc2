#include <cmath>
#include <string>

#include "experiments/experiments.h"
#include "roots/roots.h"
#include "support.h"

namespace xsin {
namespace {

using testing::readFile;
using testing::readLines;
using testing::writeFile;

constexpr auto bracket = experiments::sinSquareBracket;

using Bracketing = testing::InTempDir;

// The zeros by hand (bc -l): -sqrt(3 pi) and -sqrt(7 pi). A search stops
// where |f| < 1e-8, which at a simple zero allows 1e-8/|f'|, |f'| = 2k pi.
TEST_F(Bracketing, MidpointSearchOnTheProgramsInterval) {
    int found = 0;
    const double root = getBolzanoRoot(bracket.a, bracket.b, found);
    EXPECT_EQ(found, 1);
    EXPECT_NEAR(root, -3.0699801238394654654, 1e-8 / (6 * M_PI));
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
    EXPECT_NEAR(root, -4.6894720998347514072, 1e-8 / (14 * M_PI));
    const auto lines = readLines("bolzano14.txt");
    ASSERT_EQ(lines.size(), 41u);
    EXPECT_EQ(lines[0], "-5.000000 3.000000 -1.236355");
}

// The two searches alike, each with its own trace and trial point.
struct Search {
    const char* trace;
    double (*search)(double, double, int&);
    double b;                   // the first trial point of [-1, b] is 0, a zero
    const char* onlyLine;       // the trace of that search
    const char* secondOfCreep;  // the second line without a sign change on [0.5, 1.5]
};

// f by hand (bc -l): the midpoint 1.0 of [0.5, 1.5] moves the left end and
// f(1.25) = 1.25 sin(1.5625) = 1.249957; the quarter point 0.75 does, and
// then f(0.75 + 0.75/4) = f(0.9375) = 0.721914.
const Search searches[] = {
    {"bolzano.txt", getBolzanoRoot, 1.0, "-1.000000 1.000000 0.000000\n", "1.000000 1.500000 1.249957"},
    {"bolzano14.txt", getBolzanoRoot14, 3.0, "-1.000000 3.000000 0.000000\n", "0.750000 1.500000 0.721914"},
};

TEST_F(Bracketing, AFirstTrialPointAtARootEndsAfterOneLine) {
    for (const Search& s : searches) {
        SCOPED_TRACE(s.trace);
        int found = 0;
        EXPECT_EQ(s.search(-1.0, s.b, found), 0.0);
        EXPECT_EQ(found, 1);
        EXPECT_EQ(readFile(s.trace), s.onlyLine);
    }
}

TEST_F(Bracketing, WithoutASignChangeTheLeftEndCreepsToTheCap) {
    for (const Search& s : searches) {
        SCOPED_TRACE(s.trace);
        int found = 1;
        EXPECT_EQ(s.search(0.5, 1.5, found), -1.0);
        EXPECT_EQ(found, 0);
        const auto lines = readLines(s.trace);
        ASSERT_EQ(lines.size(), 200u);
        EXPECT_EQ(lines[1], s.secondOfCreep);
        EXPECT_EQ(lines.back().substr(0, 18), "1.500000 1.500000 ");
    }
}

TEST_F(Bracketing, AZeroAtTheLeftEndIsLeftBehind) {
    int found = 0;
    const double root = getBolzanoRoot(0.0, 2.0, found);
    EXPECT_EQ(found, 1);
    EXPECT_NEAR(root, 1.7724538509055160273, 1e-8 / (2 * M_PI));  // sqrt(pi), not 0
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

// -sqrt(8 pi) by hand (bc -l), where Newton lands within a few units in
// the last place.
TEST_F(Newton, ThreeStepsFromMinusFive) {
    EXPECT_NEAR(getNewtonRoot(experiments::newtonStart), -5.0132565492620010048, 4e-15);
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

}  // namespace
}  // namespace xsin
