#include "output/ending_signals.h"

#include <initializer_list>

namespace xsin {

const sigset_t& endingSignals() {
    static const sigset_t set = [] {
        sigset_t signals;
        sigemptyset(&signals);
        for (int ending : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF, SIGXCPU,
                           SIGPWR, SIGIO}) {
            sigaddset(&signals, ending);
        }
#ifdef SIGSTKFLT
        sigaddset(&signals, SIGSTKFLT);
#endif
        for (int realTime = SIGRTMIN; realTime <= SIGRTMAX; ++realTime) {
            sigaddset(&signals, realTime);
        }
        return signals;
    }();
    return set;
}

void EndingSignalsHeld::hold() {
    if (!held) {
        sigprocmask(SIG_BLOCK, &endingSignals(), &found);
        held = true;
    }
}

void EndingSignalsHeld::letThrough() {
    if (held) {
        sigprocmask(SIG_SETMASK, &found, nullptr);
        held = false;
    }
}

}  // namespace xsin
