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
const std::string filesPreload = std::string("ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=") + FILES_PRELOAD + " ";
// After a command that the preload stops (XSIN_TEST_STOP_AT_WRITE) started
// in the background: waits until it is stopped, as p.
const std::string untilStopped =
    " & p=$!; until grep -q '^State:.T' /proc/$p/status || ! kill -0 $p; do sleep 0.01; done; ";
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
    {"a file-size limit, each pass reported with its own reason and no table cut short left",
     "ulimit -f 1000 && " + timing + "; s=$?; [ -z \"$(ls -A)\" ] || s=2; exit $s",
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
    // A file of two names is written in place, where a lease is waited for.
    {"a file under another process's lease is waited for, as a shell's > waits",
     "touch gradient.txt && ln gradient.txt other.txt && { " + lease +
         " gradient.txt & } && until [ -e leased ]; do sleep 0.01; done && " + table,
     0,
     "",
     {"gradient.txt", "other.txt"},
     1001},
    // A shell leaves SIGINT ignored in what it starts in the background:
    // env gives the program its default back, which the program takes over.
    {"waiting for a leased file, SIGINT ends the program at once, and nothing is touched",
     "echo kept >gradient.txt && ln gradient.txt other.txt && { " + lease +
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
    {"standard error is one of the tables: reported there, and the table not written",
     timing + " 2>realgradients.txt; s=$?; cat realgradients.txt >&2; exit $s", 1,
     "gradient_timing: standard error is realgradients.txt\n", otherTables, 100000, twoTimings},
    {"a table linked to standard output, a pipe: reported, and not mixed into it",
     "ln -s /dev/stdout realgradients.txt && { " + timing + "; echo $? >status; } | cat; exit $(cat status)", 1,
     "gradient_timing: standard output is realgradients.txt\n", otherTables, 100000, twoTimings},
    {"standard output is a trace",
     newton + " >bolzano.txt; s=$?; cat bolzano.txt; exit $s",
     1,
     "bisection_newton: standard output is bolzano.txt\n",
     {"newton.txt"},
     3,
     "Roots: -3.069980 -5.013257 \n"},
    // What a shell's > would do where renaming would change what the user
    // relies on: the other name of a table shares the new one, and any
    // number of outputs go to /dev/null.
    {"written in place: a hard-linked table, and two tables to /dev/null",
     "echo previous >realgradients.txt && ln realgradients.txt other.txt && ln -s /dev/null finitegradients.txt && "
     "ln -s /dev/null autodiffgradients.txt && " +
         timing,
     0,
     "",
     {"realgradients.txt", "other.txt"},
     100000,
     threeTimings},
    {"a folder where no file can be made: its writable table is written in place",
     "mkdir d && echo previous >d/gradient.txt && { chattr +i d 2>/dev/null || chmod a-w d; } && (cd d && " + table +
         "); s=$?; chattr -i d 2>/dev/null; chmod u+w d; [ \"$(ls -A d)\" = gradient.txt ] || s=2; "
         "mv d/gradient.txt .; exit $s",
     0,
     "",
     {"gradient.txt"},
     1001},
    {"a replaced table keeps the mode, owner and group of the previous one",
     "echo previous >gradient.txt && chmod 640 gradient.txt && { chown 65534:65534 gradient.txt 2>/dev/null || :; } && "
     "o=$(stat -c %u:%g:%a gradient.txt) && " +
         table + " && [ \"$(stat -c %u:%g:%a gradient.txt)\" = \"$o\" ]",
     0,
     "",
     {"gradient.txt"},
     1001},
    // SIGTERM and SIGHUP back to back, as a service manager sends them,
    // while the program is stopped in the middle of a table: the table is
    // abandoned before the second one ends the program, which it does
    // before anything is said. (SIGINT would be ignored: a shell leaves it
    // so in what it starts in the background.)
    {"two ending signals pending together: the table is abandoned whole first",
     "XSIN_TEST_STOP_AT_WRITE=70 " + filesPreload + timing + " >/dev/null 2>&1" + untilStopped +
         "kill -TERM $p; kill -HUP $p; kill -CONT $p; wait $p 2>/dev/null; s=$?; [ \"$(ls -A)\" = realgradients.txt ] "
         "|| s=2; exit $s",
     128 + 15,
     "",
     {"realgradients.txt"},
     100000},
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
    {"a write that fails in the middle of a table: the previous table stays, the other passes run",
     "echo previous >realgradients.txt && " + strace + "-e trace=write -e inject=write:error=ENOSPC:when=3 " + timing +
         "; s=$?; [ \"$(cat realgradients.txt)\" = previous ] && [ $(ls -A | wc -l) = 3 ] || s=2; exit $s",
     1, "gradient_timing: cannot write realgradients.txt: No space left on device\n", otherTables, 100000},
    // A file written in place: before the failure the file is that of a
    // whole run, and after it nothing; it ends where the failure happened.
    {"after a write to a table written in place fails, nothing more goes to it",
     "mkdir whole && (cd whole && " + timing +
         " >/dev/null) && touch realgradients.txt && ln realgradients.txt other && " + strace +
         "-e trace=write -e inject=write:error=ENOSPC:when=3 " + timing +
         "; s=$?; size=$(stat -c %s realgradients.txt); "
         "[ \"$size\" -lt 4200000 ] && cmp -s -n \"$size\" realgradients.txt whole/realgradients.txt || s=2; exit $s",
     1, "gradient_timing: cannot write realgradients.txt: No space left on device\n", otherTables, 100000},
    // The first close after the first write of a table is its own.
    {"a close that fails, even by a signal: the table is not put in place",
     "export ASAN_OPTIONS=detect_leaks=0 && strace -o calls -e trace=write,close " + compare +
         " >/dev/null && echo previous >bolzano.txt && n=$(awk '/^write\\(/ && !n { n = c + 1 } /^close\\(/ { c++ } "
         "END { print n }' calls) && " +
         strace + "-e trace=close -e inject=close:error=EINTR:when=$n " + compare +
         "; s=$?; [ \"$(cat bolzano.txt)\" = previous ] || s=2; exit $s",
     1,
     "bisection_compare: cannot write bolzano.txt: Interrupted system call\n",
     {"bolzano14.txt"},
     41,
     "ROOTS: -3.069980 -4.689472 \n"},
    // A shell says "Terminated" on the standard error of a command it waits
    // for that a signal killed: strace's, apart from the program's.
    {"a signal in the middle of a table: it is not written, the complete one stays, and the signal ends the run",
     strace + "-e trace=write -e inject=write:signal=SIGTERM:when=70 sh -c 'exec " + timing +
         " 2>message' 2>/dev/null; s=$?; cat message >&2 && rm message; "
         "[ \"$(ls -A)\" = realgradients.txt ] || s=2; exit $s",
     128 + 15,
     "gradient_timing: interrupted: discarded unfinished finitegradients.txt\n",
     {"realgradients.txt"},
     100000},
    // No handler runs: what is under the tables' names is what was there
    // or the new whole table.
    {"SIGKILL in the middle of a table: each name holds its previous table or the new whole one",
     "for t in realgradients.txt finitegradients.txt autodiffgradients.txt; do echo previous >$t; done && " + strace +
         "-e trace=write -e inject=write:signal=SIGKILL:when=70 sh -c 'exec " + timing +
         "' >/dev/null 2>&1; s=$?; for t in finitegradients.txt autodiffgradients.txt; do "
         "[ \"$(cat $t)\" = previous ] || s=2; done; [ $(ls -A | wc -l) = 3 ] || s=2; exit $s",
     128 + 9,
     "",
     {"realgradients.txt"},
     100000},
    // Symbolic links are followed: the link stays the user's, and its
    // target is replaced, or keeps what it held.
    {"symbolically linked tables interrupted: the links stay, one target replaced whole, the other as it was",
     "mkdir keep && echo previous >keep/real.txt && echo previous >keep/finite.txt && "
     "ln -s keep/real.txt realgradients.txt && ln -s keep/finite.txt finitegradients.txt && " +
         strace + "-e trace=write -e inject=write:signal=SIGTERM:when=70 sh -c 'exec " + timing +
         " 2>message' 2>/dev/null; s=$?; cat message >&2; [ -L realgradients.txt ] && [ -L finitegradients.txt ] && "
         "[ \"$(cat keep/finite.txt)\" = previous ] && [ $(ls -A keep | wc -l) = 2 ] || s=2; exit $s",
     128 + 15,
     "gradient_timing: interrupted: discarded unfinished finitegradients.txt, kept the previous one\n",
     {"keep/real.txt"},
     100000},
    // A table written in place (a file of two names) is emptied through its
    // descriptor, so that no name keeps part of a table; a name is removed
    // only where it is the file written.
    {"a hard-linked table: its name removed, the other name left empty",
     "touch realgradients.txt && ln realgradients.txt backup.txt && " + strace +
         "-e trace=write -e inject=write:signal=SIGTERM:when=30 sh -c 'exec " + timing +
         " 2>message' 2>/dev/null; s=$?; cat message >&2; [ ! -e realgradients.txt ] && [ -f backup.txt ] && "
         "[ ! -s backup.txt ] || s=2; exit $s",
     128 + 15,
     "gradient_timing: interrupted: removed partial realgradients.txt\n",
     {},
     0},
    // Each signal whose default ends the program, the first and last
    // real-time ones (34 and 64) among them: its status, and the table it
    // interrupted not written. Each is handled from its default (env), not
    // left ignored as whatever started the test may leave it (qemu-user
    // keeps real-time signals of its own).
    {"every ending signal abandons the unfinished table and ends the program by itself",
     "ulimit -c 0; for s in HUP INT QUIT TERM ALRM USR1 USR2 VTALRM PROF XCPU PWR IO STKFLT RT_2 RT_32; do " + strace +
         "-e trace=write -e inject=write:signal=SIG$s:when=70 env --default-signal sh -c 'exec " + timing +
         " 2>message' >/dev/null 2>&1; echo $s $?; cat message >&2; [ \"$(ls -A | tr '\\n' ' ')\" = \"message "
         "realgradients.txt \" ] || "
         "exit 2; rm -f ./*; done",
     0,
     [] {
         std::string messages;
         for (int i = 0; i < 15; ++i) {
             messages += "gradient_timing: interrupted: discarded unfinished finitegradients.txt\n";
         }
         return messages;
     }(),
     {},
     0,
     "HUP 129\nINT 130\nQUIT 131\nTERM 143\nALRM 142\nUSR1 138\nUSR2 140\nVTALRM 154\nPROF 155\nXCPU 152\n"
     "PWR 158\nIO 157\nSTKFLT 144\nRT_2 162\nRT_32 192\n"},
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
     "gradient_table: out of memory\ngradient_table: discarded unfinished gradient.txt\n",
     {},
     0},
    {"no memory at all from the start",
     "for p in " + fiveProgramPaths + "; do XSIN_TEST_MALLOC_FAILS_AFTER=0 " + memoryPreload +
         "$p >/dev/null 2>>err; [ $? = 1 ] || exit 2; done; grep -v 'discarded unfinished' err >&2; ls -A",
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

// Where the file system makes no file without a name (NFS), a temporary
// has a hidden name beside the table while it is written: the name goes
// when the table takes its place, or when the program is interrupted.
TEST_F(Faults, ATemporaryWithAHiddenNameNeverOutlivesTheRun) {
    const std::string named = "XSIN_TEST_NO_UNNAMED_FILES=1 ";
    const Fault namedFaults[] = {
        {"written whole", named + filesPreload + timing + " && ls -A", 0, "", allTables, 100000,
         "Time Passed: N \nTime Passed: N \nTime Passed: N \n"
         "autodiffgradients.txt\nfinitegradients.txt\nrealgradients.txt\n"},
        {"interrupted",
         named + "XSIN_TEST_STOP_AT_WRITE=70 " + filesPreload + timing + " >/dev/null" + untilStopped +
             "ls -A | grep -c '^[.]finitegradients[.]txt[.]'; kill -TERM $p; kill -CONT $p; wait $p 2>/dev/null; "
             "s=$?; ls -A; exit $s",
         128 + 15,
         "gradient_timing: interrupted: discarded unfinished finitegradients.txt\n",
         {},
         0,
         "1\nrealgradients.txt\n"},
    };
    for (const Fault& fault : namedFaults) {
        check(fault);
    }
}

}  // namespace
}  // namespace xsin
