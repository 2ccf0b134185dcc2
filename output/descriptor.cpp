#include "output/descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace xsin {

namespace {

FileIdentity identityOf(const struct stat& status) {
    return {status.st_dev, status.st_ino, static_cast<mode_t>(status.st_mode & S_IFMT)};
}

}  // namespace

int openInPlace(const char* name) {
    const int descriptor = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (descriptor >= 0 && ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

int waitForLease(const char* name) {
    int descriptor;
    do {
        descriptor = ::open(name, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

bool identify(int descriptor, FileIdentity& identity) {
    struct stat status;
    if (::fstat(descriptor, &status) != 0) {
        return false;
    }
    identity = identityOf(status);
    return true;
}

bool identify(const char* name, FileIdentity& identity) {
    struct stat status;
    if (::stat(name, &status) != 0) {
        return false;
    }
    identity = identityOf(status);
    return true;
}

}  // namespace xsin
