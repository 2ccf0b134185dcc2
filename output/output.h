#pragma once

#include <cstddef>
#include <cstdio>

// Output files and standard output, with every failure reported on standard
// error as "<program>: cannot <open|write> <file>: <reason>" and remembered,
// so that the program ends with status 1 instead of claiming success. The
// reason is that of the first write that failed, even when later writes
// (and the final flush) succeed.
//
// Nothing that can happen to an output kills or stops the program: a FIFO
// without a reader is reported when it is opened instead of blocking, and
// with SIGPIPE and SIGXFSZ ignored (as runProgram, program/program.h, sets
// them) a write to a pipe without a reader fails with "Broken pipe" and one
// beyond a file-size limit (ulimit -f) with "File too large". The other
// outputs and passes go on.

namespace xsin {

// The name that messages carry: the program's own once set, whatever
// argv[0] says; the invocation's before.
void setProgramName(const char* name);
const char* programName();

// Writes "<program>: <message>" and a newline on standard error, and
// remembers that the run failed.
void reportFailure(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whether any failure has been reported.
bool anyFailure();

// A file opened for writing, closed (and a failure reported) when it goes
// out of scope or by close().
class OutputFile {
public:
    // Opens name in the working directory with mode "w": created, or
    // emptied if it exists. One that cannot be opened is reported;
    // writing to it then does nothing.
    explicit OutputFile(const char* name);
    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return stream != nullptr; }

    // Every write goes straight to the file: for writers that gather their
    // own blocks. Only before the first write.
    void unbuffered();

    // Closes the file, reporting the first write that failed on the way or
    // while the buffer was flushed. True when the file was opened and
    // written whole; a second call does nothing and says the same.
    bool close();

private:
    OutputFile(std::FILE* standard, const char* label) : stream(standard), name(label) {}

    friend OutputFile& standardOutput();
    friend void put(OutputFile& out, const char* text, std::size_t size);
    friend void print(OutputFile& out, const char* format, ...);
    void noteFailure();

    std::FILE* stream = nullptr;  // nullptr when not open, or no longer
    const char* name;
    int firstError = 0;  // errno of the first write that failed, 0 if none
    bool written = false;
};

// Standard output, as an output file that runProgram closes.
OutputFile& standardOutput();

// Writes size bytes of text, or a C string.
void put(OutputFile& out, const char* text, std::size_t size);
void put(OutputFile& out, const char* text);

// Writes as fprintf does.
void print(OutputFile& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace xsin
