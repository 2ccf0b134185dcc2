#pragma once

#include <cstddef>
#include <memory>

// Output files and standard output, with every failure reported on standard
// error as "<program>: cannot <open|write> <file>: <reason>" and remembered,
// so that the program ends with status 1 instead of claiming success. The
// reason is that of the first write that failed.
//
// Nothing that can happen to an output kills, stops or misleads the program:
// - a write interrupted by a signal is retried and a short write completed;
// - after a write to a file fails, nothing more goes to that file, so that
//   it ends where the failure happened instead of having a hole that looks
//   like data; the other outputs and passes go on;
// - a FIFO without a reader is reported when it is opened instead of being
//   waited for, while a file that another process holds a lease on is
//   waited for, as a shell's redirection waits;
// - with SIGPIPE and SIGXFSZ ignored (runProgram, program/program.h, sets
//   them so) a write to a pipe without a reader fails with "Broken pipe"
//   and one beyond a file-size limit (ulimit -f) with "File too large";
// - a regular file that is being written and not yet complete is known, so
//   that an interrupted run can remove it (removePartialFiles) rather than
//   leave a table cut short that looks whole.
//
// Outputs are not synced to the disk, as cp and sort -o do not: a sync
// inside a timed pass would time the disk instead of the evaluator.

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
// out of scope or by close(). Its output is gathered in a buffer and
// written a block of blockSize bytes at a time, each at a multiple of
// blockSize in the file (the page cache takes aligned blocks of 64 KiB
// whole, and much faster than others), the rest when it closes.
class OutputFile {
public:
    static constexpr std::size_t blockSize = 1 << 16;

    // Opens name in the working directory with mode "w": created, or
    // emptied if it exists. One that cannot be opened is reported;
    // writing to it then does nothing.
    explicit OutputFile(const char* name);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return descriptor >= 0; }

    // Room for size bytes (at most blockSize), to be written directly and
    // then taken with advance(); the whole blocks the buffer holds are
    // written first when it has less room.
    char* room(std::size_t size) {
        if (!buffer || capacity - used < size) {
            makeRoom(size);
        }
        return buffer.get() + used;
    }
    void advance(std::size_t size) { used += size; }

    // Writes all that the buffer holds.
    void flush();

    // Closes the file, reporting the first write that failed. True when the
    // file was opened and written whole; a second call does nothing and
    // says the same.
    bool close();

private:
    struct Standard {};
    OutputFile(Standard, int descriptor, const char* label);

    friend OutputFile& standardOutput();
    friend void useStandardDescriptors();
    friend void put(OutputFile& out, const char* text, std::size_t size);
    friend void print(OutputFile& out, const char* format, ...);
    void makeRoom(std::size_t size);
    // Writes the first size bytes of the buffer.
    void write(std::size_t size);
    void fail(int error);
    bool writable() const { return descriptor >= 0 && firstError == 0; }

    int descriptor = -1;  // -1 when not open, or no longer
    const char* name;
    // A block and some room beyond: below the size from which malloc maps
    // fresh pages each time.
    static constexpr std::size_t capacity = blockSize + blockSize / 8;
    std::unique_ptr<char[]> buffer;  // capacity bytes, from the first write on
    std::size_t used = 0;
    int firstError = 0;  // errno of the first write that failed, 0 if none
    bool written = false;
    bool lineBuffered = false;     // a terminal: each line goes out at once
    int partial = -1;              // its place among the partial files, or -1
    int exceptionsAtOpen = 0;      // unwinding past it leaves the file partial
    bool closedAtStart = false;    // standard output that was closed when the program started
};

// Standard output, as an output file that runProgram closes.
OutputFile& standardOutput();

// Descriptors 0, 1 and 2 that are closed when the program starts are
// occupied by /dev/null, so that no file the program opens takes one of
// them; standard output that was closed then fails at its first write, with
// "Bad file descriptor" (and a program that writes nothing to it has lost
// nothing). For runProgram, before anything else.
void useStandardDescriptors();

// Writes size bytes of text, or a C string.
void put(OutputFile& out, const char* text, std::size_t size);
void put(OutputFile& out, const char* text);

// Writes as fprintf does.
void print(OutputFile& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Removes every regular file that an OutputFile created or emptied and has
// not completed, saying so on standard error as "<program>: <why>removed
// partial <file>". Async-signal-safe, for a handler of SIGINT or SIGTERM.
void removePartialFiles(const char* why);

// Reports "<program>: out of memory", removes the partial files, writes out
// what standard output holds and ends the process with status 1, without
// unwinding: for allocators (GMP's) that cannot return a failure.
[[noreturn]] void exitOutOfMemory();

}  // namespace xsin
