#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support.h"

namespace xsin {
namespace {

using testing::run;

struct Program {
    std::string name;
    std::string path;
};

// Every program the build registers, from its list of the programs tested
// (tests/CMakeLists.txt): the name and the command, separated by a tab.
std::vector<Program> programs() {
    std::vector<Program> list;
    std::ifstream in(PROGRAMS_FILE);
    for (std::string line; std::getline(in, line);) {
        const size_t tab = line.find('\t');
        list.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return list;
}

// The timings differ from run to run.
std::string withoutTimings(std::string out) {
    const std::string prefix = "Time Passed: ";
    for (size_t at = out.find(prefix); at != std::string::npos; at = out.find(prefix, at + 1)) {
        const size_t digits = at + prefix.size();
        out.erase(digits, out.find_first_not_of("0123456789", digits) - digits);
    }
    return out;
}

using AllPrograms = testing::InTempDir;

// A run with "--", which ends the options and is no option itself, is a run
// like any other, and a second run in the same folder replaces the first
// run's files rather than adding to them. Standard output is checked
// like any other file: what could not be printed is reported and the
// program fails (a program that prints nothing has nothing to lose).
TEST_F(AllPrograms, RewriteTheirFilesAndReportALostStandardOutput) {
    const auto all = programs();
    ASSERT_GE(all.size(), 5u);
    for (const Program& program : all) {
        SCOPED_TRACE(program.name);
        const auto first = run(program.path);
        const std::string firstFiles = run("cat ./*.txt ./*.json ./*.md 2>/dev/null | cksum").out;
        const auto second = run(program.path + " --");
        EXPECT_EQ(first.status, 0);
        EXPECT_EQ(second.status, 0);
        EXPECT_EQ(second.err, "");
        EXPECT_EQ(withoutTimings(second.out), withoutTimings(first.out));
        EXPECT_EQ(run("cat ./*.txt ./*.json ./*.md 2>/dev/null | cksum").out, firstFiles);

        const auto full = run(program.path + " >/dev/full");
        if (first.out.empty()) {
            EXPECT_EQ(full.status, 0);
            EXPECT_EQ(full.err, "");
        } else {
            EXPECT_EQ(full.status, 1);
            EXPECT_EQ(full.err, program.name + ": cannot write standard output: No space left on device\n");
        }
        run("rm -rf ./*");
    }
}

// --help and --version, or an unambiguous start of them, answer on
// standard output and stop there; anything else is refused as getopt_long
// and coreutils refuse it, with status 2: word for word what whoami, which
// takes the same two options and no operand, says. Either way no file is
// created, and one that the program would replace stays as it was.
TEST_F(AllPrograms, AnswerOrRefuseOptionsWithoutTouchingAFile) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        for (const char* output : {"realgradients.txt", "gradient.txt", "bolzano.txt", "accuracy.md"}) {
            testing::writeFile(output, "kept\n");
        }
        const auto before = run("ls -A; cat ./*");
        std::string helpText;
        for (const char* asked : {" --help", " --he", " --h --bogus", " results --help"}) {
            const auto help = run(program.path + asked);
            helpText = help.out;
            EXPECT_EQ(help.status, 0) << asked;
            EXPECT_EQ(help.err, "");
            EXPECT_EQ(help.out.rfind("Usage: " + program.name + " [OPTION]\n", 0), 0u) << help.out;
            EXPECT_NE(help.out.find("man " + program.name + ";"), std::string::npos) << help.out;
            EXPECT_NE(help.out.find("man -l build/man/" + program.name + ".1\n"), std::string::npos) << help.out;
        }
        const auto version = run(program.path + " --v --help");
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out.rfind(program.name + " (xsin experiments) " XSIN_VERSION "\n", 0), 0u) << version.out;
        // Within a terminal's 80 columns: UTF-8 continuation bytes take none.
        std::istringstream lines(helpText + version.out);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LE(std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xc0) != 0x80; }), 80) << line;
        }
        for (const char* arguments : {" --hlep", " --HELP", " -h", " -V --help", " --version=1", " --=x", " results",
                                      " -- results", " results --hlep"}) {
            const auto result = run(program.path + arguments);
            const auto whoami = run("LC_ALL=C whoami" + std::string(arguments) + " 2>&1 >/dev/null | sed 's/whoami/" +
                                    program.name + "/g' >&2");
            EXPECT_EQ(result.status, 2) << arguments;
            EXPECT_EQ(result.out, "") << arguments;
            EXPECT_NE(whoami.err, "") << arguments;
            EXPECT_EQ(result.err, whoami.err) << arguments;
        }
        EXPECT_EQ(run("ls -A; cat ./*").out, before.out);
    }
}

}  // namespace
}  // namespace xsin
