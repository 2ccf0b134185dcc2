#include "output/output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstring>
#include <new>

namespace xsin {

namespace {

const char* programName = nullptr;  // set by runProgram
bool anyFailure = false;

// Without these a write beyond ulimit -f, or to a pipe whose reader has
// gone, kills the process with no message, leaving a partial file that
// looks whole and the other passes unrun.
[[maybe_unused]] const bool writeFailuresAreErrors =
    std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;

const char* nameForMessages() {
    return programName != nullptr ? programName : program_invocation_short_name;
}

void report(const char* verb, const char* name, int error) {
    anyFailure = true;
    std::fprintf(stderr, "%s: cannot %s %s: %s\n", nameForMessages(), verb, name, std::strerror(error));
}

// errno is not always set when a stream fails (an earlier failure may have
// left the stream flagged): a plain I/O error then, rather than a stale or
// empty reason.
int errorOr(int error) {
    return error != 0 ? error : EIO;
}

// fopen(name, "w"), but a FIFO without a reader fails at once with ENXIO
// instead of blocking until one comes. Once open, writes block as usual.
std::FILE* openForWriting(const char* name) {
    const int descriptor = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    std::FILE* stream = nullptr;
    if (flags >= 0 && ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0) {
        stream = ::fdopen(descriptor, "w");
    }
    if (stream == nullptr) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
    }
    return stream;
}

}  // namespace

OutputFile::OutputFile(const char* fileName) : name(fileName) {
    errno = 0;
    stream = openForWriting(fileName);
    if (stream == nullptr) {
        report("open", fileName, errorOr(errno));
    }
}

void OutputFile::unbuffered() {
    if (stream != nullptr) {
        std::setvbuf(stream, nullptr, _IONBF, 0);
    }
}

void OutputFile::noteFailure() {
    if (firstError == 0) {
        firstError = errorOr(errno);
    }
}

bool OutputFile::close() {
    if (stream == nullptr) {
        return written;
    }
    errno = 0;
    if (std::fflush(stream) != 0 || std::ferror(stream)) {
        noteFailure();
    }
    errno = 0;
    if (std::fclose(stream) != 0) {
        noteFailure();
    }
    stream = nullptr;
    if (firstError != 0) {
        report("write", name, firstError);
    }
    written = firstError == 0;
    return written;
}

OutputFile& standardOutput() {
    static OutputFile out(stdout, "standard output");
    return out;
}

void put(OutputFile& out, const char* text, std::size_t size) {
    if (out.stream != nullptr) {
        errno = 0;
        if (std::fwrite(text, 1, size, out.stream) != size) {
            out.noteFailure();
        }
    }
}

void put(OutputFile& out, const char* text) {
    put(out, text, std::strlen(text));
}

void print(OutputFile& out, const char* format, ...) {
    if (out.stream != nullptr) {
        errno = 0;
        std::va_list arguments;
        va_start(arguments, format);
        const int count = std::vfprintf(out.stream, format, arguments);
        va_end(arguments);
        if (count < 0) {
            out.noteFailure();
        }
    }
}

int runProgram(const char* name, void (*body)()) {
    programName = name;
    try {
        body();
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: out of memory\n", name);
        anyFailure = true;
    }
    standardOutput().close();
    return anyFailure ? 1 : 0;
}

}  // namespace xsin
