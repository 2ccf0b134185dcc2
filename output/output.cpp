#include "output/output.h"

#include <cerrno>
#include <cstring>

namespace xsin {

namespace {

bool anyFailure = false;

void report(const char* verb, const char* name, int error) {
    anyFailure = true;
    std::fprintf(stderr, "%s: cannot %s %s: %s\n", program_invocation_short_name, verb, name,
                 std::strerror(error));
}

// errno is not guaranteed to hold the cause once the stream is flagged, so
// fall back to a plain I/O error rather than print a stale reason.
int errorOr(int error) {
    return error != 0 ? error : EIO;
}

}  // namespace

std::FILE* openOutput(const char* name) {
    std::FILE* file = std::fopen(name, "w");
    if (file == nullptr) {
        report("open", name, errorOr(errno));
    }
    return file;
}

void closeOutput(std::FILE* file, const char* name) {
    if (file == nullptr) {
        return;
    }
    errno = 0;
    const bool written = std::fflush(file) == 0 && !std::ferror(file);
    const int flushError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        report("write", name, errorOr(written ? errno : flushError));
    }
}

int exitStatus() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        report("write", "standard output", errorOr(errno));
    }
    return anyFailure ? 1 : 0;
}

}  // namespace xsin
