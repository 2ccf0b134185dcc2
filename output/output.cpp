#include "output/output.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>
#include <string>

namespace xsin {

namespace {

const char* ownName = nullptr;
bool failed = false;

void report(const char* verb, const char* name, int error) {
    reportFailure("cannot %s %s: %s", verb, name, std::strerror(error));
}

// --- Partial files --------------------------------------------------------
//
// The regular files being written, by name, for removePartialFiles, which a
// signal handler calls: fixed places, each marked in use last.

struct Partial {
    volatile std::sig_atomic_t active;
    char name[PATH_MAX];
};

Partial partials[8];

int holdAsPartial(const char* name) {
    const std::size_t length = std::strlen(name);
    for (int i = 0; i < static_cast<int>(std::size(partials)); ++i) {
        if (partials[i].active == 0 && length < sizeof partials[i].name) {
            std::memcpy(partials[i].name, name, length + 1);
            partials[i].active = 1;
            return i;
        }
    }
    return -1;  // more files at once than places: not removed when interrupted
}

// The signals that remove partial files wait while a file is opened and
// taken as partial, so that none is created without being known.
class InterruptionsHeld {
public:
    InterruptionsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&held, signal);
        }
        pthread_sigmask(SIG_BLOCK, &held, &previous);
    }
    ~InterruptionsHeld() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }
    InterruptionsHeld(const InterruptionsHeld&) = delete;
    InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

private:
    sigset_t previous;
};

// Appends text at `at` within [at, end), for messages built in a signal
// handler, where no library function that may allocate is allowed.
char* append(char* at, const char* end, const char* text) {
    while (*text != '\0' && at < end) {
        *at++ = *text++;
    }
    return at;
}

// --- Descriptors ----------------------------------------------------------

// Writes all of data: a write interrupted by a signal is tried again, and a
// short one completed. 0, or the errno of the write that failed.
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

// open(name, "w"), but a FIFO without a reader fails at once with ENXIO
// instead of blocking until one comes. A file under another process's lease
// (Samba's, the NFS server's) refuses a non-blocking open with EWOULDBLOCK,
// having asked that process to give it up: it is opened again, blocking
// until the lease is broken, as a shell's redirection waits. Once open,
// writes block as usual.
int openForWriting(const char* name) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    int descriptor = ::open(name, flags | O_NONBLOCK, 0666);
    if (descriptor < 0 && errno == EWOULDBLOCK) {
        do {
            descriptor = ::open(name, flags, 0666);
        } while (descriptor < 0 && errno == EINTR);
        return descriptor;
    }
    if (descriptor >= 0 && ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
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
    writeAll(STDERR_FILENO, message, end + 1);
}

bool anyFailure() {
    return failed;
}

void removePartialFiles(const char* why) {
    for (Partial& partial : partials) {
        if (partial.active == 0) {
            continue;
        }
        partial.active = 0;
        char message[PATH_MAX + 256];
        const char* end = message + sizeof message - 1;
        char* at = append(message, end, programName());
        at = append(at, end, ": ");
        at = append(at, end, why);
        at = append(at, end, ::unlink(partial.name) == 0 ? "removed partial " : "could not remove partial ");
        at = append(at, end, partial.name);
        *at++ = '\n';
        [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, message, static_cast<std::size_t>(at - message));
    }
}

void exitOutOfMemory() {
    reportFailure("out of memory");
    removePartialFiles("");
    standardOutput().flush();
    std::_Exit(1);
}

OutputFile::OutputFile(const char* fileName) : name(fileName), exceptionsAtOpen(std::uncaught_exceptions()) {
    const InterruptionsHeld held;
    descriptor = openForWriting(fileName);
    if (descriptor < 0) {
        report("open", fileName, errno);
        return;
    }
    struct stat status;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        partial = holdAsPartial(fileName);
    }
}

OutputFile::OutputFile(Standard, int standard, const char* label)
    : descriptor(standard), name(label), lineBuffered(::isatty(standard) == 1) {}

