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

// Every program the build registers, from its programs.txt: the name and
// the command, separated by a tab.
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

// No options but --help and --version: what follows "--" changes nothing
// (a --help there too), and a second run in the same folder replaces the
// first run's files rather than adding to them. Standard output is checked
// like any other file: what could not be printed is reported and the
// program fails (a program that prints nothing has nothing to lose).
TEST_F(AllPrograms, RewriteTheirFilesAndReportALostStandardOutput) {
    const auto all = programs();
    ASSERT_GE(all.size(), 5u);
    for (const Program& program : all) {
        SCOPED_TRACE(program.name);
        const auto first = run(program.path);
        const std::string firstFiles = run("cat ./*.txt ./*.json ./*.md 2>/dev/null | cksum").out;
        const auto second = run(program.path + " -- -x 42 --help");
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
// refuses it, with status 2. Either way no file is created, and one that
// the program would replace stays as it was.
TEST_F(AllPrograms, AnswerOrRefuseOptionsWithoutTouchingAFile) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        for (const char* output : {"realgradients.txt", "gradient.txt", "bolzano.txt", "accuracy.md"}) {
            testing::writeFile(output, "kept\n");
        }
        const auto before = run("ls -A; cat ./*");
        std::string helpText;
        for (const char* asked : {" --help", " --he", " --h --bogus"}) {
            const auto help = run(program.path + asked);
            helpText = help.out;
            EXPECT_EQ(help.status, 0) << asked;
            EXPECT_EQ(help.err, "");
            EXPECT_EQ(help.out.rfind("Usage: " + program.name + " [OPTION]\n", 0), 0u) << help.out;
            EXPECT_NE(help.out.find("man " + program.name + "\n"), std::string::npos) << help.out;
        }
        const auto version = run(program.path + " --v --help");
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out.rfind(program.name + " (xsin experiments) " XSIN_VERSION "\n", 0), 0u) << version.out;
        // Within a terminal's 80 columns: UTF-8 continuation bytes take none.
        std::istringstream lines(helpText + version.out);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LE(std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xc0) != 0x80; }), 80) << line;
        }
        const std::string hint = "Try '" + program.name + " --help' for more information.\n";
        const struct {
            const char* arguments;
            std::string message;
        } refused[] = {
            {" --hlep", "unrecognized option '--hlep'"},
            {" --HELP", "unrecognized option '--HELP'"},
            {" -h", "invalid option -- 'h'"},
            {" -V --help", "invalid option -- 'V'"},
            {" --version=1", "option '--version=1' doesn't allow an argument"},
            {" results", "extra operand 'results'"},
        };
        for (const auto& r : refused) {
            const auto result = run(program.path + r.arguments);
            EXPECT_EQ(result.status, 2) << r.arguments;
            EXPECT_EQ(result.out, "") << r.arguments;
            EXPECT_EQ(result.err, program.name + ": " + r.message + "\n" + hint);
        }
        EXPECT_EQ(run("ls -A; cat ./*").out, before.out);
    }
}

}  // namespace
}  // namespace xsin
