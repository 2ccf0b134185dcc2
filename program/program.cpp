#include "program/program.h"

#include <csignal>
#include <initializer_list>
#include <new>

#include "output/output.h"

namespace xsin {

namespace {

extern "C" void onInterruption(int signal) {
    removePartialFiles("interrupted: ");
    // The disposition is the default again (SA_RESETHAND): the process ends
    // by this very signal, and its parent sees that.
    std::raise(signal);
}

void removePartialFilesWhenInterrupted() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current;
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
            continue;  // ignored by whoever started the program (nohup, a background job): it stays so
        }
        struct sigaction action = {};
        action.sa_handler = onInterruption;
        sigemptyset(&action.sa_mask);
        for (int other : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&action.sa_mask, other);
        }
        action.sa_flags = SA_RESETHAND;
        sigaction(signal, &action, nullptr);
    }
}

}  // namespace

int runProgram(const char* name, void (*body)()) {
    setProgramName(name);
    useStandardDescriptors();
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    removePartialFilesWhenInterrupted();
    try {
        body();
    } catch (const std::bad_alloc&) {
        reportFailure("out of memory");
        removePartialFiles("");
    }
    standardOutput().close();
    return anyFailure() ? 1 : 0;
}

}  // namespace xsin
