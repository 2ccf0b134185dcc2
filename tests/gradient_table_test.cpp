#include <cmath>
#include <string>

#include "diagnostics/diagnostics.h"
#include "experiments/experiments.h"
#include "gradient_table/gradient_table.h"
#include "output/output.h"
#include "support.h"

namespace xsin {
namespace {

using testing::readFile;
using testing::readLines;
using testing::writeFile;

using GradientTable = testing::InTempDir;

TEST_F(GradientTable, ThousandStepsGiveOneThousandAndOneLines) {
    printGradients(experiments::sideBySideTable.lo, experiments::sideBySideTable.hi);
    const auto lines = readLines("gradient.txt");
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines[0], "      -10.0000000000       171.9574088164       171.9574127534");
    // After 500 additions the abscissa is about -1.2e-13, not 0: the sign shows.
    EXPECT_EQ(lines[500], "       -0.0000000000         0.0000000000         0.0000000000");
    // The 1000 additions stay just below 10, so the end point has its line.
    EXPECT_EQ(lines[1000].substr(0, 21), "       10.0000000000 ");
    EXPECT_EQ(lines[1000].size(), 62u);
}

TEST_F(GradientTable, ReversedOrNanBoundsLeaveAnEmptyFile) {
    const double nan = std::nan("");
    const double bounds[][2] = {{10.0, -10.0}, {nan, 10.0}, {-10.0, nan}};
    for (const auto& bound : bounds) {
        writeFile("gradient.txt", "stale\n");
        printGradients(bound[0], bound[1]);
        EXPECT_EQ(readFile("gradient.txt"), "");
    }
}

TEST_F(GradientTable, AnExistingFileIsReplaced) {
    writeFile("gradient.txt", std::string(100000, 'x'));
    printGradients(0.0, 0.0);
    EXPECT_EQ(readFile("gradient.txt"), "        0.0000000000         0.0000000000         0.0000000000\n");
}

// A process may write any number of files, one after another: the run's
// table of outputs has a few places, which outputs closed give up (a
// benchmark writes one table thousands of times).
TEST_F(GradientTable, AnyNumberOfFilesOneAfterAnother) {
    for (int i = 0; i < 40; ++i) {
        OutputFile file(("file" + std::to_string(i % 20) + ".txt").c_str());
        file.put("whole\n");
        EXPECT_TRUE(file.close()) << i;
    }
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(readFile("file" + std::to_string(i) + ".txt"), "whole\n") << i;
    }
    printGradients(0.0, 0.0);
    EXPECT_EQ(readLines("gradient.txt").size(), 1u);
    EXPECT_FALSE(anyFailure());
}

}  // namespace
}  // namespace xsin
