#pragma once

#include <cstddef>
#include <memory>

// Output files and standard output, with every failure reported on standard
// error as "<program>: cannot <open|write> <file>: <reason>" when it
// happens, and remembered, so that the program ends with status 1 instead
// of claiming success.
//
// A table under its own name is whole: the previous file of that name stays
// until the new one is complete, and the new one then replaces it at once.
// A regular file is written to a temporary beside it and renamed over it
// when it is closed. A FIFO, a device, a file with several names and the
// few others that a rename would change are written in place, as a shell's
// > writes them (output/replacement.h). Whatever ends a run early, be it a
// write that fails, running out of memory, a signal or even SIGKILL, leaves
// each name with its previous file, its new one, or none when it had none.
// Only a file written in place can be left with part of a table, and the
// program empties such a file when it can (output/registry.h).
//
// Nothing that can happen to an output kills, stops or misleads the program:
// - a write interrupted by a signal is retried and a short write completed;
// - after a write to a file fails, nothing more goes to that file: its
//   temporary is removed when it is closed (a file written in place ends
//   where the failure happened); the other outputs and passes go on;
// - a FIFO without a reader is reported when it is opened instead of being
//   waited for, while a file written in place that another process holds a
//   lease on is waited for, as a shell's redirection waits
//   (output/descriptor.h);
// - with SIGPIPE and SIGXFSZ ignored (runProgram, program/program.h, sets
//   them so) a write to a pipe without a reader fails with "Broken pipe"
//   and one beyond a file-size limit (ulimit -f) with "File too large";
// - a file that is standard output or standard error, or that another
//   output of the run already is, is reported and not written: what the run
//   writes is never mixed in one file (output/registry.h).
//
// Outputs are not synced to the disk, as cp and sort -o do not sync
// theirs: a sync inside a timed pass would time the disk instead of the
// evaluator. A power cut can therefore still lose a new file. By default
// (auto_da_alloc) ext4 starts writing a file that is renamed over another
// when the rename happens, but nothing here waits for that.

namespace xsin {

// A file opened for writing, or standard output, closed by close() or when
// it goes out of scope, but for an exception passing through: then it stays
// unfinished, for runProgram to abandon. Its
// output is gathered in a buffer and written a block of blockSize bytes at
// a time, each at a multiple of blockSize in the file (the page cache takes
// aligned blocks of 64 KiB whole, and much faster than others), the rest
// when it closes.
class OutputFile {
public:
    static constexpr std::size_t blockSize = 1 << 16;

    // Opens name in the working directory for writing, to replace what it
    // holds when closed. One that cannot be opened is reported; writing to
    // it then does nothing.
    explicit OutputFile(const char* name);
    // Standard output, or another descriptor open when the program started:
    // one that was closed then fails at its first write, with "Bad file
    // descriptor" (and a program that writes nothing to it has lost
    // nothing).
    OutputFile(int descriptor, const char* label);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opened (even if a write has failed since).
    bool isOpen() const { return state == State::writing || state == State::failed; }

    // Writes size bytes of text, or a C string, or as fprintf does.
    void put(const char* text, std::size_t size);
    void put(const char* text);
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));

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

    // Closes the file: written whole, it takes its name; otherwise the name
    // keeps what it held (output/registry.h). True when the file was opened
    // and written whole; a second call does nothing and says the same.
    bool close();

private:
    // The whole life of an output.
    enum class State {
        writing,   // open, and every write so far went out
        failed,    // open, but a write failed (error, reported): nothing more goes out
        unopened,  // it could not be opened (error, reported): writing does nothing
        missing,   // standard output closed at start: a write fails it (EBADF)
        closed,    // done: written whole when error is 0
    };

    void makeRoom(std::size_t size);
    // Writes size bytes of data (the buffer's first, or text too large for
    // it) while the output is writing; fails it when standard output was
    // closed at start.
    void write(const char* data, std::size_t size);
    // Records the first failure and reports it.
    void fail(int error);

    State state;
    int error = 0;        // errno of what failed, 0 if nothing did
    int descriptor = -1;  // while writing or failed
    const char* name;
    bool lineBuffered = false;  // a terminal: each line goes out at once
    int output = -1;            // its place among the run's outputs (output/registry.h); -1 for standard output
    int exceptionsAtOpen = 0;   // more when it goes out of scope: unwinding
    // A block and some room beyond: below the size from which malloc maps
    // fresh pages each time.
    static constexpr std::size_t capacity = blockSize + blockSize / 8;
    std::unique_ptr<char[]> buffer;  // capacity bytes, from the first write on
    std::size_t used = 0;
};

// Standard output, as an output file that runProgram closes.
OutputFile& standardOutput();

}  // namespace xsin
