// Faults of the world around a program that must never kill it, hang it or
// let it claim success: each case gives its message naming the program and
// the file, the rest of the program's work, and its exit status.

#include <unistd.h>

#include <string>
#include <vector>

#include "support.h"

namespace xsin {
namespace {

using testing::readLines;
using testing::run;

struct Fault {
    const char* what;
    std::string command;  // run in a fresh folder
    int status;
    std::string err;                    // standard error, exactly
    std::vector<std::string> complete;  // tables that must have all their lines
    size_t lines;
};

const std::string timing = GRADIENT_TIMING;
const std::string accuracyReport = ACCURACY_REPORT;
const std::vector<std::string> otherTables = {"finitegradients.txt", "autodiffgradients.txt"};
const std::string accuracyFiles =
    "accuracy.json accuracy.md accuracy_derivatives.txt accuracy_steps.txt accuracy_iterates.txt";

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;  // its shadow memory needs a large stack and address space
#else
constexpr bool sanitized = false;
#endif

const Fault faults[] = {
    {"standard output is a pipe without a reader", timing + " >&9", 1,
     "gradient_timing: cannot write standard output: Broken pipe\n",
     {"realgradients.txt", "finitegradients.txt", "autodiffgradients.txt"}, 100000},
    {"standard error is a pipe without a reader, with a failure to report",
     "mkdir realgradients.txt && " + timing + " 2>&9", 1, "", otherTables, 100000},
    {"a table is a FIFO whose reader leaves after 100 bytes",
     "mkfifo realgradients.txt && exec 3<>realgradients.txt && { head -c 100 <&3 >/dev/null & } && exec 3<&- && " +
         timing,
     1, "gradient_timing: cannot write realgradients.txt: Broken pipe\n", otherTables, 100000},
    {"a table is a FIFO without a reader", "mkfifo realgradients.txt && " + timing, 1,
     "gradient_timing: cannot open realgradients.txt: No such device or address\n", otherTables, 100000},
    {"argv[0] is empty", "mkdir realgradients.txt && bash -c 'exec -a \"\" " + timing + "'", 1,
     "gradient_timing: cannot open realgradients.txt: Is a directory\n", otherTables, 100000},
    // It must not say it wrote them: a "Wrote" line makes the status 2.
    {"no file of accuracy_report can be opened",
     "mkdir " + accuracyFiles + " && { " + accuracyReport + " >summary; s=$?; ! grep -q Wrote summary || s=2; exit $s; }",
     1,
     "accuracy_report: cannot open accuracy.json: Is a directory\n"
     "accuracy_report: cannot open accuracy.md: Is a directory\n"
     "accuracy_report: cannot open accuracy_derivatives.txt: Is a directory\n"
     "accuracy_report: cannot open accuracy_steps.txt: Is a directory\n"
     "accuracy_report: cannot open accuracy_iterates.txt: Is a directory\n",
     {},
     0},
};

// Standard output is closed and checked at exit: its close is the program's
// last, which strace makes fail. (A sanitizer's leak check cannot run under
// ptrace.)
const std::string bisectionCompare = BISECTION_COMPARE;
const Fault closeFault = {
    "standard output fails when it is closed",
    "export ASAN_OPTIONS=detect_leaks=0 && strace -o closes -e trace=close " + bisectionCompare +
        " >/dev/null && n=$(grep -c '^close(' closes) && " +
        "strace -o /dev/null -e trace=close -e inject=close:error=EIO:when=$n " + bisectionCompare + " >/dev/null",
    1, "bisection_compare: cannot write standard output: Input/output error\n", {"bolzano.txt"}, 32};

// What can only be tried without a sanitizer.
const Fault unsanitizedFaults[] = {
    {"a stack of 64 KiB", "ulimit -s 64 && " + timing, 0, "",
     {"realgradients.txt", "finitegradients.txt", "autodiffgradients.txt"}, 100000},
    {"memory runs out", "ulimit -v 15000 && " + accuracyReport, 1, "accuracy_report: out of memory\n", {}, 0},
};

using Faults = testing::InTempDir;

void check(const Fault& fault) {
    SCOPED_TRACE(fault.what);
    const auto result = run(fault.command);
    EXPECT_EQ(result.status, fault.status);
    EXPECT_EQ(result.err, fault.err);
    for (const std::string& table : fault.complete) {
        EXPECT_EQ(readLines(table).size(), fault.lines) << table;
    }
    run("rm -rf ./*");
}

TEST_F(Faults, NeverKillHangOrClaimSuccess) {
    // Descriptor 9 of the commands: a pipe whose reader has gone.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    ASSERT_EQ(dup2(ends[1], 9), 9);
    close(ends[1]);
    for (const Fault& fault : faults) {
        check(fault);
    }
    if (!sanitized) {
        for (const Fault& fault : unsanitizedFaults) {
            check(fault);
        }
    }
    close(9);
}

TEST_F(Faults, StandardOutputThatFailsWhenClosedUnderStrace) {
    if (run("command -v strace").status != 0) {
        GTEST_SKIP() << "strace is not installed (Debian package strace)";
    }
    check(closeFault);
}

}  // namespace
}  // namespace xsin
