#include "diagnostics/diagnostics.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace xsin {

namespace {

// The run's own state: its name, whether anything failed, which standard
// descriptors were closed at start, and what an early end still does.
const char* ownName = nullptr;
bool failed = false;
bool standardsKnown = false;
bool closedStandards[3] = {};
void (*earlyEnd)() = nullptr;

bool closedNow(int descriptor) {
    return ::fcntl(descriptor, F_GETFD) < 0 && errno == EBADF;
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
    char message[1024];
    const int prefix = std::snprintf(message, sizeof message - 1, "%s: ", programName());
    const std::size_t at = prefix > 0 ? std::min(static_cast<std::size_t>(prefix), sizeof message - 2) : 0;
    std::va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(message + at, sizeof message - 1 - at, format, arguments);
    va_end(arguments);
    const std::size_t end = at + (length > 0 ? std::min(static_cast<std::size_t>(length), sizeof message - 2 - at) : 0);
    message[end] = '\n';
    writeAll(STDERR_FILENO, message, end + 1);
}

bool anyFailure() {
    return failed;
}

int writeAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t count = ::write(descriptor, data, size);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (count == 0) {
            return EIO;  // a device that takes nothing would loop forever
        }
        data += count;
        size -= static_cast<std::size_t>(count);
    }
    return 0;
}

void useStandardDescriptors() {
    for (int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        closedStandards[standard] = closedNow(standard);
        if (!closedStandards[standard]) {
            continue;
        }
        // The lowest free descriptor is this one: those below are open.
        if (::open("/dev/null", standard == STDIN_FILENO ? O_RDONLY : O_WRONLY) < 0) {
            ::open("/", O_RDONLY | O_DIRECTORY);  // no /dev (a bare chroot): anything that holds the place
        }
    }
    standardsKnown = true;
}

bool closedAtStart(int standard) {
    return standardsKnown ? closedStandards[standard] : closedNow(standard);
}

void atEarlyEnd(void (*finish)()) {
    earlyEnd = finish;
}

void exitOutOfMemory() {
    reportFailure("out of memory");
    if (earlyEnd != nullptr) {
        earlyEnd();
    }
    std::_Exit(1);
}

}  // namespace xsin
