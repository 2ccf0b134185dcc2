#pragma once

// What every program shares around its own work: the name its messages
// carry, what it does to signals, and its exit status.

namespace xsin {

// Runs a program's body under its own name (for the messages, whatever
// argv[0] says) and returns the exit status: 0 when every file and
// standard output were written whole, 1 when a failure was reported
// (output/output.h), and 1 with "<name>: out of memory" when memory ran
// out.
//
// Before the body runs, SIGPIPE and SIGXFSZ are ignored: otherwise a write
// to a pipe whose reader has gone, or beyond a file-size limit (ulimit -f),
// would kill the process without a message, leaving a partial file that
// looks whole and the other passes unrun; ignored, such a write fails and
// is reported like any other. Standard output is closed, and checked, at
// the end.
int runProgram(const char* name, void (*body)());

}  // namespace xsin
