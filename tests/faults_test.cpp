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
    std::vector<std::string> complete;  // outputs that must have all their lines
    size_t lines;
    const char* out = nullptr;  // standard output with the timings as N, when checked
};

const std::string timing = GRADIENT_TIMING;
const std::string table = GRADIENT_TABLE;
const std::string compare = BISECTION_COMPARE;
const std::string newton = BISECTION_NEWTON;
const std::vector<std::string> allTables = {"realgradients.txt", "finitegradients.txt", "autodiffgradients.txt"};
const std::vector<std::string> otherTables = {"finitegradients.txt", "autodiffgradients.txt"};
const std::string clockPreload = std::string("ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=") + CLOCK_PRELOAD + " ";
const std::string memoryPreload = std::string("LD_PRELOAD=") + MEMORY_PRELOAD + " ";
const std::string everyAllocation = std::string(EVERY_ALLOCATION) + " " + MEMORY_PRELOAD + " ";
const std::string fiveProgramPaths = timing + " " + table + " " + compare + " " + newton + " " + EXP_BISECTION;
const std::string lease = LEASE_HOLDER;
const char* const twoTimings = "Time Passed: N \nTime Passed: N \n";
const char* const threeTimings = "Time Passed: N \nTime Passed: N \nTime Passed: N \n";

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;  // its shadow memory needs a large stack and address space
#else
constexpr bool sanitized = false;
#endif

const Fault faults[] = {
    // Files that cannot be opened or written: the failure is reported with
    // its reason and only the output it hits is lost.
    {"a table that cannot be opened skips only its pass",
     "mkdir finitegradients.txt && " + timing,
     1,
     "gradient_timing: cannot open finitegradients.txt: Is a directory\n",
     {"realgradients.txt", "autodiffgradients.txt"},
     100000,
     twoTimings},
    {"a table on a full disk",
     "ln -s /dev/full autodiffgradients.txt && " + timing,
     1,
     "gradient_timing: cannot write autodiffgradients.txt: No space left on device\n",
     {"realgradients.txt", "finitegradients.txt"},
     100000,
     threeTimings},
    {"a file-size limit, each pass reported with its own reason",
     "ulimit -f 1000 && " + timing,
     1,
     "gradient_timing: cannot write realgradients.txt: File too large\n"
     "gradient_timing: cannot write finitegradients.txt: File too large\n"
     "gradient_timing: cannot write autodiffgradients.txt: File too large\n",
     {},
     0,
     threeTimings},
    {"gradient_table's table cannot be opened",
     "mkdir gradient.txt && " + table,
     1,
     "gradient_table: cannot open gradient.txt: Is a directory\n",
     {},
     0,
     ""},
    {"gradient_table's table on a full disk",
     "ln -s /dev/full gradient.txt && " + table,
     1,
     "gradient_table: cannot write gradient.txt: No space left on device\n",
     {},
     0,
     ""},
    {"a trace that cannot be opened, the roots still printed",
     "mkdir bolzano14.txt && " + compare,
     1,
     "bisection_compare: cannot open bolzano14.txt: Is a directory\n",
     {"bolzano.txt"},
     32,
     "ROOTS: -3.069980 -4.689472 \n"},
    {"Newton's trace on a full disk, the roots still printed",
     "ln -s /dev/full newton.txt && " + newton,
     1,
     "bisection_newton: cannot write newton.txt: No space left on device\n",
     {"bolzano.txt"},
     32,
     "Roots: -3.069980 -5.013257 \n"},
    // Pipes and FIFOs: descriptor 9 of the commands is a pipe whose reader
    // has gone.
    {"standard output is a pipe without a reader", timing + " >&9", 1,
     "gradient_timing: cannot write standard output: Broken pipe\n", allTables, 100000},
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
    // Standard descriptors closed when the program starts: no table takes
    // descriptor 1 (its line count would show the timing lines), and only
    // what was to be written there is lost.
    {"standard output closed, and nothing to write there", table + " >&-", 0, "", {"gradient.txt"}, 1001},
    {"standard output closed, and written", timing + " >&- <&- 2>&2", 1,
     "gradient_timing: cannot write standard output: Bad file descriptor\n", allTables, 100000},
    {"a file under another process's lease is waited for, as a shell's > waits",
     "touch gradient.txt && { " + lease + " gradient.txt & } && until [ -e leased ]; do sleep 0.01; done && " + table,
     0,
     "",
     {"gradient.txt"},
     1001},
    // A shell leaves SIGINT ignored in what it starts in the background:
    // env gives the program its default back, which the program takes over.
    {"waiting for a leased file, SIGINT ends the program at once, and nothing is touched",
     "echo kept >gradient.txt && { " + lease +
         " --stalled gradient.txt & h=$!; } && until [ -e leased ]; do sleep 0.01; "
         "done; timeout -s KILL 5 env --default-signal=INT " +
         table +
         " & p=$!; sleep 0.3; kill -INT $p; wait $p; s=$?; "
         "kill $h; cat gradient.txt; exit $s",
     128 + 2,
     "",
     {},
     0,
     "kept\n"},
    // A program that writes to its own output: what it would write there is
    // not mixed with what it prints.
    {"standard output is one of the tables: reported, and the table not written",
     timing + " >realgradients.txt; s=$?; cat realgradients.txt; exit $s", 1,
     "gradient_timing: standard output is realgradients.txt\n", otherTables, 100000, twoTimings},
    {"standard output appended to one of the tables: what it held stays",
     "echo kept >realgradients.txt && " + timing + " >>realgradients.txt; s=$?; cat realgradients.txt; exit $s", 1,
     "gradient_timing: standard output is realgradients.txt\n", otherTables, 100000,
     "kept\nTime Passed: N \nTime Passed: N \n"},
    {"standard output is a trace",
     newton + " >bolzano.txt; s=$?; cat bolzano.txt; exit $s",
     1,
     "bisection_newton: standard output is bolzano.txt\n",
     {"newton.txt"},
     3,
     "Roots: -3.069980 -5.013257 \n"},
    {"the clock cannot be read: the tables written, no time made up",
     "XSIN_TEST_CLOCK_FAILS=1 " + clockPreload + timing, 1,
     "gradient_timing: cannot read the clock: Invalid argument\n"
     "gradient_timing: cannot read the clock: Invalid argument\n"
     "gradient_timing: cannot read the clock: Invalid argument\n",
     allTables, 100000, ""},
};

