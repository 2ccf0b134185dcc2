#include "output/partial_files.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <iterator>

#include "output/output.h"

namespace xsin {

namespace {

// Fixed places, read by a signal handler: each is filled, then marked
// active last, and marked inactive before its descriptor is closed.
struct Partial {
    volatile std::sig_atomic_t active;
    int descriptor;
    FileIdentity identity;
    char name[PATH_MAX];
};

Partial partials[8];

// Appends text at `at` within [at, end), for messages built in a signal
// handler, where no library function that may allocate is allowed.
char* append(char* at, const char* end, const char* text) {
    while (*text != '\0' && at < end) {
        *at++ = *text++;
    }
    return at;
}

// The name still refers to the file written, and not through a symbolic
// link: the program may remove it.
bool ownName(const Partial& partial) {
    struct stat status;
    return ::lstat(partial.name, &status) == 0 && S_ISREG(status.st_mode) && status.st_dev == partial.identity.device &&
           status.st_ino == partial.identity.inode;
}

}  // namespace

int holdAsPartial(const char* name, int descriptor, const FileIdentity& identity) {
    const std::size_t length = std::strlen(name);
    for (int place = 0; place < static_cast<int>(std::size(partials)); ++place) {
        Partial& partial = partials[place];
        if (partial.active == 0 && length < sizeof partial.name) {
            std::memcpy(partial.name, name, length + 1);
            partial.descriptor = descriptor;
            partial.identity = identity;
            std::atomic_signal_fence(std::memory_order_seq_cst);
            partial.active = 1;
            return place;
        }
    }
    return -1;
}

void releasePartial(int place) {
    if (place >= 0) {
        partials[place].active = 0;
        std::atomic_signal_fence(std::memory_order_seq_cst);
    }
}

void removePartialFiles(const char* why) {
    // First every file, then the messages: writing them may block (standard
    // error a full pipe whose reader has stopped).
    const char* done[std::size(partials)] = {};
    for (std::size_t place = 0; place < std::size(partials); ++place) {
        Partial& partial = partials[place];
        if (partial.active == 0) {
            continue;
        }
        partial.active = 0;
        if (::ftruncate(partial.descriptor, 0) != 0) {
            done[place] = "could not empty partial ";
        } else if (ownName(partial) && ::unlink(partial.name) == 0) {
            done[place] = "removed partial ";
        } else {
            done[place] = "emptied partial ";
        }
    }
    for (std::size_t place = 0; place < std::size(partials); ++place) {
        if (done[place] == nullptr) {
            continue;
        }
        char message[PATH_MAX + 256];
        const char* end = message + sizeof message - 1;
        char* at = append(message, end, programName());
        at = append(at, end, ": ");
        at = append(at, end, why);
        at = append(at, end, done[place]);
        at = append(at, end, partials[place].name);
        *at++ = '\n';
        writeAll(STDERR_FILENO, message, static_cast<std::size_t>(at - message));
    }
}

}  // namespace xsin
