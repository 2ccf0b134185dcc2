#include "output/registry.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>

#include "diagnostics/diagnostics.h"
#include "output/descriptor.h"
#include "output/ending_signals.h"
#include "output/replacement.h"

namespace xsin {

namespace {

enum Stage : int {
    unused,     // a free place
    writing,    // open, not complete
    closed,     // complete or given up: kept for the rule
    abandoned,  // its file dealt with by abandonOutputs, its message not yet said
    reported,   // abandoned, and said so
};

struct Output {
    volatile std::sig_atomic_t stage;
    long closedAt;  // when it was closed, counted in outputs closed
    bool beside;    // written to temporary, or in place on descriptor
    int descriptor;
    Temporary temporary;
    FileIdentity identity;  // of what is written: the temporary becomes the file
    const char* said;       // what abandonOutputs did, or nullptr for nothing to say
    const char* saidAfter;
    char name[PATH_MAX];
};

// Fixed places, for the handler: the programs write five files at most,
// and a process that writes more (a benchmark, a test) takes the places of
// outputs already closed.
Output outputs[16];
long closings = 0;

// A place for name: that of the earlier output of this name, whose file it
// replaces, else a free one, else the one closed longest ago; -1 when every
// place is being written.
int placeFor(const char* name) {
    int free = -1;
    int oldest = -1;
    for (int place = 0; place < static_cast<int>(std::size(outputs)); ++place) {
        const Output& output = outputs[place];
        if (output.stage == closed && std::strcmp(output.name, name) == 0) {
            return place;
        }
        if (output.stage == unused && free < 0) {
            free = place;
        }
        if (output.stage == closed && (oldest < 0 || output.closedAt < outputs[oldest].closedAt)) {
            oldest = place;
        }
    }
    return free >= 0 ? free : oldest;
}

// Standard output and standard error as the program found them.
struct Standard {
    const char* label;
    int descriptor;
    bool known;
    FileIdentity identity;
};
Standard standards[] = {{"standard output", STDOUT_FILENO, false, {}}, {"standard error", STDERR_FILENO, false, {}}};

void knowStandards() {
    static bool known = false;
    if (!known) {
        for (Standard& standard : standards) {
            standard.known = identify(standard.descriptor, standard.identity);
        }
        known = true;
    }
}

// Appends text at `at` within [at, end), for messages built in a signal
// handler, where no library function that may allocate is allowed.
char* append(char* at, const char* end, const char* text) {
    while (*text != '\0' && at < end) {
        *at++ = *text++;
    }
    return at;
}

// The name still refers to the file written in place, and not through a
// symbolic link: the program may remove it.
bool ownName(const Output& output) {
    struct stat status;
    return ::lstat(output.name, &status) == 0 && S_ISREG(status.st_mode) && status.st_dev == output.identity.device &&
           status.st_ino == output.identity.inode;
}

}  // namespace

bool anotherOutput(const char* name) {
    knowStandards();
    FileIdentity identity;
    if (!identify(name, identity) || !identity.mixes()) {
        return false;
    }
    for (const Standard& standard : standards) {
        if (standard.known && standard.identity.mixes() && standard.identity == identity) {
            reportFailure("%s is %s", standard.label, name);
            return true;
        }
    }
    for (const Output& earlier : outputs) {
        // The earlier output still under its name: the two names are links
        // to one file (rather than its inode reused since).
        FileIdentity now;
        if (earlier.stage != unused && earlier.identity == identity && std::strcmp(name, earlier.name) != 0 &&
            identify(earlier.name, now) && now == identity) {
            reportFailure("%s is %s", name, earlier.name);
            return true;
        }
    }
    return false;
}

int openOutput(const char* name) {
    const int place = placeFor(name);
    if (place < 0) {
        errno = EMFILE;
        return -1;
    }
    if (std::strlen(name) >= PATH_MAX) {
        errno = ENAMETOOLONG;
        return -1;
    }
    Output& output = outputs[place];
    // From before the file is made or emptied until its entry is complete.
    EndingSignalsHeld held;
    output.beside = openBeside(name, output.temporary);
    if (output.beside) {
        output.descriptor = output.temporary.descriptor;
    } else {
        output.descriptor = openInPlace(name);
        if (output.descriptor < 0 && errno == EWOULDBLOCK) {
            held.letThrough();
            output.descriptor = waitForLease(name);
            held.hold();
            if (output.descriptor >= 0 && ::ftruncate(output.descriptor, 0) != 0) {
                const int error = errno;
                ::close(output.descriptor);
                output.descriptor = -1;
                errno = error;
            }
        }
        if (output.descriptor < 0) {
            return -1;
        }
    }
    identify(output.descriptor, output.identity);
    std::strcpy(output.name, name);
    output.stage = writing;
    return place;
}

int outputDescriptor(int output) {
    return outputs[output].descriptor;
}

int closeOutput(int place, bool whole) {
    Output& output = outputs[place];
    EndingSignalsHeld held;
    int error = 0;
    if (output.beside) {
        if (whole) {
            error = replaceWith(output.temporary);
        } else {
            discard(output.temporary);
        }
    } else if (::close(output.descriptor) != 0) {
        error = errno;  // a write-back that failed (NFS), an I/O error, or a signal
    }
    output.descriptor = -1;
    output.closedAt = ++closings;
    output.stage = closed;
    return error;
}

void abandonOutputs() {
    for (Output& output : outputs) {
        if (output.stage != writing) {
            continue;
        }
        output.said = nullptr;
        output.saidAfter = "";
        if (output.beside) {
            discard(output.temporary);
            output.said = "discarded unfinished ";
            output.saidAfter = output.temporary.replaces ? ", kept the previous one" : "";
        } else if (output.identity.regular()) {
            if (::ftruncate(output.descriptor, 0) != 0) {
                output.said = "could not empty partial ";
            } else if (ownName(output) && ::unlink(output.name) == 0) {
                output.said = "removed partial ";
            } else {
                output.said = "emptied partial ";
            }
        }
        output.stage = abandoned;
    }
}

void reportAbandonedOutputs(const char* why) {
    for (Output& output : outputs) {
        if (output.stage != abandoned) {
            continue;
        }
        // Said before it is written: a signal that interrupts the message
        // says only what is still unsaid.
        output.stage = reported;
        if (output.said == nullptr) {
            continue;
        }
        char message[PATH_MAX + 256];
        const char* end = message + sizeof message - 1;
        char* at = append(message, end, programName());
        at = append(at, end, ": ");
        at = append(at, end, why);
        at = append(at, end, output.said);
        at = append(at, end, output.name);
        at = append(at, end, output.saidAfter);
        *at++ = '\n';
        writeAll(STDERR_FILENO, message, static_cast<std::size_t>(at - message));
    }
}

void abandonOutputsAndReport(const char* why) {
    EndingSignalsHeld held;
    abandonOutputs();
    held.letThrough();
    reportAbandonedOutputs(why);
}

}  // namespace xsin
