#include "output/output.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstring>

namespace xsin {

namespace {

bool anyFailure = false;

// Without this a write beyond ulimit -f kills the process with no message,
// leaving a partial file and the other passes unrun.
[[maybe_unused]] const bool fileSizeLimitIsAWriteError = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;

void report(const char* verb, const char* name, int error) {
    anyFailure = true;
    std::fprintf(stderr, "%s: cannot %s %s: %s\n", program_invocation_short_name, verb, name,
                 std::strerror(error));
}

// errno is not always set when a stream fails (an earlier failure may have
// left the stream flagged): a plain I/O error then, rather than a stale or
// empty reason.
int errorOr(int error) {
    return error != 0 ? error : EIO;
}

void noteFailure(OutputFile& out) {
    if (out.firstError == 0) {
        out.firstError = errorOr(errno);
    }
}

}  // namespace

OutputFile openOutput(const char* name) {
    OutputFile out;
    out.name = name;
    out.stream = std::fopen(name, "w");
    if (out.stream == nullptr) {
        report("open", name, errorOr(errno));
    }
    return out;
}

OutputFile& standardOutput() {
    static OutputFile out{stdout, "standard output", 0};
    return out;
}

void put(OutputFile& out, const char* text, std::size_t size) {
    if (out.stream != nullptr) {
        errno = 0;
        if (std::fwrite(text, 1, size, out.stream) != size) {
            noteFailure(out);
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
        const int written = std::vfprintf(out.stream, format, arguments);
        va_end(arguments);
        if (written < 0) {
            noteFailure(out);
        }
    }
}

void closeOutput(OutputFile& out) {
    if (out.stream == nullptr) {
        return;
    }
    errno = 0;
    if (std::fflush(out.stream) != 0 || std::ferror(out.stream)) {
        noteFailure(out);
    }
    errno = 0;
    if (std::fclose(out.stream) != 0) {
        noteFailure(out);
    }
    out.stream = nullptr;
    if (out.firstError != 0) {
        report("write", out.name, out.firstError);
    }
}

int exitStatus() {
    OutputFile& out = standardOutput();
    errno = 0;
    if (std::fflush(out.stream) != 0 || std::ferror(out.stream)) {
        noteFailure(out);
    }
    if (out.firstError != 0) {
        report("write", out.name, out.firstError);
    }
    return anyFailure ? 1 : 0;
}

}  // namespace xsin
