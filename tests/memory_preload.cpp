// Preloaded into a program under test (LD_PRELOAD): malloc, calloc and
// realloc fail, as when memory runs out, after the number of calls that the
// test's environment variable XSIN_TEST_MALLOC_FAILS_AFTER gives. (Not
// under AddressSanitizer, which has its own malloc.)

#include <cerrno>
#include <cstddef>
#include <cstdlib>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
}

namespace {

// Read without allocating: it is asked from within malloc.
bool memoryRunsOut() {
    static const long allowed = [] {
        const char* text = std::getenv("XSIN_TEST_MALLOC_FAILS_AFTER");
        long value = text == nullptr ? -1 : 0;
        for (; text != nullptr && *text >= '0' && *text <= '9'; ++text) {
            value = value * 10 + (*text - '0');
        }
        return value;
    }();
    static long calls = 0;
    if (allowed >= 0 && ++calls > allowed) {
        errno = ENOMEM;
        return true;
    }
    return false;
}

}  // namespace

extern "C" void* malloc(std::size_t size) {
    return memoryRunsOut() ? nullptr : __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size) {
    return memoryRunsOut() ? nullptr : __libc_calloc(count, size);
}

extern "C" void* realloc(void* memory, std::size_t size) {
    return memoryRunsOut() ? nullptr : __libc_realloc(memory, size);
}
