// Preloaded into a program under test: the wall clock steps back an hour at
// every reading, as when an administrator or NTP sets it during a run.

#include <dlfcn.h>
#include <time.h>

extern "C" int clock_gettime(clockid_t clock, struct timespec* time) {
    using Function = int (*)(clockid_t, struct timespec*);
    static const auto next = reinterpret_cast<Function>(dlsym(RTLD_NEXT, "clock_gettime"));
    static long readings = 0;
    const int result = next(clock, time);
    if (clock == CLOCK_REALTIME && result == 0) {
        time->tv_sec -= 3600 * ++readings;
    }
    return result;
}
