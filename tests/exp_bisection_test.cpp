#include <cmath>
#include <string>

#include "exp_bisection/exp_bisection.h"
#include "experiments/experiments.h"
#include "support.h"

namespace expbisection {
namespace {

using xsin::testing::captureStdout;
using xsin::testing::run;

size_t countLines(const std::string& text) {
    size_t lines = 0;
    for (char c : text) {
        lines += c == '\n';
    }
    return lines;
}

const char* const firstLines =
    "1.000000 2.500000 2.504603\n"
    "1.000000 1.750000 0.330077\n"
    "1.000000 1.375000 -0.533626\n";

constexpr auto bracket = xsin::experiments::expBracket;

TEST(ExpBisection, TracesTwentySevenNarrowingsOnOneToFour) {
    int found = 0;
    double root = 0.0;
    const std::string trace = captureStdout([&] { root = getRoot(bracket.a, bracket.b, found); });
    EXPECT_EQ(found, 1);
    EXPECT_LT(std::fabs(f(root)), 1e-8);
    EXPECT_NEAR(root, 1.306559, 5e-7);
    EXPECT_EQ(countLines(trace), 27u);
    EXPECT_EQ(trace.substr(0, std::string(firstLines).size()), firstLines);
}

TEST(ExpBisection, AFirstMidpointAtTheRootPrintsNothing) {
    int found = 0;
    double root = 0.0;
    captureStdout([&] { root = getRoot(bracket.a, bracket.b, found); });
    ASSERT_EQ(found, 1);

    found = 0;
    double again = 0.0;
    const std::string trace = captureStdout([&] { again = getRoot(root - 0.5, root + 0.5, found); });
    EXPECT_EQ(found, 1);
    EXPECT_EQ(trace, "");
    EXPECT_NEAR(again, root, 1e-15);
}

TEST(ExpBisection, WithoutASignChangeGivesUpAfterTwoHundredLines) {
    int found = 1;
    double root = 0.0;
    const std::string trace = captureStdout([&] { root = getRoot(2.0, 3.0, found); });
    EXPECT_EQ(found, 0);
    EXPECT_EQ(root, -1.0);
    EXPECT_EQ(countLines(trace), 200u);
    EXPECT_EQ(trace.substr(0, 18), "2.500000 3.000000 ");
}

using Program = xsin::testing::InTempDir;

TEST_F(Program, PrintsTheTraceAndNothingElse) {
    const auto result = run(EXP_BISECTION);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(countLines(result.out), 27u);
    EXPECT_EQ(result.out.substr(0, std::string(firstLines).size()), firstLines);
    EXPECT_EQ(run("ls -A").out, "") << "the program wrote a file";
}

}  // namespace
}  // namespace expbisection
