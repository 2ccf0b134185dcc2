// Preloaded into a program under test (LD_PRELOAD): the program stops, as
// job control or a debugger stops it, just before the write that the test's
// environment names, so that signals sent to it meanwhile arrive together
// when it is continued:
//   XSIN_TEST_STOP_AT_WRITE=k  before the k-th write (from 1)

#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>

extern "C" ssize_t write(int descriptor, const void* data, size_t size) {
    using Function = ssize_t (*)(int, const void*, size_t);
    static const auto next = reinterpret_cast<Function>(dlsym(RTLD_NEXT, "write"));
    static const char* const at = std::getenv("XSIN_TEST_STOP_AT_WRITE");
    static long writes = 0;
    if (at != nullptr && ++writes == std::atol(at)) {
        raise(SIGSTOP);
    }
    return next(descriptor, data, size);
}
