#include "program/program.h"

#include <csignal>
#include <initializer_list>
#include <new>

#include <cstring>

#include "output/output.h"
#include "program/version.h"

namespace xsin {

namespace {

extern "C" void onInterruption(int signal) {
    removePartialFiles("interrupted: ");
    // Back to the default disposition, the signal again: held until the
    // handler returns, it then ends the process, and its parent sees that.
    std::signal(signal, SIG_DFL);
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
        sigaction(signal, &action, nullptr);
    }
}

enum class Asked { run, help, version };

Asked asked(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            return Asked::help;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            return Asked::version;
        }
    }
    return Asked::run;
}

void printHelp(const Program& program, OutputFile& out) {
    print(out, "Usage: %s [--help | --version]\n", program.name);
    program.describe(out);
    print(out,
          "\nIt takes no input and no options but these two: every other argument is ignored.\n"
          "  --help     print this and exit\n"
          "  --version  print the version and the licence, and exit\n"
          "\nIts manual page: man %s\n",
          program.name);
}

void printVersion(const Program& program, OutputFile& out) {
    print(out,
          "%s (xsin experiments) %s\n"
          "Copyright (c) %s\n"
          "Released under the %s, whose text comes with the program (LICENSE, or the package's copyright).\n"
          "This is free software: you are free to change and redistribute it.\n"
          "There is NO WARRANTY, to the extent permitted by law.\n",
          program.name, version::project, version::copyright, version::license);
}

}  // namespace

int runProgram(const Program& program, int argc, char** argv) {
    setProgramName(program.name);
    useStandardDescriptors();
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    removePartialFilesWhenInterrupted();
    try {
        switch (asked(argc, argv)) {
        case Asked::help:
            printHelp(program, standardOutput());
            break;
        case Asked::version:
            printVersion(program, standardOutput());
            break;
        case Asked::run:
            program.body();
            break;
        }
    } catch (const std::bad_alloc&) {
        reportFailure("out of memory");
        removePartialFiles("");
    }
    standardOutput().close();
    return anyFailure() ? 1 : 0;
}

}  // namespace xsin
