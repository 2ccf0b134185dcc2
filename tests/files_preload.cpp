// Preloaded into a program under test (LD_PRELOAD) to bring about what the
// file system and job control seldom offer on demand, as the test's
// environment says:
//   XSIN_TEST_STOP_AT_WRITE=k      the program stops, as job control or a
//                                  debugger stops it, just before its k-th
//                                  write (from 1), so that signals sent to
//                                  it meanwhile arrive together when it is
//                                  continued
//   XSIN_TEST_NO_UNNAMED_FILES=1   the file system makes no file without a
//                                  name (O_TMPFILE fails with EOPNOTSUPP),
//                                  as NFS does

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
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

extern "C" int openat(int folder, const char* name, int flags, ...) {
    using Function = int (*)(int, const char*, int, ...);
    static const auto next = reinterpret_cast<Function>(dlsym(RTLD_NEXT, "openat"));
    static const bool unnamed = std::getenv("XSIN_TEST_NO_UNNAMED_FILES") == nullptr;
    std::va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    if (!unnamed && (flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return next(folder, name, flags, mode);
}