#ifdef ACCURACY_REPORT
const std::string accuracyReport = ACCURACY_REPORT;
const std::string accuracyFiles =
    "accuracy.json accuracy.md accuracy_derivatives.txt accuracy_steps.txt accuracy_iterates.txt";

const Fault reportFaults[] = {
    // It must not say it wrote them: a "Wrote" line makes the status 2.
    {"no file of accuracy_report can be opened",
     "mkdir " + accuracyFiles + " && { " + accuracyReport +
         " >summary; s=$?; ! grep -q Wrote summary || s=2; exit $s; }",
     1,
     "accuracy_report: cannot open accuracy.json: Is a directory\n"
     "accuracy_report: cannot open accuracy.md: Is a directory\n"
     "accuracy_report: cannot open accuracy_derivatives.txt: Is a directory\n"
     "accuracy_report: cannot open accuracy_steps.txt: Is a directory\n"
     "accuracy_report: cannot open accuracy_iterates.txt: Is a directory\n",
     {},
     0},
    {"its formatted report on a full disk",
     "ln -s /dev/full accuracy.md && " + accuracyReport + " >/dev/null",
     1,
     "accuracy_report: cannot write accuracy.md: No space left on device\n",
     {},
     0},
    {"two of its outputs are one file: the second is not written over the first",
     "touch accuracy.json && ln accuracy.json accuracy.md && " + accuracyReport +
         " >/dev/null; s=$?; [ \"$(head -c 1 accuracy.md)\" = { ] || s=3; exit $s",
     1,
     "accuracy_report: accuracy.md is accuracy.json\n",
     {},
     0},
};
#endif