OutputFile::~OutputFile() {
    if (std::uncaught_exceptions() > exceptionsAtOpen) {
        // Unwinding: the file is not complete, and stays known as partial
        // for runProgram to remove.
        if (descriptor >= 0) {
            ::close(descriptor);
            descriptor = -1;
        }
        return;
    }
    close();
}

void OutputFile::fail(int error) {
    if (firstError == 0) {
        firstError = error;
    }
}

void OutputFile::makeRoom(std::size_t size) {
    if (!buffer) {
        buffer.reset(new char[capacity]);
    }
    if (capacity - used < size) {
        // The whole blocks, and what follows them to the start.
        const std::size_t whole = used / blockSize * blockSize;
        write(whole);
        std::memmove(buffer.get(), buffer.get() + whole, used - whole);
        used -= whole;
    }
    if (capacity - used < size) {
        flush();
    }
}

void OutputFile::write(std::size_t size) {
    if (size == 0) {
        return;
    }
    if (writable()) {
        const int error = writeAll(descriptor, buffer.get(), size);
        if (error != 0) {
            fail(error);
        }
    } else if (closedAtStart) {
        fail(EBADF);
    }
}

void OutputFile::flush() {
    write(used);
    used = 0;
}

bool OutputFile::close() {
    if (descriptor < 0 && !closedAtStart) {
        return written;
    }
    flush();
    if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) {
        fail(errno);  // a write-back that failed (NFS), or an I/O error
    }
    descriptor = -1;
    closedAtStart = false;
    if (partial >= 0) {
        partials[partial].active = 0;
        partial = -1;
    }
    if (firstError != 0) {
        report("write", name, firstError);
    }
    written = firstError == 0;
    return written;
}

OutputFile& standardOutput() {
    static OutputFile out(OutputFile::Standard{}, STDOUT_FILENO, "standard output");
    return out;
}

void useStandardDescriptors() {
    for (int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(standard, F_GETFD) >= 0 || errno != EBADF) {
            continue;
        }
        // The lowest free descriptor is this one: those below are open.
        if (::open("/dev/null", standard == STDIN_FILENO ? O_RDONLY : O_WRONLY) < 0) {
            ::open("/", O_RDONLY | O_DIRECTORY);  // no /dev (a bare chroot): anything that holds the place
        }
        if (standard == STDOUT_FILENO) {
            OutputFile& out = standardOutput();
            out.descriptor = -1;
            out.closedAtStart = true;
        }
    }
}

void put(OutputFile& out, const char* text, std::size_t size) {
    if (!out.writable() && !out.closedAtStart) {
        return;
    }
    if (size > OutputFile::blockSize) {
        out.flush();
        if (out.writable()) {
            const int error = writeAll(out.descriptor, text, size);
            if (error != 0) {
                out.fail(error);
            }
        } else {
            out.fail(EBADF);
        }
        return;
    }
    std::memcpy(out.room(size), text, size);
    out.advance(size);
    if (out.lineBuffered && std::memchr(text, '\n', size) != nullptr) {
        out.flush();
    }
}

void put(OutputFile& out, const char* text) {
    put(out, text, std::strlen(text));
}

void print(OutputFile& out, const char* format, ...) {
    if (!out.writable() && !out.closedAtStart) {
        return;
    }
    std::va_list arguments;
    va_start(arguments, format);
    char small[512];
    errno = 0;
    const int length = std::vsnprintf(small, sizeof small, format, arguments);
    va_end(arguments);
    if (length < 0) {
        out.fail(errno != 0 ? errno : EOVERFLOW);  // a conversion that cannot be formatted
        return;
    }
    if (static_cast<std::size_t>(length) < sizeof small) {
        put(out, small, static_cast<std::size_t>(length));
        return;
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    va_start(arguments, format);
    std::vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);
    put(out, text.data(), static_cast<std::size_t>(length));
}

}  // namespace xsin
