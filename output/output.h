#pragma once

#include <cstddef>
#include <cstdio>

// Output files and standard output, with every failure reported on standard
// error as "<program>: cannot <open|write> <file>: <reason>" and remembered,
// so that the program can end with status 1 instead of claiming success.
// The reason is that of the first write that failed, even when later writes
// (and the final flush) succeed.
//
// A file-size limit (ulimit -f) is such a failure too: linking this library
// makes the process ignore SIGXFSZ, so that a write beyond the limit fails
// with "File too large" instead of killing the program.

namespace xsin {

struct OutputFile {
    std::FILE* stream = nullptr;  // nullptr when the file could not be opened
    const char* name = "";
    int firstError = 0;  // errno of the first write that failed, 0 if none
};

// Opens name in the working directory with mode "w" (created, or emptied if
// it exists). Its stream is nullptr, after reporting, when it cannot be
// opened; writing to such a file does nothing.
OutputFile openOutput(const char* name);

// Standard output, as an output file.
OutputFile& standardOutput();

// Writes size bytes of text, or a C string.
void put(OutputFile& out, const char* text, std::size_t size);
void put(OutputFile& out, const char* text);

// Writes as fprintf does.
void print(OutputFile& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Closes a file from openOutput, reporting the first write that failed on
// the way or while the buffer was flushed.
void closeOutput(OutputFile& out);

// Flushes standard output and returns the exit status of the program:
// 0 when every file and standard output were written whole, 1 otherwise.
int exitStatus();

}  // namespace xsin
