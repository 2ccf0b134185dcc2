#include "output/output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <algorithm>
#include <cstring>

namespace xsin {

namespace {

const char* ownName = nullptr;
bool failed = false;

void report(const char* verb, const char* name, int error) {
    reportFailure("cannot %s %s: %s", verb, name, std::strerror(error));
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

void setProgramName(const char* name) {
    ownName = name;
}

const char* programName() {
    return ownName != nullptr ? ownName : program_invocation_short_name;
}

void reportFailure(const char* format, ...) {
    failed = true;
    // One write: a message is not split among another process's.
    char message[1024];
    const int prefix = std::snprintf(message, sizeof message - 1, "%s: ", programName());
    const std::size_t at = prefix > 0 ? std::min(static_cast<std::size_t>(prefix), sizeof message - 2) : 0;
    std::va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(message + at, sizeof message - 1 - at, format, arguments);
    va_end(arguments);
    const std::size_t end = at + (length > 0 ? std::min(static_cast<std::size_t>(length), sizeof message - 2 - at) : 0);
    message[end] = '\n';
    std::fwrite(message, 1, end + 1, stderr);
}

bool anyFailure() {
    return failed;
}

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

}  // namespace xsin
