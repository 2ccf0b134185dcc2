#pragma once

#include <cstddef>

// What a program says about itself on standard error, and how it ends when
// it cannot go on: the name its messages carry, the failures it reports
// and remembers for its exit status, its standard descriptors, and the end
// that running out of memory forces. Every room that can fail uses these;
// they use nothing else of the project's.

namespace xsin {

// The name that messages carry: the program's own once it is set, whatever
// argv[0] says, and the invocation's before.
void setProgramName(const char* name);
const char* programName();

// Writes "<program>: <message>" and a newline on standard error, in one
// write so that it is not split among another process's, and remembers
// that the run failed.
void reportFailure(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whether any failure has been reported.
bool anyFailure();

// Writes all of data: a write interrupted by a signal is tried again, and a
// short one completed. 0, or the errno of the write that failed.
// Async-signal-safe.
int writeAll(int descriptor, const char* data, std::size_t size);

// Standard input, output and error that are closed when the program starts
// are opened on /dev/null, so that no file the program opens later takes
// their place; closedAtStart still tells which were closed (and, before
// this is called, which are closed now). For runProgram, before anything
// else.
void useStandardDescriptors();
bool closedAtStart(int standard);

// What is still to be done when the program ends on its own before its
// work is complete: runProgram sets it (abandoning the outputs and writing
// out standard output, program/program.h).
void atEarlyEnd(void (*finish)());

// Reports "<program>: out of memory", does what atEarlyEnd set and ends
// the process with status 1, without unwinding and without allocating: for
// operator new's handler and for allocators (GMP's) that cannot return a
// failure.
[[noreturn]] void exitOutOfMemory();

}  // namespace xsin
