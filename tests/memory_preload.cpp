// Preloaded into a program under test (LD_PRELOAD): malloc, calloc and
// realloc fail, as when memory runs out, as the test's environment says:
//   XSIN_TEST_MALLOC_FAILS_AFTER=n  every call after the first n
//   XSIN_TEST_MALLOC_FAILS_AT=k     the k-th call only (from 1)
//   XSIN_TEST_MALLOC_FAILS_FROM=n   every call for n bytes or more
//   XSIN_TEST_MALLOC_CALLS=file     at exit, the number of calls, into file
// (Not under AddressSanitizer, which has its own malloc.)

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
}

namespace {

// A number from the environment, -1 if unset: read without allocating,
// since it is asked from within malloc.
long setting(const char* name) {
    const char* text = std::getenv(name);
    long value = text == nullptr ? -1 : 0;
    for (; text != nullptr && *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
    }
    return value;
}

long calls = 0;

bool memoryRunsOut(std::size_t size) {
    static const long after = setting("XSIN_TEST_MALLOC_FAILS_AFTER");
    static const long at = setting("XSIN_TEST_MALLOC_FAILS_AT");
    static const long from = setting("XSIN_TEST_MALLOC_FAILS_FROM");
    ++calls;
    if ((after >= 0 && calls > after) || calls == at || (from >= 0 && size >= static_cast<std::size_t>(from))) {
        errno = ENOMEM;
        return true;
    }
    return false;
}

[[gnu::destructor]] void writeCalls() {
    const char* file = std::getenv("XSIN_TEST_MALLOC_CALLS");
    if (file == nullptr) {
        return;
    }
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%ld\n", calls);
    const int descriptor = open(file, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor >= 0 && length > 0) {
        [[maybe_unused]] const ssize_t written = write(descriptor, text, static_cast<std::size_t>(length));
        close(descriptor);
    }
}

}  // namespace

extern "C" void* malloc(std::size_t size) {
    return memoryRunsOut(size) ? nullptr : __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size) {
    return memoryRunsOut(count * size) ? nullptr : __libc_calloc(count, size);
}

extern "C" void* realloc(void* memory, std::size_t size) {
    return memoryRunsOut(size) ? nullptr : __libc_realloc(memory, size);
}
