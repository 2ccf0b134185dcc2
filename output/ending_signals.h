#pragma once

#include <signal.h>

// The signals that end the program early: every signal whose default
// action ends the process and that can be caught, but SIGPIPE and SIGXFSZ,
// which the program ignores so that they stay failures of a write, and
// those that report a fault of the program itself (SIGSEGV, SIGBUS, SIGILL,
// SIGFPE, SIGABRT, SIGTRAP, SIGSYS), after which nothing it would still do
// can be trusted. runProgram (program/program.h) handles them by
// abandoning the outputs that are not complete (output/registry.h); the
// outputs hold them while they change what that handler reads.

namespace xsin {

// SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM,
// SIGPROF, SIGXCPU, SIGPWR, SIGIO, SIGSTKFLT where there is one, and the
// real-time signals SIGRTMIN to SIGRTMAX.
const sigset_t& endingSignals();

// Holds the ending signals while it lives: one that arrives meanwhile is
// delivered once the mask it found is back. It can let them through for a
// while (a wait that a signal must be able to end) and hold them again.
class EndingSignalsHeld {
public:
    EndingSignalsHeld() { hold(); }
    ~EndingSignalsHeld() { letThrough(); }
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

    void hold();
    void letThrough();

private:
    sigset_t found;
    bool held = false;
};

}  // namespace xsin
