#pragma once

#include <cstdio>

// Output files and standard output, with every failure reported on standard
// error as "<program>: cannot <open|write> <file>: <reason>" and remembered,
// so that the program can end with status 1 instead of claiming success.

namespace xsin {

// Opens name in the working directory with mode "w" (created, or emptied if
// it exists). Returns nullptr, after reporting, when it cannot be opened.
std::FILE* openOutput(const char* name);

// Closes a file from openOutput (nullptr is allowed and ignored), reporting
// any write that failed on the way or while the buffer was flushed.
void closeOutput(std::FILE* file, const char* name);

// Flushes standard output and returns the exit status of the program:
// 0 when every file and standard output were written whole, 1 otherwise.
int exitStatus();

}  // namespace xsin
