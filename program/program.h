#pragma once

// What every program shares around its own work: the name its messages
// carry, its standard descriptors, what it does on signals, and its exit
// status.

namespace xsin {

// Runs a program's body under its own name (for the messages, whatever
// argv[0] says) and returns the exit status: 0 when every file and
// standard output were written whole, 1 when a failure was reported
// (output/output.h), and 1 with "<name>: out of memory" when memory ran
// out, the file it was writing removed.
//
// Before the body runs:
// - standard input, output and error that are closed are occupied by
//   /dev/null (useStandardDescriptors, output/output.h);
// - SIGPIPE and SIGXFSZ are ignored: otherwise a write to a pipe whose
//   reader has gone, or beyond a file-size limit (ulimit -f), would kill the
//   process without a message, leaving a partial file that looks whole and
//   the other passes unrun; ignored, such a write fails and is reported like
//   any other;
// - SIGINT, SIGTERM and SIGHUP, unless the program was started with them
//   ignored, remove the file being written, which would look like a
//   complete shorter table, say "<name>: interrupted: removed partial
//   <file>" and end the process by the same signal, as make deletes a
//   target it did not finish. Files already complete stay.
// Standard output is closed, and checked, at the end.
int runProgram(const char* name, void (*body)());

}  // namespace xsin
