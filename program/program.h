#pragma once

#include "output/output.h"

// Every program runs its own work through runProgram, which gives it what
// they all share: its name in every message, the options --help and
// --version, standard descriptors that no output can take the place of,
// the handling of the signals that end a program, and an exit status that
// says whether everything was written whole.

namespace xsin {

struct Program {
    const char* name;
    // For --help: what the program computes and the files it writes.
    void (*describe)(OutputFile& out);
    // The program's own work.
    void (*body)();
};

// Runs a program under its own name (for the messages, whatever argv[0]
// says) and returns the exit status: 0 when every file and standard output
// were written whole, 1 when a failure was reported
// (diagnostics/diagnostics.h), and 1 with "<name>: out of memory" when
// memory ran out, the file it was writing abandoned.
//
// The options are taken by getopt_long: --help or --version, or an
// unambiguous start of either (the first given acts, wherever it stands),
// prints the usage and description, or the name, version and licence, on
// standard output, and the program stops there, without computing or
// touching any file. Any other argument is reported as getopt_long and
// coreutils report it ("unrecognized option", "invalid option", "doesn't
// allow an argument", "is ambiguous", and "extra operand" for a word, after
// "--" too), with a hint to try --help, and the status is 2, nothing
// computed or touched.
//
// Before the body runs:
// - standard input, output and error that are closed are occupied by
//   /dev/null (useStandardDescriptors, diagnostics/diagnostics.h);
// - running out of memory, in operator new or in GMP, ends the program at
//   once (exitOutOfMemory, diagnostics/diagnostics.h), the outputs
//   abandoned;
// - SIGPIPE and SIGXFSZ are ignored: otherwise a write to a pipe whose
//   reader has gone, or beyond a file-size limit (ulimit -f), would kill the
//   process without a message, the other passes unrun; ignored, such a
//   write fails and is reported like any other;
// - every signal that ends the program (output/ending_signals.h), unless
//   it was started with it ignored, abandons the outputs not complete
//   (output/registry.h): the unfinished file is discarded, its name
//   keeping the previous one, and "<name>: interrupted: discarded
//   unfinished <file>" said (a file written in place is emptied, "removed
//   partial" or "emptied partial"); then the process ends by the same
//   signal, as make deletes a target it did not finish. Files already
//   complete stay.
// Standard output is closed, and checked, at the end.
int runProgram(const Program& program, int argc, char** argv);

}  // namespace xsin