// Writes that strace makes fail or interrupts (a sanitizer's leak check
// cannot run under ptrace). The first 64 writes are realgradients.txt's
// blocks. Standard output is closed and checked at exit: its close is the
// program's last.
const std::string strace = "export ASAN_OPTIONS=detect_leaks=0 && strace -o /dev/null ";
const Fault straceFaults[] = {
    {"the first write of a table fails", strace + "-e trace=write -e inject=write:error=ENOSPC:when=1 " + timing, 1,
     "gradient_timing: cannot write realgradients.txt: No space left on device\n", otherTables, 100000},
    {"a write interrupted by a signal is tried again",
     strace + "-e trace=write -e inject=write:error=EINTR:when=3 " + timing, 0, "", allTables, 100000},
    // Before the failure the file is that of a whole run, and after it
    // nothing: it ends where the failure happened.
    {"after a write fails, nothing more goes to that file",
     "mkdir whole && (cd whole && " + timing + " >/dev/null) && " + strace +
         "-e trace=write -e inject=write:error=ENOSPC:when=3 " + timing +
         "; s=$?; size=$(stat -c %s realgradients.txt); "
         "[ \"$size\" -lt 4200000 ] && cmp -s -n \"$size\" realgradients.txt whole/realgradients.txt || s=2; exit $s",
     1, "gradient_timing: cannot write realgradients.txt: No space left on device\n", otherTables, 100000},
    // A shell says "Terminated" on the standard error of a command it waits
    // for that a signal killed: strace's, apart from the program's.
    {"a signal in the middle of a table: it is removed, the complete one stays, and the signal ends the run",
     strace + "-e trace=write -e inject=write:signal=SIGTERM:when=70 sh -c 'exec " + timing +
         " 2>message' 2>/dev/null; s=$?; cat message >&2 && rm message; "
         "[ ! -e finitegradients.txt ] && [ ! -e autodiffgradients.txt ] || s=2; exit $s",
     128 + 15,
     "gradient_timing: interrupted: removed partial finitegradients.txt\n",
     {"realgradients.txt"},
     100000},
    // A partial table is emptied through its descriptor: no other name of
    // it keeps part of a table; a name is removed only where it is the file
    // written, never a link of the user's.
    {"a symbolically linked table: the link stays, its target emptied",
     "mkdir keep && ln -s keep/real.txt realgradients.txt && " + strace +
         "-e trace=write -e inject=write:signal=SIGTERM:when=30 sh -c 'exec " + timing +
         " 2>message' 2>/dev/null; s=$?; cat message >&2; [ -L realgradients.txt ] && [ -f keep/real.txt ] && "
         "[ ! -s keep/real.txt ] || s=2; exit $s",
     128 + 15,
     "gradient_timing: interrupted: emptied partial realgradients.txt\n",
     {},
     0},
    {"a hard-linked table: its name removed, the other name left empty",
     "touch realgradients.txt && ln realgradients.txt backup.txt && " + strace +
         "-e trace=write -e inject=write:signal=SIGTERM:when=30 sh -c 'exec " + timing +
         " 2>message' 2>/dev/null; s=$?; cat message >&2; [ ! -e realgradients.txt ] && [ -f backup.txt ] && "
         "[ ! -s backup.txt ] || s=2; exit $s",
     128 + 15,
     "gradient_timing: interrupted: removed partial realgradients.txt\n",
     {},
     0},
    // Each signal whose default ends the program: its status, and the
    // partial table removed.
    {"every ending signal removes the partial table and ends the program by itself",
     "ulimit -c 0; for s in HUP INT QUIT TERM ALRM USR1 USR2 VTALRM PROF XCPU; do " + strace +
         "-e trace=write -e inject=write:signal=SIG$s:when=70 sh -c 'exec " + timing +
         " 2>message' >/dev/null 2>&1; echo $s $?; cat message >&2; [ ! -e finitegradients.txt ] || exit 2; "
         "rm -f ./*; done",
     0,
     [] {
         std::string messages;
         for (int i = 0; i < 10; ++i) {
             messages += "gradient_timing: interrupted: removed partial finitegradients.txt\n";
         }
         return messages;
     }(),
     {},
     0,
     "HUP 129\nINT 130\nQUIT 131\nTERM 143\nALRM 142\nUSR1 138\nUSR2 140\nVTALRM 154\nPROF 155\nXCPU 152\n"},
    // Standard error a pipe that is full and that nobody reads: the message
    // cannot be written, and a second signal still ends the program.
    {"with standard error stalled, a second signal ends the program",
     "mkfifo err && exec 3<>err && head -c 65536 /dev/zero >&3 && { " + strace +
         "-e trace=write -e inject=write:delay_enter=100000:when=40+ sh -c 'echo $$ >pid; exec " + timing +
         " 2>err' >/dev/null 2>&1 & } && until [ -s pid ]; do sleep 0.01; done; sleep 1; kill -TERM $(cat pid); "
         "sleep 1; kill -TERM $(cat pid); timeout 10 sh -c \"while kill -0 $(cat pid) 2>/dev/null; do sleep 0.05; "
         "done\"; s=$?; wait %1; echo $?; [ ! -e realgradients.txt ] || s=2; exit $s",
     0,
     "",
     {},
     0,
     "143\n"},
    {"standard output fails when it is closed",
     "export ASAN_OPTIONS=detect_leaks=0 && strace -o closes -e trace=close " + compare +
         " >/dev/null && n=$(grep -c '^close(' closes) && " + strace +
         "-e trace=close -e inject=close:error=EIO:when=$n " + compare + " >/dev/null",
     1,
     "bisection_compare: cannot write standard output: Input/output error\n",
     {"bolzano.txt"},
     32},
};

