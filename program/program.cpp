#include "program/program.h"

#include <csignal>
#include <cstdio>
#include <new>

#include "output/output.h"

namespace xsin {

int runProgram(const char* name, void (*body)()) {
    setProgramName(name);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        body();
    } catch (const std::bad_alloc&) {
        reportFailure("out of memory");
    }
    standardOutput().close();
    return anyFailure() ? 1 : 0;
}

}  // namespace xsin
