// Preloaded into a program under test (LD_PRELOAD) to bring about faults of
// the clock that the world seldom offers on demand, each named by an
// environment variable of the test's:
//   XSIN_TEST_WALL_CLOCK_STEPS  the wall clock steps back an hour at every
//                               reading, as when NTP or an administrator
//                               sets it during a run
//   XSIN_TEST_CLOCK_FAILS       the monotonic clock cannot be read (EINVAL)

#include <dlfcn.h>
#include <time.h>

#include <cerrno>
#include <cstdlib>

extern "C" int clock_gettime(clockid_t clock, struct timespec* time) {
    using Function = int (*)(clockid_t, struct timespec*);
    static const auto next = reinterpret_cast<Function>(dlsym(RTLD_NEXT, "clock_gettime"));
    static const bool steps = std::getenv("XSIN_TEST_WALL_CLOCK_STEPS") != nullptr;
    static const bool fails = std::getenv("XSIN_TEST_CLOCK_FAILS") != nullptr;
    static long readings = 0;
    if (fails && clock == CLOCK_MONOTONIC) {
        errno = EINVAL;
        return -1;
    }
    const int result = next(clock, time);
    if (steps && clock == CLOCK_REALTIME && result == 0) {
        time->tv_sec -= 3600 * ++readings;
    }
    return result;
}