// What can only be tried without a sanitizer.
const Fault unsanitizedFaults[] = {
    {"a stack of 64 KiB", "ulimit -s 64 && " + timing, 0, "", allTables, 100000},
#ifdef ACCURACY_REPORT
    {"memory runs out", "ulimit -v 15000 && " + accuracyReport, 1, "accuracy_report: out of memory\n", {}, 0},
    // GMP cannot unwind: its allocation functions end the program.
    {"memory runs out inside MPFR",
     "for n in 30 3000 300000; do XSIN_TEST_MALLOC_FAILS_AFTER=$n " + memoryPreload + accuracyReport +
         " >/dev/null; s=$?; [ $s = 1 ] || exit $s; done; exit $s",
     1,
     "accuracy_report: out of memory\naccuracy_report: out of memory\naccuracy_report: out of memory\n",
     {},
     0},
    // Its millions of allocations: each of the first 500 (the thread's
    // registers among them), then every 250000th.
    {"any one allocation of accuracy_report fails",
     everyAllocation + accuracyReport + " 500 250000",
     0,
     "",
     {},
     0,
     nullptr},
#endif
    // Whatever allocation fails, the program ends whole or says "out of
    // memory", status 1, and leaves no file that is not whole.
    {"any one allocation of the five programs fails",
     "for p in " + fiveProgramPaths + "; do " + everyAllocation + "$p >/dev/null || exit; done",
     0,
     "",
     {},
     0},
    {"memory for a table's buffer refused",
     "XSIN_TEST_MALLOC_FAILS_FROM=65536 " + memoryPreload + table,
     1,
     "gradient_table: out of memory\ngradient_table: removed partial gradient.txt\n",
     {},
     0},
    {"no memory at all from the start",
     "for p in " + fiveProgramPaths + "; do XSIN_TEST_MALLOC_FAILS_AFTER=0 " + memoryPreload +
         "$p >/dev/null 2>>err; [ $? = 1 ] || exit 2; done; grep -v 'removed partial' err >&2; ls",
     0,
     "gradient_timing: out of memory\ngradient_table: out of memory\nbisection_compare: out of memory\n"
     "bisection_newton: out of memory\nexp_bisection: out of memory\n",
     {},
     0,
     "err\n"},
};

// The timings differ from run to run.
std::string withoutTimings(std::string out) {
    const std::string prefix = "Time Passed: ";
    for (size_t at = out.find(prefix); at != std::string::npos; at = out.find(prefix, at + 1)) {
        const size_t digits = at + prefix.size();
        out.replace(digits, out.find_first_not_of("0123456789", digits) - digits, "N");
    }
    return out;
}

using Faults = testing::InTempDir;

void check(const Fault& fault) {
    SCOPED_TRACE(fault.what);
    const auto result = run(fault.command);
    EXPECT_EQ(result.status, fault.status);
    EXPECT_EQ(result.err, fault.err);
    if (fault.out != nullptr) {
        EXPECT_EQ(withoutTimings(result.out), fault.out);
    }
    for (const std::string& output : fault.complete) {
        EXPECT_EQ(readLines(output).size(), fault.lines) << output;
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
#ifdef ACCURACY_REPORT
    for (const Fault& fault : reportFaults) {
        check(fault);
    }
#endif
    if (!sanitized) {
        for (const Fault& fault : unsanitizedFaults) {
            check(fault);
        }
    }
    close(9);
}

TEST_F(Faults, InjectedByStrace) {
    if (run("command -v strace").status != 0) {
        GTEST_SKIP() << "strace is not installed (Debian package strace)";
    }
    for (const Fault& fault : straceFaults) {
        check(fault);
    }
}

}  // namespace
}  // namespace xsin
