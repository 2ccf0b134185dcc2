#include <string>

#include "support.h"

namespace xsin {
namespace {

using testing::run;

struct Program {
    std::string name;
    const char* path;
    bool printsOnStandardOutput;
};

const Program programs[] = {
    {"gradient_timing", GRADIENT_TIMING, true},
    {"gradient_table", GRADIENT_TABLE, false},
    {"bisection_compare", BISECTION_COMPARE, true},
    {"bisection_newton", BISECTION_NEWTON, true},
    {"exp_bisection", EXP_BISECTION, true},
};

using AllPrograms = testing::InTempDir;

// Standard output is checked like any other file: what could not be
// printed is reported and the program fails. A program that prints
// nothing has nothing to lose.
TEST_F(AllPrograms, ReportAStandardOutputThatCannotBeWritten) {
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name);
        const auto result = run(std::string(program.path) + " >/dev/full");
        if (program.printsOnStandardOutput) {
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.err, program.name + ": cannot write standard output: No space left on device\n");
        } else {
            EXPECT_EQ(result.status, 0);
            EXPECT_EQ(result.err, "");
        }
    }
}

// No options: arguments change nothing, and a second run in the same
// folder replaces the first run's files rather than adding to them.
TEST_F(AllPrograms, IgnoreArgumentsAndRewriteTheirFiles) {
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name);
        const auto first = run(program.path);
        const std::string firstFiles = run("cat ./*.txt 2>/dev/null | cksum").out;
        const auto second = run(std::string(program.path) + " --help -x 42");
        EXPECT_EQ(first.status, 0);
        EXPECT_EQ(second.status, 0);
        EXPECT_EQ(second.err, "");
        if (program.name != "gradient_timing") {  // its timings differ from run to run
            EXPECT_EQ(second.out, first.out);
        }
        EXPECT_EQ(run("cat ./*.txt 2>/dev/null | cksum").out, firstFiles);
    }
}

}  // namespace
}  // namespace xsin
