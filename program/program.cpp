#include "program/program.h"

#include <getopt.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iterator>
#include <new>

#include "diagnostics/diagnostics.h"
#include "output/output.h"
#include "output/ending_signals.h"
#include "output/registry.h"
#include "program/version.h"

namespace xsin {

namespace {

// --- Signals ------------------------------------------------------------------

// The ending signals this program handles: all but those it was started
// with ignored (nohup, a background job), which stay so; and the mask it
// was started with.
sigset_t handled;
sigset_t startMask;

// Runs with every ending signal held (the action's mask): the outputs are
// dealt with whole before anything else can end the program. Only then are
// the default actions and the mask the program started with back, before
// the messages, which may block (standard error a full pipe whose reader
// has stopped): a second signal then ends the program at once.
extern "C" void onEndingSignal(int signal) {
    abandonOutputs();
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (int ending = 1; ending < NSIG; ++ending) {
        if (sigismember(&handled, ending) == 1) {
            sigaction(ending, &byDefault, nullptr);
        }
    }
    sigset_t mask = startMask;
    sigdelset(&mask, signal);
    sigprocmask(SIG_SETMASK, &mask, nullptr);
    reportAbandonedOutputs("interrupted: ");
    // Now by default: it ends the process, and its parent sees by what.
    std::raise(signal);
}

void abandonOutputsOnEndingSignals() {
    sigprocmask(SIG_BLOCK, nullptr, &startMask);
    sigemptyset(&handled);
    struct sigaction action = {};
    action.sa_handler = onEndingSignal;
    action.sa_mask = endingSignals();
    for (int ending = 1; ending < NSIG; ++ending) {
        struct sigaction current;
        if (sigismember(&endingSignals(), ending) == 1 && sigaction(ending, nullptr, &current) == 0 &&
            current.sa_handler != SIG_IGN && sigaction(ending, &action, nullptr) == 0) {
            sigaddset(&handled, ending);
        }
    }
}

// --- Options --------------------------------------------------------------

enum class Asked { run, help, version, misuse };

// After a refusal, the hint coreutils gives.
Asked refused(const Program& program) {
    char hint[256];
    const int length = std::snprintf(hint, sizeof hint, "Try '%s --help' for more information.\n", program.name);
    writeAll(STDERR_FILENO, hint, length > 0 ? std::min(static_cast<std::size_t>(length), sizeof hint - 1) : 0);
    return Asked::misuse;
}

// The options as getopt_long takes them, and coreutils' way with them:
// --help and --version, or an unambiguous start of either, act where they
// come; anything else is refused: an option as getopt_long reports it, an
// operand (before or after "--") as an "extra operand". Operands come back
// in their places ("-" leads the option string) rather than permuted after
// the options, which decides the same here and keeps getopt_long from
// reading POSIXLY_CORRECT from the environment.
Asked asked(const Program& program, int argc, char** argv) {
    static const option longOptions[] = {
        {"help", no_argument, nullptr, 'h'}, {"version", no_argument, nullptr, 'v'}, {nullptr, 0, nullptr, 0}};
    if (argc > 0) {
        argv[0] = const_cast<char*>(program.name);  // the name getopt_long's messages give
    }
    const char* operand = nullptr;
    for (int option; (option = getopt_long(argc, argv, "-", longOptions, nullptr)) != -1;) {
        switch (option) {
        case 'h':
            return Asked::help;
        case 'v':
            return Asked::version;
        case 1:
            operand = operand != nullptr ? operand : optarg;
            break;
        default:
            return refused(program);  // getopt_long has said why
        }
    }
    operand = operand != nullptr ? operand : optind < argc ? argv[optind] : nullptr;
    if (operand != nullptr) {
        reportFailure("extra operand '%s'", operand);
        return refused(program);
    }
    return Asked::run;
}

void printHelp(const Program& program, OutputFile& out) {
    out.print("Usage: %s [OPTION]\n", program.name);
    program.describe(out);
    out.print(
        "\nIt reads no input and no environment, and takes no options but these:\n"
        "  --help     display this help and exit\n"
        "  --version  output version information and exit\n"
        "\nIts manual page: man %s; before installation, after a build\n"
        "in the source folder: man -l build/man/%s.1\n",
        program.name, program.name);
}

void printVersion(const Program& program, OutputFile& out) {
    out.print(
        "%s (xsin experiments) %s\n"
        "Copyright (C) %s\n"
        "License: %s; its text comes with the program\n"
        "(LICENSE, or the package's copyright file).\n"
        "This is free software: you are free to change and redistribute it.\n"
        "There is NO WARRANTY, to the extent permitted by law.\n",
        program.name, version::project, version::copyright, version::license);
}

// --- Ending early ---------------------------------------------------------

// An exception that reached runProgram: the work stopped short.
void stoppedShort(const char* why) {
    reportFailure("%s", why);
    abandonOutputsAndReport("");
}

}  // namespace

int runProgram(const Program& program, int argc, char** argv) {
    setProgramName(program.name);
    useStandardDescriptors();
    // Running out of memory ends the program where it happens, with its
    // message: no exception has to be made, or unwound, for it.
    std::set_new_handler([] { exitOutOfMemory(); });
    atEarlyEnd([] {
        abandonOutputsAndReport("");
        standardOutput().flush();
    });
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    abandonOutputsOnEndingSignals();
    try {
        switch (asked(program, argc, argv)) {
        case Asked::help:
            printHelp(program, standardOutput());
            break;
        case Asked::version:
            printVersion(program, standardOutput());
            break;
        case Asked::run:
            program.body();
            break;
        case Asked::misuse:
            return 2;
        }
    } catch (const std::bad_alloc&) {
        stoppedShort("out of memory");
    } catch (const std::exception& exception) {
        stoppedShort(exception.what());
    } catch (...) {
        stoppedShort("stopped by an unknown exception");
    }
    standardOutput().close();
    return anyFailure() ? 1 : 0;
}

}  // namespace xsin
